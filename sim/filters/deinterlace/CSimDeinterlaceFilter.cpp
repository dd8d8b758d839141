#include "CSimDeinterlaceFilter.h"

#include "CSimPictureFile.h"
#include "CSimVideoConvert.h"
#include "CritGuard.h"

#include <new>
#include <stdlib.h>

const CLSID CLSID_SimDeinterlace = { 0xC5683497, 0x12D5, 0x4ED1, { 0xBF, 0x8D, 0xE5, 0x3B, 0x34, 0x9B, 0x09, 0x81 } };

namespace
{
const DWORD SNAPSHOT_WAIT_MS = 2000;
// A pixel that moved less than this since the last frame keeps its woven line.
const int STILL_LIMIT = 10;
// Noise reduction leaves differences this large alone: they are the picture, not noise.
const int NOISE_LIMIT = 24;

std::string FourccText(DWORD fourcc)
{
    if (fourcc == BI_RGB)
        return "RGB";
    char text[5] = { (char)(fourcc & 0xFF), (char)(fourcc >> 8 & 0xFF), (char)(fourcc >> 16 & 0xFF),
                     (char)(fourcc >> 24 & 0xFF), 0 };
    return text;
}

std::string Narrow(LPCWSTR text)
{
    char buffer[MAX_PATH * 2] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof(buffer), nullptr, nullptr);
    return buffer;
}

VARIANT_BOOL AsVariant(bool on)
{
    return on ? VARIANT_TRUE : VARIANT_FALSE;
}
}

CSimDeinterlaceFilter::CSimDeinterlaceFilter(IUnknown* outer)
    : CSimStandInFilter(outer, CLSID_SimDeinterlace, "deint", "Deinterlace:deint 1")
    , m_input(*this, L"Input", PIN_INPUT)
    , m_preview(*this, L"Preview", PIN_PREVIEW)
    , m_capture(*this, L"Capture", PIN_CAPTURE)
    , m_snapReady(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

CSimDeinterlaceFilter::~CSimDeinterlaceFilter()
{
    if (m_snapReady != nullptr)
        CloseHandle(m_snapReady);
}

CBasePin* CSimDeinterlaceFilter::GetPin(int index)
{
    switch (index) {
    case PIN_INPUT:
        return &m_input;
    case PIN_PREVIEW:
        return &m_preview;
    case PIN_CAPTURE:
        return &m_capture;
    default:
        return nullptr;
    }
}

void* CSimDeinterlaceFilter::FindFilterInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IDeinterlaceControl))
        return static_cast<IDeinterlaceControl*>(this);
    return CSimStandInFilter::FindFilterInterface(iid);
}

STDMETHODIMP CSimDeinterlaceFilter::GetHighQuality(LONG* on)
{
    if (on == nullptr)
        return E_POINTER;
    *on = m_highQuality;
    return S_OK;
}

STDMETHODIMP CSimDeinterlaceFilter::SetHighQuality(LONG on)
{
    m_highQuality = on != 0 ? 1 : 0;
    LogSwitches();
    return S_OK;
}

STDMETHODIMP CSimDeinterlaceFilter::GetNoiseReduce(VARIANT_BOOL* on)
{
    if (on == nullptr)
        return E_POINTER;
    *on = AsVariant(m_noiseReduce);
    return S_OK;
}

STDMETHODIMP CSimDeinterlaceFilter::SetNoiseReduce(VARIANT_BOOL on)
{
    m_noiseReduce = on != VARIANT_FALSE;
    LogSwitches();
    return S_OK;
}

STDMETHODIMP CSimDeinterlaceFilter::GetHalfRate(VARIANT_BOOL* on)
{
    if (on == nullptr)
        return E_POINTER;
    *on = AsVariant(m_halfRate);
    return S_OK;
}

STDMETHODIMP CSimDeinterlaceFilter::SetHalfRate(VARIANT_BOOL on)
{
    m_halfRate = on != VARIANT_FALSE;
    LogSwitches();
    return S_OK;
}

STDMETHODIMP CSimDeinterlaceFilter::GetReduceValue(LONG* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = m_reduce;
    return S_OK;
}

STDMETHODIMP CSimDeinterlaceFilter::SetReduceValue(LONG value)
{
    if (value < 0 || value > 10)
        return E_INVALIDARG;
    m_reduce = value;
    LogSwitches();
    return S_OK;
}

