#include "CMuxFileSourcePin.h"

#include "BaseFilter.h"

#include <stdio.h>

CMuxFileSourcePin::CMuxFileSourcePin(CBaseFilter& filter) : CBaseOutputPin(filter, L"Out")
{
}

CMuxFileSourcePin::~CMuxFileSourcePin()
{
    m_stopping = true;
    m_wake.Set();
    m_endGate.Set();
    m_thread.Join();
}

bool CMuxFileSourcePin::Load(const char* path, const AM_MEDIA_TYPE& type, REFERENCE_TIME duration,
                             REFERENCE_TIME start, long sampleBytes)
{
    FILE* file = fopen(path, "rb");
    if (!file)
        return false;
    m_data.clear();
    BYTE piece[65536];
    size_t got;
    while ((got = fread(piece, 1, sizeof(piece), file)) > 0)
        m_data.insert(m_data.end(), piece, piece + got);
    fclose(file);
    m_type.Set(type);
    m_duration = duration;
    m_start = start;
    m_sampleBytes = sampleBytes;
    return !m_data.empty();
}

HRESULT CMuxFileSourcePin::CheckMediaType(const AM_MEDIA_TYPE& type)
{
    return m_type.Equals(type) ? S_OK : S_FALSE;
}

HRESULT CMuxFileSourcePin::GetMediaType(int index, CAmMediaType& type)
{
    if (index != 0)
        return CBaseOutputPin::GetMediaType(index, type);
    return type.Set(m_type);
}

HRESULT CMuxFileSourcePin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    ALLOCATOR_PROPERTIES wanted = *request;
    wanted.cBuffers = wanted.cBuffers > 4 ? wanted.cBuffers : 4;
    wanted.cbBuffer = wanted.cbBuffer > m_sampleBytes ? wanted.cbBuffer : m_sampleBytes;
    return RequireBuffers(allocator, wanted);
}

void* CMuxFileSourcePin::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IMediaSeeking))
        return static_cast<IMediaSeeking*>(this);
    return CBaseOutputPin::FindInterface(iid);
}

HRESULT CMuxFileSourcePin::Active()
{
    HRESULT hr = CBaseOutputPin::Active();
    if (FAILED(hr) || !IsConnected())
        return hr;
    m_stopping = false;
    m_delivered = false;
    m_position = 0;
    m_lastResult = S_OK;
    m_wake.Reset();
    m_endGate.Reset();
    return m_thread.Start([this] { StreamMain(); });
}

HRESULT CMuxFileSourcePin::Inactive()
{
    m_stopping = true;
    m_wake.Set();
    m_endGate.Set();
    return CBaseOutputPin::Inactive();
}

void CMuxFileSourcePin::AwaitInactive()
{
    m_thread.Join();
}

void CMuxFileSourcePin::RunStarted(REFERENCE_TIME)
{
    m_runStartMs = GetTickCount();
    m_wake.Set();
}

REFERENCE_TIME CMuxFileSourcePin::TimeAt(size_t offset) const
{
    return m_start + static_cast<REFERENCE_TIME>(static_cast<double>(m_duration) * offset / m_data.size());
}

void CMuxFileSourcePin::StreamMain()
{
    m_wake.Wait(INFINITE);
    size_t at = 0;
    while (!m_stopping && at < m_data.size()) {
        IMediaSample* sample = nullptr;
        HRESULT hr = GetDeliveryBuffer(&sample, nullptr, nullptr, 0);
        if (FAILED(hr)) {
            m_lastResult = hr;
            return;
        }
        if (m_pace > 0) {
            LONGLONG due = static_cast<LONGLONG>((TimeAt(at) - m_start) / 10000 / m_pace);
            LONGLONG early = due - static_cast<LONGLONG>(static_cast<DWORD>(GetTickCount() - m_runStartMs));
            if (early > 0)
                Sleep(static_cast<DWORD>(early));
        }
        size_t bytes = m_data.size() - at < static_cast<size_t>(m_sampleBytes) ? m_data.size() - at : m_sampleBytes;
        BYTE* buffer = nullptr;
        sample->GetPointer(&buffer);
        memcpy(buffer, &m_data[at], bytes);
        sample->SetActualDataLength(static_cast<long>(bytes));
        REFERENCE_TIME start = TimeAt(at), stop = TimeAt(at + bytes);
        sample->SetTime(&start, &stop);
        sample->SetSyncPoint(at == 0);
        sample->SetDiscontinuity(at == 0);
        hr = Deliver(sample);
        sample->Release();
        if (hr != S_OK) {
            m_lastResult = hr;
            return;
        }
        at += bytes;
        m_position = at;
    }
    m_delivered = true;
    if (m_holdEnd)
        m_endGate.Wait(INFINITE);
    if (!m_stopping)
        DeliverEndOfStream();
}

