#include "WicCodec.h"

#include "ImageLoad.h"

#include <string.h>

#include <string>
#include <vector>

namespace
{
// Owns one reference.
template <class T>
class Ref
{
public:
    Ref() = default;
    ~Ref()
    {
        if (m_p)
            m_p->Release();
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }
    T** Receive() { return &m_p; }

private:
    T* m_p = nullptr;
};

// COM for the imaging component on the caller's thread, whatever the thread had set up.
class ComUse
{
public:
    ComUse() : m_hr(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ComUse()
    {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }

private:
    HRESULT m_hr;
};

std::wstring Wide(const char* path)
{
    int length = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, path, -1, &wide[0], length);
    return wide;
}

HRESULT CreateFactory(Ref<IWICImagingFactory>& factory)
{
    return CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                            (void**)factory.Receive());
}

// The formats a picture keeps when its depth is kept, with that depth.
struct KeptFormat
{
    const GUID* format;
    int bitCount;
};
const KeptFormat kKeptFormats[] = {
    // format                           bitCount
    {&GUID_WICPixelFormat1bppIndexed,   1},
    {&GUID_WICPixelFormat4bppIndexed,   4},
    {&GUID_WICPixelFormat8bppIndexed,   8},
    {&GUID_WICPixelFormat16bppBGR555,   16},
    {&GUID_WICPixelFormat24bppBGR,      24},
    {&GUID_WICPixelFormat32bppBGR,      32},
    {&GUID_WICPixelFormat32bppBGRA,     32},
};

const GUID& FormatOfDepth(int bitCount)
{
    for (const KeptFormat& kept : kKeptFormats)
        if (kept.bitCount == bitCount)
            return *kept.format;
    return GUID_WICPixelFormat24bppBGR;
}

int ReadPalette(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, PicImage* image)
{
    Ref<IWICPalette> palette;
    UINT count = 0;
    if (FAILED(factory->CreatePalette(palette.Receive())) || FAILED(frame->CopyPalette(palette.Get())) ||
        FAILED(palette->GetColorCount(&count)))
        return kPicLibReadError;
    std::vector<WICColor> colours(count);
    if (count && FAILED(palette->GetColors(count, colours.data(), &count)))
        return kPicLibReadError;
    for (UINT i = 0; i < count && i < image->table.size(); ++i)
        image->table[i] = RGBQUAD{(BYTE)colours[i], (BYTE)(colours[i] >> 8), (BYTE)(colours[i] >> 16), 0};
    return kPicLibOk;
}

int Decode(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, bool keepDepth, PicImage* image)
{
    UINT width = 0, height = 0;
    WICPixelFormatGUID format;
    if (FAILED(frame->GetSize(&width, &height)) || FAILED(frame->GetPixelFormat(&format)))
        return kPicLibReadError;
    int bitCount = 24;
    if (keepDepth)
        for (const KeptFormat& kept : kKeptFormats)
            if (IsEqualGUID(format, *kept.format))
                bitCount = kept.bitCount;
    if (!image->Allocate((int)width, (int)height, bitCount))
        return kPicLibUnsupported;
    // The component converts everything to 32-bit BGRA (not every form straight to 24 bits:
    // indexed pixels, for one), and the alpha byte is dropped here.
    bool viaBgra = bitCount == 24 && !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR);
    Ref<IWICBitmapSource> converted;
    IWICBitmapSource* source = frame;
    if (viaBgra) {
        if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame, converted.Receive())))
            return kPicLibUnsupported;
        source = converted.Get();
    }
    int stride = viaBgra ? (int)width * 4 : image->Stride();
    std::vector<BYTE> topDown((size_t)stride * height);
    if (FAILED(source->CopyPixels(nullptr, stride, (UINT)topDown.size(), topDown.data())))
        return kPicLibReadError;
    for (UINT y = 0; y < height; ++y) {
        const BYTE* from = &topDown[(size_t)y * stride];
        BYTE* row = image->Row((int)y);
        if (!viaBgra) {
            memcpy(row, from, stride);
            continue;
        }
        for (UINT x = 0; x < width; ++x)
            memcpy(row + 3 * x, from + 4 * x, 3);
    }
    return bitCount <= 8 ? ReadPalette(factory, frame, image) : kPicLibOk;
}

HRESULT SetQuality(IPropertyBag2* options, int quality)
{
    PROPBAG2 name = {};
    name.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_R4;
    value.fltVal = (quality < 0 ? 0 : quality > 100 ? 100 : quality) / 100.0f;
    return options->Write(1, &name, &value);
}

