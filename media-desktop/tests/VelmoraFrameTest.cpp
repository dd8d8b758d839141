// Velmora's frame, document and view as the document template makes them, in a host program
// copied into a scratch program folder (its name in GBK) and driven from outside: the settings
// archive "VLM.exe.sav" at the end of a run, the frame's placement and what it passes on.
#include <gtest/gtest.h>

#include <windows.h>

#include <random>
#include <string>
#include <vector>

#include "ProgramProcess.h"
#include "TempFolder.h"
#include "WaitUntil.h"
#include "WindowQuery.h"

namespace {

const char kTitle[] = " Media Manage Desktop ";
const char kHost[] = "velmora_frame_host.exe";
const char kArchive[] = "VLM.exe.sav";
// "节目 程序" in GBK: the paths in the archive are in the system's code page.
const char kGbkFolderName[] = "\xBD\xDA\xC4\xBF \xB3\xCC\xD0\xF2";
const int kViewId = 0xE900;
const int kSceneIds[] = {1003, 1004, 1005, 1006};
const int kTopBarId = 432;
const DWORD kStartMs = 30000;

// The 17 fields in file order, integers as decimal text.
typedef std::vector<std::string> Fields;
const bool kIsInt[17] = {true,  false, false, false, false, false, false, true, false,
                         false, false, false, true,  true,  false, false, false};

std::string ModuleFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, MAX_PATH);
    *strrchr(path, '\\') = '\0';
    return path;
}

std::string Encode(const Fields& fields)
{
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (kIsInt[i]) {
            LONG value = atol(fields[i].c_str());
            out.append((const char*)&value, 4);
            continue;
        }
        const std::string& text = fields[i];
        DWORD length = (DWORD)text.size();
        if (length < 0xFF) {
            out += (char)length;
        } else if (length < 0xFFFE) {
            WORD shortLength = (WORD)length;
            out += '\xFF';
            out.append((const char*)&shortLength, 2);
        } else {
            out += "\xFF\xFF\xFF";
            out.append((const char*)&length, 4);
        }
        out += text;
    }
    return out;
}

// The file's fields read on their own; empty when it is not exactly the 17 fields.
Fields Decode(const std::string& bytes)
{
    Fields fields;
    size_t at = 0;
    auto take = [&](size_t count, void* to) {
        if (bytes.size() - at < count)
            return false;
        memcpy(to, bytes.data() + at, count);
        at += count;
        return true;
    };
    for (int i = 0; i < 17; ++i) {
        if (kIsInt[i]) {
            LONG value;
            if (!take(4, &value))
                return Fields();
            fields.push_back(std::to_string(value));
            continue;
        }
        BYTE byteLength = 0;
        WORD wordLength = 0;
        DWORD length = 0;
        if (!take(1, &byteLength))
            return Fields();
        length = byteLength;
        if (byteLength == 0xFF) {
            if (!take(2, &wordLength))
                return Fields();
            length = wordLength;
            if (wordLength == 0xFFFF && !take(4, &length))
                return Fields();
        }
        if (bytes.size() - at < length)
            return Fields();
        fields.push_back(bytes.substr(at, length));
        at += length;
    }
    return at == bytes.size() ? fields : Fields();
}

Fields Defaults(const std::string& folder)
{
    return {"0",
            folder + "\\Kavex.exe",
            folder + "\\TVPicture",
            folder + "\\TVVideo",
            "C:\\Program Files\\Quorvex\\Reelview\\Reelview.exe",
            "C:\\TVVideo",
            "C:\\Program Files\\Quorvex\\Reelview\\Reelview.exe",
            "5",
            folder + "\\skin\\Main.jpg",
            folder + "\\skin\\bk.jpg",
            folder + "\\skin\\bk.jpg",
            folder + "\\skin\\bk.jpg",
            "0",
            "0",
            ".mpeg.m1v.mp2.mpa.mpe.asx.wax.m3u.wpl.wvx.wmx.mid.rmi.midi.wm.wma.wmv.wmd..asf.avi.mpg"
            ".wmv.rm.",
            ".jpg.jpeg.bmp.gif.",
            ".wma.mp3.rm.wav.m3u."};
}

// Every field changed from its default; the TV program's path needs the three-byte length.
Fields Changed()
{
    return {"1",
            "D:\\" + std::string(300, 'k') + "\\Kavex.exe",
            "D:\\\xCD\xBC\xC6\xAC",  // 图片
            "D:\\Music",
            "D:\\Players\\music.exe",
            "D:\\Video",
            "D:\\Players\\video.exe",
            "9",
            "D:\\skin\\a.jpg",
            "D:\\skin\\b.jpg",
            "D:\\skin\\c.jpg",
            "D:\\skin\\d.jpg",
            "1",
            "1",
            ".avi.",
            ".png.",
            ".ogg."};
}

