// The preferences as a user reaches them in the running desktop: command 2200 (the caption
// bar's settings button) opens the dialog; the test reads its tree, fills its pages' edits,
// presses OK or Cancel, and looks at what the desktop did: the Run key, the Start-menu
// shortcuts, the profile, its browsers and the settings archive it writes at exit.
#include <gtest/gtest.h>

#include "VelmoraInstallation.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

namespace {

const char kPreferencesTitle[] = "\xCE\xD2\xB5\xC4\xC9\xE8\xD6\xC3";  // 我的设置
const char kAppTitle[] = "Quorvex\xC3\xBD\xCC\xE5\xD3\xE9\xC0\xD6\xD6\xD0\xD0\xC4";
const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// 系统设置, 我的电视, 我的图片, 我的视频, 我的音乐
const char* const kCaptions[] = {"\xCF\xB5\xCD\xB3\xC9\xE8\xD6\xC3", "\xCE\xD2\xB5\xC4\xB5\xE7\xCA\xD3",
                                 "\xCE\xD2\xB5\xC4\xCD\xBC\xC6\xAC", "\xCE\xD2\xB5\xC4\xCA\xD3\xC6\xB5",
                                 "\xCE\xD2\xB5\xC4\xD2\xF4\xC0\xD6"};
enum { kGeneralPage, kTvPage, kPicturePage, kVideoPage, kMusicPage };
const int kCaptionId = 1005;
const int kTreeId = 1006;
const UINT ID_PREFERENCES = 2200;

// A 2 by 2 red picture, 24 bits a pixel.
std::string RedBmp()
{
    std::string pixels;
    for (int row = 0; row < 2; ++row)
        pixels += std::string("\x00\x00\xFF\x00\x00\xFF\x00\x00", 8);
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + (DWORD)pixels.size();
    info.biSize = sizeof(info);
    info.biWidth = 2;
    info.biHeight = 2;
    info.biPlanes = 1;
    info.biBitCount = 24;
    return std::string((const char*)&file, sizeof(file)) + std::string((const char*)&info, sizeof(info)) +
           pixels;
}

// A value's bytes, "<none>" when it is missing.
std::string ReadValue(HKEY root, const char* path, const char* name)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return "<none>";
    char value[MAX_PATH * 2] = "";
    DWORD size = sizeof(value) - 1;
    const bool read = RegQueryValueExA(key, name, NULL, NULL, (BYTE*)value, &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return read ? std::string(value, size) : "<none>";
}

DWORD ReadProfileValue(const char* name, DWORD missing)
{
    const std::string bytes = ReadValue(HKEY_CURRENT_USER, kProfileSettings, name);
    DWORD value = missing;
    if (bytes.size() == sizeof(value))
        memcpy(&value, bytes.data(), sizeof(value));
    return value;
}

void DeleteProfileValue(const char* name)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kProfileSettings, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

// The Run value of the desktop, without its terminator; "<none>" when there is none.
std::string RunValue()
{
    const std::string bytes = ReadValue(HKEY_LOCAL_MACHINE, kRunKey, kAppTitle);
    return bytes == "<none>" ? bytes : std::string(bytes.c_str());
}

void DeleteRunValue()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, kAppTitle);
    RegCloseKey(key);
}

std::string CommonPrograms()
{
    char path[MAX_PATH] = "";
    SHGetSpecialFolderPathA(NULL, path, CSIDL_COMMON_PROGRAMS, TRUE);
    return path;
}

std::wstring Wide(const std::string& text)
{
    WCHAR wide[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, MAX_PATH);
    return wide;
}

bool MakeShortcut(const std::string& link, const std::string& target, const std::string& arguments)
{
    IShellLinkA* shortcut = NULL;
    IPersistFile* file = NULL;
    bool made = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                           (void**)&shortcut)) &&
                SUCCEEDED(shortcut->SetPath(target.c_str())) &&
                SUCCEEDED(shortcut->SetArguments(arguments.c_str())) &&
                SUCCEEDED(shortcut->QueryInterface(IID_IPersistFile, (void**)&file)) &&
                SUCCEEDED(file->Save(Wide(link).c_str(), TRUE));
    if (file)
        file->Release();
    if (shortcut)
        shortcut->Release();
    return made;
}

