// The shortcut table on its own: its rules, the names of keys, its file and its accelerator
// table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CAccelManager.h"
#include "TempFolder.h"

namespace {

// The file's encoding written out by hand, to check the table's own against.
struct Bytes
{
    std::string data;
    Bytes& u8(unsigned v)
    {
        data += (char)v;
        return *this;
    }
    Bytes& u16(unsigned v) { return u8(v & 0xFF).u8(v >> 8); }
    Bytes& u32(unsigned v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Bytes& str(const std::string& s)
    {
        if (s.size() < 255)
            u8((unsigned)s.size());
        else
            u8(0xFF).u16((unsigned)s.size());
        data += s;
        return *this;
    }
};

// Two groups, two commands and two keys; the key added last comes first in the file.
void FillSmallTable(CAccelManager& table)
{
    ASSERT_EQ(0, table.AddGroup("Panel"));
    ASSERT_EQ(1, table.AddGroup("Menu"));
    ASSERT_EQ(0, table.AddCommand(0, 1000, "Up", "Channel up"));
    ASSERT_EQ(1, table.AddCommand(1, 32895, "Full", ""));
    ASSERT_TRUE(table.AddKey(FVIRTKEY, VK_UP, 1000));
    ASSERT_TRUE(table.AddKey(FCONTROL | FALT, 'Z', 32895));
}

std::string SmallTableBytes()
{
    Bytes b;
    b.u16(2).str("Panel").str("Menu");
    b.u32(2).u32(0).u16(1000).str("Up").str("Channel up").u32(1).u16(32895).str("Full").str("");
    b.u32(2).u8(FVIRTKEY | FCONTROL | FALT).u16('Z').u16(32895).u16(0);
    b.u8(FVIRTKEY).u16(VK_UP).u16(1000).u16(0);
    return b.data;
}

std::vector<std::string> KeyTexts(const CAccelManager& table)
{
    std::vector<std::string> texts;
    for (const CAccelManager::Binding& binding : table.GetBindings())
        texts.push_back((LPCTSTR)CAccelManager::KeyText(binding));
    return texts;
}

TEST(AccelManager, KeyTextNamesModifiersInOrderAndKeysFromTheTable)
{
    struct Case
    {
        BYTE fVirt;
        WORD key;
        const char* text;
    } cases[] = {
        {FVIRTKEY | FCONTROL | FALT, 'R', "Ctrl+Alt+R"},
        {FVIRTKEY | FSHIFT | FALT | FCONTROL, VK_F1, "Ctrl+Alt+Shift+F1"},
        {FVIRTKEY | FSHIFT, VK_NUMPAD5, "Shift+Num 5"},
        {FVIRTKEY, VK_APPS, "VK_APPS"},
        {FVIRTKEY, VK_PRIOR, "PageUp"},
        {FVIRTKEY, VK_CAPITAL, "Caps Lock"},
        {FVIRTKEY, VK_DECIMAL, "Num Del"},
        {FVIRTKEY, VK_SCROLL, "SCROLL lOCK"},
        {FVIRTKEY, VK_F24, "F24"},
        {FVIRTKEY, 0xBC, ","},
        {FVIRTKEY, 0xDE, ","},
        {FVIRTKEY, 0xDC, "\\"},
        {FVIRTKEY, VK_OEM_CLEAR, "VK_OEM_CLEAR"},
        {FVIRTKEY, VK_LBUTTON, "VK_LBUTTON"},
        // Keys the table does not name have no text at all, modifiers or not.
        {FVIRTKEY | FCONTROL, 0x92, ""},
        {FVIRTKEY, 0xFF, ""},
        {FVIRTKEY | FCONTROL, 0, ""},
    };
    for (const Case& c : cases) {
        CAccelManager::Binding binding = {c.fVirt, c.key, 1000, 0};
        EXPECT_STREQ(c.text, (LPCTSTR)CAccelManager::KeyText(binding)) << std::hex << c.key;
    }
}

TEST(AccelManager, GroupsAndCommandsRefuseEmptyAndRepeatedNamesAndIds)
{
    CAccelManager table;
    EXPECT_EQ(0, table.AddGroup("Panel"));
    EXPECT_EQ(-1, table.AddGroup("PANEL"));
    EXPECT_EQ(-1, table.AddGroup(""));
    EXPECT_EQ(0, table.FindGroup("panel"));
    EXPECT_EQ(-1, table.FindGroup("Menu"));

    EXPECT_EQ(0, table.AddCommand(0, 1000, "Up", "Channel up"));
    EXPECT_EQ(-1, table.AddCommand(0, 1000, "Other", ""));
    EXPECT_EQ(-1, table.AddCommand(0, 1001, "UP", ""));
    EXPECT_EQ(-1, table.AddCommand(0, 1002, "", ""));
    EXPECT_EQ(1, table.AddCommand(0, 1001, "Down", "Channel down"));
    EXPECT_EQ(1001, table.FindCommandByName("down"));
    EXPECT_EQ(-1, table.FindCommandByName("Left"));
    EXPECT_STREQ("Up", table.GetCommandName(1000));
    EXPECT_STREQ("", table.GetCommandName(7));
    EXPECT_STREQ("Channel down", table.GetComment("DOWN"));
    EXPECT_STREQ("", table.GetComment("Left"));
    int index = -1;
    EXPECT_TRUE(table.FindCommandIndex(1001, &index));
    EXPECT_EQ(1, index);
    EXPECT_FALSE(table.FindCommandIndex(1002, &index));
}

// A key and its modifiers are bound once, whatever the command; the same key with other
// modifiers is another key.
TEST(AccelManager, AddKeyRefusesZeroUnknownCommandsAndBoundKeys)
{
    CAccelManager table;
    table.AddGroup("Panel");
    table.AddCommand(0, 1000, "Up", "");
    table.AddCommand(0, 1001, "Down", "");
    struct Case
    {
        BYTE fVirt;
        WORD key;
        WORD command;
        BOOL added;
    } cases[] = {
        {0, VK_UP, 1000, TRUE},
        {FVIRTKEY, VK_UP, 1000, FALSE},
        {FVIRTKEY, VK_UP, 1001, FALSE},
        {FCONTROL, VK_UP, 1001, TRUE},
        {FCONTROL | FVIRTKEY, VK_UP, 1000, FALSE},
        {FCONTROL | FALT, VK_UP, 1000, TRUE},
        {0, 0, 1000, FALSE},
        {0, VK_DOWN, 1234, FALSE},
        {0, VK_DOWN, 1001, TRUE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.added, table.AddKey(c.fVirt, c.key, c.command)) << (int)c.fVirt << " " << c.key << " " << c.command;
    // Each new key goes to the head of the list, the virtual-key flag always set.
    EXPECT_EQ((std::vector<std::string>{"DOWN", "Ctrl+Alt+UP", "Ctrl+UP", "UP"}), KeyTexts(table));
    for (const CAccelManager::Binding& binding : table.GetBindings())
        EXPECT_TRUE(binding.fVirt & FVIRTKEY);
}

TEST(AccelManager, RemoveKeyAndFindByKeyTextMatchTextWithoutCase)
{
    CAccelManager table;
    table.AddGroup("Panel");
    table.AddCommand(0, 1000, "Up", "");
    table.AddCommand(0, 1001, "Down", "");
    table.AddKey(FCONTROL | FALT, 'R', 1000);
    table.AddKey(0, VK_UP, 1000);
    table.AddKey(0, VK_DOWN, 1001);

    EXPECT_STREQ("Up", table.FindCommandNameByKeyText("ctrl+alt+r"));
    EXPECT_STREQ("Down", table.FindCommandNameByKeyText("DOWN"));
    EXPECT_STREQ("", table.FindCommandNameByKeyText("Alt+Ctrl+R"));
    EXPECT_STREQ("", table.FindCommandNameByKeyText(""));

    EXPECT_FALSE(table.RemoveKey("Nothing", "UP"));
    // The key is bound, but to another command.
    EXPECT_FALSE(table.RemoveKey("Down", "UP"));
    EXPECT_FALSE(table.RemoveKey("Up", "Ctrl+UP"));
    EXPECT_TRUE(table.RemoveKey("UP", "CTRL+ALT+r"));
    EXPECT_FALSE(table.RemoveKey("Up", "Ctrl+Alt+R"));
    EXPECT_EQ((std::vector<std::string>{"DOWN", "UP"}), KeyTexts(table));
    EXPECT_STREQ("", table.FindCommandNameByKeyText("Ctrl+Alt+R"));
}

TEST(AccelManager, FileHoldsTheTableInItsLayoutAndReadsBackTheSame)
{
    TempFolder folder;
    std::string path = folder.FilePath("Accel.txt");
    CAccelManager table;
    FillSmallTable(table);
    ASSERT_TRUE(table.Save(path.c_str()));
    EXPECT_EQ(SmallTableBytes(), TempFolder::ReadWholeFile(path));

    CAccelManager read;
    read.AddGroup("Leftover");
    ASSERT_TRUE(read.Load(path.c_str()));
    EXPECT_EQ(2, read.GetGroupCount());
    EXPECT_STREQ("Menu", read.GetGroupName(1));
    EXPECT_STREQ("Channel up", read.GetComment("Up"));
    EXPECT_EQ((std::vector<std::string>{"Ctrl+Alt+Z", "UP"}), KeyTexts(read));
    std::string again = folder.FilePath("Again.txt");
    ASSERT_TRUE(read.Save(again.c_str()));
    EXPECT_EQ(SmallTableBytes(), TempFolder::ReadWholeFile(again));

    CAccelManager copy;
    copy.CopyFrom(read);
    EXPECT_EQ(KeyTexts(read), KeyTexts(copy));
    EXPECT_EQ(32895, copy.FindCommandByName("Full"));
}

// Each damaged file fails to load, leaving the table empty, and never asks for memory its
// counts name.
TEST(AccelManager, DamagedFilesDoNotLoad)
{
    std::string good = SmallTableBytes();
    auto table = [](unsigned groupCount, unsigned commandCount, unsigned keyCount, unsigned key,
                    unsigned boundTo, unsigned secondKey, const std::string& secondName, unsigned group) {
        Bytes b;
        b.u16(groupCount).str("Panel");
        b.u32(commandCount).u32(group).u16(1000).str("Up").str("").u32(0).u16(1001).str(secondName).str("");
        b.u32(keyCount).u8(FVIRTKEY).u16(key).u16(boundTo).u16(0);
        b.u8(FVIRTKEY).u16(secondKey).u16(1000).u16(0);
        return b.data;
    };
    ASSERT_NE("", table(1, 2, 2, VK_DOWN, 1001, VK_UP, "Down", 0));
    struct Case
    {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"cut in the groups", good.substr(0, 5)},
        {"cut in the commands", good.substr(0, 20)},
        {"cut in the last key", good.substr(0, good.size() - 1)},
        {"group count too large", Bytes().u16(0xFFFF).u32(0x7FFFFFFF).str("Panel").data},
        {"command count too large", table(1, 0xFFFFFFFF, 2, VK_DOWN, 1001, VK_UP, "Down", 0)},
        {"key count too large", table(1, 2, 0xFFFFFFF0, VK_DOWN, 1001, VK_UP, "Down", 0)},
        {"string longer than the file", Bytes().u16(1).u8(0xFF).u16(0xFFFF).u32(0xFFFFFF00).data},
        {"key code 0", table(1, 2, 2, 0, 1001, VK_UP, "Down", 0)},
        {"key bound twice", table(1, 2, 2, VK_UP, 1001, VK_UP, "Down", 0)},
        {"key of a missing command", table(1, 2, 2, VK_DOWN, 1002, VK_UP, "Down", 0)},
        {"name twice", table(1, 2, 2, VK_DOWN, 1001, VK_UP, "UP", 0)},
        {"empty name", table(1, 2, 2, VK_DOWN, 1001, VK_UP, "", 0)},
        {"group that is not there", table(1, 2, 2, VK_DOWN, 1001, VK_UP, "Down", 1)},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        std::string path = folder.Write("Accel.txt", c.bytes);
        CAccelManager read;
        EXPECT_FALSE(read.Load(path.c_str())) << c.what;
        EXPECT_EQ(0, read.GetGroupCount()) << c.what;
        EXPECT_TRUE(read.GetCommands().empty()) << c.what;
        EXPECT_TRUE(read.GetBindings().empty()) << c.what;
    }
    std::string path = folder.Write("Accel.txt", table(1, 2, 2, VK_DOWN, 1001, VK_UP, "Down", 0));
    CAccelManager read;
    EXPECT_TRUE(read.Load(path.c_str()));
    CAccelManager missing;
    EXPECT_FALSE(missing.Load(folder.FilePath("None.txt").c_str()));
}

// The table is built only for an owner, set once, and replaces the last one.
TEST(AccelManager, BuildMakesTheTableOfTheBindingsInListOrder)
{
    HWND first = ::CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, NULL, NULL, NULL, NULL);
    HWND second = ::CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, NULL, NULL, NULL, NULL);
    ASSERT_NE((HWND)NULL, first);
    CAccelManager table;
    FillSmallTable(table);
    EXPECT_FALSE(table.Build());
    EXPECT_FALSE(table.SetOwner(NULL));
    EXPECT_TRUE(table.SetOwner(first));
    EXPECT_TRUE(table.SetOwner(second));
    ASSERT_TRUE(table.Build());
    HACCEL built = table.GetAccelTable();
    ACCEL accel[4] = {};
    ASSERT_EQ(2, ::CopyAcceleratorTableA(built, accel, 4));
    EXPECT_EQ(FVIRTKEY | FCONTROL | FALT, accel[0].fVirt & 0x7F);
    EXPECT_EQ('Z', accel[0].key);
    EXPECT_EQ(32895, accel[0].cmd);
    EXPECT_EQ(VK_UP, accel[1].key);
    EXPECT_EQ(1000, accel[1].cmd);

    MSG msg = {first, WM_KEYDOWN, VK_UP, 0, 0, {}};
    EXPECT_TRUE(::TranslateAcceleratorA(first, built, &msg));

    table.AddCommand(0, 1001, "Down", "");
    table.AddKey(0, VK_DOWN, 1001);
    ASSERT_TRUE(table.Build());
    EXPECT_EQ(3, ::CopyAcceleratorTableA(table.GetAccelTable(), NULL, 0));
    ::DestroyWindow(first);
    ::DestroyWindow(second);
}

} // namespace
