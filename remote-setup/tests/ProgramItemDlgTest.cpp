// The program-item dialog on this thread: its modes, the preset's file and the checks of OK.
#include <gtest/gtest.h>

#include "CProgramItemDlg.h"
#include "DialogWatcher.h"
#include "DrivenDialog.h"
#include "FinishesWithin.h"

namespace {

typedef DialogScript S;

// Message boxes without an application object take the program's file name as caption; the
// dialog under test is left alone.
const char kMessageCaption[] = "tandril_dialog_tests.exe";

// Runs the script once the dialog shows and records what it showed first.
class DrivenProgramItemDlg : public CProgramItemDlg
{
public:
    DrivenProgramItemDlg(const ProgramPresetList& presets, const CProgramList& programs, int entry,
                         std::function<void(HWND)> script)
        : CProgramItemDlg(presets, programs, entry), m_script(script)
    {
    }

    BOOL OnInitDialog() override
    {
        CProgramItemDlg::OnInitDialog();
        comboEnabled = S::IsEnabled(m_hWnd, IDC_PRESET_COMBO);
        editsEnabled = S::IsEnabled(m_hWnd, IDC_DISPLAY_NAME) &&
                       S::IsEnabled(m_hWnd, IDC_PROGRAM_PATH) &&
                       S::IsEnabled(m_hWnd, IDC_BROWSE_PROGRAM);
        shownName = S::ItemText(m_hWnd, IDC_DISPLAY_NAME);
        HWND combo = ::GetDlgItem(m_hWnd, IDC_PRESET_COMBO);
        for (int i = 0; i < (int)::SendMessageA(combo, CB_GETCOUNT, 0, 0); ++i) {
            char text[64] = "";
            ::SendMessageA(combo, CB_GETLBTEXT, i, (LPARAM)text);
            comboItems.push_back(text);
        }
        comboSelection = (int)::SendMessageA(combo, CB_GETCURSEL, 0, 0);
        S::Start(m_hWnd, m_script);
        return TRUE;
    }

