// The desktop program as users and other programs start it: vlm.exe in a scratch program folder
// named "TV" (a folder name is no command word), with copies of the outside-program stand-in as
// its TV program and video player. The desktop is watched from here through its window, the
// stand-ins' logs and the debug viewer.
#include <gtest/gtest.h>

#include "VelmoraInstallation.h"

TEST(VelmoraLauncher, StartsRelaunchTheProgramOnceAndLaterStartsHandTheirRequestOver)
{
    DebugHelperWindow viewer;
    Installation installation;
    // The folder "TV" of the program's path is no request: the picture page opens and the TV
    // program stays off.
    EXPECT_EQ(0, installation.Start("Picture"));
    HWND frame = TheDesktop();
    ASSERT_TRUE(frame != NULL);
    const DWORD desktop = ProcessOf(frame);
    EXPECT_TRUE(ShowsPage(frame, 1));
    EXPECT_TRUE(TraceHas(viewer, "\xBC\xA4\xBB\xEEPicture"));
    Sleep(1000);
    EXPECT_EQ("", StubLog("Kavex"));

    EXPECT_EQ(0, installation.Start("TV"));
    EXPECT_TRUE(ShowsPage(frame, 0));
    EXPECT_TRUE(LogHas("Kavex", "params=/StartupFullScreen cwd="));
    EXPECT_EQ(1u, WindowsTitled(kTitle).size());
    EXPECT_EQ(desktop, ProcessOf(TheDesktop()));

    // Word order: "TV" before "Picture", also within one word; "Video" before "Music".
    EXPECT_EQ(0, installation.Start("Music Video"));
    EXPECT_TRUE(ShowsPage(frame, 2));
    EXPECT_EQ(0, installation.Start("PictureTV"));
    EXPECT_TRUE(ShowsPage(frame, 0));
    EXPECT_TRUE(WaitUntil(10000, [] { return CountOf(StubLog("Kavex"), "S pid=") == 2; }));
    EXPECT_EQ(1u, WindowsTitled(kTitle).size());
    EXPECT_TRUE(CloseDesktop(frame));
}

TEST(VelmoraLauncher, TheKeyMapsNameStartsTheSameSingleDesktop)
{
    Installation installation;
    // Orbitelle.exe as the first start relaunches vlm.exe, which then runs the desktop.
    EXPECT_EQ(0, installation.Start("TV", "Orbitelle.exe"));
    HWND frame = TheDesktop();
    ASSERT_TRUE(frame != NULL);
    EXPECT_TRUE(LogHas("Kavex", "params=/StartupFullScreen"));
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, ProcessOf(frame));
    char image[MAX_PATH] = "";
    DWORD size = MAX_PATH;
    QueryFullProcessImageNameA(process, 0, image, &size);
    CloseHandle(process);
    EXPECT_STRCASEEQ(installation.Program().c_str(), image);

    EXPECT_EQ(0, installation.Start("TV", "Orbitelle.exe"));
    EXPECT_TRUE(WaitUntil(10000, [] { return CountOf(StubLog("Kavex"), "S pid=") == 2; }));
    EXPECT_EQ(1u, WindowsTitled(kTitle).size());
    EXPECT_TRUE(CloseDesktop(frame));
}

TEST(VelmoraLauncher, PlayingAVideoClosesTheTvProgramAndTheDesktopReturnsWhenThePlayerEnds)
{
    Installation installation;
    EXPECT_EQ(0, installation.Start("Video"));
    HWND frame = TheDesktop();
    ASSERT_TRUE(frame != NULL);
    ASSERT_TRUE(ShowsPage(frame, 2));
    PostMessageA(frame, WM_ACTIVATE_REQUEST, 0, 2202);
    // A program is closed through its window, once it has one.
    ASSERT_TRUE(installation.WaitForWindow(kTvWindow) != NULL);

    // The browser lists the folder's up entry, then the files by name.
    HWND browser = GetDlgItem(Scene(frame, 2), kVideoBrowserId);
    ASSERT_TRUE(browser != NULL);
    PostMessageA(Scene(frame, 2), WM_KIT_ACTIVATE, (WPARAM)browser, 1);
    EXPECT_TRUE(LogHas("Kavex", "M WM_CLOSE"));
    EXPECT_TRUE(LogHas("Kavex", "X 0"));
    const std::string params = "params=\"" + ShortPath(installation.Videos() + "\\clip one.avi") +
                               "\" /H=" + std::to_string((long)(INT_PTR)frame) + " cwd=" +
                               ShortPath(installation.Player()).substr(
                                   0, ShortPath(installation.Player()).rfind('\\'));
    EXPECT_TRUE(LogHas("Reelview", params)) << StubLog("Reelview");

    // The player took the screen; when it ends the desktop comes back maximised, in front.
    PostMessageA(frame, WM_RELEASE_DEVICE, 0, 0);
    ASSERT_TRUE(WaitUntil(5000, [&] { return IsIconic(frame) != FALSE; }));
    HWND player = installation.WaitForWindow("Reelview");
    ASSERT_TRUE(player != NULL);
    PostMessageA(player, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil(5000, [&] { return IsZoomed(frame) && GetForegroundWindow() == frame; }));
    EXPECT_TRUE(CloseDesktop(frame));
}