// The picture as the component's bitmap, top-down, with its palette.
HRESULT MakeSource(IWICImagingFactory* factory, const PicImage& image, std::vector<BYTE>& topDown,
                   Ref<IWICBitmap>& bitmap, Ref<IWICPalette>& palette)
{
    int stride = image.Stride();
    topDown.resize((size_t)stride * image.height);
    for (int y = 0; y < image.height; ++y)
        memcpy(&topDown[(size_t)y * stride], image.Row(y), stride);
    HRESULT hr = factory->CreateBitmapFromMemory(image.width, image.height, FormatOfDepth(image.bitCount), stride,
                                                 (UINT)topDown.size(), topDown.data(), bitmap.Receive());
    if (SUCCEEDED(hr) && image.bitCount <= 8) {
        std::vector<WICColor> colours;
        for (const RGBQUAD& entry : image.table)
            colours.push_back(0xFF000000u | entry.rgbRed << 16 | entry.rgbGreen << 8 | entry.rgbBlue);
        hr = factory->CreatePalette(palette.Receive());
        if (SUCCEEDED(hr))
            hr = palette->InitializeCustom(colours.data(), (UINT)colours.size());
        if (SUCCEEDED(hr))
            hr = bitmap->SetPalette(palette.Get());
    }
    return hr;
}

HRESULT Encode(IWICImagingFactory* factory, const WCHAR* path, const GUID& container, const PicImage& image,
               const GUID& wanted, int quality)
{
    std::vector<BYTE> topDown;
    Ref<IWICBitmap> source;
    Ref<IWICPalette> palette;
    HRESULT hr = MakeSource(factory, image, topDown, source, palette);
    Ref<IWICStream> stream;
    if (SUCCEEDED(hr))
        hr = factory->CreateStream(stream.Receive());
    if (SUCCEEDED(hr))
        hr = stream->InitializeFromFilename(path, GENERIC_WRITE);
    Ref<IWICBitmapEncoder> encoder;
    if (SUCCEEDED(hr))
        hr = factory->CreateEncoder(container, nullptr, encoder.Receive());
    if (SUCCEEDED(hr))
        hr = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
    Ref<IWICBitmapFrameEncode> frame;
    Ref<IPropertyBag2> options;
    if (SUCCEEDED(hr))
        hr = encoder->CreateNewFrame(frame.Receive(), options.Receive());
    if (SUCCEEDED(hr) && quality >= 0)
        hr = SetQuality(options.Get(), quality);
    if (SUCCEEDED(hr))
        hr = frame->Initialize(options.Get());
    if (SUCCEEDED(hr))
        hr = frame->SetSize(image.width, image.height);
    WICPixelFormatGUID format = IsEqualGUID(wanted, GUID_NULL) ? FormatOfDepth(image.bitCount) : wanted;
    if (SUCCEEDED(hr))
        hr = frame->SetPixelFormat(&format);
    // An indexed frame writes the picture's own table.
    if (SUCCEEDED(hr) && palette.Get() && IsEqualGUID(format, FormatOfDepth(image.bitCount)))
        hr = frame->SetPalette(palette.Get());
    if (SUCCEEDED(hr))
        hr = frame->WriteSource(source.Get(), nullptr);
    if (SUCCEEDED(hr))
        hr = frame->Commit();
    if (SUCCEEDED(hr))
        hr = encoder->Commit();
    return hr;
}
}

int WicCodec::Load(const char* path, const GUID& container, bool keepDepth, PicImage* image)
{
    std::wstring wide = Wide(path);
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return kPicLibCannotOpen;
    CloseHandle(file);
    ComUse com;
    Ref<IWICImagingFactory> factory;
    Ref<IWICStream> stream;
    if (FAILED(CreateFactory(factory)) || FAILED(factory->CreateStream(stream.Receive())) ||
        FAILED(stream->InitializeFromFilename(wide.c_str(), GENERIC_READ)))
        return kPicLibCannotOpen;
    Ref<IWICBitmapDecoder> decoder;
    HRESULT hr;
    if (IsEqualGUID(container, GUID_NULL)) {
        hr = factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.Receive());
    } else {
        hr = factory->CreateDecoder(container, nullptr, decoder.Receive());
        if (SUCCEEDED(hr))
            hr = decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand);
    }
    if (FAILED(hr))
        return kPicLibNotThisFormat;
    Ref<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.Receive())))
        return kPicLibReadError;
    return Decode(factory.Get(), frame.Get(), keepDepth, image);
}

int WicCodec::Save(const char* path, const GUID& container, const PicImage& picture, const GUID& format, int quality)
{
    // The component's converter lacks some roads to 24 bits (from indexed pixels, for one):
    // such pictures are widened here.
    PicImage wide24;
    bool widen = IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) && picture.bitCount != 24;
    if (widen) {
        if (!wide24.Allocate(picture.width, picture.height, 24))
            return kPicLibBadDib;
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) {
                RGBQUAD colour = picture.ColourAt(x, y);
                memcpy(wide24.Row(y) + 3 * x, &colour, 3);
            }
    }
    const PicImage& image = widen ? wide24 : picture;
    std::wstring wide = Wide(path);
    ComUse com;
    Ref<IWICImagingFactory> factory;
    HRESULT hr = CreateFactory(factory);
    if (SUCCEEDED(hr))
        hr = Encode(factory.Get(), wide.c_str(), container, image, format, quality);
    if (SUCCEEDED(hr))
        return kPicLibOk;
    DeleteFileW(wide.c_str());
    return kPicLibCannotWrite;
}