// "target|arguments" of a shortcut, "<none>" when it cannot be read.
std::string ShortcutOf(const std::string& link)
{
    IShellLinkA* shortcut = NULL;
    IPersistFile* file = NULL;
    char target[MAX_PATH] = "";
    char arguments[MAX_PATH] = "";
    bool read = GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES &&
                SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                           (void**)&shortcut)) &&
                SUCCEEDED(shortcut->QueryInterface(IID_IPersistFile, (void**)&file)) &&
                SUCCEEDED(file->Load(Wide(link).c_str(), STGM_READ)) &&
                SUCCEEDED(shortcut->GetPath(target, MAX_PATH, NULL, 0)) &&
                SUCCEEDED(shortcut->GetArguments(arguments, MAX_PATH));
    if (file)
        file->Release();
    if (shortcut)
        shortcut->Release();
    return read ? std::string(target) + "|" + arguments : "<none>";
}

std::string Lower(std::string text)
{
    CharLowerBuffA(&text[0], (DWORD)text.size());
    return text;
}

// The preferences dialog of a running desktop, driven from this process.
class PreferencesDialog
{
public:
    // Opens it as the caption bar's settings button does.
    explicit PreferencesDialog(HWND frame) : m_frame(frame)
    {
        PostMessageA(frame, WM_COMMAND, ID_PREFERENCES, 0);
        m_dialog = FindTopWindow(kPreferencesTitle, ProcessOf(frame), 10000);
        if (m_dialog)
            WaitUntilVisible(m_dialog, 10000);
    }

    HWND Window() const { return m_dialog; }
    bool IsOpen() const { return IsWindow(m_dialog) && IsWindowVisible(m_dialog); }
    std::string Caption() const { return WindowTextOf(GetDlgItem(m_dialog, kCaptionId)); }

    // The tree's item texts, read through a buffer in the desktop's process.
    std::vector<std::string> TreeTexts() const
    {
        std::vector<std::string> texts;
        HWND tree = GetDlgItem(m_dialog, kTreeId);
        HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                     ProcessOf(m_dialog));
        char* buffer = process ? (char*)VirtualAllocEx(process, NULL, 4096, MEM_COMMIT | MEM_RESERVE,
                                                       PAGE_READWRITE)
                               : NULL;
        for (HTREEITEM item = Item(0); buffer && item;
             item = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)item)) {
            TVITEMA request = {};
            request.mask = TVIF_TEXT;
            request.hItem = item;
            request.pszText = buffer + 1024;
            request.cchTextMax = 256;
            WriteProcessMemory(process, buffer, &request, sizeof(request), NULL);
            SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)buffer);
            char text[256] = "";
            ReadProcessMemory(process, buffer + 1024, text, sizeof(text) - 1, NULL);
            texts.push_back(text);
        }
        if (buffer)
            VirtualFreeEx(process, buffer, 0, MEM_RELEASE);
        if (process)
            CloseHandle(process);
        return texts;
    }

    // The index of the tree's selected item, -1 for none.
    int SelectedItem() const
    {
        HWND tree = GetDlgItem(m_dialog, kTreeId);
        HTREEITEM selected = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
        for (int i = 0; i < 5; ++i) {
            if (selected && Item(i) == selected)
                return i;
        }
        return -1;
    }

    // Selects the page in the tree, as a click does, and waits until it shows.
    bool ShowPage(int page)
    {
        SendMessageA(GetDlgItem(m_dialog, kTreeId), TVM_SELECTITEM, TVGN_CARET, (LPARAM)Item(page));
        return ShowsPage(page);
    }
    bool ShowsPage(int page) const
    {
        return WaitUntil(5000, [&] { return Caption() == kCaptions[page] && VisiblePage() != NULL; });
    }

    // A control of the page shown.
    HWND Control(int id) const { return GetDlgItem(VisiblePage(), id); }
    std::string Text(int id) const { return WindowTextOf(Control(id)); }
    void SetText(int id, const std::string& text) const
    {
        SendMessageA(Control(id), WM_SETTEXT, 0, (LPARAM)text.c_str());
    }
    void SetCheck(int id, bool checked) const
    {
        SendMessageA(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    void Press(int id) const
    {
        PostMessageA(m_dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(m_dialog, id));
    }
    // Presses OK or Cancel and waits for the dialog to go and for the command that opened it
    // to end: the desktop answers a message again only then.
    bool Close(int id) const
    {
        Press(id);
        DWORD_PTR answer = 0;
        return WaitUntil(10000, [&] { return !IsWindow(m_dialog); }) &&
               SendMessageTimeoutA(m_frame, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer) != 0;
    }

private:
    HTREEITEM Item(int index) const
    {
        HWND tree = GetDlgItem(m_dialog, kTreeId);
        HTREEITEM item = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
        for (int i = 0; item && i < index; ++i)
            item = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)item);
        return item;
    }
    HWND VisiblePage() const
    {
        for (HWND child = FindWindowExA(m_dialog, NULL, "#32770", NULL); child;
             child = FindWindowExA(m_dialog, child, "#32770", NULL)) {
            if (IsWindowVisible(child))
                return child;
        }
        return NULL;
    }

    HWND m_frame;
    HWND m_dialog = NULL;
};

