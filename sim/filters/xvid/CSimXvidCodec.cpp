#include "CSimXvidCodec.h"

#include "CSimVideoConvert.h"
#include "CritGuard.h"
#include "ComRef.h"

#include <new>
#include <string.h>

const CLSID CLSID_SimXvidCodec = {0x37C0EC6A, 0x43DC, 0x40AA, {0x95, 0x6D, 0xB6, 0xC2, 0x3C, 0x1A, 0x3E, 0x9C}};

namespace
{
const REFERENCE_TIME kUnitsPerSecond = 10000000;
const REFERENCE_TIME kDefaultFrameTime = 400000;
// Pictures from one I-VOP to the next.
const int kKeyInterval = 12;
const long kOutputBuffers = 4;

// The FOURCC subtypes share the base GUID {xxxxxxxx-0000-0010-8000-00AA00389B71}.
GUID FourccSubtype(DWORD fourcc)
{
    GUID subtype = {fourcc, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
    return subtype;
}

bool IsTakenSubtype(REFGUID subtype)
{
    return IsEqualGUID(subtype, MEDIASUBTYPE_YUY2) || IsEqualGUID(subtype, MEDIASUBTYPE_UYVY) ||
           IsEqualGUID(subtype, MEDIASUBTYPE_YV12) || IsEqualGUID(subtype, MEDIASUBTYPE_RGB24);
}

// The stream's clock: whole frame rates tick once a frame, others (the NTSC 30000/1001)
// count in thirty-thousandths of a second.
// The stream's clock: whole frames a second, or ticks of 1/30000 s.
AVRational StreamClock(REFERENCE_TIME frameTime)
{
    if (frameTime <= 0)
        frameTime = kDefaultFrameTime;
    if (kUnitsPerSecond % frameTime == 0)
        return AVRational{1, (int)(kUnitsPerSecond / frameTime)};
    return AVRational{(int)((frameTime * 30000 + kUnitsPerSecond / 2) / kUnitsPerSecond), 30000};
}

void FourccText(DWORD fourcc, char* text)
{
    memcpy(text, &fourcc, 4);
    text[4] = '\0';
}

typedef int(WINAPI* ShowDialogFunction)(HWND parent);
}

CSimXvidCodec::CSimXvidCodec(IUnknown* outer)
    : CSimStandInFilter(outer, CLSID_SimXvidCodec, "xvid", "simxvid:xvid 1"),
      m_input(*this, L"Input", kInputPin),
      m_output(*this, L"Output", kOutputPin)
{
}

CSimXvidCodec::~CSimXvidCodec() = default;

CBasePin* CSimXvidCodec::GetPin(int index)
{
    switch (index) {
    case kInputPin: return &m_input;
    case kOutputPin: return &m_output;
    default: return nullptr;
    }
}

void* CSimXvidCodec::FindFilterInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IAMVfwCompressDialogs))
        return static_cast<IAMVfwCompressDialogs*>(this);
    return CSimStandInFilter::FindFilterInterface(iid);
}

// Dialogs -----------------------------------------------------------------------------------

// The dialog is the compression-dialog library's, which the program that records loads
// beside itself; the codec only opens it.
STDMETHODIMP CSimXvidCodec::ShowDialog(int dialog, HWND parent)
{
    if (dialog == VfwCompressDialog_QueryConfig)
        return S_OK;
    if (dialog != VfwCompressDialog_Config)
        return S_FALSE;
    HMODULE library = LoadLibraryA("Framewise.dll");
    ShowDialogFunction show =
        library ? reinterpret_cast<ShowDialogFunction>(reinterpret_cast<void (*)()>(GetProcAddress(library, "XD_ShowVCMDialog"))) : nullptr;
    int result = show ? show(parent) : 0;
    if (library)
        FreeLibrary(library);
    Log().Line("D dialog=%d result=%d", dialog, result);
    return show ? S_OK : E_FAIL;
}

STDMETHODIMP CSimXvidCodec::GetState(LPVOID state, int* size)
{
    if (size == nullptr)
        return E_POINTER;
    if (state == nullptr) {
        *size = CSimXvidSettings::kStateSize;
        return S_OK;
    }
    if (*size < CSimXvidSettings::kStateSize)
        return E_INVALIDARG;
    CSimXvidSettings::Load().ToState(static_cast<BYTE*>(state));
    *size = CSimXvidSettings::kStateSize;
    return S_OK;
}

STDMETHODIMP CSimXvidCodec::SetState(LPVOID state, int size)
{
    if (state == nullptr)
        return E_POINTER;
    if (size != CSimXvidSettings::kStateSize)
        return E_INVALIDARG;
    return CSimXvidSettings::FromState(static_cast<const BYTE*>(state)).Save() ? S_OK : E_FAIL;
}

