#include <gtest/gtest.h>

#include <string>

#include "KeyCodeTable.h"
#include "TempFolder.h"

namespace {

std::string TableFile(int count, const std::vector<KeyCodeRecord>& records, const std::string& rest = "")
{
    std::string bytes((const char*)&count, sizeof(count));
    for (const KeyCodeRecord& record : records)
        bytes.append((const char*)&record, sizeof(record));
    return bytes + rest;
}

const KeyCodeRecord kFirst = {242, 1, 0, 0, 12, 0};
const KeyCodeRecord kSecond = {225, 0, 1, 1, 0, 'X'};

TEST(KeyCodeTableTest, SavesTheCountThenTheRecordsAndReadsThemBack)
{
    TempFolder temp;
    CKeyCodeTable table;
    table.Add(kFirst);
    table.Add(kSecond);
    std::string path = temp.FilePath("mp9.dat");
    ASSERT_TRUE(table.Save(path.c_str()));
    EXPECT_EQ(TableFile(2, {kFirst, kSecond}), temp.Read("mp9.dat"));

    CKeyCodeTable read;
    ASSERT_TRUE(read.Load(path.c_str()));
    ASSERT_EQ(2, read.GetCount());
    EXPECT_EQ(1, read.Find(225));
    EXPECT_EQ(-1, read.Find(7));
    EXPECT_EQ('X', read.GetAt(1).character);
    read.RemoveAt(0);
    EXPECT_EQ(0, read.Find(225));
}

// However the file is damaged, only the records it holds are read.
TEST(KeyCodeTableTest, ReadsOnlyTheRecordsPresent)
{
    struct Case
    {
        const char* what;
        std::string file;
        int records;
    } cases[] = {
        {"a count alone", TableFile(5, {}), 0},
        {"shorter than a count", std::string("\x02\x00", 2), 0},
        {"a count beyond the records", TableFile(1000000, {kFirst, kSecond}, "xyz"), 2},
        {"the largest count", TableFile(0x7FFFFFFF, {kFirst}), 1},
        {"a negative count", TableFile(-3, {kFirst, kSecond}), 0},
        {"a count below the records", TableFile(1, {kFirst, kSecond}), 1},
    };
    for (const Case& c : cases) {
        TempFolder temp;
        std::string path = temp.Write("t.dat", c.file);
        CKeyCodeTable table;
        EXPECT_TRUE(table.Load(path.c_str())) << c.what;
        ASSERT_EQ(c.records, table.GetCount()) << c.what;
        if (c.records) {
            EXPECT_EQ(0, memcmp(&kFirst, &table.GetAt(0), sizeof(kFirst))) << c.what;
        }
    }
}

TEST(KeyCodeTableTest, MissingFileLeavesTheTableEmpty)
{
    TempFolder temp;
    CKeyCodeTable table;
    EXPECT_FALSE(table.Load(temp.FilePath("none.dat").c_str()));
    EXPECT_EQ(0, table.GetCount());
}

} // namespace
