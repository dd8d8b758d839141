#include <gtest/gtest.h>

#include <set>
#include <string>

#include "DefaultKeyOrder.h"
#include "RemoteKeyNameList.h"
#include "SpecialKeyTable.h"

namespace {

TEST(RemoteKeyNameListTest, NamesTheFiftyKeysFromTheStringTable)
{
    RemoteKeyNameList names;
    names.Build();
    ASSERT_EQ(50, names.GetCount());
    struct Row
    {
        int position;
        int id;
        const char* name;  // GBK, as the string table loads it
    } rows[] = {
        {0, 242, "Mute"},   {1, 225, "\xb5\xe7\xca\xd3"},  {14, 246, "-/--"},
        {19, 233, "Ch+"},   {20, 237, "Ch-"},             {21, 232, "Vol-"},
        {22, 243, "Vol+"},  {23, 231, "OK"},              {25, 236, "\xd7\xc0\xc3\xe6"},
        {26, 238, "Tab"},   {37, 182, "\xc9\xcf\xd2\xbb\xd5\xc2"},
        {38, 180, "\xcf\xc2\xd2\xbb\xd5\xc2"},            {49, 168, "\xc0\xb6\xc9\xab"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.id, names.GetAt(row.position).id) << row.position;
        EXPECT_EQ(row.name, std::string(names.GetName(row.id))) << row.id;
        EXPECT_EQ(row.position, names.FindId(row.id));
        EXPECT_EQ(row.position, names.FindName(row.name));
    }
    // Every name loaded, all different; the three fixed keys are not in the list.
    std::set<std::string> distinct;
    for (int i = 0; i < names.GetCount(); ++i)
        distinct.insert((LPCTSTR)names.GetAt(i).name);
    EXPECT_EQ(50u, distinct.size());
    EXPECT_EQ(0u, distinct.count(""));
    for (int fixed : {239, 230, 175})
        EXPECT_EQ(-1, names.FindId(fixed));
    EXPECT_EQ("", std::string(names.GetName(239)));

    // The default order holds the same keys.
    std::set<int> ordered(DefaultKeyOrder::kIds, DefaultKeyOrder::kIds + DefaultKeyOrder::kCount);
    EXPECT_EQ(50u, ordered.size());
    for (int id : ordered)
        EXPECT_GE(names.FindId(id), 0) << id;
}

TEST(SpecialKeyTableTest, PairsEachRowWithItsKeyAndText)
{
    struct Row
    {
        int index;
        int virtualKey;
        const char* text;
    } rows[] = {
        {0, 0, " "},          {1, 27, "Esc"},         {2, 32, "SPACE"},      {3, 8, "Back"},
        {4, 13, "Enter"},     {5, 112, "F1"},         {16, 123, "F12"},      {17, 96, "NUMPAD0"},
        {26, 105, "NUMPAD9"}, {27, 9, "Tab"},         {28, 91, "Left WIN"},  {29, 92, "Rigth WIN"},
        {30, 95, "Sleep"},    {31, 144, "Num Lock"},  {32, 20, "Caps Lock"}, {33, 45, "Insert"},
        {34, 46, "Delete"},   {35, 33, "Page Up"},    {36, 34, "Page Down"}, {37, 35, "End"},
        {38, 36, "Home"},     {39, 37, "LEFT"},       {40, 38, "UP"},        {41, 39, "RIGHT"},
        {42, 40, "DOWN"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.virtualKey, SpecialKeyTable::GetVirtualKey(row.index)) << row.index;
        EXPECT_EQ(row.text, std::string(SpecialKeyTable::GetText(row.index))) << row.index;
    }
    EXPECT_EQ(175u, SpecialKeyTable::GetStringId(5));
    EXPECT_EQ(196u, SpecialKeyTable::GetStringId(26));
    EXPECT_EQ(0, SpecialKeyTable::GetVirtualKey(43));
    EXPECT_EQ("", std::string(SpecialKeyTable::GetText(-1)));
}

} // namespace
