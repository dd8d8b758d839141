// The schedule page and its item dialog over the simulated card and the scheduling library:
// the rows of stored items, adding, changing and deleting items as the library keeps them,
// the power-on checks, the daily shutdown and a recording made from an item added in the sheet.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "CScheduleItemDlg.h"
#include "CSettingsSheetDlg.h"
#include "DialogWatcher.h"
#include "KavexWindowsFixture.h"
#include "OptionsMenuDriver.h"
#include "PumpMessages.h"
#include "Tickwell.h"
#include "WaitUntil.h"

namespace {

// The boxes carry the program's name.
CWinApp theScheduleTestApp("Kavex");

// "H" is never offered for a recording (flag 4): rows "0.A" and "2.C".
const char kChannelsWithHidden[] =
    "[General]\r\nTotal=3\r\n[Channel]\r\n"
    "Channel-0=A,49750,1\r\nChannel-1=H,184250,5\r\nChannel-2=C,471250,1\r\n";
const char kOnlyHidden[] = "[General]\r\nTotal=1\r\n[Channel]\r\nChannel-0=H,184250,5\r\n";
const char kBoxCaption[] = "Kavex";
const char kItemCaption[] = "定时录像";

typedef std::vector<std::string> Row;

struct Records
{
    _tagTimingParam timing;
    _tagExcuteParam execute;
};

std::vector<int> Words(const Records& records)
{
    const int* t = (const int*)&records.timing;
    const int* e = (const int*)&records.execute;
    std::vector<int> words(t, t + 10);
    words.insert(words.end(), e, e + 10);
    return words;
}

std::vector<Records> StoredItems()
{
    std::vector<Records> items;
    for (HTIMINGITEM item = Timing_GetFirstItem(0); item != NULL; item = Timing_GetNextItem(0, item)) {
        Records records = {};
        Timing_GetItemTimingParam(item, &records.timing);
        Timing_GetItemExcuteParam(item, &records.execute, sizeof(records.execute));
        items.push_back(records);
    }
    return items;
}

void RemoveAllItems()
{
    while (HTIMINGITEM item = Timing_GetFirstItem(0))
        Timing_RemoveItem(item);
}

_tagTimingParam OneTime(const CTime& start, int length)
{
    return {start.GetYear(), start.GetMonth(), start.GetDay(), start.GetHour(), start.GetMinute(),
            start.GetSecond(), length, 1, 0, 0};
}

_tagExcuteParam Execute(int source, int channel, int kHz, int length)
{
    return {40, 0, length, source, channel, kHz, 0, 0, 0, 0};
}

HTIMINGITEM Insert(const _tagTimingParam& timing, const _tagExcuteParam& execute)
{
    HTIMINGITEM item = Timing_InsertItem(0, timing, &execute);
    EXPECT_NE((HTIMINGITEM)NULL, item);
    return item;
}

std::string DateText(const CTime& day)
{
    return (LPCTSTR)day.Format("%Y-%m-%d");
}

CTime Tomorrow(int hour, int minute, int second)
{
    CTime t = CTime::GetCurrentTime() + CTimeSpan(1, 0, 0, 0);
    return CTime(t.GetYear(), t.GetMonth(), t.GetDay(), hour, minute, second);
}

std::string CardValue(const char* name)
{
    SimControl card(0);
    std::string state = "\n" + card("state");
    std::string key = std::string("\n") + name + "=";
    size_t at = state.find(key);
    if (at == std::string::npos)
        return "";
    at += key.size();
    return state.substr(at, state.find('\n', at) - at);
}

// Runs steps on the modal dialog of the given caption, one per timer tick of the loop that runs
// it; the last step closes it. A step that opens a box of its own runs alone.
struct ModalScript
{
    static inline std::vector<std::function<void(HWND)>> steps;
    static inline size_t next = 0;
    static inline const char* caption = NULL;
    static inline bool busy = false;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND dialog = FindWindowA("#32770", caption);
        if (busy || dialog == NULL || !IsWindowVisible(dialog) || next >= steps.size())
            return;
        busy = true;
        steps[next++](dialog);
        busy = false;
    }

    // How many steps ran; the trigger returns when the dialog has closed.
    static size_t Run(std::function<void()> trigger, const char* title, std::vector<std::function<void(HWND)>> script)
    {
        steps = std::move(script);
        next = 0;
        caption = title;
        busy = false;
        UINT_PTR timer = SetTimer(NULL, 0, 100, Tick);
        trigger();
        KillTimer(NULL, timer);
        return next;
    }
};

void SetPicker(HWND dialog, UINT id, const CTime& time)
{
    SYSTEMTIME st;
    time.GetAsSystemTime(st);
    SendDlgItemMessageA(dialog, id, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&st);
}

void SetClock(HWND dialog, UINT id, int hour, int minute, int second)
{
    SetPicker(dialog, id, CTime(2000, 1, 1, hour, minute, second));
}

void Check(HWND dialog, UINT id, bool on)
{
    CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

void ChooseSource(HWND dialog, int row)
{
    SendDlgItemMessageA(dialog, IDC_ITEM_SOURCE, CB_SETCURSEL, row, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ITEM_SOURCE, CBN_SELCHANGE), (LPARAM)GetDlgItem(dialog, IDC_ITEM_SOURCE));
}

std::string ComboText(HWND dialog, UINT id)
{
    char text[128] = "";
    int row = (int)SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
    if (row >= 0)
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, row, (LPARAM)text);
    return text;
}

std::vector<std::string> ComboRows(HWND dialog, UINT id)
{
    std::vector<std::string> rows;
    int count = (int)SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0);
    for (int row = 0; row < count; row++) {
        char text[128] = "";
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, row, (LPARAM)text);
        rows.push_back(text);
    }
    return rows;
}

void CheckWeekdays(HWND dialog, std::vector<int> rows)
{
    CCheckComboBox* days = (CCheckComboBox*)CWnd::FromHandlePermanent(GetDlgItem(dialog, IDC_ITEM_WEEKDAYS));
    for (int row = 0; row < 7; row++)
        days->SetCheck(row, FALSE);
    for (int row : rows)
        days->SetCheck(row, TRUE);
}