// An installation whose test leaves the Run value, the profile's page and start-hidden values
// and the Start menu's folder as it found them: absent.
class PreferencesTest : public ::testing::Test
{
protected:
    PreferencesTest() : m_shortcuts(CommonPrograms() + "\\Quorvex")
    {
        CoInitialize(NULL);
        Clean();
        CreateDirectoryA(m_shortcuts.c_str(), NULL);
    }
    ~PreferencesTest() override
    {
        Clean();
        CoUninitialize();
    }

    void Clean()
    {
        DeleteRunValue();
        DeleteProfileValue("nCurPage");
        DeleteProfileValue("StartupHide");
        DeleteFileA((m_shortcuts + "\\Skyvault II.lnk").c_str());
        DeleteFileA((m_shortcuts + "\\Reelview.lnk").c_str());
        RemoveDirectoryA(m_shortcuts.c_str());
    }

    HWND StartDesktop(const char* words = "")
    {
        EXPECT_EQ(0, m_installation.Start(words));
        return TheDesktop();
    }
    std::string Archive() const
    {
        return TempFolder::ReadWholeFile(m_installation.Program("VLM.exe.sav"));
    }

    Installation m_installation;
    const std::string m_shortcuts;
};

}  // namespace

TEST_F(PreferencesTest, TheSettingsButtonOpensTheFivePagesAndTheDialogReopensOnTheLastOne)
{
    HWND frame = StartDesktop();
    ASSERT_TRUE(frame != NULL);
    {
        PreferencesDialog dialog(frame);
        ASSERT_TRUE(dialog.IsOpen());
        EXPECT_EQ(std::vector<std::string>(std::begin(kCaptions), std::end(kCaptions)), dialog.TreeTexts());
        EXPECT_TRUE(dialog.ShowsPage(kGeneralPage));
        EXPECT_EQ(kGeneralPage, dialog.SelectedItem());
        ASSERT_TRUE(dialog.ShowPage(kVideoPage));
        EXPECT_EQ(kVideoPage, dialog.SelectedItem());
        EXPECT_EQ(m_installation.Videos(), dialog.Text(1014));
        // Escape in a page's edit does not close the dialog.
        PostMessageA(dialog.Control(1014), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        Sleep(500);
        EXPECT_TRUE(dialog.IsOpen());
        // Cancel keeps nothing of a change.
        dialog.SetText(1014, m_installation.Root());
        ASSERT_TRUE(dialog.Close(IDCANCEL));
    }
    EXPECT_EQ((DWORD)kVideoPage, ReadProfileValue("nCurPage", 99));
    {
        PreferencesDialog dialog(frame);
        ASSERT_TRUE(dialog.IsOpen());
        EXPECT_TRUE(dialog.ShowsPage(kVideoPage));
        EXPECT_EQ(kVideoPage, dialog.SelectedItem());
        EXPECT_EQ(m_installation.Videos(), dialog.Text(1014));
        ASSERT_TRUE(dialog.Close(IDCANCEL));
    }
    EXPECT_TRUE(CloseDesktop(frame));
    EXPECT_EQ(m_installation.GetSettings().Encode(), Archive());
}

// A settings file cut short by one byte, as a power cut leaves it: the desktop starts with the
// defaults, leaves the file as it is while nothing changes, and saves the defaults with the
// user's change once there is one.
TEST_F(PreferencesTest, ADamagedFileGivesTheDefaultsAndStaysUntilASettingChanges)
{
    const std::string good = m_installation.GetSettings().Encode();
    const std::string damaged = good.substr(0, good.size() - 1);
    m_installation.SetArchive(damaged);
    Settings defaults;
    const std::string folder = m_installation.Program("");
    defaults.tvProgram = folder + "Kavex.exe";
    defaults.pictureFolder = folder + "TVPicture";
    defaults.musicFolder = folder + "TVVideo";
    defaults.musicPlayer = "C:\\Program Files\\Quorvex\\Reelview\\Reelview.exe";
    defaults.videoFolder = "C:\\TVVideo";
    defaults.videoPlayer = defaults.musicPlayer;
    defaults.backgrounds[0] = folder + "skin\\Main.jpg";
    for (int i = 1; i < 4; ++i)
        defaults.backgrounds[i] = folder + "skin\\bk.jpg";
    defaults.videoTypes = ".mpeg.m1v.mp2.mpa.mpe.asx.wax.m3u.wpl.wvx.wmx.mid.rmi.midi.wm.wma.wmv.wmd..asf.avi.mpg"
                          ".wmv.rm.";
    defaults.pictureTypes = ".jpg.jpeg.bmp.gif.";
    defaults.musicTypes = ".wma.mp3.rm.wav.m3u.";

    HWND frame = StartDesktop();
    ASSERT_TRUE(frame != NULL);
    {
        PreferencesDialog dialog(frame);
        ASSERT_TRUE(dialog.IsOpen());
        ASSERT_TRUE(dialog.ShowPage(kVideoPage));
        EXPECT_EQ(defaults.videoFolder, dialog.Text(1014));
        ASSERT_TRUE(dialog.Close(IDOK));
    }
    EXPECT_TRUE(CloseDesktop(frame));
    EXPECT_TRUE(Archive() == damaged) << "written over although no setting changed";

    frame = StartDesktop();
    ASSERT_TRUE(frame != NULL);
    {
        PreferencesDialog dialog(frame);
        ASSERT_TRUE(dialog.IsOpen());
        ASSERT_TRUE(dialog.ShowPage(kVideoPage));
        dialog.SetText(1014, m_installation.Videos());
        ASSERT_TRUE(dialog.Close(IDOK));
    }
    EXPECT_TRUE(CloseDesktop(frame));
    defaults.videoFolder = m_installation.Videos();
    EXPECT_EQ(defaults.Encode(), Archive());
}

TEST_F(PreferencesTest, RunAtWindowsStartWritesTheProgramsPathAndSwitchedOffDeletesIt)
{
    HWND frame = StartDesktop();
    ASSERT_TRUE(frame != NULL);
    const char* const expected[] = {"on", "on", "off"};
    for (const char* state : expected) {
        SCOPED_TRACE(state);
        PreferencesDialog dialog(frame);
        ASSERT_TRUE(dialog.IsOpen());
        ASSERT_TRUE(dialog.ShowsPage(kGeneralPage));
        dialog.SetCheck(1024, strcmp(state, "on") == 0);
        ASSERT_TRUE(dialog.Close(IDOK));
        if (strcmp(state, "on") == 0)
            EXPECT_EQ(Lower(m_installation.Program()), Lower(RunValue()));
        else
            EXPECT_EQ("<none>", RunValue());
    }
    EXPECT_TRUE(CloseDesktop(frame));
}

TEST_F(PreferencesTest, ARefusedValueKeepsTheDialogOpenOnItsPageAndNothingIsApplied)
{
    struct Case
    {
        int page;
        int control;
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {kPicturePage, 1019, "0", "Please enter an integer between 1 and 100."},
        {kPicturePage, 1019, "101", "Please enter an integer between 1 and 100."},
        {kPicturePage, 1019, "ten", "Please enter an integer."},
        {kVideoPage, 1016, std::string(256, 'x'), "Please enter no more than 255 characters."},
        {kPicturePage, 1015, std::string(257, '.'), "Please enter no more than 256 characters."},
    };
    HWND frame = StartDesktop();
    ASSERT_TRUE(frame != NULL);
    DialogWatcher boxes(ProcessOf(frame));
    boxes.OnlyCaption(kAppTitle);
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(i);
        PreferencesDialog dialog(frame);
        ASSERT_TRUE(dialog.IsOpen());
        // A change on a page before the refused one, which OK would have applied.
        ASSERT_TRUE(dialog.ShowPage(kGeneralPage));
        dialog.SetCheck(1024, true);
        ASSERT_TRUE(dialog.ShowPage(c.page));
        dialog.SetText(c.control, c.text);
        ASSERT_TRUE(dialog.ShowPage(kTvPage));
        const size_t shown = boxes.Dialogs().size();
        dialog.Press(IDOK);
        ASSERT_TRUE(WaitUntil(10000, [&] { return boxes.Dialogs().size() == shown + 1; }));
        EXPECT_EQ(c.message, boxes.Dialogs().back().text);
        EXPECT_TRUE(dialog.ShowsPage(c.page));
        EXPECT_TRUE(dialog.IsOpen());
        ASSERT_TRUE(dialog.Close(IDCANCEL));
    }
    EXPECT_EQ("<none>", RunValue());
    EXPECT_TRUE(CloseDesktop(frame));
    EXPECT_EQ(m_installation.GetSettings().Encode(), Archive());
}

