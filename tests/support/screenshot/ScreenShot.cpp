// suite_screenshot OUTPUT.png [OPTIONS] PROGRAM [ARGS...]
//
// Starts the program, waits for its window (the one titled TITLE, else the program's first
// visible top-level window), lets it paint, and writes a PNG of the screen, or with --window
// of that window alone, read from the screen as the user sees it. scripts/screenshot and
// scripts/kavex run it as the program of a Wine desktop on an X display of its own. Options:
//   --window TITLE        wait for that window and picture it alone
//   --wait-window TITLE   wait for that window, picture the screen (also after the program
//                         ended, for a copy of it that owns the window)
//   --wait MS             how long to wait for the window (30000)
//   --settle MS           time to paint once it is there (1000)
//   --press TITLE ID      while waiting, click button ID of the window TITLE whenever it shows
//                         (a dialog standing before the awaited window); repeatable
//   --cwd FOLDER          the program's working folder
//   --close-window TITLE  after the picture, WM_CLOSE to that window (waited for up to 5 s)
//                         and up to --close-wait MS (20000) for its program to end, as a
//                         user closes it; repeatable, in order
//   --fail-on-box         a message box (a dialog not named by --press) that shows while
//                         waiting or closing fails the run: its caption and text are
//                         printed and it is answered
// Exit code 0 when the picture was written and every program asked to close ended by itself.
#include <windows.h>
#include <wincodec.h>

#include <cstdio>
#include <string>
#include <vector>

#include "WindowPixels.h"
#include "WindowQuery.h"

namespace {

struct PressRule
{
    std::string title;
    int id;
};

struct Options
{
    std::string output;
    // --window: the window pictured alone; --wait-window: the window waited for.
    std::string title;
    bool wholeScreen = true;
    DWORD waitMs = 30000;
    DWORD settleMs = 1000;
    std::vector<PressRule> presses;
    std::string folder;
    std::vector<std::string> closeTitles;
    DWORD closeWaitMs = 20000;
    bool failOnBox = false;
    std::string commandLine;
};

std::string Quote(const std::string& arg)
{
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos)
        return arg;
    std::string quoted = "\"";
    for (char c : arg) {
        if (c == '"')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

bool ParseOptions(int argc, char** argv, Options* options)
{
    int i = 1;
    if (i >= argc)
        return false;
    options->output = argv[i++];
    for (; i + 1 < argc && argv[i][0] == '-' && argv[i][1] == '-'; i += 2) {
        std::string name = argv[i];
        if (name == "--fail-on-box") {
            options->failOnBox = true;
            --i;
            continue;
        }
        const char* value = argv[i + 1];
        if (name == "--window" || name == "--wait-window") {
            options->title = value;
            options->wholeScreen = name == "--wait-window";
        } else if (name == "--wait") {
            options->waitMs = strtoul(value, NULL, 10);
        } else if (name == "--settle") {
            options->settleMs = strtoul(value, NULL, 10);
        } else if (name == "--press" && i + 2 < argc) {
            options->presses.push_back(PressRule{value, atoi(argv[i + 2])});
            ++i;
        } else if (name == "--cwd") {
            options->folder = value;
        } else if (name == "--close-window") {
            options->closeTitles.push_back(value);
        } else if (name == "--close-wait") {
            options->closeWaitMs = strtoul(value, NULL, 10);
        } else {
            return false;
        }
    }
    for (; i < argc; ++i)
        options->commandLine += (options->commandLine.empty() ? "" : " ") + Quote(argv[i]);
    return !options->commandLine.empty();
}

struct WindowSearch
{
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM param)
{
    WindowSearch* search = (WindowSearch*)param;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search->processId && IsWindowVisible(window) && GetParent(window) == NULL) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::string Utf8(const std::string& text);

struct BoxSearch
{
    const Options* options;
    DWORD ownProcess;
    HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param)
{
    BoxSearch* search = (BoxSearch*)param;
    char className[16] = "", title[256] = "";
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search->ownProcess || !IsWindowVisible(window)
        || !GetClassNameA(window, className, sizeof(className)) || strcmp(className, "#32770") != 0)
        return TRUE;
    GetWindowTextA(window, title, sizeof(title));
    for (const PressRule& rule : search->options->presses)
        if (rule.title == title)
            return TRUE;
    // A message box: its text in a static of id 0xFFFF, and only buttons of the standard
    // answers (IDOK to IDCONTINUE) besides; the program's own dialogs have other controls.
    bool text = false, buttons = false;
    for (HWND child = GetWindow(window, GW_CHILD); child != NULL; child = GetWindow(child, GW_HWNDNEXT)) {
        char childClass[16] = "";
        GetClassNameA(child, childClass, sizeof(childClass));
        int id = GetDlgCtrlID(child);
        if (_stricmp(childClass, "Static") == 0) {
            text = text || (id & 0xFFFF) == 0xFFFF;
        } else if (_stricmp(childClass, "Button") == 0 && id >= IDOK && id <= IDCONTINUE) {
            buttons = true;
        } else {
            return TRUE;
        }
    }
    if (!text || !buttons)
        return TRUE;
    search->found = window;
    return FALSE;
}

// With --fail-on-box, a message box of the program: printed, answered, and remembered.
bool g_boxSeen = false;

bool ReportBox(const Options& options)
{
    if (!options.failOnBox)
        return false;
    BoxSearch search = {&options, GetCurrentProcessId(), NULL};
    EnumWindows(FindBox, (LPARAM)&search);
    if (search.found == NULL)
        return false;
    char title[256] = "";
    GetWindowTextA(search.found, title, sizeof(title));
    std::string text = ControlText(search.found, 0xFFFF);
    fprintf(stderr, "suite_screenshot: a message box showed: \"%s\": %s\n", Utf8(title).c_str(),
            Utf8(text).c_str());
    PostMessageA(search.found, WM_COMMAND, IDOK, 0);
    PostMessageA(search.found, WM_COMMAND, IDCANCEL, 0);
    g_boxSeen = true;
    return true;
}

// Clicks the buttons of the dialogs that stand before the awaited window.
void PressButtons(const Options& options)
{
    for (const PressRule& rule : options.presses) {
        HWND dialog = FindWindowA(NULL, rule.title.c_str());
        if (dialog != NULL && IsWindowVisible(dialog) && IsWindowEnabled(dialog))
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(rule.id, BN_CLICKED),
                         (LPARAM)GetDlgItem(dialog, rule.id));
    }
}