void Press(HWND dialog, UINT id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

std::vector<std::string> BoxTexts(const DialogWatcher& watcher)
{
    std::vector<std::string> texts;
    for (const ShownDialog& box : watcher.Dialogs())
        texts.push_back(box.text);
    return texts;
}

class ScheduleTest : public KavexWindowsTest
{
protected:
    void SetUp() override
    {
        KavexWindowsTest::SetUp();
        RemoveAllItems();
        UseChannels(kTVChannels);
        ASSERT_EQ(1, theTVSystem.GetScanMode()) << "the TV list is the one offered";
    }

    void TearDown() override
    {
        if (m_sheet)
            Close();
        RemoveAllItems();
        UseChannels(kTVChannels);
    }

    static void UseChannels(const char* text)
    {
        WriteProgramFile("TVChannel.ini", text);
        theTVSystem.LoadChannels();
        theTVSystem.RestoreChannelSelection();
    }

    // The sheet without its modal loop, on the schedule tab.
    void Open()
    {
        m_sheet.reset(new CSettingsSheetDlg(&theControlPanel));
        ASSERT_TRUE(m_sheet->Create(IDD_SETTINGS, &theControlPanel));
        m_sheet->ShowWindow(SW_SHOW);
        m_sheet->GetTabCtrl().SelectTab(theTVSystem.HasFM() ? 4 : 3);
    }

    void Close()
    {
        m_sheet->DestroyWindow();
        m_sheet.reset();
    }

    CSchedulePage& Page() { return m_sheet->GetSchedulePage(); }
    CListCtrl& List() { return *(CListCtrl*)Page().GetDlgItem(IDC_SCHEDULE_VIEW); }

    std::vector<Row> Rows()
    {
        std::vector<Row> rows;
        for (int row = 0; row < List().GetItemCount(); row++) {
            Row texts;
            for (int column = 0; column < 5; column++)
                texts.push_back((LPCTSTR)List().GetItemText(row, column));
            rows.push_back(texts);
        }
        return rows;
    }

    // The list lets several rows be selected: this one alone.
    void SelectRow(int row)
    {
        List().SetItemState(-1, 0, LVIS_SELECTED);
        List().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    int SelectedRow() { return List().GetNextItem(-1, LVNI_SELECTED); }

    void NotifyList(UINT code, WORD key = 0)
    {
        NMLVKEYDOWN note = {};
        note.hdr.hwndFrom = List().GetSafeHwnd();
        note.hdr.idFrom = IDC_SCHEDULE_VIEW;
        note.hdr.code = code;
        note.wVKey = key;
        Page().SendMessage(WM_NOTIFY, IDC_SCHEDULE_VIEW, (LPARAM)&note);
    }

    // Runs the item dialog from a page button with the steps given.
    size_t RunItem(UINT button, std::vector<std::function<void(HWND)>> steps)
    {
        return ModalScript::Run([this, button] { Press(Page().GetSafeHwnd(), button); }, kItemCaption, std::move(steps));
    }

    std::unique_ptr<CSettingsSheetDlg> m_sheet;
};

// Stored items show as rows with their texts; the one already passed leaves the library.
TEST_F(ScheduleTest, OpeningShowsTheItemsAndDropsThePassedOne)
{
    CTime tomorrow = Tomorrow(20, 15, 0);
    CTime later = tomorrow + CTimeSpan(1, 0, 0, 0);
    CTime past = CTime::GetCurrentTime() - CTimeSpan(1, 0, 0, 0);
    Insert(OneTime(tomorrow, 5400), Execute(0, 2, 184250, 5400));
    Insert({2026, 1, 1, 6, 30, 0, 60, 0, 0x45, 0}, Execute(0, 3, 471250, 60));
    Insert({2026, 1, 1, 7, 0, 5, 600, 0, 0, 0}, Execute(0, 1, 49750, 600));
    Insert(OneTime(later, 3661), Execute(1, 2, 184250, 3661));
    Insert(OneTime(past, 600), Execute(0, 1, 49750, 600));

    Open();
    std::vector<Row> expected = {
        {DateText(tomorrow), "20:15:00", "01:30:00", "1.B", "TV"},
        {"星期一,星期三,星期日", "06:30:00", "00:01:00", "2.C", "TV"},
        {"", "07:00:05", "00:10:00", "0.A", "TV"},
        {DateText(later), "20:15:00", "01:01:01", "", "AV"},
    };
    EXPECT_EQ(expected, Rows());
    EXPECT_EQ(4u, StoredItems().size());
    for (const Records& item : StoredItems())
        EXPECT_NE(past.GetDay(), item.timing.oneTime ? item.timing.day : 0) << "the passed item is gone";
}

// An item made in the dialog is stored word for word: the length in both records, the mask of
// the checked rows, the chosen channel's list number and kHz; a list offering no channel
// stores none. The item is still there after the library restarts.
TEST_F(ScheduleTest, AddingStoresTheDialogsItem)
{
    struct Case
    {
        const char* channels;
        int row;
        std::vector<std::string> offered;
        int channel, kHz;
        const char* channelText;
    } cases[] = {{kChannelsWithHidden, 1, {"0.A", "2.C"}, 3, 471250, "2.C"},
                 {kOnlyHidden, -1, {}, 0, 0, ""}};
    for (const Case& c : cases) {
        RemoveAllItems();
        UseChannels(c.channels);
        Open();
        std::vector<std::string> offered;
        CTime day = Tomorrow(0, 0, 0);
        size_t ran = RunItem(IDC_SCHEDULE_ADD, {[&](HWND dialog) {
                                 EXPECT_EQ((std::vector<std::string>{"TV", "AV", "SV"}), ComboRows(dialog, IDC_ITEM_SOURCE));
                                 offered = ComboRows(dialog, IDC_ITEM_CHANNEL);
                                 Check(dialog, IDC_ITEM_ONE_TIME, false);
                                 EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_ITEM_DATE)));
                                 EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_ITEM_WEEKDAYS)));
                                 SetPicker(dialog, IDC_ITEM_DATE, day);
                                 CheckWeekdays(dialog, {1, 6});
                                 SetClock(dialog, IDC_ITEM_START, 10, 20, 30);
                                 SetClock(dialog, IDC_ITEM_LENGTH, 1, 2, 3);
                                 ChooseSource(dialog, 0);
                                 SendDlgItemMessageA(dialog, IDC_ITEM_CHANNEL, CB_SETCURSEL, c.row, 0);
                                 Check(dialog, IDC_ITEM_SHUT_DOWN, true);
                                 Check(dialog, IDC_ITEM_MUTE, true);
                                 Check(dialog, IDC_ITEM_POWER_ON, false);
                                 Press(dialog, IDOK);
                             }});
        ASSERT_EQ(1u, ran);
        EXPECT_EQ(c.offered, offered);
        std::vector<Records> items = StoredItems();
        ASSERT_EQ(1u, items.size());
        std::vector<int> words = {day.GetYear(), day.GetMonth(), day.GetDay(), 10, 20, 30, 3723, 0, 0x21, 0,
                                  40, 0, 3723, 0, c.channel, c.kHz, 1, 1, 0, 0};
        EXPECT_EQ(words, Words(items[0])) << c.channelText;
        EXPECT_EQ((std::vector<Row>{{"星期一,星期六", "10:20:30", "01:02:03", c.channelText, "TV"}}), Rows());
        Close();
    }

    Timing_StopTrigger(0);
    Timing_Uninitialize();
    CString schedule = theTVSystem.GetAppDir() + "\\Rec.rec";
    ASSERT_NE(0, Timing_Initialize(schedule, 128));
    Timing_RegisterMsgWnd(theControlPanel.GetSafeHwnd());
    Timing_StartTrigger(0);
    Open();
    EXPECT_EQ(1u, Rows().size()) << "kept in the schedule file";
}