TEST_F(PreferencesTest, TheTvProgramAndThePlayerRepointTheirStartMenuShortcuts)
{
    const std::string tvLink = m_shortcuts + "\\Skyvault II.lnk";
    const std::string playerLink = m_shortcuts + "\\Reelview.lnk";
    const std::string newTv = m_installation.Program("NewTv.exe");
    const std::string newPlayer = m_installation.Root() + "\\Media Player\\Other.exe";
    CopyFileA(m_installation.Program("Kavex.exe").c_str(), newTv.c_str(), FALSE);
    CopyFileA(m_installation.Player().c_str(), newPlayer.c_str(), FALSE);
    ASSERT_TRUE(MakeShortcut(tvLink, m_installation.Program("Kavex.exe"), "/old"));
    ASSERT_TRUE(MakeShortcut(playerLink, m_installation.Player(), "/old"));

    HWND frame = StartDesktop();
    ASSERT_TRUE(frame != NULL);
    {
        PreferencesDialog dialog(frame);
        ASSERT_TRUE(dialog.IsOpen());
        ASSERT_TRUE(dialog.ShowPage(kTvPage));
        dialog.SetText(1010, newTv);
        ASSERT_TRUE(dialog.ShowPage(kVideoPage));
        dialog.SetText(1015, newPlayer);
        ASSERT_TRUE(dialog.Close(IDOK));
    }
    EXPECT_EQ(Lower(newTv + "|"), Lower(ShortcutOf(tvLink)));
    EXPECT_EQ(Lower(newPlayer + "|"), Lower(ShortcutOf(playerLink)));

    // A missing shortcut is not made.
    DeleteFileA(tvLink.c_str());
    {
        PreferencesDialog dialog(frame);
        ASSERT_TRUE(dialog.IsOpen());
        ASSERT_TRUE(dialog.ShowPage(kTvPage));
        dialog.SetText(1010, m_installation.Program("Kavex.exe"));
        ASSERT_TRUE(dialog.Close(IDOK));
    }
    EXPECT_TRUE(CloseDesktop(frame));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(tvLink.c_str()));
    Settings expected = m_installation.GetSettings();
    expected.videoPlayer = newPlayer;
    EXPECT_EQ(expected.Encode(), Archive());
}

