// The key-setting dialog on this thread: its start, showing and reading records, and Apply in
// add and modify mode, with a store that records what it is handed.
#include <gtest/gtest.h>

#include "CKeySettingDlg.h"
#include "DrivenDialog.h"
#include "FinishesWithin.h"

namespace {

typedef DialogScript S;

struct Stored
{
    std::vector<KeyMapRecord> list;
    int position;
    BOOL addMode;
};

class RecordingStore : public KeySettingStore
{
public:
    void StoreKeySetting(const std::vector<KeyMapRecord>& list, int position,
                         BOOL addMode) override
    {
        calls.push_back(Stored{list, position, addMode});
    }

    std::vector<Stored> calls;
};

class DrivenKeySettingDlg : public CKeySettingDlg
{
public:
    DrivenKeySettingDlg(KeySettingStore* store, const RemoteKeyNameList& names,
                        std::function<void(HWND)> script)
        : CKeySettingDlg(store, names), m_script(script)
    {
    }

    BOOL OnInitDialog() override
    {
        CKeySettingDlg::OnInitDialog();
        S::Start(m_hWnd, m_script);
        return TRUE;
    }

private:
    std::function<void(HWND)> m_script;
};

INT_PTR RunModal(CDialog& dialog)
{
    INT_PTR result = -2;
    FinishesWithin(20000, [&] { result = dialog.DoModal(); });
    return result;
}

RemoteKeyNameList Names()
{
    RemoteKeyNameList names;
    names.Build();
    return names;
}

// Records of the keys at those positions of the name list.
CKeyMapFile MapOf(const RemoteKeyNameList& names, std::vector<int> positions)
{
    CKeyMapFile map;
    for (int position : positions)
        map.Add(KeyMapRecord::ForId(names.GetAt(position).id));
    return map;
}

int Selection(HWND dialog)
{
    return (int)SendDlgItemMessageA(dialog, IDC_KEY_COMBO, CB_GETCURSEL, 0, 0);
}

int Count(HWND dialog)
{
    return (int)SendDlgItemMessageA(dialog, IDC_KEY_COMBO, CB_GETCOUNT, 0, 0);
}

TEST(KeySettingDlg, AddModePreselectsTheHighlightedKeyAndEachApplyTakesItsKeyOut)
{
    RemoteKeyNameList names = Names();
    RecordingStore store;
    struct Step { int selection; int count; bool applyEnabled; };
    std::vector<Step> steps;
    std::string cancelText, applyText;
    bool okVisible = true, radiosEnabled = true;
    DrivenKeySettingDlg dialog(&store, names, [&](HWND d) {
        cancelText = S::ItemText(d, IDCANCEL);
        applyText = S::ItemText(d, IDC_KEY_APPLY);
        okVisible = IsWindowVisible(GetDlgItem(d, IDOK)) != FALSE;
        radiosEnabled = S::IsEnabled(d, IDC_MODE_KEYSTROKE) || S::IsEnabled(d, IDC_MODE_RUN);
        steps.push_back(Step{Selection(d), Count(d), S::IsEnabled(d, IDC_KEY_APPLY)});
        // Three keys left: the last one applied selects the one before it.
        for (int i = 0; i < 3; ++i) {
            S::Click(d, IDC_KEY_APPLY);
            steps.push_back(Step{Selection(d), Count(d), S::IsEnabled(d, IDC_KEY_APPLY)});
        }
    });
    dialog.SetWorkingList(MapOf(names, {3, 7, 9}));
    dialog.m_initialPosition = 9;
    EXPECT_EQ(IDCANCEL, RunModal(dialog));
    EXPECT_EQ("退出", cancelText);
    EXPECT_EQ("添加", applyText);
    EXPECT_FALSE(okVisible);
    EXPECT_FALSE(radiosEnabled);
    ASSERT_EQ(4u, steps.size());
    EXPECT_EQ(2, steps[0].selection);
    EXPECT_EQ(3, steps[0].count);
    EXPECT_TRUE(steps[0].applyEnabled);
    EXPECT_EQ(1, steps[1].selection);
    EXPECT_EQ(2, steps[1].count);
    EXPECT_TRUE(steps[1].applyEnabled);
    EXPECT_EQ(0, steps[2].selection);
    EXPECT_EQ(1, steps[2].count);
    // The only remaining key applied: nothing left to add.
    EXPECT_EQ(-1, steps[3].selection);
    EXPECT_EQ(0, steps[3].count);
    EXPECT_FALSE(steps[3].applyEnabled);

    ASSERT_EQ(3u, store.calls.size());
    const int expectedIds[] = {names.GetAt(9).id, names.GetAt(7).id, names.GetAt(3).id};
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(store.calls[i].addMode);
        const Stored& call = store.calls[i];
        EXPECT_EQ(expectedIds[i], call.list[call.position].remoteKeyId) << i;
        EXPECT_EQ(3u - i, call.list.size());
    }
}

TEST(KeySettingDlg, AKeyMissingFromTheListIsNotPreselectedAndAnEmptyListDisablesApply)
{
    RemoteKeyNameList names = Names();
    RecordingStore store;
    int selection = 0;
    bool applyEnabled = false;
    DrivenKeySettingDlg dialog(&store, names, [&](HWND d) {
        selection = Selection(d);
        applyEnabled = S::IsEnabled(d, IDC_KEY_APPLY);
        S::Click(d, IDC_KEY_APPLY);
    });
    dialog.SetWorkingList(MapOf(names, {3}));
    // Beyond the names: the last key, which the list lacks.
    dialog.m_initialPosition = 500;
    EXPECT_EQ(IDCANCEL, RunModal(dialog));
    EXPECT_EQ(-1, selection);
    EXPECT_TRUE(applyEnabled);
    EXPECT_TRUE(store.calls.empty());

    DrivenKeySettingDlg empty(&store, names, [&](HWND d) {
        applyEnabled = S::IsEnabled(d, IDC_KEY_APPLY);
    });
    empty.SetWorkingList(CKeyMapFile());
    EXPECT_EQ(IDCANCEL, RunModal(empty));
    EXPECT_FALSE(applyEnabled);
}

