// Tandril.exe run as the user runs it, from a program folder of its own beside the service
// program Ostler.exe, and driven from outside through its windows: the key sets and the key
// list, the key buttons, the program and key dialogs, saving and restarting the service, the
// service buttons and their messages, the ways the dialog ends, and its window.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "DialogWatcher.h"
#include "KeyCodeTable.h"
#include "KeyMapFile.h"
#include "ListViewOfProcess.h"
#include "NtServiceCtrl.h"
#include "OstlerFolder.h"
#include "ProgramList.h"
#include "ProgramProcess.h"
#include "RegistryKey.h"
#include "RunKeyServiceCtrl.h"
#include "TandrilResource.h"
#include "TempFolder.h"
#include "UserInput.h"
#include "WaitUntil.h"
#include "WindowQuery.h"

namespace {

const char kTitle[] = "Remote Control";
const char kOstlerLog[] = "C:\\sim\\log\\ostler.log";
const char kNineXSetting[] = "Software\\Wine\\AppDefaults\\Tandril.exe";
const DWORD kStartMs = 30000;
const DWORD kStateWaitMs = 20000;
const DWORD kCommandMs = 60000;
const int kKeyMapRecordSize = 548;

std::string TestFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof(path));
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\'));
}

// The factory key map as this test carries it among Tandril's resources.
std::string FactoryMap()
{
    HMODULE module = GetModuleHandleA(NULL);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDR_FACTORY_KEYMAP), "DATFILE");
    if (!found)
        return std::string();
    return std::string((const char*)LockResource(LoadResource(module, found)),
                       SizeofResource(module, found));
}

// A program folder with a blank in its name holding Tandril.exe and Ostler.exe, nothing else.
class TandrilFolder
{
public:
    TandrilFolder() : m_path(m_temp.FilePath("Remote Service"))
    {
        CreateDirectoryA(m_path.c_str(), NULL);
        std::string from = TestFolder() + "\\tandril_program\\";
        m_ready = CopyFileA((from + "Tandril.exe").c_str(), File("Tandril.exe").c_str(), FALSE) &&
                  CopyFileA((from + "Ostler.exe").c_str(), File("Ostler.exe").c_str(), FALSE);
    }