TEST_F(PreferencesTest, ABackgroundIsTakenOnlyWhenItIsAnotherPicture)
{
    const std::string picture = m_installation.Root() + "\\Red.bmp";
    const std::string other = m_installation.Root() + "\\Other Red.bmp";
    const std::string notPicture = m_installation.Root() + "\\Notes.bmp";
    ASSERT_TRUE(TempFolder::WriteWholeFile(picture, RedBmp()));
    ASSERT_TRUE(TempFolder::WriteWholeFile(other, RedBmp()));
    ASSERT_TRUE(TempFolder::WriteWholeFile(notPicture, "no picture at all"));
    Settings& settings = m_installation.GetSettings();
    for (std::string& background : settings.backgrounds)
        background = picture;

    HWND frame = StartDesktop();
    ASSERT_TRUE(frame != NULL);
    {
        PreferencesDialog dialog(frame);
        ASSERT_TRUE(dialog.IsOpen());
        ASSERT_TRUE(dialog.ShowPage(kGeneralPage));
        dialog.SetText(1022, notPicture);
        ASSERT_TRUE(dialog.ShowPage(kPicturePage));
        dialog.SetText(1013, Lower(picture));
        ASSERT_TRUE(dialog.ShowPage(kVideoPage));
        dialog.SetText(1016, other);
        ASSERT_TRUE(dialog.Close(IDOK));
    }
    EXPECT_TRUE(CloseDesktop(frame));
    Settings expected = settings;
    expected.backgrounds[2] = other;  // main, pictures, video, music
    EXPECT_EQ(expected.Encode(), Archive());
}