STDMETHODIMP CSimDeinterlaceFilter::GetSmallFrame(VARIANT_BOOL* on)
{
    if (on == nullptr)
        return E_POINTER;
    *on = AsVariant(m_smallFrame);
    return S_OK;
}

STDMETHODIMP CSimDeinterlaceFilter::SetSmallFrame(VARIANT_BOOL on)
{
    m_smallFrame = on != VARIANT_FALSE;
    LogSwitches();
    return S_OK;
}

CSimDeinterlaceFilter::Switches CSimDeinterlaceFilter::CurrentSwitches() const
{
    return Switches{ m_highQuality != 0, m_noiseReduce, m_halfRate, m_reduce };
}

void CSimDeinterlaceFilter::LogSwitches() const
{
    Log().Line("S hq=%ld nr=%d half=%d reduce=%ld small=%d", (long)m_highQuality, (int)m_noiseReduce,
               (int)m_halfRate, (long)m_reduce, (int)m_smallFrame);
}

STDMETHODIMP CSimDeinterlaceFilter::SaveSnapshot(LPCWSTR path, LONG kind, LONG quality)
{
    if (path == nullptr)
        return E_POINTER;
    if (kind != 1 && kind != 2)
        return E_INVALIDARG;
    if (State() == State_Stopped)
        return VFW_E_NOT_RUNNING;
    CSimFrame picture;
    HRESULT hr = WaitForSnapshot(picture);
    if (SUCCEEDED(hr))
        hr = kind == 1 ? CSimPictureFile::SaveBmp(path, picture) : CSimPictureFile::SaveJpeg(path, picture, quality);
    Log().Line("P snap kind=%ld q=%ld %s %s", (long)kind, (long)quality, Narrow(path).c_str(),
               SUCCEEDED(hr) ? "ok" : "fail");
    return SUCCEEDED(hr) ? S_OK : hr;
}

// The caller's thread owns the video window, which the renderer may send messages to while
// the picture is on its way: sent messages are let through, nothing else.
HRESULT CSimDeinterlaceFilter::WaitForSnapshot(CSimFrame& picture)
{
    {
        CCritGuard guard(m_snapLock);
        ResetEvent(m_snapReady);
        m_snapWanted = true;
    }
    DWORD started = GetTickCount();
    for (;;) {
        DWORD waited = GetTickCount() - started;
        DWORD left = waited < SNAPSHOT_WAIT_MS ? SNAPSHOT_WAIT_MS - waited : 0;
        DWORD result = MsgWaitForMultipleObjects(1, &m_snapReady, FALSE, left, QS_SENDMESSAGE);
        if (result == WAIT_OBJECT_0)
            break;
        if (result == WAIT_OBJECT_0 + 1) {
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            continue;
        }
        CCritGuard guard(m_snapLock);
        m_snapWanted = false;
        return E_FAIL;
    }
    CCritGuard guard(m_snapLock);
    picture = m_snapFrame;
    return S_OK;
}