STDMETHODIMP CSimXvidCodec::SendDriverMessage(int, LONG, LONG)
{
    return E_NOTIMPL;
}

// Types -------------------------------------------------------------------------------------

HRESULT CSimXvidCodec::CheckInputType(int, const AM_MEDIA_TYPE& type)
{
    const VIDEOINFOHEADER* info = CAmMediaType::VideoInfoOf(type);
    if (!IsEqualGUID(type.majortype, MEDIATYPE_Video) || !IsTakenSubtype(type.subtype) || info == nullptr ||
        !CSimVideoConvert::CanRead(type) || labs(info->bmiHeader.biHeight) % 2 != 0)
        return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

void CSimXvidCodec::PinConnected(int pin, bool connected)
{
    if (pin != kInputPin)
        return;
    if (connected)
        m_inputType.Set(m_input.ConnectionType());
    else
        m_inputType.Clear();
}

HRESULT CSimXvidCodec::GetOutputType(int, int index, CAmMediaType& type)
{
    const VIDEOINFOHEADER* in = m_inputType.VideoInfo();
    if (!m_input.IsConnected() || in == nullptr || index > 0)
        return VFW_S_NO_MORE_ITEMS;
    CSimXvidSettings settings = CSimXvidSettings::Load();
    DWORD fourcc = settings.Fourcc();
    VIDEOINFOHEADER out = {};
    out.AvgTimePerFrame = in->AvgTimePerFrame;
    out.dwBitRate = settings.bitRate;
    out.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    out.bmiHeader.biWidth = in->bmiHeader.biWidth;
    out.bmiHeader.biHeight = labs(in->bmiHeader.biHeight);
    out.bmiHeader.biPlanes = 1;
    out.bmiHeader.biBitCount = 24;
    out.bmiHeader.biCompression = fourcc;
    out.bmiHeader.biSizeImage = (DWORD)out.bmiHeader.biWidth * out.bmiHeader.biHeight * 3;
    HRESULT hr = type.SetVideoInfo(FourccSubtype(fourcc), out);
    type.bFixedSizeSamples = FALSE;
    type.bTemporalCompression = FALSE;
    type.lSampleSize = 0;
    return hr;
}

HRESULT CSimXvidCodec::CheckOutputType(int pin, const AM_MEDIA_TYPE& type)
{
    CAmMediaType offered;
    if (GetOutputType(pin, 0, offered) != S_OK)
        return VFW_E_NOT_CONNECTED;
    const VIDEOINFOHEADER* want = offered.VideoInfo();
    const VIDEOINFOHEADER* got = CAmMediaType::VideoInfoOf(type);
    if (!IsEqualGUID(type.majortype, MEDIATYPE_Video) || !IsEqualGUID(type.subtype, offered.subtype) ||
        got == nullptr || got->bmiHeader.biCompression != want->bmiHeader.biCompression ||
        got->bmiHeader.biWidth != want->bmiHeader.biWidth || labs(got->bmiHeader.biHeight) != want->bmiHeader.biHeight)
        return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

HRESULT CSimXvidCodec::DecideOutputBuffers(int, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    const VIDEOINFOHEADER* info = CAmMediaType::VideoInfoOf(m_output.ConnectionType());
    if (info == nullptr)
        return E_UNEXPECTED;
    ALLOCATOR_PROPERTIES wanted = *request;
    wanted.cBuffers = request->cBuffers > kOutputBuffers ? request->cBuffers : kOutputBuffers;
    LONG size = (LONG)info->bmiHeader.biWidth * labs(info->bmiHeader.biHeight) * 2;
    wanted.cbBuffer = request->cbBuffer > size ? request->cbBuffer : size;
    return CBaseOutputPin::RequireBuffers(allocator, wanted);
}

// Streaming ---------------------------------------------------------------------------------

HRESULT CSimXvidCodec::OnPrepare()
{
    const VIDEOINFOHEADER* in = m_inputType.VideoInfo();
    const VIDEOINFOHEADER* out = CAmMediaType::VideoInfoOf(m_output.ConnectionType());
    if (!m_input.IsConnected() || !m_output.IsConnected() || in == nullptr || out == nullptr)
        return S_OK;
    CCritGuard guard(m_receiveLock);
    m_settings = CSimXvidSettings::Load();
    int width = in->bmiHeader.biWidth, height = labs(in->bmiHeader.biHeight);
    m_quant = m_settings.FixedQuant();
    m_encoder.reset(new (std::nothrow) CSimAvEncoder(AV_CODEC_ID_MPEG4));
    m_picture.reset(av_frame_alloc());
    AVCodecContext* c = m_encoder ? m_encoder->Context() : nullptr;
    if (c == nullptr || !m_picture)
        return E_OUTOFMEMORY;
    c->width = width;
    c->height = height;
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    c->time_base = StreamClock(in->AvgTimePerFrame);
    c->gop_size = kKeyInterval;
    c->codec_tag = out->bmiHeader.biCompression;
    if (m_settings.mode == CSimXvidSettings::kRateControl) {
        c->bit_rate = m_settings.bitRate;
    } else {
        c->flags |= AV_CODEC_FLAG_QSCALE;
        c->global_quality = FF_QP2LAMBDA * m_quant;
    }
    m_picture->format = AV_PIX_FMT_YUV420P;
    m_picture->width = width;
    m_picture->height = height;
    if (!m_encoder->Open() || av_frame_get_buffer(m_picture.get(), 0) < 0) {
        Log().Line("! settings refused by the codec library");
        m_encoder.reset();
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    m_pictures = 0;

    char fourcc[5], input[8];
    FourccText(out->bmiHeader.biCompression, fourcc);
    FourccText(m_inputType.subtype.Data1, input);
    if (IsEqualGUID(m_inputType.subtype, MEDIASUBTYPE_RGB24))
        strcpy(input, "RGB24");
    Log().Line("R mode=%lu rate=%lu quant=%d fourcc=%s in=%s %dx%d", (unsigned long)m_settings.mode,
               (unsigned long)m_settings.bitRate, m_quant, fourcc, input, width, height);
    return S_OK;
}

void CSimXvidCodec::OnTeardown()
{
    CCritGuard guard(m_receiveLock);
    m_encoder.reset();
}

HRESULT CSimXvidCodec::ReceiveSample(int, IMediaSample* sample)
{
    CCritGuard guard(m_receiveLock);
    BYTE* data = nullptr;
    if (!m_encoder || !m_output.IsConnected() || FAILED(sample->GetPointer(&data)) ||
        !CSimVideoConvert::FromSample(m_inputType, data, sample->GetActualDataLength(), m_frame))
        return S_OK;
    if (!m_scaler.ToPicture(m_frame.yuy2.data(), MAKEFOURCC('Y', 'U', 'Y', '2'), m_frame.width, m_frame.height,
                            m_picture.get()))
        return E_FAIL;
    m_picture->pts = m_pictures++;
    if (m_settings.mode != CSimXvidSettings::kRateControl)
        m_picture->quality = FF_QP2LAMBDA * m_quant;
    HRESULT hr = S_OK;
    bool coded = m_encoder->Encode(m_picture.get(), [&](AVPacket* packet) {
        hr = DeliverPicture(packet, sample);
        return SUCCEEDED(hr);
    });
    return FAILED(hr) ? hr : coded ? S_OK : E_FAIL;
}

// The encoder holds no pictures back: each coded picture carries its input's times.
HRESULT CSimXvidCodec::DeliverPicture(const AVPacket* packet, IMediaSample* input)
{
    CComRef<IMediaSample> output;
    HRESULT hr = m_output.GetDeliveryBuffer(output.Receive(), nullptr, nullptr, 0);
    if (FAILED(hr))
        return hr;
    BYTE* target = nullptr;
    output->GetPointer(&target);
    if (target == nullptr || output->GetSize() < packet->size)
        return E_UNEXPECTED;
    memcpy(target, packet->data, packet->size);
    output->SetActualDataLength(packet->size);
    output->SetSyncPoint((packet->flags & AV_PKT_FLAG_KEY) != 0);
    output->SetDiscontinuity(input->IsDiscontinuity() == S_OK);
    REFERENCE_TIME start = 0, stop = 0;
    if (SUCCEEDED(input->GetTime(&start, &stop)))
        output->SetTime(&start, &stop);
    Log().Sample("S bytes=%d key=%d", packet->size, (packet->flags & AV_PKT_FLAG_KEY) ? 1 : 0);
    return m_output.Deliver(output.Get());
}

HRESULT CSimXvidCodec::EndOfInput(int)
{
    CCritGuard guard(m_receiveLock);
    return m_output.IsConnected() ? m_output.DeliverEndOfStream() : S_OK;
}

HRESULT CSimXvidCodec::BeginInputFlush(int)
{
    return m_output.IsConnected() ? m_output.DeliverBeginFlush() : S_OK;
}

HRESULT CSimXvidCodec::EndInputFlush(int)
{
    CCritGuard guard(m_receiveLock);
    return m_output.IsConnected() ? m_output.DeliverEndFlush() : S_OK;
}