TEST(VelmoraLauncher, AChildThatIgnoresCloseIsTerminatedAfterItsRounds)
{
    DebugHelperWindow viewer;
    Installation installation;
    Installation::SetStubSwitch("IgnoreClose", 1);
    EXPECT_EQ(0, installation.Start("TV"));
    HWND frame = TheDesktop();
    ASSERT_TRUE(frame != NULL);
    HWND stub = installation.WaitForWindow(kTvWindow);
    ASSERT_TRUE(stub != NULL);
    const DWORD stubPid = ProcessOf(stub);

    // A page request closes the programs started before.
    PostMessageA(frame, WM_ACTIVATE_REQUEST, 1, 0);
    EXPECT_TRUE(ProcessEnds(stubPid, 20000));
    EXPECT_EQ(100, CountOf(StubLog("Kavex"), "M WM_CLOSE"));
    EXPECT_TRUE(TraceHas(viewer, "\xC7\xBF\xD0\xD0\xB9\xD8\xB1\xD5ProcessHandle:"));
    EXPECT_TRUE(TraceHas(viewer, "\xBF\xAA\xCA\xBC\xD0\xC2\xCA\xB5\xC0\xFD"));  // 开始新实例
    EXPECT_TRUE(CloseDesktop(frame));
}

TEST(VelmoraLauncher, SeveralMediaAllowedPageRequestsCloseNothing)
{
    Installation installation;
    installation.GetSettings().allowSeveralMedia = 1;
    EXPECT_EQ(0, installation.Start("TV"));
    HWND frame = TheDesktop();
    ASSERT_TRUE(frame != NULL);
    ASSERT_TRUE(LogHas("Kavex", "S pid="));
    PostMessageA(frame, WM_ACTIVATE_REQUEST, 3, 0);
    EXPECT_TRUE(ShowsPage(frame, 3));
    PostMessageA(frame, WM_ACTIVATE_REQUEST, 0, 2202);
    EXPECT_TRUE(WaitUntil(10000, [] { return CountOf(StubLog("Kavex"), "S pid=") == 2; }));
    Sleep(1500);
    EXPECT_FALSE(Has(StubLog("Kavex"), "WM_CLOSE"));
    EXPECT_EQ(2u, installation.Windows(kTvWindow).size());
    EXPECT_TRUE(CloseDesktop(frame));
}

TEST(VelmoraLauncher, ClosingTheDesktopClosesItsChildrenUnlessSwitchedOff)
{
    struct Case
    {
        int closeAllOnExit;
        bool closed;
    };
    for (const Case& c : {Case{-1, true}, Case{1, true}, Case{0, false}}) {
        SCOPED_TRACE(c.closeAllOnExit);
        Installation installation;
        Installation::SetCloseAllOnExit(c.closeAllOnExit);
        EXPECT_EQ(0, installation.Start("TV"));
        HWND frame = TheDesktop();
        ASSERT_TRUE(frame != NULL);
        HWND stub = installation.WaitForWindow(kTvWindow);
        ASSERT_TRUE(stub != NULL);
        EXPECT_TRUE(CloseDesktop(frame));
        EXPECT_EQ(c.closed, ProcessEnds(ProcessOf(stub), 3000));
    }
}