    bool comboEnabled = false;
    bool editsEnabled = false;
    std::string shownName;
    std::vector<std::string> comboItems;
    int comboSelection = -1;

private:
    std::function<void(HWND)> m_script;
};

INT_PTR RunModal(CDialog& dialog)
{
    INT_PTR result = -2;
    FinishesWithin(20000, [&] { result = dialog.DoModal(); });
    return result;
}

ProgramPresetList Presets()
{
    ProgramPresetList presets;
    presets.AddKnownPrograms();
    return presets;
}

// A preset to choose (0: none), a name and path to type, then OK.
std::function<void(HWND)> Fill(int preset, const char* name, const char* path)
{
    return [=](HWND dialog) {
        if (preset > 0)
            S::Choose(dialog, IDC_PRESET_COMBO, preset);
        if (name != NULL)
            S::Type(dialog, IDC_DISPLAY_NAME, name);
        S::Type(dialog, IDC_PROGRAM_PATH, path);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    };
}

TEST(ProgramItemDlg, AddModeOffersThePresetsAndTakesAPresetsFileOrTheNamePlusDat)
{
    struct Case { int preset; const char* name; const char* file; };
    const Case cases[] = {
        // The preset's name lands in the edit and its own file is taken.
        {2, NULL, "WINDVR30.dat"},
        // Typed over a preset's name: still the preset's file.
        {1, "My DScaler", "Descaler419.dat"},
        {0, "My Player", "My Player.dat"},
    };
    ProgramPresetList presets = Presets();
    CProgramList programs;
    for (const Case& c : cases) {
        DialogWatcher watcher;
    watcher.OnlyCaption(kMessageCaption);
        watcher.OnlyCaption(kMessageCaption);
        DrivenProgramItemDlg dialog(presets, programs, -1, Fill(c.preset, c.name, "C:\\p.exe"));
        ASSERT_EQ(IDOK, RunModal(dialog)) << c.file;
        EXPECT_EQ(std::vector<std::string>({"新建", "Dscaler4.19", "WINDVR3.0", "mediaplayer9"}),
                  dialog.comboItems);
        EXPECT_EQ(0, dialog.comboSelection);
        EXPECT_TRUE(dialog.comboEnabled);
        EXPECT_TRUE(dialog.editsEnabled);
        EXPECT_EQ(c.name ? CString(c.name) : CString("WINDVR3.0"), dialog.m_displayName);
        EXPECT_EQ(CString("C:\\p.exe"), dialog.m_applicationFile);
        EXPECT_EQ(CString(c.file), dialog.m_keyTableFile);
        EXPECT_TRUE(watcher.Dialogs().empty()) << c.file;
    }
}

TEST(ProgramItemDlg, ChoosingNewPutsItsTextAsTheName)
{
    ProgramPresetList presets = Presets();
    CProgramList programs;
    std::string name;
    DrivenProgramItemDlg dialog(presets, programs, -1, [&](HWND d) {
        S::Choose(d, IDC_PRESET_COMBO, 3);
        S::Choose(d, IDC_PRESET_COMBO, 0);
        name = S::ItemText(d, IDC_DISPLAY_NAME);
    });
    EXPECT_EQ(IDCANCEL, RunModal(dialog));
    EXPECT_EQ("新建", name);
}

// Each refused OK shows its one text and keeps the dialog open; the checks run in this order.
TEST(ProgramItemDlg, OkRefusesAnEmptyNameAForbiddenCharacterATakenFileAndAnEmptyPath)
{
    CProgramList programs;
    programs.Add(ProgramEntry{"Player", "C:\\player.exe", "Player.dat"});
    programs.Add(ProgramEntry{"DVR", "C:\\dvr.exe", "WINDVR30.dat"});
    struct Case { int preset; const char* name; const char* path; const char* text; };
    const Case cases[] = {
        {0, "", "", "名称不能为空"},
        {0, "a:b", "", "名称无效"},
        {0, "a/b", "C:\\p.exe", "名称无效"},
        {0, "a\\b", "C:\\p.exe", "名称无效"},
        {0, "a|b", "C:\\p.exe", "名称无效"},
        {0, "a?b", "C:\\p.exe", "名称无效"},
        {0, "a<b", "C:\\p.exe", "名称无效"},
        {0, "a>b", "C:\\p.exe", "名称无效"},
        {0, "a*b", "C:\\p.exe", "名称无效"},
        {0, "a\"b", "C:\\p.exe", "名称无效"},
        // Service.ini's reader would cut the name at ';'.
        {0, "a;b", "C:\\p.exe", "名称无效"},
        // Its file would be the default key map's.
        {0, "Default", "C:\\p.exe", "名称无效"},
        {0, "DEFAULT", "C:\\p.exe", "名称无效"},
        // Its file would be another entry's, as would the preset's.
        {0, "player", "C:\\p.exe", "名称无效"},
        {2, NULL, "C:\\p.exe", "名称无效"},
        {0, "ok", "", "文件不能为空"},
    };
    ProgramPresetList presets = Presets();
    for (const Case& c : cases) {
        DialogWatcher watcher;
    watcher.OnlyCaption(kMessageCaption);
        watcher.OnlyCaption(kMessageCaption);
        DrivenProgramItemDlg dialog(presets, programs, -1, Fill(c.preset, c.name, c.path));
        EXPECT_EQ(IDCANCEL, RunModal(dialog)) << c.name;
        std::vector<ShownDialog> shown = watcher.Dialogs();
        ASSERT_EQ(1u, shown.size()) << (c.name ? c.name : "preset");
        EXPECT_EQ(c.text, shown[0].text) << (c.name ? c.name : "preset");
    }
}

TEST(ProgramItemDlg, ModifyModeLocksThePresetsAndKeepsTheEntrysOwnName)
{
    CProgramList programs;
    programs.Add(ProgramEntry{"Player", "C:\\player.exe", "Player.dat"});
    ProgramPresetList presets = Presets();
    DialogWatcher watcher;
    watcher.OnlyCaption(kMessageCaption);
    // The entry's own file is no other entry's, whatever its name reads.
    DrivenProgramItemDlg dialog(presets, programs, 0, Fill(0, "Player 2", "C:\\new.exe"));
    dialog.m_mode = CProgramItemDlg::kModeModify;
    dialog.m_displayName = "Player";
    dialog.m_applicationFile = "C:\\player.exe";
    ASSERT_EQ(IDOK, RunModal(dialog));
    EXPECT_FALSE(dialog.comboEnabled);
    EXPECT_TRUE(dialog.editsEnabled);
    EXPECT_EQ("Player", dialog.shownName);
    EXPECT_EQ(CString("Player 2"), dialog.m_displayName);
    EXPECT_EQ(CString("C:\\new.exe"), dialog.m_applicationFile);
    EXPECT_TRUE(watcher.Dialogs().empty());

    DrivenProgramItemDlg refused(presets, programs, 0, Fill(0, "a;b", "C:\\new.exe"));
    refused.m_mode = CProgramItemDlg::kModeModify;
    EXPECT_EQ(IDCANCEL, RunModal(refused));
    ASSERT_EQ(1u, watcher.Dialogs().size());
    EXPECT_EQ("名称无效", watcher.Dialogs()[0].text);
}

TEST(ProgramItemDlg, DeleteModeDisablesEverythingAndChecksNothing)
{
    CProgramList programs;
    ProgramPresetList presets = Presets();
    DialogWatcher watcher;
    watcher.OnlyCaption(kMessageCaption);
    DrivenProgramItemDlg dialog(presets, programs, 0, [](HWND d) {
        SendMessageA(d, WM_COMMAND, IDOK, 0);
    });
    dialog.m_mode = CProgramItemDlg::kModeDelete;
    dialog.m_displayName = "";
    EXPECT_EQ(IDOK, RunModal(dialog));
    EXPECT_FALSE(dialog.comboEnabled);
    EXPECT_FALSE(dialog.editsEnabled);
    EXPECT_TRUE(watcher.Dialogs().empty());
}

} // namespace