HRESULT CSimDeinterlaceFilter::CheckInputType(int, const AM_MEDIA_TYPE& type)
{
    return CSimVideoConvert::CanRead(type) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

void CSimDeinterlaceFilter::PinConnected(int pin, bool connected)
{
    if (pin == PIN_INPUT) {
        if (!connected) {
            m_inputType.Clear();
            return;
        }
        m_inputType.Set(m_input.ConnectionType());
        const VIDEOINFOHEADER* info = m_inputType.VideoInfo();
        Log().Line("F in %s %ldx%ld %lu", FourccText(info->bmiHeader.biCompression).c_str(), info->bmiHeader.biWidth,
                   labs(info->bmiHeader.biHeight), (unsigned long)info->AvgTimePerFrame);
        return;
    }
    if (!connected)
        return;
    CSimOutputPin& output = pin == PIN_PREVIEW ? m_preview : m_capture;
    const VIDEOINFOHEADER* info = CAmMediaType::VideoInfoOf(output.ConnectionType());
    if (info != nullptr)
        Log().Line("F out %s %ldx%ld", pin == PIN_PREVIEW ? "Preview" : "Capture", info->bmiHeader.biWidth,
                   info->bmiHeader.biHeight);
}

HRESULT CSimDeinterlaceFilter::GetOutputType(int pin, int index, CAmMediaType& type)
{
    const VIDEOINFOHEADER* in = m_inputType.VideoInfo();
    if (!m_input.IsConnected() || in == nullptr || index > 0)
        return VFW_S_NO_MORE_ITEMS;
    bool half = pin == PIN_CAPTURE && m_smallFrame;
    VIDEOINFOHEADER out = {};
    out.AvgTimePerFrame = m_halfRate ? in->AvgTimePerFrame : in->AvgTimePerFrame / 2;
    out.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    out.bmiHeader.biWidth = half ? in->bmiHeader.biWidth / 2 & ~1 : in->bmiHeader.biWidth;
    LONG height = labs(in->bmiHeader.biHeight);
    out.bmiHeader.biHeight = half ? height / 2 : height;
    out.bmiHeader.biPlanes = 1;
    out.bmiHeader.biBitCount = 16;
    out.bmiHeader.biCompression = MAKEFOURCC('Y', 'U', 'Y', '2');
    out.bmiHeader.biSizeImage = (DWORD)out.bmiHeader.biWidth * out.bmiHeader.biHeight * 2;
    return type.SetVideoInfo(MEDIASUBTYPE_YUY2, out);
}

HRESULT CSimDeinterlaceFilter::CheckOutputType(int pin, const AM_MEDIA_TYPE& type)
{
    CAmMediaType offered;
    if (GetOutputType(pin, 0, offered) != S_OK)
        return VFW_E_NOT_CONNECTED;
    const VIDEOINFOHEADER* want = offered.VideoInfo();
    const VIDEOINFOHEADER* got = CAmMediaType::VideoInfoOf(type);
    if (!IsEqualGUID(type.majortype, MEDIATYPE_Video) || !IsEqualGUID(type.subtype, MEDIASUBTYPE_YUY2) ||
        got == nullptr || got->bmiHeader.biWidth != want->bmiHeader.biWidth ||
        labs(got->bmiHeader.biHeight) != want->bmiHeader.biHeight || got->bmiHeader.biBitCount != 16)
        return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

HRESULT CSimDeinterlaceFilter::DecideOutputBuffers(int pin, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    CSimOutputPin& output = pin == PIN_PREVIEW ? m_preview : m_capture;
    const VIDEOINFOHEADER* info = CAmMediaType::VideoInfoOf(output.ConnectionType());
    if (info == nullptr)
        return E_UNEXPECTED;
    ALLOCATOR_PROPERTIES wanted = *request;
    wanted.cBuffers = request->cBuffers > 2 ? request->cBuffers : 2;
    LONG size = (LONG)info->bmiHeader.biWidth * labs(info->bmiHeader.biHeight) * 2;
    wanted.cbBuffer = request->cbBuffer > size ? request->cbBuffer : size;
    return CBaseOutputPin::RequireBuffers(allocator, wanted);
}

HRESULT CSimDeinterlaceFilter::ReceiveSample(int, IMediaSample* sample)
{
    CCritGuard guard(m_receiveLock);
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data)) ||
        !CSimVideoConvert::FromSample(m_inputType, data, sample->GetActualDataLength(), m_in))
        return S_OK;
    REFERENCE_TIME start = 0, stop = 0;
    bool timed = SUCCEEDED(sample->GetTime(&start, &stop));
    Switches switches = CurrentSwitches();
    ++m_frames;
    Log().Sample("R frame=%lu", (unsigned long)m_frames);

    MakeProgressive(0, switches);
    if (switches.noiseReduce)
        ReduceNoise(switches.reduce);
    OfferSnapshot();
    REFERENCE_TIME middle = switches.halfRate ? stop : start + (stop - start) / 2;
    HRESULT hr = DeliverPicture(m_preview, start, middle, timed);
    HRESULT hrCapture = DeliverPicture(m_capture, start, middle, timed);
    if (!switches.halfRate && SUCCEEDED(hr) && SUCCEEDED(hrCapture)) {
        MakeProgressive(1, switches);
        if (switches.noiseReduce)
            ReduceNoise(switches.reduce);
        hr = DeliverPicture(m_preview, middle, stop, timed);
        hrCapture = DeliverPicture(m_capture, middle, stop, timed);
    }
    m_previousIn = m_in;
    return FAILED(hr) ? hr : hrCapture;
}

