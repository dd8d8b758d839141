// gantrix_page_frame [FILE]: the registered multiplexer's property page in the system's
// property frame, as a program shows it to a user, over a fresh filter writing FILE (no file:
// the output pin, and the file controls disabled). For pictures of the page.
#include "MpegMuxInterfaces.h"

#include <dshow.h>
#include <olectl.h>

#include <string>

int main(int argc, char** argv)
{
    if (FAILED(CoInitialize(nullptr)))
        return 1;
    IBaseFilter* filter = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_MpegMultiplexer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                  reinterpret_cast<void**>(&filter));
    if (SUCCEEDED(hr) && argc > 1) {
        IFileSinkFilter* sink = nullptr;
        if (SUCCEEDED(filter->QueryInterface(IID_IFileSinkFilter, reinterpret_cast<void**>(&sink)))) {
            std::string name = argv[1];
            sink->SetFileName(std::wstring(name.begin(), name.end()).c_str(), nullptr);
            sink->Release();
        }
    }
    if (SUCCEEDED(hr)) {
        IUnknown* object = filter;
        CLSID page = CLSID_MpegMultiplexerPropertyPage;
        hr = OleCreatePropertyFrame(nullptr, 0, 0, L"MPEG Multiplexer", 1, &object, 1, &page, LOCALE_USER_DEFAULT,
                                    0, nullptr);
        filter->Release();
    }
    CoUninitialize();
    return SUCCEEDED(hr) ? 0 : 1;
}