// New mode starts a minute ahead, once, on the current source and channel, with today's
// weekday checked; edit mode shows the item, its channel on the row of its entry.
TEST_F(ScheduleTest, TheDialogOpensOnDefaultsOrTheItem)
{
    UseChannels(kChannelsWithHidden);
    theTVSystem.SelectChannel(theTVSystem.GetTVChannels().GetAt(2));
    Open();
    std::string channel, weekdays, length;
    bool oneTime = false, warn = false;
    CTime opened = CTime::GetCurrentTime();
    RunItem(IDC_SCHEDULE_ADD, {[&](HWND dialog) {
                channel = ComboText(dialog, IDC_ITEM_CHANNEL);
                char text[128] = "";
                GetDlgItemTextA(dialog, IDC_ITEM_WEEKDAYS, text, sizeof(text));
                weekdays = text;
                GetDlgItemTextA(dialog, IDC_ITEM_LENGTH, text, sizeof(text));
                length = text;
                oneTime = IsDlgButtonChecked(dialog, IDC_ITEM_ONE_TIME) == BST_CHECKED;
                warn = IsDlgButtonChecked(dialog, IDC_ITEM_WARN) == BST_CHECKED;
                Press(dialog, IDCANCEL);
            }});
    EXPECT_EQ("2.C", channel);
    CString today;
    today.LoadString(IDS_SUNDAY + opened.GetDayOfWeek() - 1);
    EXPECT_EQ((LPCTSTR)today, weekdays);
    EXPECT_EQ("00:50:00", length);
    EXPECT_TRUE(oneTime);
    EXPECT_TRUE(warn);
    EXPECT_TRUE(StoredItems().empty()) << "cancelled";
    Close();

    _tagTimingParam timing = {2026, 1, 1, 9, 0, 0, 60, 0, 0x41, 0};
    Insert(timing, Execute(0, 3, 471250, 60));
    Open();
    SelectRow(0);
    std::string source;
    RunItem(IDC_SCHEDULE_EDIT, {[&](HWND dialog) {
                channel = ComboText(dialog, IDC_ITEM_CHANNEL);
                char text[128] = "";
                GetDlgItemTextA(dialog, IDC_ITEM_WEEKDAYS, text, sizeof(text));
                weekdays = text;
                oneTime = IsDlgButtonChecked(dialog, IDC_ITEM_ONE_TIME) == BST_CHECKED;
                Press(dialog, IDCANCEL);
            }});
    EXPECT_EQ("2.C", channel) << "the row of entry 3, past the hidden one";
    EXPECT_NE(std::string::npos, weekdays.find("星期日")) << weekdays;
    EXPECT_NE(std::string::npos, weekdays.find("星期一")) << weekdays;
    EXPECT_FALSE(oneTime);
}