// Keeps the lines of one field and rebuilds the others from their neighbours; with high
// quality on, a pixel that stood still since the last frame keeps its woven line.
void CSimDeinterlaceFilter::MakeProgressive(int keptParity, const Switches& switches)
{
    m_out = m_in;
    const LONG h = m_in.height;
    const size_t rowBytes = (size_t)m_in.width * 2;
    bool compare = switches.highQuality && m_previousIn.width == m_in.width && m_previousIn.height == h;
    for (LONG y = 0; y < h; ++y) {
        if ((y & 1) == keptParity)
            continue;
        LONG above = y > 0 ? y - 1 : y + 1;
        LONG below = y + 1 < h ? y + 1 : y - 1;
        if (above < 0 || above >= h)
            continue;
        const BYTE* a = m_in.Row(above);
        const BYTE* b = m_in.Row(below);
        const BYTE* now = m_in.Row(y);
        const BYTE* before = compare ? m_previousIn.Row(y) : nullptr;
        BYTE* out = m_out.Row(y);
        for (size_t i = 0; i < rowBytes; i += 2) {
            if (before != nullptr && abs(now[i] - before[i]) < STILL_LIMIT)
                continue;
            out[i] = (BYTE)((a[i] + b[i] + 1) / 2);
            out[i + 1] = (BYTE)((a[i + 1] + b[i + 1] + 1) / 2);
        }
    }
}

void CSimDeinterlaceFilter::ReduceNoise(LONG strength)
{
    if (m_previousOut.width == m_out.width && m_previousOut.height == m_out.height) {
        for (size_t i = 0; i < m_out.Bytes(); i += 2) {
            int y = m_out.yuy2[i];
            int difference = m_previousOut.yuy2[i] - y;
            if (abs(difference) < NOISE_LIMIT)
                m_out.yuy2[i] = (BYTE)(y + difference * strength / 16);
        }
    }
    m_previousOut = m_out;
}

void CSimDeinterlaceFilter::OfferSnapshot()
{
    CCritGuard guard(m_snapLock);
    if (!m_snapWanted)
        return;
    m_snapFrame = m_out;
    m_snapWanted = false;
    SetEvent(m_snapReady);
}

HRESULT CSimDeinterlaceFilter::DeliverPicture(CSimOutputPin& pin, REFERENCE_TIME start, REFERENCE_TIME stop,
                                              bool timed)
{
    if (!pin.IsConnected())
        return S_OK;
    const VIDEOINFOHEADER* info = CAmMediaType::VideoInfoOf(pin.ConnectionType());
    const CSimFrame* picture = &m_out;
    if (info != nullptr && info->bmiHeader.biWidth != m_out.width) {
        CSimVideoConvert::Halve(m_out, m_half);
        picture = &m_half;
    }
    CComRef<IMediaSample> sample;
    HRESULT hr = pin.GetDeliveryBuffer(sample.Receive(), nullptr, nullptr, 0);
    if (FAILED(hr))
        return hr;
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    long size = (long)picture->Bytes();
    if (sample->GetSize() < size)
        return E_UNEXPECTED;
    memcpy(data, picture->yuy2.data(), picture->Bytes());
    sample->SetActualDataLength(size);
    sample->SetTime(timed ? &start : nullptr, timed ? &stop : nullptr);
    sample->SetSyncPoint(TRUE);
    return pin.Deliver(sample.Get());
}

HRESULT CSimDeinterlaceFilter::EndOfInput(int)
{
    CCritGuard guard(m_receiveLock);
    HRESULT hr = m_preview.IsConnected() ? m_preview.DeliverEndOfStream() : S_OK;
    if (m_capture.IsConnected())
        m_capture.DeliverEndOfStream();
    return hr;
}

HRESULT CSimDeinterlaceFilter::BeginInputFlush(int)
{
    if (m_preview.IsConnected())
        m_preview.DeliverBeginFlush();
    if (m_capture.IsConnected())
        m_capture.DeliverBeginFlush();
    return S_OK;
}

HRESULT CSimDeinterlaceFilter::EndInputFlush(int)
{
    CCritGuard guard(m_receiveLock);
    if (m_preview.IsConnected())
        m_preview.DeliverEndFlush();
    if (m_capture.IsConnected())
        m_capture.DeliverEndFlush();
    return S_OK;
}

void CSimDeinterlaceFilter::OnTeardown()
{
    CCritGuard guard(m_receiveLock);
    Log().Line("N frames=%lu", (unsigned long)m_frames);
    m_frames = 0;
    m_previousIn = CSimFrame();
    m_previousOut = CSimFrame();
}