    bool Ready() const { return m_ready; }
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "\\" + name; }
    std::string Read(const std::string& name) const { return TempFolder::ReadWholeFile(File(name)); }
    bool Exists(const std::string& name) const
    {
        return GetFileAttributesA(File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    // Service.ini with two programs; the first's table holds Mute, Ch+ and Esc, the second's
    // one key.
    void WriteTwoPrograms() const
    {
        CProgramList programs;
        programs.Add(ProgramEntry{"WINDVR3.0", "C:\\dvr.exe", "WINDVR30.dat"});
        programs.Add(ProgramEntry{"mediaplayer9", "C:\\mp.exe", "mp9.dat"});
        programs.Write(File("Service.ini").c_str());
        CKeyCodeTable first;
        first.Add(KeyCodeRecord{242, 1, 0, 0, 0, 'A'});
        first.Add(KeyCodeRecord{233, 0, 1, 0, 8, 0});
        first.Add(KeyCodeRecord{241, 1, 0, 0, 0, 'B'});
        first.Save(File("WINDVR30.dat").c_str());
        CKeyCodeTable second;
        second.Add(KeyCodeRecord{245, 0, 0, 1, 0, 'Z'});
        second.Save(File("mp9.dat").c_str());
    }

    // The factory map, a record of "语言" whose mode is neither keystroke nor run, and a run
    // record of "图文电视" whose path fills its field without an end.
    void WriteDefaultMap() const
    {
        KeyMapRecord odd = KeyMapRecord::ForId(173);
        odd.mode = 2;
        odd.ctrl = 1;
        odd.character = 'L';
        KeyMapRecord full = KeyMapRecord::ForId(172);
        full.mode = KeyMapRecord::kModeRun;
        memset(full.path, 'x', sizeof(full.path));
        strcpy(full.parameters, "p");
        TempFolder::WriteWholeFile(File("Default.dat"),
                                   FactoryMap() + std::string((const char*)&odd, sizeof(odd)) +
                                       std::string((const char*)&full, sizeof(full)));
    }

    // The ids of a key table file's records.
    std::vector<int> TableIds(const std::string& name) const
    {
        CKeyCodeTable table;
        table.Load(File(name).c_str());
        std::vector<int> ids;
        for (int i = 0; i < table.GetCount(); ++i)
            ids.push_back(table.GetAt(i).remoteKeyId);
        return ids;
    }

private:
    TempFolder m_temp;
    std::string m_path;
    bool m_ready = false;
};

// Each test starts its own Tandril.exe and leaves neither the service nor Ostler behind,
// whatever it did; the maker's values go back to what they were.
class TandrilProgramTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.Ready());
        // The install takes the folder's Ostler.exe only while "Exe" names no file.
        CRegistryKey maker;
        ASSERT_EQ(ERROR_SUCCESS, maker.Open(HKEY_LOCAL_MACHINE, kRemoteServiceKey));
        maker.DeleteValue("Exe");
        m_service.Remove();
        ASSERT_EQ(CRemoteServiceCtrl::kNotInstalled, State());
        ASSERT_FALSE(OstlerMutexExists()) << "an Ostler runs already";
        m_logStart = TempFolder::ReadWholeFile(kOstlerLog).size();
    }

    void TearDown() override
    {
        m_watcher.reset();
        m_program.reset();
        m_service.Remove();
        EXPECT_TRUE(WaitUntil(kStateWaitMs, [this] { return State() == CRemoteServiceCtrl::kNotInstalled; }))
            << "a service was left installed";
        // A copy started as a plain program ends with its window.
        HWND plain = FindWindowA(NULL, "RemoteService_ZP");
        if (plain)
            PostMessageA(plain, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitUntil(kStateWaitMs, [] { return !OstlerWindowExists(); }));
        EXPECT_TRUE(WaitUntil(kStateWaitMs, [] { return !OstlerMutexExists(); }));
    }

    void Start()
    {
        m_program.reset(new ProgramProcess(m_folder.File("Tandril.exe"), "", m_folder.Path()));
        ASSERT_TRUE(m_program->IsStarted()) << m_program->StartError();
        m_dialog = FindTopWindow(kTitle, m_program->Pid(), kStartMs);
        ASSERT_NE(nullptr, m_dialog);
        ASSERT_TRUE(WaitUntilVisible(m_dialog, kStartMs));
        m_watcher.reset(new DialogWatcher(m_program->Pid(), m_dialog));
    }

    HWND Control(int id) const { return GetDlgItem(m_dialog, id); }
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }

    // A click on a command button as the dialog receives it; returns once it is handled, the
    // message boxes it showed answered.
    void Command(int id, int code = BN_CLICKED)
    {
        DWORD_PTR result = 0;
        ASSERT_NE(0, SendMessageTimeoutA(m_dialog, WM_COMMAND, MAKEWPARAM(id, code),
                                         (LPARAM)Control(id), SMTO_NORMAL, kCommandMs, &result))
            << "command " << id;
    }

    // The combo's selection changed as the user changes it.
    void SelectSet(int index)
    {
        SendMessageA(Control(IDC_PROGRAM_COMBO), CB_SETCURSEL, index, 0);
        Command(IDC_PROGRAM_COMBO, CBN_SELCHANGE);
    }

    std::vector<std::string> ComboTexts() const { return ComboTextsOf(Control(IDC_PROGRAM_COMBO)); }

    static std::vector<std::string> ComboTextsOf(HWND combo)
    {
        std::vector<std::string> texts;
        int count = (int)SendMessageA(combo, CB_GETCOUNT, 0, 0);
        // Wine gives another process the item's text in UTF-16 whichever form is asked for.
        for (int i = 0; i < count; ++i) {
            wchar_t wide[256] = L"";
            SendMessageW(combo, CB_GETLBTEXT, i, (LPARAM)wide);
            char text[512] = "";
            WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), NULL, NULL);
            texts.push_back(text);
        }
        return texts;
    }

    // A real click on the middle of a control of the dialog.
    void ClickControl(int id)
    {
        RECT rect;
        GetWindowRect(Control(id), &rect);
        POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ScreenToClient(m_dialog, &centre);
        UserInput::BringToFront(m_dialog);
        UserInput::Click(m_dialog, centre);
    }

    void ClickRow(ListViewOfProcess& list, int row)
    {
        SendMessageA(Control(IDC_KEY_LIST), LVM_ENSUREVISIBLE, row, FALSE);
        UserInput::BringToFront(m_dialog);
        UserInput::Click(Control(IDC_KEY_LIST), list.RowCentre(row));
    }

    // A program-item or key dialog opened by a command posted to the main dialog, as a click
    // opens it; message boxes alone are answered from here on.
    HWND OpenDialog(int id, const char* caption)
    {
        m_watcher->OnlyCaption("Tandril");
        PostMessageA(m_dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)Control(id));
        return FindDialog(caption);
    }

    // The program's dialog of that caption once it shows, its start-up done.
    HWND FindDialog(const char* caption) const
    {
        HWND dialog = FindTopWindow(caption, m_program->Pid(), kStartMs);
        return dialog != NULL && WaitUntilVisible(dialog, kStartMs) ? dialog : NULL;
    }

    // A command to a dialog of the program, handled when this returns.
    static void DialogCommand(HWND dialog, int id, int code = BN_CLICKED)
    {
        DWORD_PTR result = 0;
        ASSERT_NE(0, SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(id, code),
                                         (LPARAM)GetDlgItem(dialog, id), SMTO_NORMAL, kCommandMs,
                                         &result))
            << "command " << id;
    }

    static void Choose(HWND dialog, int id, int item)
    {
        SendMessageA(GetDlgItem(dialog, id), CB_SETCURSEL, item, 0);
        DialogCommand(dialog, id, CBN_SELCHANGE);
    }

    // Ends the dialog with OK or Cancel and waits until the main dialog has taken the result.
    void EndWith(HWND dialog, int id)
    {
        PostMessageA(dialog, WM_COMMAND, id, 0);
        ASSERT_TRUE(WaitUntil(kCommandMs, [dialog] { return !IsWindow(dialog); }));
        DWORD_PTR result = 0;
        SendMessageTimeoutA(m_dialog, WM_NULL, 0, 0, SMTO_NORMAL, kCommandMs, &result);
    }

    int CurrentSet() const { return (int)SendMessageA(Control(IDC_PROGRAM_COMBO), CB_GETCURSEL, 0, 0); }

    std::vector<std::string> MessageTexts() const
    {
        std::vector<std::string> texts;
        for (const ShownDialog& shown : m_watcher->Dialogs())
            texts.push_back(shown.text);
        return texts;
    }

    int State()
    {
        int state = 0;
        m_service.QueryStatus(state);
        return state;
    }

    std::string OstlerLog() const
    {
        std::string log = TempFolder::ReadWholeFile(kOstlerLog);
        return log.size() > m_logStart ? log.substr(m_logStart) : std::string();
    }

    RemoteServiceValues m_values;
    TandrilFolder m_folder;
    CNtServiceCtrl m_service;
    size_t m_logStart = 0;
    std::unique_ptr<ProgramProcess> m_program;
    std::unique_ptr<DialogWatcher> m_watcher;
    HWND m_dialog = NULL;
};