// A change into another item's time is refused with the overlap box, one into the past with
// "时间已过期"; a good change replaces the row and the item. Deleting by the button and by
// the Delete key takes the items out of the library.
TEST_F(ScheduleTest, ChangesAreCheckedAndItemsDeleted)
{
    Insert(OneTime(Tomorrow(10, 0, 0), 3600), Execute(0, 1, 49750, 3600));
    Insert(OneTime(Tomorrow(12, 0, 0), 3600), Execute(0, 2, 184250, 3600));
    std::vector<Records> before = StoredItems();
    Open();
    std::vector<Row> rows = Rows();
    ASSERT_EQ(2u, rows.size());

    struct Case
    {
        const char* what;
        std::function<void(HWND)> change;
        const char* box;
    } refused[] = {
        {"overlap", [](HWND dialog) { SetClock(dialog, IDC_ITEM_START, 10, 30, 0); }, "定时录像时间重叠,请重新设置"},
        {"passed",
         [](HWND dialog) { SetPicker(dialog, IDC_ITEM_DATE, CTime::GetCurrentTime() - CTimeSpan(1, 0, 0, 0)); },
         "时间已过期"},
    };
    for (const Case& c : refused) {
        DialogWatcher watcher;
        watcher.OnlyCaption(kBoxCaption);
        SelectRow(1);
        size_t ran = RunItem(IDC_SCHEDULE_EDIT, {[&](HWND dialog) {
                                 c.change(dialog);
                                 Press(dialog, IDOK);
                             }});
        EXPECT_EQ(1u, ran) << c.what;
        ASSERT_TRUE(WaitUntil(3000, [&] { return BoxTexts(watcher).size() == 1; })) << c.what;
        EXPECT_EQ(c.box, BoxTexts(watcher)[0]) << c.what;
        EXPECT_EQ(rows, Rows()) << c.what;
        ASSERT_EQ(2u, StoredItems().size()) << c.what;
        for (size_t i = 0; i < 2; i++)
            EXPECT_EQ(Words(before[i]), Words(StoredItems()[i])) << c.what;
    }

    DialogWatcher watcher;
    watcher.OnlyCaption(kBoxCaption);

    // A double click edits the row as the button does.
    SelectRow(0);
    ModalScript::Run([this] { NotifyList(NM_DBLCLK); }, kItemCaption, {[](HWND dialog) {
                         SetClock(dialog, IDC_ITEM_START, 14, 0, 0);
                         Press(dialog, IDOK);
                     }});
    EXPECT_EQ((std::vector<Row>{rows[1], {rows[0][0], "14:00:00", "01:00:00", "0.A", "TV"}}), Rows());
    EXPECT_EQ(1, SelectedRow());
    ASSERT_EQ(2u, StoredItems().size());
    EXPECT_EQ(14, StoredItems()[0].timing.hour);

    SelectRow(0);
    Press(Page().GetSafeHwnd(), IDC_SCHEDULE_DELETE);
    ASSERT_EQ(1u, StoredItems().size());
    EXPECT_EQ(14, StoredItems()[0].timing.hour) << "the 12:00 item went";
    EXPECT_EQ(0, SelectedRow());
    NotifyList(LVN_KEYDOWN, VK_DELETE);
    EXPECT_TRUE(StoredItems().empty());
    EXPECT_EQ(0, List().GetItemCount());
    EXPECT_TRUE(BoxTexts(watcher).empty());
}

// Powering on needs a start within seven days and a logon user; with them the TV system takes
// the account.
TEST_F(ScheduleTest, PowerOnNeedsANearStartAndAUser)
{
    struct Case
    {
        const char* what;
        int daysAhead;
        const char* user;
        const char* box;
        size_t stored;
    } cases[] = {
        {"eight days", 8, "viewer", "定时录象时间设置不正确", 0},
        {"no user", 1, "", "使用定时开机功能必须填写默认登陆用户和密码", 0},
        {"good", 1, "viewer", NULL, 1},
    };
    // The user is typed over what the dialog took from the Winlogon values.
    for (const Case& c : cases) {
        Open();
        DialogWatcher watcher;
        watcher.OnlyCaption(kBoxCaption);
        bool openAfterOK = false;
        size_t ran = RunItem(IDC_SCHEDULE_ADD, {[&](HWND dialog) {
                                 SetPicker(dialog, IDC_ITEM_DATE, CTime::GetCurrentTime() + CTimeSpan(c.daysAhead, 0, 0, 0));
                                 Check(dialog, IDC_ITEM_POWER_ON, true);
                                 EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_ITEM_USER)));
                                 SetDlgItemTextA(dialog, IDC_ITEM_USER, c.user);
                                 SetDlgItemTextA(dialog, IDC_ITEM_PASSWORD, "secret");
                                 SetDlgItemTextA(dialog, IDC_ITEM_EARLY, "7");
                                 Press(dialog, IDOK);
                             },
                             [&](HWND dialog) {
                                 openAfterOK = true;
                                 Press(dialog, IDCANCEL);
                             }});
        EXPECT_EQ(c.box != NULL, openAfterOK) << c.what;
        EXPECT_EQ(c.box != NULL ? 2u : 1u, ran) << c.what;
        EXPECT_EQ(c.box != NULL ? std::vector<std::string>{c.box} : std::vector<std::string>{}, BoxTexts(watcher))
            << c.what;
        std::vector<Records> items = StoredItems();
        ASSERT_EQ(c.stored, items.size()) << c.what;
        if (c.stored) {
            EXPECT_EQ(1, items[0].execute.powerOn);
            EXPECT_EQ(7, items[0].execute.powerOnEarly);
            EXPECT_STREQ("viewer", theTVSystem.GetLogonUser());
        }
        Close();
    }
}

// A TV system that refuses the account: the user is told and the item still goes ahead.
class RefusingItemDlg : public CScheduleItemDlg
{
protected:
    BOOL StoreLogonAccount(const CString&, const CString&) override { return FALSE; }
};