TEST(KeySettingDlg, TheCharacterEditStoresTheTypedByteOrZero)
{
    RemoteKeyNameList names = Names();
    struct Case { const char* typed; int character; };
    const Case cases[] = {{"a", 97}, {"Z", 90}, {"", 0}};
    for (const Case& c : cases) {
        RecordingStore store;
        DrivenKeySettingDlg dialog(&store, names, [&](HWND d) {
            S::Click(d, IDC_CTRL);
            S::Choose(d, IDC_SPECIAL_KEY, 8);
            S::Type(d, IDC_CHARACTER, c.typed);
            S::Click(d, IDC_KEY_APPLY);
        });
        CKeyMapFile map = MapOf(names, {0});
        map.GetAt(0).character = 'q';
        dialog.SetWorkingList(map);
        dialog.m_addMode = FALSE;
        EXPECT_EQ(IDCANCEL, RunModal(dialog));
        ASSERT_EQ(1u, store.calls.size()) << c.typed;
        const KeyMapRecord& stored = store.calls[0].list[0];
        EXPECT_EQ(c.character, stored.character) << c.typed;
        EXPECT_EQ(1, stored.ctrl);
        EXPECT_EQ(0, stored.alt);
        EXPECT_EQ(8, stored.specialKey);
        // A program's table has no run records: the keystroke radio stays checked.
        EXPECT_EQ(KeyMapRecord::kModeKeystroke, stored.mode);
    }
}

TEST(KeySettingDlg, ModifyModeDropsUnappliedEditsWhenAnotherKeyIsChosen)
{
    RemoteKeyNameList names = Names();
    RecordingStore store;
    CKeyMapFile map = MapOf(names, {0, 1, 2});
    map.GetAt(1).alt = 1;
    map.GetAt(1).character = 'x';
    bool applyAfterChoosing = false, altShown = false;
    std::string characterShown;
    DrivenKeySettingDlg dialog(&store, names, [&](HWND d) {
        S::Click(d, IDC_SHIFT);
        S::Type(d, IDC_CHARACTER, "k");
        S::Choose(d, IDC_KEY_COMBO, 1);
        applyAfterChoosing = S::IsEnabled(d, IDC_KEY_APPLY);
        altShown = S::IsChecked(d, IDC_ALT);
        characterShown = S::ItemText(d, IDC_CHARACTER);
        S::Click(d, IDC_KEY_APPLY);
    });
    dialog.SetWorkingList(map);
    dialog.m_addMode = FALSE;
    dialog.m_initialPosition = 0;
    EXPECT_EQ(IDCANCEL, RunModal(dialog));
    EXPECT_TRUE(applyAfterChoosing);
    EXPECT_TRUE(altShown);
    EXPECT_EQ("x", characterShown);
    ASSERT_EQ(1u, store.calls.size());
    const Stored& call = store.calls[0];
    EXPECT_FALSE(call.addMode);
    EXPECT_EQ(1, call.position);
    ASSERT_EQ(3u, call.list.size());
    EXPECT_EQ(0, call.list[0].shift);
    EXPECT_EQ(0, call.list[0].character);
    EXPECT_EQ(1, call.list[1].alt);
    EXPECT_EQ('x', call.list[1].character);
}

TEST(KeySettingDlg, CommandModeEditsRunRecordsAndOkAppliesFirst)
{
    RemoteKeyNameList names = Names();
    RecordingStore store;
    CKeyMapFile map = MapOf(names, {0, 1});
    map.GetAt(1).mode = KeyMapRecord::kModeRun;
    strcpy(map.GetAt(1).path, "C:\\old.exe");
    bool pathEnabled = false, ctrlEnabled = true, runChecked = false;
    std::string longPath(300, 'p');
    DrivenKeySettingDlg dialog(&store, names, [&](HWND d) {
        runChecked = S::IsChecked(d, IDC_MODE_RUN);
        pathEnabled = S::IsEnabled(d, IDC_COMMAND_PATH);
        ctrlEnabled = S::IsEnabled(d, IDC_CTRL);
        // Typed text stops at the edit's limit.
        SendDlgItemMessageA(d, IDC_COMMAND_PATH, EM_SETSEL, 0, -1);
        SendDlgItemMessageA(d, IDC_COMMAND_PATH, EM_REPLACESEL, FALSE, (LPARAM)longPath.c_str());
        S::Type(d, IDC_COMMAND_PARAMS, "-x");
        SendMessageA(d, WM_COMMAND, IDOK, 0);
    });
    dialog.SetWorkingList(map);
    dialog.m_addMode = FALSE;
    dialog.m_commandMode = TRUE;
    dialog.m_initialPosition = 1;
    EXPECT_EQ(IDOK, RunModal(dialog));
    EXPECT_TRUE(runChecked);
    EXPECT_TRUE(pathEnabled);
    EXPECT_FALSE(ctrlEnabled);
    ASSERT_EQ(1u, store.calls.size());
    const KeyMapRecord& stored = store.calls[0].list[1];
    EXPECT_EQ(KeyMapRecord::kModeRun, stored.mode);
    EXPECT_EQ(std::string(259, 'p'), std::string(stored.path));
    EXPECT_STREQ("-x", stored.parameters);
}

} // namespace