TEST_F(TandrilProgramTest, InAFreshFolderDefaultWritesTheFactoryMapAndApplyStartsTheService)
{
    Start();
    EXPECT_FALSE(Enabled(IDC_APPLY));
    Command(IDC_RESTORE_DEFAULT);
    std::string factory = FactoryMap();
    ASSERT_EQ(22468u, factory.size());
    EXPECT_TRUE(m_folder.Read("Default.dat") == factory) << "Default.dat is not the factory map";
    EXPECT_TRUE(Enabled(IDC_APPLY));

    Command(IDC_APPLY);
    EXPECT_FALSE(Enabled(IDC_APPLY));
    EXPECT_EQ(0u, GetPrivateProfileIntA("General", "Total", 99, m_folder.File("Service.ini").c_str()));
    // The whole map: the 50 keys, 41 of them with the factory's actions.
    std::string saved = m_folder.Read("Default.dat");
    ASSERT_EQ(50u * kKeyMapRecordSize, saved.size());
    const KeyMapRecord* records = (const KeyMapRecord*)saved.data();
    EXPECT_EQ(242, records[0].remoteKeyId);
    EXPECT_EQ(12, records[0].specialKey);
    EXPECT_EQ(168, records[49].remoteKeyId);

    InstalledService installed = InstalledService::Read();
    ASSERT_TRUE(installed.found);
    EXPECT_EQ(m_folder.File("Ostler.exe"), installed.binaryPath);
    EXPECT_EQ((DWORD)SERVICE_AUTO_START, installed.startType);
    EXPECT_EQ("Quorvex Remote Control Service", installed.displayName);
    EXPECT_TRUE(WaitUntil(kStateWaitMs, [this] { return State() == SERVICE_RUNNING; }));
    EXPECT_TRUE(WaitUntil(kStateWaitMs, [this] {
        return OstlerLog().find("R Default.dat records=50") != std::string::npos;
    })) << OstlerLog();
    EXPECT_NE(std::string::npos, OstlerLog().find("R Service.ini Total=0")) << OstlerLog();
    EXPECT_TRUE(m_watcher->Dialogs().empty());
}

TEST_F(TandrilProgramTest, ServiceButtonsTellTheStateAndTheOutcome)
{
    Start();
    Command(IDC_SERVICE_STATUS);
    Command(IDC_SERVICE_START);
    Command(IDC_RESTORE_DEFAULT);
    Command(IDC_APPLY);
    ASSERT_TRUE(WaitUntil(kStateWaitMs, [this] { return State() == SERVICE_RUNNING; }));
    Command(IDC_SERVICE_STATUS);
    Command(IDC_SERVICE_STOP);
    ASSERT_TRUE(WaitUntil(kStateWaitMs, [this] { return State() == SERVICE_STOPPED; }));
    ASSERT_TRUE(WaitUntil(kStateWaitMs, [] { return !OstlerMutexExists(); }));
    Command(IDC_SERVICE_STATUS);
    Command(IDC_SERVICE_START);
    ASSERT_TRUE(WaitUntil(kStateWaitMs, [this] { return State() == SERVICE_RUNNING; }));
    // Remove says nothing.
    Command(IDC_SERVICE_REMOVE);
    EXPECT_TRUE(WaitUntil(kStateWaitMs, [this] { return State() == CRemoteServiceCtrl::kNotInstalled; }));
    Command(IDC_SERVICE_STATUS);

    std::vector<std::string> expected = {"服务不存在",       "Start Service FAIL", "服务正在运行",
                                         "Stop Service OK",  "服务停止",           "Start Service OK",
                                         "服务不存在"};
    EXPECT_EQ(expected, MessageTexts());
    for (const ShownDialog& shown : m_watcher->Dialogs())
        EXPECT_EQ(m_dialog, shown.owner) << shown.text;
}

TEST_F(TandrilProgramTest, ListsTheKeySetsAndEnablesTheCommandsOfEach)
{
    m_folder.WriteTwoPrograms();
    m_folder.WriteDefaultMap();
    Start();
    std::vector<std::string> sets = {"基础设定", "WINDVR3.0", "mediaplayer9"};
    EXPECT_EQ(sets, ComboTexts());
    EXPECT_EQ(0, (int)SendMessageA(Control(IDC_PROGRAM_COMBO), CB_GETCURSEL, 0, 0));

    ListViewOfProcess list(Control(IDC_KEY_LIST));
    // The default map: the 50 keys in map order, each with its action, then the key of no
    // known kind, which reads empty.
    ASSERT_EQ(50, list.Count());
    EXPECT_EQ(0, list.Selected());
    struct Row
    {
        const char* key;
        const char* text;
    } rows[] = {
        {"Mute", "F8"},
        {"电视", "Path = C:\\Program Files\\Quorvex\\Skyvault III\\Orbitelle.exe, Para = TV"},
        {"退出", "ALT+F4"},
        {"Menu", "CTRL+SHIFT+S"},
        {"开始", "Left WIN"},
        {"桌面", "Left WIN+D"},
        {"语言", ""},
        {"红色", ""},
    };
    for (const Row& row : rows) {
        int found = list.FindRow(row.key);
        ASSERT_GE(found, 0) << row.key;
        EXPECT_EQ(row.text, list.Text(found, 1)) << row.key;
    }
    EXPECT_EQ("Path = " + std::string(260, 'x') + ", Para = p", list.Text(list.FindRow("图文电视"), 1));
    struct Enables
    {
        int id;
        bool forDefault;
    } enables[] = {
        {IDC_KEY_ADD, false},        {IDC_KEY_DELETE, false}, {IDC_PROGRAM_MODIFY, false},
        {IDC_PROGRAM_DELETE, false}, {IDC_RESTORE_DEFAULT, true}, {IDC_KEY_MODIFY, true},
        {IDC_PROGRAM_ADD, true},
    };
    for (const Enables& e : enables)
        EXPECT_EQ(e.forDefault, Enabled(e.id)) << e.id;
    // The fixed keys are shown but never assignable.
    EXPECT_FALSE(Enabled(239));
    EXPECT_FALSE(Enabled(230));
    EXPECT_FALSE(Enabled(175));
    EXPECT_TRUE(Enabled(242));

    SelectSet(1);
    for (const Enables& e : enables)
        EXPECT_EQ(!e.forDefault || e.id == IDC_KEY_MODIFY || e.id == IDC_PROGRAM_ADD, Enabled(e.id)) << e.id;
    ASSERT_EQ(3, list.Count());
    EXPECT_EQ("Mute", list.Text(0, 0));
    EXPECT_EQ("CTRL+A", list.Text(0, 1));
    EXPECT_EQ("Ch+", list.Text(1, 0));
    EXPECT_EQ("ALT+F4", list.Text(1, 1));
    EXPECT_EQ("Esc", list.Text(2, 0));
    EXPECT_EQ(0, list.Selected());

    SelectSet(2);
    ASSERT_EQ(1, list.Count());
    EXPECT_EQ("0", list.Text(0, 0));
    EXPECT_EQ("SHIFT+Z", list.Text(0, 1));

    SelectSet(0);
    EXPECT_EQ(50, list.Count());
    EXPECT_TRUE(Enabled(IDC_RESTORE_DEFAULT));
    EXPECT_FALSE(Enabled(IDC_KEY_DELETE));
    // Switching sets is no change.
    EXPECT_FALSE(Enabled(IDC_APPLY));
}