HWND WaitForWindow(const Options& options, const PROCESS_INFORMATION& process)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < options.waitMs;) {
        HWND window = NULL;
        if (!options.title.empty()) {
            window = FindWindowA(NULL, options.title.c_str());
            if (window != NULL && !IsWindowVisible(window))
                window = NULL;
        } else {
            WindowSearch search = {process.dwProcessId, NULL};
            EnumWindows(FindProcessWindow, (LPARAM)&search);
            window = search.found;
        }
        if (window != NULL)
            return window;
        if (ReportBox(options))
            return NULL;
        PressButtons(options);
        // A dialog takes a moment to act on a click before it may be clicked again. A window
        // awaited by its title may belong to a copy the program started before it ended.
        if (WaitForSingleObject(process.hProcess, options.presses.empty() ? 50 : 300) == WAIT_OBJECT_0) {
            if (options.title.empty())
                return NULL;
            Sleep(50);
        }
    }
    return NULL;
}

// A title as the terminal that runs Wine shows it.
std::string Utf8(const std::string& text)
{
    std::wstring wide(text.size() + 1, L'\0');
    int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], (int)wide.size());
    std::string utf8(length * 3 + 1, '\0');
    length = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &utf8[0], (int)utf8.size(), NULL, NULL);
    utf8.resize(length > 0 ? length - 1 : 0);
    return utf8;
}

HWND WaitForTitle(const std::string& title, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount();; Sleep(50)) {
        HWND window = FindWindowA(NULL, title.c_str());
        if (window != NULL || GetTickCount() - start >= timeoutMs)
            return window;
    }
}

// Closes the windows as a user would, one after the other, each program given its time to
// end; a program that does not is ended. TRUE when every one ended by itself.
bool CloseWindows(const Options& options)
{
    bool ended = true;
    for (const std::string& title : options.closeTitles) {
        HWND window = WaitForTitle(title, 5000);
        if (window == NULL) {
            fprintf(stderr, "suite_screenshot: no window \"%s\" to close\n", Utf8(title).c_str());
            continue;
        }
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
        PostMessageA(window, WM_CLOSE, 0, 0);
        if (process == NULL)
            continue;
        DWORD start = GetTickCount(), wait;
        while ((wait = WaitForSingleObject(process, 100)) != WAIT_OBJECT_0
               && GetTickCount() - start < options.closeWaitMs)
            ReportBox(options);
        if (wait != WAIT_OBJECT_0) {
            fprintf(stderr, "suite_screenshot: the program of \"%s\" did not end within %lu ms; ended it\n",
                    Utf8(title).c_str(), options.closeWaitMs);
            TerminateProcess(process, 1);
            ended = false;
        }
        CloseHandle(process);
    }
    return ended;
}