TEST_F(ScheduleTest, ARefusedAccountIsToldAndTheDialogCloses)
{
    DialogWatcher watcher;
    watcher.OnlyCaption(kBoxCaption);
    RefusingItemDlg dialog;
    INT_PTR result = IDCANCEL;
    ModalScript::Run([&] { result = dialog.DoModal(); }, kItemCaption, {[](HWND window) {
                         Check(window, IDC_ITEM_POWER_ON, true);
                         SetDlgItemTextA(window, IDC_ITEM_USER, "viewer");
                         Press(window, IDOK);
                     }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(std::vector<std::string>{"设置默认登陆用户和密码失败"}, BoxTexts(watcher));
    EXPECT_EQ(1, dialog.GetExecute().powerOn);
}

std::string ParamValue(const char* section, const char* key)
{
    char value[128] = "";
    CString path = theTVSystem.GetAppDir() + "\\TVParam.ini";
    GetPrivateProfileStringA(section, key, "", value, sizeof(value), path);
    return value;
}

// The shutdown set on the page reaches TVParam.ini when the sheet closes, and the panel's
// countdown comes at that time; unchecked, none comes.
TEST_F(ScheduleTest, TheDailyShutdownIsSavedAndArmed)
{
    CTime now = CTime::GetCurrentTime();
    if (now.GetHour() == 23 && now.GetMinute() >= 58)
        GTEST_SKIP() << "the shutdown time would fall on the next day";
    for (bool enabled : {true, false}) {
        CTime shutAt = CTime::GetCurrentTime() + CTimeSpan(0, 0, 0, 5);
        size_t ran = ModalScript::Run([] { theControlPanel.SendMessage(WM_COMMAND, IDC_SETUP, 0); }, "设置",
                                      {[&](HWND dialog) {
                                          CSettingsSheetDlg* sheet = (CSettingsSheetDlg*)CWnd::FromHandle(dialog);
                                          sheet->GetTabCtrl().SelectTab(theTVSystem.HasFM() ? 4 : 3);
                                          HWND page = sheet->GetSchedulePage().GetSafeHwnd();
                                          Check(page, IDC_ENABLE_SHUT, enabled);
                                          SetPicker(page, IDC_SHUT_TIME, shutAt);
                                          PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
                                      }});
        ASSERT_EQ(1u, ran);
        EXPECT_EQ(enabled ? "1" : "0", ParamValue("Schedule", "EnableShut"));
        EXPECT_EQ((LPCTSTR)shutAt.Format("%Y,%m,%d,%H,%M,%S"), ParamValue("Schedule", "ShutTime"));

        DialogWatcher countdown;
        countdown.OnlyCaption("关闭计算机");
        countdown.PressId(IDC_SHUTDOWN_CANCEL);
        bool came = PumpMessagesUntil([&] { return !countdown.Dialogs().empty(); }, 12000);
        EXPECT_EQ(enabled, came);
        if (came) {
            EXPECT_GE(CTime::GetCurrentTime().GetTime() + 1, shutAt.GetTime()) << "not before its time";
        }
    }
    theTVSystem.SetEnableShut(FALSE);
    theTVSystem.SaveSettings();
}

// An item added in the sheet a minute ahead records its channel at its time and stops after
// its length.
TEST_F(ScheduleTest, AnItemAddedInTheSheetRecordsAtItsTime)
{
    TempFolder folder;
    CString keptFolder = theTVSystem.GetSettings().videoPath;
    theTVSystem.GetSettings().videoPath = folder.Path().c_str();
    // Where the card stands on the item's channel, then on another one.
    theTVSystem.SelectChannel(theTVSystem.GetTVChannels().GetAt(2));
    ASSERT_TRUE(WaitUntil(3000, [] { return CardValue("station") == "SIM-4"; }));
    std::string tuned = CardValue("t");
    theTVSystem.SelectChannel(theTVSystem.GetTVChannels().GetAt(0));
    ASSERT_TRUE(WaitUntil(3000, [] { return CardValue("station") == "SIM-1"; }));
    Open();
    RunItem(IDC_SCHEDULE_ADD, {[](HWND dialog) {
                ChooseSource(dialog, 0);
                SendDlgItemMessageA(dialog, IDC_ITEM_CHANNEL, CB_SETCURSEL, 2, 0);
                SetClock(dialog, IDC_ITEM_LENGTH, 0, 0, 5);
                Press(dialog, IDOK);
            }});
    ASSERT_EQ(1u, StoredItems().size());
    Close();
    EXPECT_EQ(471250, StoredItems()[0].execute.frequency);
    CTime start(StoredItems()[0].timing.year, StoredItems()[0].timing.month, StoredItems()[0].timing.day,
                StoredItems()[0].timing.hour, StoredItems()[0].timing.minute, StoredItems()[0].timing.second);

    ASSERT_TRUE(PumpMessagesUntil([] { return theTVSystem.IsRecording() != FALSE; }, 75000));
    EXPECT_GE(CTime::GetCurrentTime().GetTime() + 1, start.GetTime()) << "not before its time";
    EXPECT_EQ("SIM-4", CardValue("station"));
    EXPECT_EQ(tuned, CardValue("t")) << "on the channel's kHz";
    EXPECT_TRUE(PumpMessagesUntil([] { return !theTVSystem.IsRecording(); }, 15000));
    PumpMessagesUntil([] { return false; }, 1000);
    theTVSystem.GetSettings().videoPath = keptFolder;

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder.Path() + "\\2*").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search) << "a recording in " << folder.Path();
    FindClose(search);
    EXPECT_GT(found.nFileSizeLow, 10000u) << found.cFileName;
}

// ---- The options menu's schedule and shutdown pages, worked with the remote's keys ----

enum { kAdd = 0, kChange = 1, kDelete = 2 };

class ScheduleMenuTest : public ScheduleTest
{
protected:
    void TearDown() override
    {
        CloseMenu();
        ScheduleTest::TearDown();
    }

    // The list page, from the root's third row.
    static COptionsPage* OpenList()
    {
        OpenMenu();
        OpenRootRow(2);
        return OptionsMenu()->GetCurrentPage();
    }

    static std::vector<std::string> ListRows(COptionsPage* list)
    {
        std::vector<std::string> rows;
        for (int row = 0; row < 5; ++row)
            rows.push_back(CellText(list, row, 0) + "|" + CellText(list, row, 1));
        return rows;
    }

    // Enter on a list row, then the operation chosen on the operation row, then Enter.
    static void Operate(COptionsPage* list, int row, int operation)
    {
        if (list->GetCurrentRowIndex() >= 5)
            RemoteKey(VK_UP);
        int current = list->GetCurrentRowIndex();
        RemoteKeys(row > current ? VK_DOWN : VK_UP, row > current ? row - current : current - row);
        RemoteKey(VK_RETURN);
        const char* const names[] = {"添加", "修改", "删除"};
        for (int i = 0; i < 3 && CellText(list, 5, 1) != names[operation]; ++i)
            RemoteKey(VK_RIGHT);
        EXPECT_EQ(names[operation], CellText(list, 5, 1));
        RemoteKey(VK_RETURN);
    }