TEST_F(TandrilProgramTest, KeyButtonsAndListRowsChooseEachOther)
{
    m_folder.WriteTwoPrograms();
    m_folder.WriteDefaultMap();
    Start();
    ListViewOfProcess list(Control(IDC_KEY_LIST));
    ASSERT_EQ(50, list.Count());

    ClickControl(233);
    EXPECT_TRUE(WaitUntil(5000, [&] { return list.Selected() == list.FindRow("Ch+"); }));
    EXPECT_EQ(19, list.Selected());
    // The Power key is disabled: a click on it changes nothing.
    ClickControl(239);
    UserInput::Settle(300);
    EXPECT_EQ(19, list.Selected());
    ClickControl(242);
    EXPECT_TRUE(WaitUntil(5000, [&] { return list.Selected() == 0; }));

    // A chosen row makes its key the highlighted one, which the list chooses again when it is
    // filled anew.
    int ok = list.FindRow("OK");
    ClickRow(list, ok);
    EXPECT_TRUE(WaitUntil(5000, [&] { return list.Selected() == ok; }));
    SelectSet(0);
    EXPECT_EQ(ok, list.Selected());
    // A set without the key chooses its first row, and so its first key.
    SelectSet(1);
    EXPECT_EQ(0, list.Selected());
    SelectSet(0);
    EXPECT_EQ(0, list.Selected());

    // A key the program's table does not hold leaves no row chosen.
    SelectSet(1);
    ClickControl(231);
    EXPECT_TRUE(WaitUntil(5000, [&] { return list.Selected() == -1; }));
    ClickControl(241);
    EXPECT_TRUE(WaitUntil(5000, [&] { return list.Selected() == 2; }));
}

TEST_F(TandrilProgramTest, KeyDeleteRemovesTheRowAndApplyWritesTheTable)
{
    m_folder.WriteTwoPrograms();
    Start();
    ListViewOfProcess list(Control(IDC_KEY_LIST));
    SelectSet(1);
    ASSERT_EQ(3, list.Count());
    ClickRow(list, 1);
    ASSERT_TRUE(WaitUntil(5000, [&] { return list.Selected() == 1; }));

    Command(IDC_KEY_DELETE);
    ASSERT_EQ(2, list.Count());
    EXPECT_EQ("Esc", list.Text(1, 0));
    EXPECT_EQ(1, list.Selected()) << "the position is kept";
    EXPECT_TRUE(Enabled(IDC_APPLY));
    // Written at Apply only.
    EXPECT_EQ((std::vector<int>{242, 233, 241}), m_folder.TableIds("WINDVR30.dat"));

    // The Delete key in the list does the same; the last row goes to the one before. A second
    // click on the same place within the double-click time would open the key dialog.
    UserInput::Settle(GetDoubleClickTime() + 100);
    ClickRow(list, 1);
    UserInput::Key(VK_DELETE);
    EXPECT_TRUE(WaitUntil(5000, [&] { return list.Count() == 1; }));
    EXPECT_EQ("Mute", list.Text(0, 0));
    EXPECT_EQ(0, list.Selected());

    Command(IDC_APPLY);
    EXPECT_FALSE(Enabled(IDC_APPLY));
    EXPECT_EQ((std::vector<int>{242}), m_folder.TableIds("WINDVR30.dat"));
    EXPECT_EQ((std::vector<int>{245}), m_folder.TableIds("mp9.dat"));
    CProgramList programs;
    ASSERT_TRUE(programs.Read(m_folder.File("Service.ini").c_str()));
    ASSERT_EQ(2, programs.GetCount());
    EXPECT_EQ("mp9.dat", std::string(programs.GetAt(1).keyTableFile));
    EXPECT_TRUE(WaitUntil(kStateWaitMs, [this] {
        return OstlerLog().find("R WINDVR30.dat records=1") != std::string::npos;
    })) << OstlerLog();

    // The default map has no key delete, by button or by key.
    SelectSet(0);
    int before = list.Count();
    ClickRow(list, 3);
    UserInput::Key(VK_DELETE);
    Command(IDC_KEY_DELETE);
    EXPECT_EQ(before, list.Count());
    EXPECT_FALSE(Enabled(IDC_APPLY));
}