// A scratch program folder with the host program in it.
class ProgramFolder
{
public:
    ProgramFolder() : m_path(m_root.Path() + "\\" + kGbkFolderName)
    {
        CreateDirectoryA(m_path.c_str(), NULL);
        CopyFileA((ModuleFolder() + "\\" + kHost).c_str(), Program().c_str(), FALSE);
    }
    const std::string& Path() const { return m_path; }
    std::string Program() const { return m_path + "\\" + kHost; }
    std::string ArchivePath() const { return m_path + "\\" + kArchive; }
    std::string Archive() const { return TempFolder::ReadWholeFile(ArchivePath()); }
    void WriteArchive(const std::string& bytes) const
    {
        TempFolder::WriteWholeFile(ArchivePath(), bytes);
    }
    std::string Log() const { return TempFolder::ReadWholeFile(m_path + "\\host.log"); }

private:
    TempFolder m_root;
    std::string m_path;
};

// The host running from its folder, with its frame found.
class Desktop
{
public:
    explicit Desktop(const ProgramFolder& folder)
        : m_process(folder.Program(), std::string(), folder.Path())
    {
        m_frame = FindTopWindow(kTitle, m_process.Pid(), kStartMs);
        if (m_frame)
            WaitUntilVisible(m_frame, kStartMs);
    }
    HWND Frame() const { return m_frame; }
    HWND View() const { return GetDlgItem(m_frame, kViewId); }
    HWND Scene(int page) const { return GetDlgItem(View(), kSceneIds[page]); }
    // Closes the frame and waits for the program's end; its exit code, or -1 when it did not
    // end.
    long Close()
    {
        PostMessageA(m_frame, WM_CLOSE, 0, 0);
        DWORD code = 0;
        return m_process.Wait(kStartMs, &code) ? (long)code : -1;
    }
    ProgramProcess& Process() { return m_process; }

private:
    ProgramProcess m_process;
    HWND m_frame = NULL;
};

// A run that starts and ends cleanly; what it left in the archive.
Fields RunOnce(const ProgramFolder& folder)
{
    Desktop desktop(folder);
    EXPECT_TRUE(desktop.Frame() != NULL);
    EXPECT_EQ(0, desktop.Close());
    return Decode(folder.Archive());
}

// Where PlaceFullScreen puts a frame of the given styles.
RECT FullScreenRect(HWND frame)
{
    RECT rect;
    GetWindowRect(GetDesktopWindow(), &rect);
    AdjustWindowRectEx(&rect, (DWORD)GetWindowLongA(frame, GWL_STYLE), TRUE,
                       (DWORD)GetWindowLongA(frame, GWL_EXSTYLE));
    rect.left -= 12;
    rect.right += 12;
    rect.bottom += 12;
    rect.top = -2 * GetSystemMetrics(SM_CYDLGFRAME);
    return rect;
}

std::string RectText(const RECT& rect)
{
    char text[64];
    sprintf(text, "%ld %ld %ld %ld", rect.left, rect.top, rect.right, rect.bottom);
    return text;
}

RECT WindowRect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

bool LogHas(const ProgramFolder& folder, const std::string& line)
{
    return WaitUntil(5000, [&] { return folder.Log().find(line + "\n") != std::string::npos; });
}

}  // namespace

TEST(VelmoraSettingsArchive, FirstRunWritesTheDefaultsAtExit)
{
    ProgramFolder folder;
    EXPECT_EQ(Defaults(folder.Path()), RunOnce(folder));
    EXPECT_EQ(Encode(Defaults(folder.Path())), folder.Archive());
}

TEST(VelmoraSettingsArchive, NextRunReadsEveryFieldBackAndDeletingRestoresTheDefaults)
{
    ProgramFolder folder;
    const std::string written = Encode(Changed());
    ASSERT_EQ(std::string("\xFF\x39\x01", 3), written.substr(4, 3));
    folder.WriteArchive(written);
    EXPECT_EQ(Changed(), RunOnce(folder));
    EXPECT_EQ(written, folder.Archive());

    ASSERT_TRUE(DeleteFileA(folder.ArchivePath().c_str()));
    EXPECT_EQ(Defaults(folder.Path()), RunOnce(folder));
}

// The run starts with the defaults (the preferences test sees them) and leaves the damaged
// file byte for byte, as the user changed no setting.
TEST(VelmoraSettingsArchive, DamagedFilesAreLeftAsTheyAreByARunThatChangesNothing)
{
    const std::string good = Encode(Changed());
    std::string lengthBeyondEnd = good.substr(0, 4) + "\xFF\xFF\xFF\x00\x00\x00\x01" + "D:\\";
    std::string random(2000, '\0');
    std::mt19937 generator(55);
    for (char& c : random)
        c = (char)(generator() & 0xFF);
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"cut in the middle of a string", good.substr(0, good.size() / 2)},
        {"cut inside the last integer", good.substr(0, 4 + 3 + 2 + 1 + 2)},
        {"a length beyond its end", lengthBeyondEnd},
        {"random bytes", random},
        {"a byte after the last field", good + "x"},
        {"empty", std::string()},
    };
    for (const Case& c : cases) {
        ProgramFolder folder;
        folder.WriteArchive(c.bytes);
        RunOnce(folder);
        EXPECT_TRUE(folder.Archive() == c.bytes) << c.what;
    }
}