// IMediaSeeking: reads only, in media time.

STDMETHODIMP CMuxFileSourcePin::GetCapabilities(DWORD* capabilities)
{
    if (!capabilities)
        return E_POINTER;
    *capabilities = AM_SEEKING_CanGetDuration | AM_SEEKING_CanGetCurrentPos | AM_SEEKING_CanGetStopPos;
    return S_OK;
}

STDMETHODIMP CMuxFileSourcePin::CheckCapabilities(DWORD* capabilities)
{
    if (!capabilities)
        return E_POINTER;
    DWORD own = 0;
    GetCapabilities(&own);
    DWORD asked = *capabilities;
    *capabilities &= own;
    return *capabilities == asked ? S_OK : (*capabilities ? S_FALSE : E_FAIL);
}

STDMETHODIMP CMuxFileSourcePin::IsFormatSupported(const GUID* format)
{
    if (!format)
        return E_POINTER;
    return IsEqualGUID(*format, TIME_FORMAT_MEDIA_TIME) ? S_OK : S_FALSE;
}

STDMETHODIMP CMuxFileSourcePin::QueryPreferredFormat(GUID* format)
{
    return GetTimeFormat(format);
}

STDMETHODIMP CMuxFileSourcePin::GetTimeFormat(GUID* format)
{
    if (!format)
        return E_POINTER;
    *format = TIME_FORMAT_MEDIA_TIME;
    return S_OK;
}

STDMETHODIMP CMuxFileSourcePin::IsUsingTimeFormat(const GUID* format)
{
    return IsFormatSupported(format);
}

STDMETHODIMP CMuxFileSourcePin::SetTimeFormat(const GUID* format)
{
    HRESULT hr = IsFormatSupported(format);
    return hr == S_FALSE ? E_INVALIDARG : hr;
}

STDMETHODIMP CMuxFileSourcePin::GetDuration(LONGLONG* duration)
{
    if (!duration)
        return E_POINTER;
    *duration = m_duration;
    return S_OK;
}

STDMETHODIMP CMuxFileSourcePin::GetStopPosition(LONGLONG* stop)
{
    return GetDuration(stop);
}

STDMETHODIMP CMuxFileSourcePin::GetCurrentPosition(LONGLONG* current)
{
    if (!current)
        return E_POINTER;
    *current = m_data.empty() ? 0 : TimeAt(m_position) - m_start;
    return S_OK;
}

STDMETHODIMP CMuxFileSourcePin::ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat, LONGLONG source,
                                                  const GUID* sourceFormat)
{
    if (!target)
        return E_POINTER;
    if ((targetFormat && !IsEqualGUID(*targetFormat, TIME_FORMAT_MEDIA_TIME)) ||
        (sourceFormat && !IsEqualGUID(*sourceFormat, TIME_FORMAT_MEDIA_TIME)))
        return E_INVALIDARG;
    *target = source;
    return S_OK;
}

STDMETHODIMP CMuxFileSourcePin::SetPositions(LONGLONG*, DWORD currentFlags, LONGLONG*, DWORD stopFlags)
{
    // Only "no change" is possible: the fixture plays once from its start.
    return (currentFlags & AM_SEEKING_PositioningBitsMask) || (stopFlags & AM_SEEKING_PositioningBitsMask)
               ? E_NOTIMPL
               : S_OK;
}

STDMETHODIMP CMuxFileSourcePin::GetPositions(LONGLONG* current, LONGLONG* stop)
{
    if (current)
        GetCurrentPosition(current);
    if (stop)
        GetStopPosition(stop);
    return S_OK;
}

STDMETHODIMP CMuxFileSourcePin::GetAvailable(LONGLONG* earliest, LONGLONG* latest)
{
    if (earliest)
        *earliest = 0;
    if (latest)
        *latest = m_duration;
    return S_OK;
}

STDMETHODIMP CMuxFileSourcePin::SetRate(double rate)
{
    return rate == 1.0 ? S_OK : E_NOTIMPL;
}

STDMETHODIMP CMuxFileSourcePin::GetRate(double* rate)
{
    if (!rate)
        return E_POINTER;
    *rate = 1.0;
    return S_OK;
}

STDMETHODIMP CMuxFileSourcePin::GetPreroll(LONGLONG* preroll)
{
    if (!preroll)
        return E_POINTER;
    *preroll = 0;
    return S_OK;
}