TEST_F(TandrilProgramTest, EnterKeepsTheDialogAndEscapeClosesItWithoutAsking)
{
    m_folder.WriteTwoPrograms();
    Start();
    SelectSet(1);
    Command(IDC_KEY_DELETE);
    ASSERT_TRUE(Enabled(IDC_APPLY));
    UserInput::BringToFront(m_dialog);
    UserInput::Key(VK_RETURN);
    EXPECT_FALSE(m_program->Wait(1000)) << "Enter closed the dialog";

    UserInput::Key(VK_ESCAPE);
    EXPECT_TRUE(m_program->Wait(kStartMs));
    EXPECT_TRUE(m_watcher->Dialogs().empty());
    EXPECT_EQ(3u, m_folder.TableIds("WINDVR30.dat").size());
    EXPECT_FALSE(m_folder.Exists("Default.dat"));
}

// Damaged files as a power cut or another version leaves them: the program starts, shows the
// sets it can read, and leaves every file byte for byte when it ends without a change.
TEST_F(TandrilProgramTest, DamagedFilesStayAsTheyAreWithoutASave)
{
    m_folder.WriteTwoPrograms();
    std::string service = m_folder.Read("Service.ini");
    service = service.substr(0, service.size() - 7) + "\xFF\xFE[Prog1\r\nTotal=99999999999\r\n";
    std::string table = m_folder.Read("WINDVR30.dat");
    table = "\xFF\xFF\xFF\x7F" + table.substr(4, 30);
    const std::string map = FactoryMap().substr(0, 548 * 3 + 100);
    TempFolder::WriteWholeFile(m_folder.File("Service.ini"), service);
    TempFolder::WriteWholeFile(m_folder.File("WINDVR30.dat"), table);
    TempFolder::WriteWholeFile(m_folder.File("Default.dat"), map);

    Start();
    Command(IDC_EXIT);
    EXPECT_TRUE(m_program->Wait(kStartMs));
    EXPECT_TRUE(m_watcher->Dialogs().empty());
    EXPECT_TRUE(m_folder.Read("Service.ini") == service);
    EXPECT_TRUE(m_folder.Read("WINDVR30.dat") == table);
    EXPECT_TRUE(m_folder.Read("Default.dat") == map);
}

TEST_F(TandrilProgramTest, ExitAsksToSaveOnlyAfterAChange)
{
    struct Case
    {
        bool change;
        int answer;
        size_t tableRecords;  // afterwards
    } cases[] = {
        {false, IDOK, 3},
        {true, IDCANCEL, 3},
        {true, IDOK, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "change " << c.change << ", answer " << c.answer);
        m_folder.WriteTwoPrograms();
        Start();
        m_watcher->PressId(c.answer);
        SelectSet(1);
        if (c.change)
            Command(IDC_KEY_DELETE);
        Command(IDC_EXIT);
        EXPECT_TRUE(m_program->Wait(kStartMs));
        std::vector<ShownDialog> shown = m_watcher->Dialogs();
        if (c.change) {
            ASSERT_EQ(1u, shown.size());
            EXPECT_EQ("提示", shown[0].caption);
            EXPECT_EQ("是否保存所作的修改?", shown[0].text);
        } else {
            EXPECT_TRUE(shown.empty());
        }
        EXPECT_EQ(c.tableRecords, m_folder.TableIds("WINDVR30.dat").size());
        // Only the saving exit restarts the service.
        EXPECT_EQ(c.answer == IDOK && c.change, InstalledService::Read().found);
        m_service.Remove();
        ASSERT_TRUE(WaitUntil(kStateWaitMs, [] { return !OstlerMutexExists(); }));
    }
}

TEST_F(TandrilProgramTest, TheWindowIsThePictureItsTopBandMovesItAndItsSystemMenuHasAbout)
{
    Start();
    EXPECT_EQ(kTitle, WindowTextOf(m_dialog));
    RECT window;
    GetWindowRect(m_dialog, &window);
    EXPECT_EQ(630, window.right - window.left);
    EXPECT_EQ(480, window.bottom - window.top);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, GetWindowRgn(m_dialog, region));
    // The green around the remote control and the panel is cut away.
    EXPECT_FALSE(PtInRegion(region, 2, 2));
    EXPECT_FALSE(PtInRegion(region, 195, 300));
    EXPECT_TRUE(PtInRegion(region, 100, 200));
    EXPECT_TRUE(PtInRegion(region, 400, 300));
    DeleteObject(region);

    UserInput::BringToFront(m_dialog);
    UserInput::Drag(m_dialog, POINT{300, 10}, POINT{340, 30});
    RECT moved;
    EXPECT_TRUE(WaitUntil(5000, [&] {
        GetWindowRect(m_dialog, &moved);
        return moved.left == window.left + 40 && moved.top == window.top + 20;
    })) << moved.left - window.left << "," << moved.top - window.top;
    // Below the band the picture does not move.
    UserInput::Drag(m_dialog, POINT{300, 120}, POINT{340, 140});
    UserInput::Settle(300);
    RECT still;
    GetWindowRect(m_dialog, &still);
    EXPECT_EQ(moved.left, still.left);
    EXPECT_EQ(moved.top, still.top);

    // The system menu's last entry, chosen with the keys (Wine's own About entry shares the
    // access key).
    UserInput::BringToFront(m_dialog);
    UserInput::Key(VK_SPACE, VK_MENU);
    UserInput::Settle(300);
    UserInput::Key(VK_UP);
    UserInput::Key(VK_RETURN);
    ASSERT_TRUE(WaitUntil(5000, [this] { return !m_watcher->Dialogs().empty(); }));
    ShownDialog about = m_watcher->Dialogs()[0];
    EXPECT_EQ("关于 Tandril", about.caption);
    EXPECT_EQ("Tandril 1.0 版", about.text);
    EXPECT_TRUE(IsWindow(m_dialog));
}