TEST(VelmoraMainFrame, CoversTheDesktopWithoutCaptionOrMenuAndIsShownOnlyWhenPlaced)
{
    ProgramFolder folder;
    Desktop desktop(folder);
    HWND frame = desktop.Frame();
    ASSERT_TRUE(frame != NULL);
    EXPECT_EQ(frame, FindWindowA(NULL, kTitle));
    EXPECT_EQ(0, GetWindowLongA(frame, GWL_STYLE) & WS_CAPTION);
    EXPECT_TRUE(GetMenu(frame) == NULL);
    EXPECT_TRUE(LogHas(folder, "icons 1 1"));
    const RECT full = FullScreenRect(frame);
    EXPECT_EQ(RectText(full), RectText(WindowRect(frame)));
    // Shown once, and then already at its place.
    EXPECT_TRUE(LogHas(folder, "shown " + RectText(full)));
    const std::string log = folder.Log();
    EXPECT_EQ(log.find("shown "), log.rfind("shown ")) << log;

    SendMessageA(frame, 0x4400, 0, 0);
    EXPECT_TRUE(IsIconic(frame));
    SendMessageA(frame, 0x4401, 0, 0);
    EXPECT_TRUE(IsZoomed(frame));

    // Hidden, then shown again by the tray menu's first command, at its place.
    ShowWindow(frame, SW_HIDE);
    ASSERT_FALSE(IsWindowVisible(frame));
    SendMessageA(frame, WM_COMMAND, 32772, 0);
    EXPECT_TRUE(IsWindowVisible(frame));
    EXPECT_FALSE(IsZoomed(frame));
    EXPECT_EQ(RectText(full), RectText(WindowRect(frame)));

    // A new display size places it again.
    SetWindowPos(frame, NULL, 100, 100, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(frame, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_EQ(RectText(full), RectText(WindowRect(frame)));

    SendMessageA(frame, WM_COMMAND, 32773, 0);
    DWORD code = 1;
    EXPECT_TRUE(desktop.Process().Wait(kStartMs, &code));
    EXPECT_EQ(0u, code);
    EXPECT_EQ(Defaults(folder.Path()), Decode(folder.Archive()));
}

TEST(VelmoraMainFrame, PassesTheDesktopsMessagesAndCommandsToTheView)
{
    ProgramFolder folder;
    Desktop desktop(folder);
    HWND frame = desktop.Frame();
    ASSERT_TRUE(frame != NULL);
    HWND view = desktop.View();
    ASSERT_TRUE(view != NULL);

    SendMessageA(frame, 0x406, 1234, 2);
    EXPECT_TRUE(LogHas(folder, "play 1234 2"));
    SendMessageA(frame, 0x408, 1, 2202);
    EXPECT_TRUE(LogHas(folder, "activate 1 2202"));
    for (UINT id = 2200; id <= 2210; ++id) {
        SendMessageA(frame, WM_COMMAND, id, 500 + id);
        EXPECT_TRUE(LogHas(folder, "command " + std::to_string(id) + " " + std::to_string(500 + id)))
            << id;
    }
    // The caption bar comes down over the view.
    EXPECT_EQ(0, SendMessageA(frame, 0x405, 7, 8));
    EXPECT_TRUE(GetDlgItem(view, kTopBarId) != NULL);
    EXPECT_EQ(0, desktop.Close());
}

TEST(VelmoraView, ShowsTheMusicPageFirstAndSizesEveryPageWithItself)
{
    ProgramFolder folder;
    Desktop desktop(folder);
    HWND view = desktop.View();
    ASSERT_TRUE(view != NULL);
    for (int page = 0; page < 4; ++page) {
        ASSERT_TRUE(desktop.Scene(page) != NULL) << page;
        EXPECT_EQ(page == 3, IsWindowVisible(desktop.Scene(page)) != FALSE) << page;
    }
    SetWindowPos(desktop.Frame(), NULL, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(view, &client);
    EXPECT_LT(client.right, 640);
    for (int page = 0; page < 4; ++page) {
        RECT rect;
        GetClientRect(desktop.Scene(page), &rect);
        EXPECT_EQ(RectText(client), RectText(rect)) << page;
    }
    EXPECT_EQ(0, desktop.Close());
}

TEST(VelmoraView, RightClickOnTheHomePageAsksForThePreferences)
{
    ProgramFolder folder;
    Desktop desktop(folder);
    ASSERT_TRUE(desktop.View() != NULL);
    HWND music = desktop.Scene(3);
    SendMessageA(music, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessageA(music, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageA(desktop.Frame(), 0x408, 0, 0);
    ASSERT_TRUE(IsWindowVisible(desktop.Scene(0)));
    EXPECT_EQ(std::string::npos, folder.Log().find("command 2200")) << "from the music page";
    HWND home = desktop.Scene(0);
    SendMessageA(home, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessageA(home, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(LogHas(folder, "command 2200 0"));
    EXPECT_EQ(0, desktop.Close());
}
