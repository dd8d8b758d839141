#include <gtest/gtest.h>

#include <string>

#include "DefaultKeyOrder.h"
#include "KeyCodeTable.h"
#include "KeyMapFile.h"
#include "TempFolder.h"

namespace {

const char kOrbitelle[] = "C:\\Program Files\\Quorvex\\Skyvault III\\Orbitelle.exe";
const char kReelview[] = "C:\\Program Files\\Quorvex\\Reelview\\Reelview.exe";
const char kPictoscan[] = "C:\\Program Files\\Quorvex\\Pictoscan\\Pictoscan.exe";

struct FactoryRow
{
    int id;
    int mode;
    int ctrl, alt, shift;
    int special;
    int character;
    const char* path;
    const char* parameters;
};

// The factory map as the printed table gives it: its left column, then its right.
const FactoryRow kFactoryRows[] = {
    {242, 0, 0, 0, 0, 12, 0, "", ""},
    {225, 1, 0, 0, 0, 0, 0, kOrbitelle, "TV"},
    {255, 1, 0, 0, 0, 0, 0, kReelview, "VIDEO"},
    {254, 1, 0, 0, 0, 0, 0, kReelview, "Music"},
    {253, 1, 0, 0, 0, 0, 0, kPictoscan, "Picture"},
    {224, 0, 0, 0, 0, 0, '1', "", ""},
    {252, 0, 0, 0, 0, 0, '2', "", ""},
    {251, 0, 0, 0, 0, 0, '3', "", ""},
    {250, 0, 0, 0, 0, 0, '4', "", ""},
    {227, 0, 0, 0, 0, 0, '5', "", ""},
    {249, 0, 0, 0, 0, 0, '6', "", ""},
    {248, 0, 0, 0, 0, 0, '7', "", ""},
    {247, 0, 0, 0, 0, 0, '8', "", ""},
    {226, 0, 0, 0, 0, 0, '9', "", ""},
    {246, 0, 0, 0, 0, 0, '/', "", ""},
    {245, 0, 0, 0, 0, 0, '0', "", ""},
    {244, 0, 1, 0, 0, 0, 'B', "", ""},
    {235, 0, 0, 0, 0, 28, 0, "vlm.exe", ""},
    {182, 0, 0, 0, 0, 35, 0, "", ""},
    {236, 0, 0, 0, 0, 28, 'D', "", ""},
    {172, 0, 1, 0, 0, 0, 'T', "", ""},
    {234, 0, 0, 1, 0, 8, 0, "", ""},
    {233, 0, 0, 0, 0, 40, 0, "", ""},
    {237, 0, 0, 0, 0, 42, 0, "", ""},
    {232, 0, 0, 0, 0, 39, 0, "", ""},
    {243, 0, 0, 0, 0, 41, 0, "", ""},
    {231, 0, 0, 0, 0, 4, 0, "", ""},
    {241, 0, 0, 0, 0, 1, 0, "", ""},
    {238, 0, 0, 0, 0, 27, 0, "", ""},
    {229, 0, 1, 0, 1, 0, 'S', "", ""},
    {228, 0, 1, 0, 0, 0, 'F', "", ""},
    {187, 0, 1, 0, 1, 0, 'T', "", ""},
    {191, 0, 1, 0, 1, 0, 'J', "", ""},
    {165, 0, 1, 0, 0, 0, 'C', "", ""},
    {189, 0, 1, 0, 1, 0, 'V', "", ""},
    {186, 0, 1, 0, 0, 0, 'S', "", ""},
    {188, 0, 1, 0, 1, 0, 'C', "", ""},
    {181, 0, 1, 0, 1, 0, 'F', "", ""},
    {183, 0, 1, 0, 1, 0, 'R', "", ""},
    {180, 0, 0, 0, 0, 36, 0, "", ""},
    {179, 0, 1, 0, 1, 0, 'W', "", ""},
};

int IntAt(const std::string& bytes, size_t offset)
{
    int value = 0;
    memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

// A text field: its text, then zeros to the end of its 260 bytes.
void ExpectTextField(const std::string& bytes, size_t offset, const char* text, int row)
{
    std::string expected(text);
    expected.resize(260, '\0');
    EXPECT_EQ(expected, bytes.substr(offset, 260)) << "record " << row;
}

std::string Bytes(const KeyMapRecord& record)
{
    return std::string((const char*)&record, sizeof(record));
}

KeyMapRecord RunRecord(int id, const char* path)
{
    KeyMapRecord record = KeyMapRecord::ForId(id);
    record.mode = KeyMapRecord::kModeRun;
    strcpy(record.path, path);
    return record;
}

std::string FileOf(const std::vector<KeyMapRecord>& records, const std::string& rest = "")
{
    std::string bytes;
    for (const KeyMapRecord& record : records)
        bytes += Bytes(record);
    return bytes + rest;
}

class KeyMapFileTest : public testing::Test
{
protected:
    std::string Folder() const { return m_temp.Path() + "\\"; }

    TempFolder m_temp;
    CKeyMapFile m_map;
};

TEST_F(KeyMapFileTest, FactoryMapResourceHoldsTheFactoryTable)
{
    HMODULE self = GetModuleHandleA(NULL);
    HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(407), "DATFILE");
    ASSERT_NE(nullptr, found);
    const char* data = (const char*)LockResource(LoadResource(self, found));
    std::string bytes(data, SizeofResource(self, found));
    ASSERT_EQ(22468u, bytes.size());
    ASSERT_EQ(41u, sizeof(kFactoryRows) / sizeof(kFactoryRows[0]));
    for (int i = 0; i < 41; ++i) {
        const FactoryRow& row = kFactoryRows[i];
        size_t at = 548 * i;
        const int fields[] = {row.id, row.mode, row.ctrl, row.alt, row.shift, row.special, row.character};
        for (int f = 0; f < 7; ++f)
            EXPECT_EQ(fields[f], IntAt(bytes, at + 4 * f)) << "record " << i << " field " << f;
        ExpectTextField(bytes, at + 28, row.path, i);
        ExpectTextField(bytes, at + 288, row.parameters, i);
    }
}

TEST_F(KeyMapFileTest, RestoringTheFactoryMapWritesDefaultDatAndLoadsIt)
{
    m_temp.Write("Default.dat", "old");
    ASSERT_TRUE(m_map.RestoreFactoryMap(GetModuleHandleA(NULL), Folder().c_str()));
    EXPECT_EQ(22468u, m_temp.Read("Default.dat").size());
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_EQ(0, lstrcmpiA(m_temp.Path().c_str(), current));
    // All 41 rows are default keys: the 50 keys in their order, 41 with the factory's action.
    ASSERT_EQ(50, m_map.GetCount());
    int withAction = 0;
    for (int i = 0; i < 50; ++i) {
        const KeyMapRecord& record = m_map.GetAt(i);
        EXPECT_EQ(DefaultKeyOrder::kIds[i], record.remoteKeyId);
        withAction += record.mode || record.specialKey || record.character;
    }
    EXPECT_EQ(41, withAction);
    const KeyMapRecord& tv = m_map.GetAt(m_map.Find(225));
    EXPECT_STREQ(kOrbitelle, tv.path);
    EXPECT_STREQ("TV", tv.parameters);
    SetCurrentDirectoryA("C:\\");
}

TEST_F(KeyMapFileTest, LoadReadsWholeRecordsOnly)
{
    KeyMapRecord first = RunRecord(225, "a.exe");
    struct Case
    {
        std::string file;
        int records;
    } cases[] = {
        {FileOf({first}).substr(0, 547), 0},
        {FileOf({first}, "x"), 1},
        {FileOf({first, first}, std::string(547, 'x')), 2},
        {"", 0},
    };
    for (const Case& c : cases) {
        std::string path = m_temp.Write("Default.dat", c.file);
        EXPECT_TRUE(m_map.Load(path.c_str()));
        ASSERT_EQ(c.records, m_map.GetCount()) << c.file.size();
        if (c.records) {
            EXPECT_EQ(Bytes(first), Bytes(m_map.GetAt(0)));
        }
    }
    EXPECT_FALSE(m_map.Load(m_temp.FilePath("missing.dat").c_str()));
    EXPECT_EQ(0, m_map.GetCount());
}

TEST_F(KeyMapFileTest, DefaultMapHoldsTheFiftyKeysWithTheStoredActions)
{
    KeyMapRecord vol = RunRecord(243, "first.exe");
    KeyMapRecord volAgain = RunRecord(243, "second.exe");
    KeyMapRecord mute = KeyMapRecord::ForId(242);
    mute.specialKey = 12;
    KeyMapRecord stranger = RunRecord(12, "other.exe");
    m_temp.Write("Default.dat", FileOf({vol, stranger, mute, volAgain}, "short rest"));

    EXPECT_TRUE(m_map.LoadDefaultMap(Folder().c_str()));
    ASSERT_EQ(51, m_map.GetCount());
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(DefaultKeyOrder::kIds[i], m_map.GetAt(i).remoteKeyId) << i;
    // The second record of an id overwrote the first at the key's place.
    EXPECT_EQ(Bytes(volAgain), Bytes(m_map.GetAt(22)));
    EXPECT_EQ(Bytes(mute), Bytes(m_map.GetAt(0)));
    EXPECT_EQ(Bytes(KeyMapRecord::ForId(225)), Bytes(m_map.GetAt(1)));
    EXPECT_EQ(Bytes(stranger), Bytes(m_map.GetAt(50)));

    // Without the file: the fifty empty records, and FALSE.
    DeleteFileA(m_temp.FilePath("Default.dat").c_str());
    EXPECT_FALSE(m_map.LoadDefaultMap(Folder().c_str()));
    ASSERT_EQ(50, m_map.GetCount());
    EXPECT_EQ(Bytes(KeyMapRecord::ForId(242)), Bytes(m_map.GetAt(0)));
}

TEST_F(KeyMapFileTest, SaveWritesEveryRecordAndReadsBack)
{
    m_map.ResetToDefaults();
    m_map.GetAt(3) = RunRecord(254, "\xd2\xf4\xc0\xd6.exe");
    std::string path = m_temp.FilePath("Default.dat");
    ASSERT_TRUE(m_map.Save(path.c_str()));
    std::string saved = m_temp.Read("Default.dat");
    ASSERT_EQ(50u * 548, saved.size());
    CKeyMapFile read;
    ASSERT_TRUE(read.Load(path.c_str()));
    ASSERT_EQ(50, read.GetCount());
    EXPECT_EQ(Bytes(m_map.GetAt(3)), Bytes(read.GetAt(3)));

    // A folder in the file's place: FALSE, and nothing written.
    std::string blocked = m_temp.FilePath("blocked.dat");
    CreateDirectoryA(blocked.c_str(), NULL);
    EXPECT_FALSE(m_map.Save(blocked.c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((blocked + ".new").c_str()));
}

TEST_F(KeyMapFileTest, MapAndKeyTableConvertBothWays)
{
    CKeyMapFile other;
    KeyMapRecord changed = RunRecord(242, "x.exe");
    other.Add(changed);
    other.Add(RunRecord(7, "new.exe"));
    m_map.Add(KeyMapRecord::ForId(1));
    m_map.Add(KeyMapRecord::ForId(242));
    m_map.MergeFrom(other);
    ASSERT_EQ(3, m_map.GetCount());
    EXPECT_EQ(Bytes(changed), Bytes(m_map.GetAt(1)));
    EXPECT_EQ(7, m_map.GetAt(2).remoteKeyId);

    KeyCodeRecord a = {242, 1, 0, 1, 5, 0};
    KeyCodeRecord b = {9, 0, 1, 0, 0, 'Q'};
    CKeyCodeTable table;
    table.Add(a);
    table.Add(b);
    m_map.RemoveIds(table);
    ASSERT_EQ(2, m_map.GetCount());
    EXPECT_EQ(1, m_map.GetAt(0).remoteKeyId);
    EXPECT_EQ(7, m_map.GetAt(1).remoteKeyId);

    m_map.FromKeyCodeTable(table);
    ASSERT_EQ(2, m_map.GetCount());
    KeyMapRecord expected = KeyMapRecord::ForId(9);
    expected.alt = 1;
    expected.character = 'Q';
    EXPECT_EQ(Bytes(expected), Bytes(m_map.GetAt(1)));

    m_map.GetAt(0).mode = KeyMapRecord::kModeRun;
    CKeyCodeTable back;
    back.Add(b);
    back.ReplaceFrom(m_map);
    ASSERT_EQ(2, back.GetCount());
    EXPECT_EQ(0, memcmp(&a, &back.GetAt(0), sizeof(a)));
    EXPECT_EQ(0, memcmp(&b, &back.GetAt(1), sizeof(b)));
}

} // namespace
