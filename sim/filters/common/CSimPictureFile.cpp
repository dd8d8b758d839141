#include "CSimPictureFile.h"

#include "ComRef.h"
#include "CSimVideoConvert.h"

#include <wincodec.h>

namespace
{
LONG RgbStride(LONG width)
{
    return (width * 3 + 3) & ~3;
}

// COM for WIC on the caller's thread, whatever the thread had set up before.
class CComUse
{
public:
    CComUse() : m_hr(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~CComUse()
    {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }

private:
    HRESULT m_hr;
};

HRESULT WriteAll(const WCHAR* path, const void* header, DWORD headerSize, const void* body, DWORD bodySize)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return HRESULT_FROM_WIN32(GetLastError());
    DWORD written = 0;
    BOOL ok = WriteFile(file, header, headerSize, &written, nullptr) && written == headerSize &&
              WriteFile(file, body, bodySize, &written, nullptr) && written == bodySize;
    DWORD error = ok ? 0 : GetLastError();
    CloseHandle(file);
    if (ok)
        return S_OK;
    DeleteFileW(path);
    return error != 0 ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

HRESULT EncodeJpeg(IWICImagingFactory* factory, const WCHAR* path, const CSimFrame& frame, float quality)
{
    CComRef<IWICStream> stream;
    HRESULT hr = factory->CreateStream(stream.Receive());
    if (SUCCEEDED(hr))
        hr = stream->InitializeFromFilename(path, GENERIC_WRITE);
    CComRef<IWICBitmapEncoder> encoder;
    if (SUCCEEDED(hr))
        hr = factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, encoder.Receive());
    if (SUCCEEDED(hr))
        hr = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
    CComRef<IWICBitmapFrameEncode> picture;
    CComRef<IPropertyBag2> options;
    if (SUCCEEDED(hr))
        hr = encoder->CreateNewFrame(picture.Receive(), options.Receive());
    if (SUCCEEDED(hr)) {
        PROPBAG2 name = {};
        name.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_R4;
        value.fltVal = quality;
        hr = options->Write(1, &name, &value);
    }
    if (SUCCEEDED(hr))
        hr = picture->Initialize(options.Get());
    if (SUCCEEDED(hr))
        hr = picture->SetSize(frame.width, frame.height);
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (SUCCEEDED(hr))
        hr = picture->SetPixelFormat(&format);
    if (SUCCEEDED(hr) && !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR))
        hr = WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    if (SUCCEEDED(hr)) {
        LONG stride = RgbStride(frame.width);
        std::vector<BYTE> rows((size_t)stride * frame.height);
        CSimVideoConvert::ToRgb(frame, 24, false, stride, rows.data());
        hr = picture->WritePixels(frame.height, stride, (UINT)rows.size(), rows.data());
    }
    if (SUCCEEDED(hr))
        hr = picture->Commit();
    if (SUCCEEDED(hr))
        hr = encoder->Commit();
    return hr;
}
}

void CSimPictureFile::MakeDib(const CSimFrame& frame, std::vector<BYTE>& dib)
{
    LONG stride = RgbStride(frame.width);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = frame.width;
    header.biHeight = frame.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = (DWORD)stride * frame.height;
    dib.assign(sizeof(header) + header.biSizeImage, 0);
    memcpy(dib.data(), &header, sizeof(header));
    CSimVideoConvert::ToRgb(frame, 24, true, stride, dib.data() + sizeof(header));
}

HRESULT CSimPictureFile::SaveBmp(const WCHAR* path, const CSimFrame& frame)
{
    std::vector<BYTE> dib;
    MakeDib(frame, dib);
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfSize = (DWORD)(sizeof(header) + dib.size());
    header.bfOffBits = sizeof(header) + sizeof(BITMAPINFOHEADER);
    return WriteAll(path, &header, sizeof(header), dib.data(), (DWORD)dib.size());
}

HRESULT CSimPictureFile::SaveJpeg(const WCHAR* path, const CSimFrame& frame, LONG quality)
{
    float level = quality < 0 ? 0.0f : quality > 100 ? 1.0f : quality / 100.0f;
    CComUse com;
    CComRef<IWICImagingFactory> factory;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  factory.ReceiveVoid());
    if (SUCCEEDED(hr))
        hr = EncodeJpeg(factory.Get(), path, frame, level);
    if (FAILED(hr))
        DeleteFileW(path);
    return hr;
}