TEST_F(PreferencesTest, ChangedFoldersAndTypesReachTheBrowsersAtOnceAndEverythingIsKept)
{
    const std::string films = m_installation.Root() + "\\New Films";
    CreateDirectoryA(films.c_str(), NULL);
    TempFolder::WriteWholeFile(films + "\\a.avi", "not a film");
    TempFolder::WriteWholeFile(films + "\\b.zzq", "nothing plays this");
    const std::string music = m_installation.Root() + "\\New Music";
    CreateDirectoryA(music.c_str(), NULL);

    HWND frame = StartDesktop("Video");
    ASSERT_TRUE(frame != NULL);
    ASSERT_TRUE(ShowsPage(frame, 2));
    {
        PreferencesDialog dialog(frame);
        ASSERT_TRUE(dialog.IsOpen());
        ASSERT_TRUE(dialog.ShowPage(kGeneralPage));
        dialog.SetCheck(1020, true);
        dialog.SetCheck(1026, true);
        dialog.SetCheck(1027, false);
        ASSERT_TRUE(dialog.ShowPage(kPicturePage));
        dialog.SetText(1012, m_installation.Root());
        dialog.SetText(1019, "9");
        dialog.SetCheck(1025, true);
        dialog.SetText(1015, ".png.");
        ASSERT_TRUE(dialog.ShowPage(kVideoPage));
        dialog.SetText(1014, films);
        dialog.SetText(1017, ".zzq.");
        ASSERT_TRUE(dialog.ShowPage(kMusicPage));
        dialog.SetText(1017, music);
        dialog.SetText(1018, m_installation.Program("Kavex.exe"));
        dialog.SetText(1020, ".ogg.");
        ASSERT_TRUE(dialog.Close(IDOK));
    }
    EXPECT_EQ(1u, ReadProfileValue("StartupHide", 99));
    EXPECT_EQ(0u, ReadProfileValue("bCloseAllOnExit", 99));

    // The video browser lists the new folder's files of the new type after its up entry.
    HWND browser = GetDlgItem(Scene(frame, 2), kVideoBrowserId);
    ASSERT_TRUE(browser != NULL);
    PostMessageA(Scene(frame, 2), WM_KIT_ACTIVATE, (WPARAM)browser, 1);
    EXPECT_TRUE(LogHas("Reelview", "params=\"" + ShortPath(films + "\\b.zzq") + "\""))
        << StubLog("Reelview");

    EXPECT_TRUE(CloseDesktop(frame));
    Settings expected = m_installation.GetSettings();
    expected.allowSeveralMedia = 1;
    expected.pictureFolder = m_installation.Root();
    expected.slideshowSeconds = 9;
    expected.stretch = 1;
    expected.pictureTypes = ".png.";
    expected.videoFolder = films;
    expected.videoTypes = ".zzq.";
    expected.musicFolder = music;
    expected.musicPlayer = m_installation.Program("Kavex.exe");
    expected.musicTypes = ".ogg.";
    EXPECT_EQ(expected.Encode(), Archive());
}