    // The item page, its first row current.
    static COptionsPage* ItemPage()
    {
        COptionsPage* item = OptionsMenu()->GetCurrentPage();
        EXPECT_EQ(OptionsMenu()->GetPage(7), item);
        item->SetCurrentRow(0);
        return item;
    }

    // The three numbers of a row of numbers as the page shows them.
    static std::vector<int> Numbers(COptionsPage* page, int row)
    {
        return {atoi(CellText(page, row, 1).c_str()), atoi(CellText(page, row, 3).c_str()),
                atoi(CellText(page, row, 5).c_str())};
    }

    // On a row of numbers: Right focuses the next number, Up and Down change it, and Right
    // past the last number leaves them.
    static void ChangeNumber(int index, WORD key)
    {
        RemoteKeys(VK_RIGHT, index + 1);
        RemoteKey(key);
        RemoteKeys(VK_RIGHT, 3 - index);
    }
};

// Five items a screen with their numbers and start times; Down from the last row shows the
// next screen, Up from the first goes back. An item of another source takes no row, and one
// already passed leaves the schedule as the page shows.
TEST_F(ScheduleMenuTest, TheListShowsFiveItemsAScreen)
{
    CTime first = Tomorrow(20, 0, 0);
    for (int i = 0; i < 7; ++i)
        Insert(OneTime(first + CTimeSpan(i, 0, 0, 0), 600), Execute(0, 1, 49750, 600));
    Insert(OneTime(first + CTimeSpan(8, 0, 0, 0), 600), Execute(1, 0, 0, 600));
    Insert(OneTime(CTime::GetCurrentTime() - CTimeSpan(0, 1, 0, 0), 600), Execute(0, 1, 49750, 600));

    COptionsPage* list = OpenList();
    ASSERT_EQ(OptionsMenu()->GetPage(4), list);
    EXPECT_EQ(8u, StoredItems().size());
    auto row = [&](int number) {
        return std::to_string(number) + "   项|" +
               (LPCTSTR)(first + CTimeSpan(number - 1, 0, 0, 0)).Format("%Y-%m-%d  %H:%M:%S");
    };
    const std::vector<std::string> screen0 = {row(1), row(2), row(3), row(4), row(5)};
    const std::vector<std::string> screen1 = {row(6), row(7), "空|", "空|", "空|"};
    EXPECT_EQ(screen0, ListRows(list));
    int current = list->GetCurrentRowIndex();
    RemoteKeys(VK_DOWN, 4 - current);
    EXPECT_EQ(screen0, ListRows(list));
    RemoteKey(VK_DOWN);
    EXPECT_EQ(screen1, ListRows(list));
    EXPECT_EQ(0, list->GetCurrentRowIndex());
    RemoteKey(VK_UP);
    EXPECT_EQ(screen0, ListRows(list));
    EXPECT_EQ(4, list->GetCurrentRowIndex());
}

// An item made on the item page is stored word for word as the page showed it; "取消" stores
// nothing.
TEST_F(ScheduleMenuTest, AddingStoresTheItemAsThePageShowsIt)
{
    CTime now = CTime::GetCurrentTime();
    if (now.GetHour() == 23 && now.GetMinute() >= 58)
        GTEST_SKIP() << "the new item's start would fall on the next day";
    COptionsPage* list = OpenList();
    ASSERT_EQ(OptionsMenu()->GetPage(4), list);
    Operate(list, 0, kAdd);
    COptionsPage* item = ItemPage();
    const std::vector<int> defaultLength = {0, 50, 0};
    EXPECT_EQ(defaultLength, Numbers(item, 2));
    EXPECT_EQ("否", CellText(item, 4, 1));
    const int year = Numbers(item, 0)[0];
    const int minute = Numbers(item, 1)[1];

    ChangeNumber(0, VK_UP);                             // next year
    RemoteKey(VK_DOWN);
    ChangeNumber(1, minute < 59 ? VK_UP : VK_DOWN);
    RemoteKey(VK_DOWN);
    ChangeNumber(0, VK_UP);                             // 1:50:00
    RemoteKey(VK_DOWN);
    RemoteKey(VK_RIGHT);
    EXPECT_EQ("1.B", CellText(item, 3, 1));
    RemoteKey(VK_DOWN);
    RemoteKey(VK_RIGHT);
    EXPECT_EQ("是", CellText(item, 4, 1));
    RemoteKey(VK_DOWN);
    EXPECT_EQ("确定", CellText(item, 5, 1));
    std::vector<int> date = Numbers(item, 0), clock = Numbers(item, 1);
    EXPECT_EQ(year + 1, date[0]);
    EXPECT_NE(minute, clock[1]);
    RemoteKey(VK_RETURN);
    EXPECT_EQ(list, OptionsMenu()->GetCurrentPage());

    std::vector<Records> items = StoredItems();
    ASSERT_EQ(1u, items.size());
    const std::vector<int> expected = {date[0], date[1], date[2], clock[0], clock[1], clock[2], 6600, 1, 0, 0,
                                       40, 0, 6600, 0, 2, 184250, 1, 0, 0, 0};
    EXPECT_EQ(expected, Words(items[0]));
    EXPECT_EQ("1   项", CellText(list, 0, 0));

    Operate(list, 0, kAdd);
    ItemPage();
    RemoteKeys(VK_DOWN, 5);
    RemoteKey(VK_RIGHT);
    RemoteKey(VK_RETURN);
    EXPECT_EQ(list, OptionsMenu()->GetCurrentPage());
    EXPECT_EQ(1u, StoredItems().size());
}

// Answers the message boxes the menu's pages open, from a timer of the box's own loop, and
// keeps their texts. (The menu's host and the video window are dialogs too: a watcher of every
// dialog would answer them.)
struct MenuBoxes
{
    static inline std::vector<std::string> texts;
    UINT_PTR timer;

    MenuBoxes() : timer(SetTimer(NULL, 0, 200, Tick)) { texts.clear(); }
    ~MenuBoxes() { KillTimer(NULL, timer); }