// Help files open with the stand-in of an outside program while the test runs, which logs how
// it was started and ends by itself.
class HelpOpener
{
public:
    HelpOpener()
    {
        m_saved = RegGetValueA(HKEY_LOCAL_MACHINE, kChm, NULL, RRF_RT_REG_SZ, NULL, m_type, &m_size) ==
                  ERROR_SUCCESS;
        CRegistryKey chm, command, switches;
        chm.Open(HKEY_LOCAL_MACHINE, kChm);
        chm.SetString("", kKind);
        command.Open(HKEY_LOCAL_MACHINE, kCommandKey);
        std::string line = "\"" + TestFolder() + "\\tandril_program\\simprog.exe\" \"%1\"";
        command.SetString("", line.c_str());
        switches.Open(HKEY_LOCAL_MACHINE, "Software\\Sim\\prog\\simprog");
        switches.SetDWORD("LifeMs", 300);
    }
    ~HelpOpener()
    {
        CRegistryKey chm, switches;
        chm.Open(HKEY_LOCAL_MACHINE, kChm);
        if (m_saved)
            chm.SetString("", m_type);
        else
            chm.DeleteValue("");
        for (const char* key : {kCommandKey, "Software\\Classes\\TandrilHelpTest\\shell\\open",
                                "Software\\Classes\\TandrilHelpTest\\shell", "Software\\Classes\\TandrilHelpTest"})
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
        switches.Open(HKEY_LOCAL_MACHINE, "Software\\Sim\\prog\\simprog");
        switches.DeleteValue("LifeMs");
    }

    // The command lines the stand-in was started with since the object was made.
    static std::vector<std::string> Starts(size_t logStart)
    {
        std::string log = TempFolder::ReadWholeFile(kLog);
        std::vector<std::string> starts;
        for (size_t at = log.find("S pid=", logStart); at != std::string::npos; at = log.find("S pid=", at + 1)) {
            size_t params = log.find("params=", at) + 7;
            starts.push_back(log.substr(params, log.find(" cwd=", params) - params));
        }
        return starts;
    }
    static size_t LogSize() { return TempFolder::ReadWholeFile(kLog).size(); }

private:
    static constexpr const char* kChm = "Software\\Classes\\.chm";
    static constexpr const char* kKind = "TandrilHelpTest";
    static constexpr const char* kCommandKey = "Software\\Classes\\TandrilHelpTest\\shell\\open\\command";
    static constexpr const char* kLog = "C:\\sim\\log\\simprog.log";

    bool m_saved = false;
    char m_type[256] = "";
    DWORD m_size = sizeof(m_type);
};

// Each way in a run of its own: under Wine a second ShellExecute of the same run started no
// opener (the first one's log shows it ended normally).
TEST_F(TandrilProgramTest, HelpButtonAndF1OpenTheProgramFoldersHelpFile)
{
    TempFolder::WriteWholeFile(m_folder.File("Tandril.chm"), "help");
    HelpOpener opener;
    std::string expected = "\"" + m_folder.File("Tandril.chm") + "\"";
    for (bool byKey : {true, false}) {
        SCOPED_TRACE(byKey ? "F1" : "button");
        size_t logStart = HelpOpener::LogSize();
        Start();
        if (byKey) {
            UserInput::BringToFront(m_dialog);
            UserInput::Key(VK_F1);
        } else {
            Command(IDC_HELP_BUTTON);
        }
        EXPECT_TRUE(WaitUntil(kStateWaitMs, [&] { return !HelpOpener::Starts(logStart).empty(); }));
        UserInput::Settle(500);
        // One key press opens the file once; its release does nothing.
        EXPECT_EQ(std::vector<std::string>{expected}, HelpOpener::Starts(logStart));
        EXPECT_TRUE(m_watcher->Dialogs().empty());
    }
}

// Wine's per-program version setting makes Tandril.exe see Windows 98 while the test runs.
class NineXSetting
{
public:
    NineXSetting()
    {
        CRegistryKey key;
        key.Open(HKEY_CURRENT_USER, kNineXSetting);
        key.SetString("Version", "win98");
    }
    ~NineXSetting() { RegDeleteKeyA(HKEY_CURRENT_USER, kNineXSetting); }
};

TEST_F(TandrilProgramTest, OnTheNineXFamilyApplyWritesTheRunValueAndStartsOstlerAsAProgram)
{
    NineXSetting nineX;
    Start();
    Command(IDC_SERVICE_STOP);
    Command(IDC_RESTORE_DEFAULT);
    Command(IDC_APPLY);
    CString run;
    CRegistryKey key;
    ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_LOCAL_MACHINE, kRunKey));
    ASSERT_EQ(ERROR_SUCCESS, key.QueryString(kRemoteServiceName, run));
    EXPECT_EQ(m_folder.File("Ostler.exe"), std::string(run));
    EXPECT_TRUE(WaitUntil(kStateWaitMs, OstlerWindowExists));
    EXPECT_TRUE(WaitUntil(kStateWaitMs, [this] { return OstlerLog().find("P plain") != std::string::npos; }))
        << OstlerLog();
    EXPECT_EQ(CRemoteServiceCtrl::kNotInstalled, State()) << "no service on the 9x family";
    EXPECT_TRUE(WaitUntil(kStateWaitMs, [] { return StartValue() == 1; }));
    Command(IDC_SERVICE_STATUS);
    // Without its window the program cannot be stopped.
    std::vector<std::string> expected = {"Stop Service FAIL", "服务正在运行"};
    EXPECT_EQ(expected, MessageTexts());
}

