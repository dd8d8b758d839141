#include <gtest/gtest.h>

#include <afx.h>

#include <string>
#include <vector>

#include "GbkText.h"

namespace {

std::vector<std::string> KeysInOrder(const CMapStringToString& map)
{
    std::vector<std::string> keys;
    CString key;
    CString value;
    for (POSITION pos = map.GetStartPosition(); pos != NULL;) {
        map.GetNextAssoc(pos, key, value);
        keys.push_back((LPCTSTR)key);
    }
    return keys;
}

void AddKeys(CMapStringToString& map)
{
    for (const char* key : {"a", "b", "Total", "Channel-0", "Channel-1", GBK_PINDAO, GBK_YINLIANG})
        map.SetAt(key, CString("v-") + key);
}

} // namespace

// The expected orders follow from the rules by hand: hash h = h * 33 + c with c sign-extended
// ("a" 97, "b" 98, "Total" 103736004, "Channel-0" 2864202774, "Channel-1" 2864202775; the GBK
// keys 4292798736 and 4293298982, since their bytes count negative), bucket = h % size, new
// keys at the head of their bucket, buckets visited from 0 upwards.
TEST(CMapStringToString, IteratesInTheRealFrameworksOrderWith17Buckets)
{
    CMapStringToString map;
    EXPECT_EQ(17u, map.GetHashTableSize());
    AddKeys(map);
    // Buckets: Channel-0 2, Channel-1 3, a 12 then "channel" 12 (added later, so first),
    // b 13, Total 15, "volume" 16.
    std::vector<std::string> expected = {"Channel-0", "Channel-1", GBK_PINDAO, "a", "b", "Total",
                                         GBK_YINLIANG};
    EXPECT_EQ(expected, KeysInOrder(map));
}

TEST(CMapStringToString, IteratesInTheRealFrameworksOrderWith10Buckets)
{
    CMapStringToString map(10);
    EXPECT_EQ(17u, map.GetHashTableSize());  // the argument is the block size
    map.InitHashTable(10);
    EXPECT_EQ(10u, map.GetHashTableSize());
    AddKeys(map);
    // Buckets: "volume" 2, Total 4 then Channel-0 4 (added later, so first), Channel-1 5,
    // "channel" 6, a 7, b 8.
    std::vector<std::string> expected = {GBK_YINLIANG, "Channel-0", "Total", "Channel-1",
                                         GBK_PINDAO, "a", "b"};
    EXPECT_EQ(expected, KeysInOrder(map));
}

TEST(CMapStringToString, HashKeySignExtendsBytesAbove0x7F)
{
    CMapStringToString map;
    EXPECT_EQ(97u, map.HashKey("a"));
    EXPECT_EQ(103736004u, map.HashKey("Total"));
    EXPECT_EQ(4292798736u, map.HashKey(GBK_PINDAO));
}

TEST(CMapStringToString, SetAtOfAnExistingKeyKeepsItsPlace)
{
    CMapStringToString map;
    AddKeys(map);
    map.SetAt("a", "changed");
    map["Total"] = "7";
    std::vector<std::string> expected = {"Channel-0", "Channel-1", GBK_PINDAO, "a", "b", "Total",
                                         GBK_YINLIANG};
    EXPECT_EQ(expected, KeysInOrder(map));
    EXPECT_EQ(7, map.GetCount());
    CString value;
    EXPECT_TRUE(map.Lookup("a", value));
    EXPECT_STREQ("changed", value);
    EXPECT_TRUE(map.Lookup("Total", value));
    EXPECT_STREQ("7", value);
}

TEST(CMapStringToString, LookupIsExactAndCaseSensitive)
{
    CMapStringToString map;
    map.SetAt("Key", "1");
    CString value("unchanged");
    EXPECT_FALSE(map.Lookup("key", value));
    EXPECT_FALSE(map.Lookup("Key ", value));
    EXPECT_STREQ("unchanged", value);
    EXPECT_TRUE(map.Lookup(CString("Key"), value));
    EXPECT_STREQ("1", value);
}

TEST(CMapStringToString, RemoveKeyUnlinksOnlyThatKey)
{
    CMapStringToString map;
    AddKeys(map);
    EXPECT_TRUE(map.RemoveKey(GBK_PINDAO));
    EXPECT_FALSE(map.RemoveKey(GBK_PINDAO));
    EXPECT_TRUE(map.RemoveKey("Channel-0"));
    std::vector<std::string> expected = {"Channel-1", "a", "b", "Total", GBK_YINLIANG};
    EXPECT_EQ(expected, KeysInOrder(map));
    EXPECT_EQ(5, map.GetCount());
}

TEST(CMapStringToString, EmptyMapHasNoStartPosition)
{
    CMapStringToString map;
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(nullptr, map.GetStartPosition());
    map.SetAt("k", "v");
    EXPECT_FALSE(map.IsEmpty());
    map.RemoveAll();
    EXPECT_EQ(0, map.GetCount());
    EXPECT_EQ(nullptr, map.GetStartPosition());
    EXPECT_FALSE(map.RemoveKey("k"));
}

TEST(CMapStringToString, InitHashTableIsIgnoredOnceTheMapHoldsKeys)
{
    CMapStringToString map;
    map.SetAt("k", "v");
    map.InitHashTable(31);
    EXPECT_EQ(17u, map.GetHashTableSize());
    CString value;
    EXPECT_TRUE(map.Lookup("k", value));
    map.RemoveKey("k");
    map.InitHashTable(31);
    EXPECT_EQ(31u, map.GetHashTableSize());
}

TEST(CMapStringToString, ManyKeys)
{
    CMapStringToString map;
    for (int i = 0; i < 500; ++i) {
        CString key;
        key.Format("Channel-%d", i);
        map[key] = key;
    }
    EXPECT_EQ(500, map.GetCount());
    CString value;
    EXPECT_TRUE(map.Lookup("Channel-321", value));
    EXPECT_STREQ("Channel-321", value);
    EXPECT_EQ(500u, KeysInOrder(map).size());
}

TEST(CMapStringToPtr, LooksUpPointers)
{
    int a = 0;
    CMapStringToPtr map;
    map.SetAt("a", &a);
    void* value = NULL;
    EXPECT_TRUE(map.Lookup("a", value));
    EXPECT_EQ(&a, value);
    EXPECT_FALSE(map.Lookup("b", value));
    POSITION pos = map.GetStartPosition();
    CString key;
    map.GetNextAssoc(pos, key, value);
    EXPECT_STREQ("a", key);
    EXPECT_EQ(nullptr, pos);
}

// Pointer keys hash to address >> 4: 0x10 and 0x120 share bucket 1 of 17, 0x2000 goes to 2,
// 0x30 to 3.
TEST(CMapPtrToPtr, IteratesInTheRealFrameworksOrder)
{
    CMapPtrToPtr map;
    for (DWORD_PTR key : {0x10, 0x30, 0x120, 0x2000})
        map.SetAt((void*)key, (void*)(key + 1));
    std::vector<DWORD_PTR> keys;
    void* key;
    void* value;
    for (POSITION pos = map.GetStartPosition(); pos != NULL;) {
        map.GetNextAssoc(pos, key, value);
        EXPECT_EQ((DWORD_PTR)key + 1, (DWORD_PTR)value);
        keys.push_back((DWORD_PTR)key);
    }
    std::vector<DWORD_PTR> expected = {0x120, 0x10, 0x2000, 0x30};
    EXPECT_EQ(expected, keys);
    EXPECT_EQ(1u, map.HashKey((void*)0x10));
}
