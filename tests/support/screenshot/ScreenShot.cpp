// suite_screenshot OUTPUT.png [--window TITLE] [--settle MS] PROGRAM [ARGS...]
//
// Starts the program, waits for its window (the one titled TITLE, else the program's first
// visible top-level window), lets it paint, and writes a PNG of the screen, or with --window
// of that window alone, read from the screen as the user sees it. scripts/screenshot runs it
// as the program of a Wine desktop on an X display of its own. Exit code 0 when the picture
// was written.
#include <windows.h>
#include <wincodec.h>

#include <cstdio>
#include <string>
#include <vector>

#include "WindowPixels.h"

namespace {

struct Options
{
    std::string output;
    std::string title;
    DWORD settleMs = 1000;
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
        if (name == "--window")
            options->title = argv[i + 1];
        else if (name == "--settle")
            options->settleMs = strtoul(argv[i + 1], NULL, 10);
        else
            return false;
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

HWND WaitForWindow(const Options& options, const PROCESS_INFORMATION& process)
{
    for (int tries = 0; tries < 600; ++tries) {
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
        if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0)
            return NULL;
    }
    return NULL;
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
        fprintf(stderr, "usage: suite_screenshot OUTPUT.png [--window TITLE] [--settle MS] "
                        "PROGRAM [ARGS...]\n");
        return 2;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::string commandLine = options.commandLine;
    if (!CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                        &process)) {
        fprintf(stderr, "suite_screenshot: cannot start %s (error %lu)\n",
                options.commandLine.c_str(), GetLastError());
        return 1;
    }
    HWND window = WaitForWindow(options, process);
    int result = 1;
    if (window == NULL) {
        fprintf(stderr, "suite_screenshot: no window of %s appeared\n", options.commandLine.c_str());
    } else {
        Sleep(options.settleMs);
        RECT rect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (!options.title.empty())
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
    TerminateProcess(process.hProcess, 0);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}