TEST_F(TandrilProgramTest, AnAddedProgramWithAnAppliedKeyReachesServiceIniAndTheRestartedService)
{
    m_folder.WriteDefaultMap();
    Start();
    HWND item = OpenDialog(IDC_PROGRAM_ADD, "添加遥控项目");
    ASSERT_NE(nullptr, item);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(item, IDC_PRESET_COMBO)));
    Choose(item, IDC_PRESET_COMBO, 2);
    EXPECT_EQ("WINDVR3.0", ControlText(item, IDC_DISPLAY_NAME));
    SetDlgItemTextA(item, IDC_PROGRAM_PATH, "C:\\Program Files\\dvr.exe");
    EndWith(item, IDOK);
    std::vector<std::string> sets = {"基础设定", "WINDVR3.0"};
    EXPECT_EQ(sets, ComboTexts());
    EXPECT_EQ(0, CurrentSet());
    EXPECT_TRUE(Enabled(IDC_APPLY));

    SelectSet(1);
    ListViewOfProcess list(Control(IDC_KEY_LIST));
    EXPECT_EQ(0, list.Count());
    // Mute highlighted: the key dialog offers every key and starts on Mute.
    Command(242);
    HWND keys = OpenDialog(IDC_KEY_ADD, "遥控按键设定");
    ASSERT_NE(nullptr, keys);
    HWND keyCombo = GetDlgItem(keys, IDC_KEY_COMBO);
    std::vector<std::string> offered = ComboTextsOf(keyCombo);
    ASSERT_EQ(50u, offered.size());
    int chosen = (int)SendMessageA(keyCombo, CB_GETCURSEL, 0, 0);
    ASSERT_GE(chosen, 0);
    EXPECT_EQ("Mute", offered[chosen]);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(keys, IDOK)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(keys, IDC_MODE_RUN)));
    SendMessageA(GetDlgItem(keys, IDC_CTRL), BM_CLICK, 0, 0);
    SetDlgItemTextA(keys, IDC_CHARACTER, "m");
    DialogCommand(keys, IDC_KEY_APPLY);
    // Stored and saved at once, and no longer offered.
    CKeyCodeTable table;
    ASSERT_TRUE(table.Load(m_folder.File("WINDVR30.dat").c_str()));
    ASSERT_EQ(1, table.GetCount());
    EXPECT_EQ(242, table.GetAt(0).remoteKeyId);
    EXPECT_EQ(1, table.GetAt(0).ctrl);
    EXPECT_EQ('m', table.GetAt(0).character);
    offered = ComboTextsOf(keyCombo);
    EXPECT_EQ(49u, offered.size());
    EXPECT_EQ(offered.end(), std::find(offered.begin(), offered.end(), "Mute"));
    EndWith(keys, IDCANCEL);
    ASSERT_EQ(1, list.Count());
    EXPECT_EQ("Mute", list.Text(0, 0));
    EXPECT_EQ("CTRL+m", list.Text(0, 1));

    Command(IDC_APPLY);
    CProgramList written;
    ASSERT_TRUE(written.Read(m_folder.File("Service.ini").c_str()));
    ASSERT_EQ(1, written.GetCount());
    EXPECT_EQ(CString("WINDVR3.0"), written.GetAt(0).displayName);
    EXPECT_EQ(CString("C:\\Program Files\\dvr.exe"), written.GetAt(0).applicationFile);
    EXPECT_EQ(CString("WINDVR30.dat"), written.GetAt(0).keyTableFile);
    EXPECT_TRUE(WaitUntil(kStateWaitMs, [this] {
        return OstlerLog().find("R WINDVR30.dat records=1") != std::string::npos;
    })) << OstlerLog();
    EXPECT_NE(std::string::npos, OstlerLog().find("R Service.ini Total=1")) << OstlerLog();
    EXPECT_TRUE(m_watcher->Dialogs().empty());
}

TEST_F(TandrilProgramTest, DeleteRemovesTheShownEntryAndItsFileAndModifyKeepsTheFile)
{
    CProgramList programs;
    programs.Add(ProgramEntry{"Player", "C:\\player.exe", "Player.dat"});
    programs.Add(ProgramEntry{"PLAYER", "C:\\other.exe", "PLAYER2.dat"});
    programs.Write(m_folder.File("Service.ini").c_str());
    CKeyCodeTable table;
    table.Add(KeyCodeRecord{242, 1, 0, 0, 0, 'A'});
    table.Save(m_folder.File("Player.dat").c_str());
    table.Save(m_folder.File("PLAYER2.dat").c_str());
    Start();

    // Of two names that differ only in case, the second goes with its own file.
    SelectSet(2);
    HWND item = OpenDialog(IDC_PROGRAM_DELETE, "删除当前遥控项目");
    ASSERT_NE(nullptr, item);
    EXPECT_EQ("PLAYER", ControlText(item, IDC_DISPLAY_NAME));
    for (int id : {IDC_PRESET_COMBO, IDC_DISPLAY_NAME, IDC_PROGRAM_PATH, IDC_BROWSE_PROGRAM})
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(item, id))) << id;
    EndWith(item, IDOK);
    EXPECT_TRUE(m_folder.Exists("Player.dat"));
    EXPECT_FALSE(m_folder.Exists("PLAYER2.dat"));
    std::vector<std::string> sets = {"基础设定", "Player"};
    EXPECT_EQ(sets, ComboTexts());
    EXPECT_EQ(1, CurrentSet());

    // The entry keeps its file, even under a name whose file would be the default map's.
    item = OpenDialog(IDC_PROGRAM_MODIFY, "修改当前遥控项目");
    ASSERT_NE(nullptr, item);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(item, IDC_PRESET_COMBO)));
    EXPECT_EQ("C:\\player.exe", ControlText(item, IDC_PROGRAM_PATH));
    SetDlgItemTextA(item, IDC_DISPLAY_NAME, "Default");
    SetDlgItemTextA(item, IDC_PROGRAM_PATH, "C:\\new.exe");
    EndWith(item, IDOK);
    sets = {"基础设定", "Default"};
    EXPECT_EQ(sets, ComboTexts());
    Command(IDC_APPLY);
    CProgramList written;
    ASSERT_TRUE(written.Read(m_folder.File("Service.ini").c_str()));
    ASSERT_EQ(1, written.GetCount());
    EXPECT_EQ(CString("Default"), written.GetAt(0).displayName);
    EXPECT_EQ(CString("C:\\new.exe"), written.GetAt(0).applicationFile);
    EXPECT_EQ(CString("Player.dat"), written.GetAt(0).keyTableFile);
    EXPECT_TRUE(m_folder.Exists("Player.dat"));

    // The first program deleted: the default key map is the current set.
    item = OpenDialog(IDC_PROGRAM_DELETE, "删除当前遥控项目");
    ASSERT_NE(nullptr, item);
    EndWith(item, IDOK);
    EXPECT_FALSE(m_folder.Exists("Player.dat"));
    EXPECT_EQ(0, CurrentSet());
    EXPECT_TRUE(Enabled(IDC_RESTORE_DEFAULT));
    EXPECT_EQ(std::vector<std::string>({"基础设定"}), ComboTexts());
    EXPECT_TRUE(m_watcher->Dialogs().empty());
}