    static BOOL CALLBACK Answer(HWND window, LPARAM)
    {
        HWND text = GetDlgItem(window, 0xFFFF);
        if (text != NULL && IsWindowVisible(window) && GetWindow(window, GW_OWNER) == OptionsHost()) {
            char buffer[256] = "";
            GetWindowTextA(text, buffer, sizeof(buffer));
            texts.push_back(buffer);
            PostMessageA(window, WM_COMMAND, IDOK, 0);
            return FALSE;
        }
        return TRUE;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        EnumThreadWindows(GetCurrentThreadId(), Answer, 0);
    }
};

// A start inside another recording or in the past is told and stores nothing; "修改" and
// "删除" touch only the chosen item, and nothing at all in an empty schedule.
TEST_F(ScheduleMenuTest, RefusedStartsAreToldAndChangesHitOnlyTheChosenItem)
{
    CTime now = CTime::GetCurrentTime();
    if (now.GetHour() >= 22)
        GTEST_SKIP() << "the items would fall on the next day";
    COptionsPage* list = OpenList();
    ASSERT_EQ(OptionsMenu()->GetPage(4), list);
    for (int operation : {kChange, kDelete}) {
        Operate(list, 0, operation);
        EXPECT_EQ(list, OptionsMenu()->GetCurrentPage()) << operation;
        EXPECT_TRUE(StoredItems().empty());
    }
    CloseMenu();

    // Next year, the new item's default start (a minute ahead) falls inside the first item.
    Insert(OneTime(CTime(now.GetYear() + 1, now.GetMonth(), now.GetDay(), now.GetHour(), 0, 0), 7200),
           Execute(0, 1, 49750, 7200));
    Insert(OneTime(Tomorrow(20, 0, 0), 600), Execute(0, 3, 471250, 600));
    const std::vector<Records> before = StoredItems();
    MenuBoxes boxes;
    list = OpenList();
    const struct { WORD yearKey; const char* text; } refused[] = {{VK_UP, "定时录像时间重叠"}, {VK_DOWN, "时间已过期"}};
    for (size_t i = 0; i < 2; ++i) {
        Operate(list, 0, kAdd);
        ItemPage();
        ChangeNumber(0, refused[i].yearKey);
        RemoteKeys(VK_DOWN, 5);
        RemoteKey(VK_RETURN);
        ASSERT_EQ(i + 1, MenuBoxes::texts.size()) << refused[i].text;
        EXPECT_NE(std::string::npos, MenuBoxes::texts[i].find(refused[i].text)) << MenuBoxes::texts[i];
        EXPECT_EQ(list, OptionsMenu()->GetCurrentPage());
        EXPECT_EQ(2u, StoredItems().size());
    }

    // The second item's length, changed on its own page.
    Operate(list, 1, kChange);
    COptionsPage* item = ItemPage();
    const std::vector<int> length = {0, 10, 0};
    EXPECT_EQ(length, Numbers(item, 2));
    EXPECT_EQ("2.C", CellText(item, 3, 1));
    RemoteKeys(VK_DOWN, 2);
    ChangeNumber(0, VK_UP);
    RemoteKeys(VK_DOWN, 3);
    RemoteKey(VK_RETURN);
    std::vector<Records> after = StoredItems();
    ASSERT_EQ(2u, after.size());
    EXPECT_EQ(Words(before[0]), Words(after[0]));
    std::vector<int> changed = Words(before[1]);
    changed[6] = changed[12] = 4200;
    EXPECT_EQ(changed, Words(after[1]));

    Operate(list, 0, kDelete);
    after = StoredItems();
    ASSERT_EQ(1u, after.size());
    EXPECT_EQ(changed, Words(after[0]));
    EXPECT_EQ(list, OptionsMenu()->GetCurrentPage());
}

// The channel row offers no hidden entry, and what is stored is the entry shown: its list
// number and its kHz, found again when the item is changed. A list of hidden entries alone
// offers nothing, and saving then stores nothing and tells nothing.
TEST_F(ScheduleMenuTest, TheChannelRowStoresTheEntryItShows)
{
    CTime now = CTime::GetCurrentTime();
    if (now.GetHour() == 23 && now.GetMinute() >= 58)
        GTEST_SKIP() << "the new item's start would fall on the next day";
    UseChannels(kChannelsWithHidden);
    MenuBoxes boxes;
    COptionsPage* list = OpenList();
    ASSERT_EQ(OptionsMenu()->GetPage(4), list);
    Operate(list, 0, kAdd);
    COptionsPage* item = ItemPage();
    RemoteKeys(VK_DOWN, 3);
    EXPECT_EQ("0.A", CellText(item, 3, 1));
    RemoteKey(VK_RIGHT);
    EXPECT_EQ("2.C", CellText(item, 3, 1));
    RemoteKey(VK_RIGHT);
    EXPECT_EQ("0.A", CellText(item, 3, 1)) << "two entries offered";
    RemoteKey(VK_LEFT);
    RemoteKeys(VK_DOWN, 2);
    RemoteKey(VK_RETURN);
    EXPECT_EQ(list, OptionsMenu()->GetCurrentPage());
    std::vector<Records> items = StoredItems();
    ASSERT_EQ(1u, items.size());
    EXPECT_EQ(3, items[0].execute.channel);
    EXPECT_EQ(471250, items[0].execute.frequency);

    Operate(list, 0, kChange);
    item = ItemPage();
    EXPECT_EQ("2.C", CellText(item, 3, 1));
    RemoteKeys(VK_DOWN, 5);
    RemoteKey(VK_RETURN);
    items = StoredItems();
    ASSERT_EQ(1u, items.size());
    EXPECT_EQ(3, items[0].execute.channel);
    EXPECT_EQ(471250, items[0].execute.frequency);
    CloseMenu();

    RemoveAllItems();
    UseChannels(kOnlyHidden);
    list = OpenList();
    Operate(list, 0, kAdd);
    item = ItemPage();
    EXPECT_EQ("", CellText(item, 3, 1));
    RemoteKeys(VK_DOWN, 5);
    EXPECT_EQ("确定", CellText(item, 5, 1));
    RemoteKey(VK_RETURN);
    RunLoop(500);
    EXPECT_EQ(list, OptionsMenu()->GetCurrentPage());
    EXPECT_TRUE(StoredItems().empty());
    EXPECT_TRUE(MenuBoxes::texts.empty()) << MenuBoxes::texts[0];
}