// The screen's pixels in the rectangle, 24-bit top-down BGR rows of width * 3 bytes.
std::vector<BYTE> ReadScreen(const RECT& rect)
{
    HDC screen = GetDC(NULL);
    std::vector<DWORD> pixels = WindowPixels::ReadDC(screen, rect);
    ReleaseDC(NULL, screen);
    std::vector<BYTE> rows(pixels.size() * 3);
    for (size_t i = 0; i < pixels.size(); ++i) {
        rows[i * 3] = pixels[i] & 0xFF;
        rows[i * 3 + 1] = (pixels[i] >> 8) & 0xFF;
        rows[i * 3 + 2] = (pixels[i] >> 16) & 0xFF;
    }
    return rows;
}

HRESULT WritePng(const std::string& path, int width, int height, std::vector<BYTE>& rows)
{
    std::wstring widePath(path.size() + 1, L'\0');
    widePath.resize(MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &widePath[0],
                                        (int)widePath.size()) - 1);
    IWICImagingFactory* factory = NULL;
    IWICStream* stream = NULL;
    IWICBitmapEncoder* encoder = NULL;
    IWICBitmapFrameEncode* frame = NULL;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, (void**)&factory);
    if (SUCCEEDED(hr))
        hr = factory->CreateStream(&stream);
    if (SUCCEEDED(hr))
        hr = stream->InitializeFromFilename(widePath.c_str(), GENERIC_WRITE);
    if (SUCCEEDED(hr))
        hr = factory->CreateEncoder(GUID_ContainerFormatPng, NULL, &encoder);
    if (SUCCEEDED(hr))
        hr = encoder->Initialize(stream, WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr))
        hr = encoder->CreateNewFrame(&frame, NULL);
    if (SUCCEEDED(hr))
        hr = frame->Initialize(NULL);
    if (SUCCEEDED(hr))
        hr = frame->SetSize(width, height);
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (SUCCEEDED(hr))
        hr = frame->SetPixelFormat(&format);
    if (SUCCEEDED(hr) && !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR))
        hr = E_FAIL;
    if (SUCCEEDED(hr))
        hr = frame->WritePixels(height, width * 3, (UINT)rows.size(), rows.data());
    if (SUCCEEDED(hr))
        hr = frame->Commit();
    if (SUCCEEDED(hr))
        hr = encoder->Commit();
    if (frame != NULL)
        frame->Release();
    if (encoder != NULL)
        encoder->Release();
    if (stream != NULL)
        stream->Release();
    if (factory != NULL)
        factory->Release();
    return hr;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        fprintf(stderr, "usage: suite_screenshot OUTPUT.png [--window TITLE | --wait-window TITLE] "
                        "[--wait MS] [--settle MS] [--press TITLE ID]... [--cwd FOLDER] "
                        "[--close-window TITLE]... [--close-wait MS] [--fail-on-box] PROGRAM [ARGS...]\n");
        return 2;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::string commandLine = options.commandLine;
    if (!CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL,
                        options.folder.empty() ? NULL : options.folder.c_str(), &startup, &process)) {
        fprintf(stderr, "suite_screenshot: cannot start %s (error %lu)\n",
                options.commandLine.c_str(), GetLastError());
        return 1;
    }
    HWND window = WaitForWindow(options, process);
    int result = 1;
    if (window == NULL && g_boxSeen) {
        // The box said why; the program may end on its answer.
        WaitForSingleObject(process.hProcess, 5000);
    } else if (window == NULL) {
        fprintf(stderr, "suite_screenshot: no window of %s appeared\n", options.commandLine.c_str());
    } else {
        Sleep(options.settleMs);
        RECT rect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (!options.wholeScreen)
            GetWindowRect(window, &rect);
        std::vector<BYTE> rows = ReadScreen(rect);
        CoInitialize(NULL);
        HRESULT hr = WritePng(options.output, rect.right - rect.left, rect.bottom - rect.top, rows);
        CoUninitialize();
        if (SUCCEEDED(hr))
            result = 0;
        else
            fprintf(stderr, "suite_screenshot: writing %s failed (0x%08lx)\n",
                    options.output.c_str(), hr);
    }
    if ((!g_boxSeen || window != NULL) && !CloseWindows(options))
        result = 1;
    if (g_boxSeen)
        result = 1;
    TerminateProcess(process.hProcess, 0);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}