TEST_F(TandrilProgramTest, KeyModifyOnTheDefaultMapEditsRunRecordsAndSavesAtOnce)
{
    m_folder.WriteDefaultMap();
    Start();
    ListViewOfProcess list(Control(IDC_KEY_LIST));
    int tv = list.FindRow("电视");
    ASSERT_GE(tv, 0);
    ClickRow(list, tv);
    ASSERT_TRUE(WaitUntil(5000, [&] { return list.Selected() == tv; }));
    // A double click opens the dialog on the row.
    m_watcher->OnlyCaption("Tandril");
    UserInput::BringToFront(m_dialog);
    UserInput::DoubleClick(Control(IDC_KEY_LIST), list.RowCentre(tv));
    HWND keys = FindDialog("遥控按键设定");
    ASSERT_NE(nullptr, keys);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(keys, IDC_MODE_RUN)));
    EXPECT_EQ(BST_CHECKED, SendMessageA(GetDlgItem(keys, IDC_MODE_RUN), BM_GETCHECK, 0, 0));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(keys, IDC_COMMAND_PATH)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(keys, IDC_CTRL)));
    SetDlgItemTextA(keys, IDC_COMMAND_PARAMS, "Radio");
    DialogCommand(keys, IDC_KEY_APPLY);
    std::string saved = m_folder.Read("Default.dat");
    ASSERT_EQ(50u * kKeyMapRecordSize, saved.size());
    const KeyMapRecord& record = ((const KeyMapRecord*)saved.data())[tv];
    EXPECT_EQ(KeyMapRecord::kModeRun, record.mode);
    EXPECT_STREQ("Radio", record.parameters);
    EndWith(keys, IDCANCEL);
    EXPECT_EQ("Path = C:\\Program Files\\Quorvex\\Skyvault III\\Orbitelle.exe, Para = Radio",
              list.Text(list.FindRow("电视"), 1));
    EXPECT_TRUE(Enabled(IDC_APPLY));
}

TEST_F(TandrilProgramTest, SpaceOpensKeyModifyOnAProgramsTableWhichHasNoRunMode)
{
    m_folder.WriteTwoPrograms();
    Start();
    SelectSet(1);
    ListViewOfProcess list(Control(IDC_KEY_LIST));
    ASSERT_EQ(3, list.Count());
    ClickRow(list, 1);
    ASSERT_TRUE(WaitUntil(5000, [&] { return list.Selected() == 1; }));
    m_watcher->OnlyCaption("Tandril");
    UserInput::Key(VK_SPACE);
    HWND keys = FindDialog("遥控按键设定");
    ASSERT_NE(nullptr, keys);
    HWND keyCombo = GetDlgItem(keys, IDC_KEY_COMBO);
    EXPECT_EQ(std::vector<std::string>({"Mute", "Ch+", "Esc"}), ComboTextsOf(keyCombo));
    EXPECT_EQ(1, (int)SendMessageA(keyCombo, CB_GETCURSEL, 0, 0));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(keys, IDOK)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(keys, IDC_MODE_RUN)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(keys, IDC_MODE_KEYSTROKE)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(keys, IDC_COMMAND_PATH)));
    EXPECT_EQ("ALT+F4", list.Text(1, 1));

    // Shift on Ch+ dropped by choosing Esc; Esc gets Shift and the whole table is saved.
    SendMessageA(GetDlgItem(keys, IDC_SHIFT), BM_CLICK, 0, 0);
    Choose(keys, IDC_KEY_COMBO, 2);
    SendMessageA(GetDlgItem(keys, IDC_SHIFT), BM_CLICK, 0, 0);
    EndWith(keys, IDOK);
    CKeyCodeTable table;
    ASSERT_TRUE(table.Load(m_folder.File("WINDVR30.dat").c_str()));
    ASSERT_EQ(3, table.GetCount());
    EXPECT_EQ(0, table.GetAt(1).shift);
    EXPECT_EQ(241, table.GetAt(2).remoteKeyId);
    EXPECT_EQ(1, table.GetAt(2).shift);
    EXPECT_EQ("CTRL+SHIFT+B", list.Text(2, 1));
    EXPECT_TRUE(Enabled(IDC_APPLY));
    EXPECT_TRUE(m_watcher->Dialogs().empty());
}

} // namespace