TEST(VelmoraLauncher, FailuresShowTheirMessages)
{
    Installation installation;
    // No player for videos, and nothing is associated with the file's type.
    installation.GetSettings().videoPlayer = "";
    installation.GetSettings().tvProgram = installation.Program("Missing.exe");
    EXPECT_EQ(0, installation.Start("Video"));
    HWND frame = TheDesktop();
    ASSERT_TRUE(frame != NULL);
    ASSERT_TRUE(ShowsPage(frame, 2));
    DialogWatcher boxes(ProcessOf(frame));

    HWND browser = GetDlgItem(Scene(frame, 2), kVideoBrowserId);
    PostMessageA(Scene(frame, 2), WM_KIT_ACTIVATE, (WPARAM)browser, 2);
    PostMessageA(frame, WM_COMMAND, 2201, 0);
    PostMessageA(frame, WM_COMMAND, 2202, 0);
    ASSERT_TRUE(WaitUntil(20000, [&] { return boxes.Dialogs().size() >= 3; }));
    // The help control takes its time: the boxes come in any order.
    std::vector<std::string> texts;
    for (const ShownDialog& shown : boxes.Dialogs())
        texts.push_back(shown.text);
    std::string all;
    for (const std::string& text : texts)
        all += "[" + text + "]";
    auto shows = [&](const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    SCOPED_TRACE(all);
    EXPECT_TRUE(shows("\xB2\xA5\xB7\xC5\xC3\xBD\xCC\xE5\xCA\xA7\xB0\xDC\xA3\xAC\xC7\xEB\xC8\xB7"
                      "\xC8\xCF\xD1\xA1\xD4\xF1\xC1\xCB\xD3\xD0\xD0\xA7\xB5\xC4\xB2\xA5\xB7\xC5"
                      "\xB3\xCC\xD0\xF2!"));
    EXPECT_TRUE(shows("\xB4\xF2\xBF\xAA\xB0\xEF\xD6\xFA\xCE\xC4\xBC\xFE\xCA\xA7\xB0\xDC!"));
    EXPECT_TRUE(shows("\xC6\xF4\xB6\xAF\xB5\xE7\xCA\xD3\xB2\xA5\xB7\xC5\xB3\xCC\xD0\xF2\xCA\xA7"
                      "\xB0\xDC!\n\xC7\xEB\xC8\xB7\xC8\xCF\xC9\xE8\xD6\xC3\xC1\xCB\xD3\xD0\xD0"
                      "\xA7\xB5\xC4\xB2\xA5\xB7\xC5\xB3\xCC\xD0\xF2."));
    EXPECT_EQ("", StubLog("Reelview"));
    EXPECT_TRUE(CloseDesktop(frame));
}

TEST(VelmoraLauncher, AboutOpensOnceWhileItIsOpen)
{
    Installation installation;
    EXPECT_EQ(0, installation.Start(""));
    HWND frame = TheDesktop();
    ASSERT_TRUE(frame != NULL);
    PostMessageA(frame, WM_COMMAND, 57664, 0);
    PostMessageA(frame, WM_COMMAND, 57664, 0);
    const char about[] = "\xB9\xD8\xD3\xDAVLM";  // 关于VLM
    ASSERT_TRUE(FindTopWindow(about, ProcessOf(frame), 10000) != NULL);
    Sleep(1000);
    EXPECT_EQ(1u, WindowsTitled(about).size());
    PostMessageA(FindTopWindow(about, 0, 0), WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil(5000, [&] { return WindowsTitled(about).empty(); }));
    EXPECT_TRUE(CloseDesktop(frame));
}

// The prefix's open command of web addresses, replaced for one test and put back.
class HttpOpenCommand
{
public:
    explicit HttpOpenCommand(const std::string& command)
    {
        char old[MAX_PATH * 2] = "";
        LONG size = sizeof(old);
        m_had = RegQueryValueA(HKEY_LOCAL_MACHINE, kHttpOpenCommand, old, &size) == ERROR_SUCCESS;
        m_old = old;
        m_set = RegSetValueA(HKEY_LOCAL_MACHINE, kHttpOpenCommand, REG_SZ, command.c_str(),
                             (DWORD)command.size()) == ERROR_SUCCESS;
    }
    ~HttpOpenCommand()
    {
        if (m_had)
            RegSetValueA(HKEY_LOCAL_MACHINE, kHttpOpenCommand, REG_SZ, m_old.c_str(),
                         (DWORD)m_old.size());
    }
    bool IsSet() const { return m_set; }

private:
    bool m_had;
    bool m_set;
    std::string m_old;
};

TEST(VelmoraLauncher, TheWebSiteCommandOpensTheMakersAddress)
{
    Installation installation;
    // The stand-in that logs the addresses it is given.
    const std::string recorder = installation.Program("urlrec.exe");
    CopyFileA((ModuleFolder() + "\\simprog.exe").c_str(), recorder.c_str(), FALSE);
    HttpOpenCommand open("\"" + recorder + "\" \"%1\"");
    ASSERT_TRUE(open.IsSet());
    DeleteFileA("C:\\sim\\log\\urlrec.log");
    EXPECT_EQ(0, installation.Start(""));
    HWND frame = TheDesktop();
    ASSERT_TRUE(frame != NULL);
    PostMessageA(frame, WM_COMMAND, 2210, 0);
    EXPECT_TRUE(LogHas("urlrec", "params=\"http://www.quorvex.example/\""));
    EXPECT_TRUE(CloseDesktop(frame));
}