// "是" keeps the time shown and counts down when it comes; "否" switches the shutdown off,
// also one the panel had armed already.
TEST_F(ScheduleMenuTest, TheShutdownPageArmsTheCountdownOrSwitchesItOff)
{
    CTime now = CTime::GetCurrentTime();
    if (now.GetHour() == 23 && now.GetMinute() >= 58)
        GTEST_SKIP() << "the shutdown time would fall on the next day";
    for (bool yes : {true, false}) {
        while (CTime::GetCurrentTime().GetSecond() > 50)
            Sleep(500);
        if (!yes) {
            theTVSystem.SetEnableShut(TRUE);
            theControlPanel.ArmShutdownClock(CTime::GetCurrentTime() + CTimeSpan(0, 0, 0, 10), TRUE);
        }
        OpenMenu();
        OpenRootRow(4);
        COptionsPage* video = OptionsMenu()->GetCurrentPage();
        video->SetCurrentRow(5);
        RemoteKey(VK_RETURN);
        COptionsPage* page = OptionsMenu()->GetCurrentPage();
        ASSERT_EQ(OptionsMenu()->GetPage(6), page);
        page->SetCurrentRow(1);
        RemoteKeys(VK_RIGHT, 3);
        RemoteKeys(VK_UP, 5);
        RemoteKey(VK_RIGHT);
        RemoteKey(VK_DOWN);
        if (!yes)
            RemoteKey(VK_RIGHT);
        EXPECT_EQ(yes ? "是" : "否", CellText(page, 2, 1));
        std::vector<int> date = Numbers(page, 0), clock = Numbers(page, 1);
        CTime shutAt(date[0], date[1], date[2], clock[0], clock[1], clock[2]);
        EXPECT_LE(shutAt.GetTime(), CTime::GetCurrentTime().GetTime() + 8);
        DialogWatcher countdown;
        countdown.OnlyCaption("关闭计算机");
        countdown.PressId(IDC_SHUTDOWN_CANCEL);
        RemoteKey(VK_RETURN);
        EXPECT_EQ(video, OptionsMenu()->GetCurrentPage());
        CloseMenu();

        theTVSystem.SaveSettings();
        EXPECT_EQ(yes ? "1" : "0", ParamValue("Schedule", "EnableShut"));
        if (yes) {
            EXPECT_EQ((LPCTSTR)shutAt.Format("%Y,%m,%d,%H,%M,%S"), ParamValue("Schedule", "ShutTime"));
        }
        bool came = PumpMessagesUntil([&] { return !countdown.Dialogs().empty(); }, 12000);
        EXPECT_EQ(yes, came);
        if (came) {
            EXPECT_GE(CTime::GetCurrentTime().GetTime() + 1, shutAt.GetTime()) << "not before its time";
        }
    }
    theTVSystem.SetEnableShut(FALSE);
    theTVSystem.SaveSettings();
}

} // namespace

namespace {

// Holds the dialog open on its schedule page for a while, to be looked at on a display
// (scripts/screenshot with --gtest_also_run_disabled_tests).
TEST_F(ScheduleTest, DISABLED_ShowsTheSchedulePage)
{
    Insert(OneTime(Tomorrow(20, 15, 0), 5400), Execute(0, 2, 184250, 5400));
    Insert({2026, 1, 1, 6, 30, 0, 1800, 0, 0x45, 0}, Execute(0, 3, 471250, 1800));
    Insert(OneTime(Tomorrow(22, 0, 0), 3600), Execute(1, 0, 0, 3600));
    Open();
    m_sheet->SetWindowPos(NULL, 150, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SelectRow(1);
    PumpMessagesUntil([] { return false; }, 20000);
    Close();
}

// The same for the item dialog, opened on a weekly item.
TEST_F(ScheduleTest, DISABLED_ShowsTheItemDialog)
{
    Insert({2026, 1, 1, 6, 30, 0, 1800, 0, 0x45, 0}, Execute(0, 3, 471250, 1800));
    Open();
    SelectRow(0);
    RunItem(IDC_SCHEDULE_EDIT, {[](HWND dialog) {
                SetWindowPos(dialog, NULL, 150, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
                PumpMessagesUntil([] { return false; }, 20000);
                Press(dialog, IDCANCEL);
            }});
    Close();
}

} // namespace

namespace {

// The options menu's schedule list over the picture, the second item chosen, to be looked at
// on a display (scripts/screenshot with --gtest_also_run_disabled_tests).
TEST_F(ScheduleMenuTest, DISABLED_ShowsTheScheduleListOverThePicture)
{
    Insert(OneTime(Tomorrow(20, 15, 0), 5400), Execute(0, 2, 184250, 5400));
    Insert(OneTime(Tomorrow(22, 0, 0), 1800), Execute(0, 3, 471250, 1800));
    Insert(OneTime(Tomorrow(23, 30, 0), 3600), Execute(0, 1, 49750, 3600));
    theControlPanel.ShowPanel(FALSE);
    OpenList();
    RemoteKey(VK_DOWN);
    RemoteKey(VK_RETURN);
    RunLoop(20000);
}

// The item page over the picture, changing the first of them.
TEST_F(ScheduleMenuTest, DISABLED_ShowsTheScheduleItemOverThePicture)
{
    Insert(OneTime(Tomorrow(20, 15, 0), 5400), Execute(0, 2, 184250, 5400));
    theControlPanel.ShowPanel(FALSE);
    COptionsPage* list = OpenList();
    Operate(list, 0, kChange);
    ItemPage();
    RemoteKeys(VK_DOWN, 3);
    RunLoop(20000);
}

} // namespace
