#include "TestSourcePin.h"

#include <string.h>

CTestSourcePin::CTestSourcePin(CBaseFilter& filter, const GUID* category)
    : CLiveSourcePin(filter, L"Out", category)
{
}

HRESULT CTestSourcePin::CheckMediaType(const AM_MEDIA_TYPE& type)
{
    CAmMediaType own;
    GetMediaType(0, own);
    return own.Equals(type) ? S_OK : S_FALSE;
}

HRESULT CTestSourcePin::GetMediaType(int index, CAmMediaType& type)
{
    if (index != 0)
        return CLiveSourcePin::GetMediaType(index, type);
    VIDEOINFOHEADER format = {};
    format.AvgTimePerFrame = kFrameTime;
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = kWidth;
    format.bmiHeader.biHeight = kHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    format.bmiHeader.biSizeImage = kFrameBytes;
    return type.SetVideoInfo(MEDIASUBTYPE_RGB32, format);
}

void CTestSourcePin::FailFrame(LONG frame, HRESULT hr)
{
    m_failFrame = frame;
    m_failure = hr;
}

HRESULT CTestSourcePin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    if (FAILED(m_bufferFailure))
        return m_bufferFailure;
    ALLOCATOR_PROPERTIES wanted = *request;
    wanted.cBuffers = wanted.cBuffers > 2 ? wanted.cBuffers : 2;
    wanted.cbBuffer = wanted.cbBuffer > kFrameBytes ? wanted.cbBuffer : kFrameBytes;
    return RequireBuffers(allocator, wanted);
}

void CTestSourcePin::OnThreadStart()
{
    ++m_threads;
    m_frame = 0;
    m_endSent = false;
}

void CTestSourcePin::OnThreadEnd()
{
    --m_threads;
}

HRESULT CTestSourcePin::FillBuffer(IMediaSample* sample)
{
    LONG k = m_frame;
    if (m_limit >= 0 && k >= m_limit)
        return EndStream();
    REFERENCE_TIME start = k * kFrameTime;
    REFERENCE_TIME stop = start + kFrameTime;
    HRESULT hr = WaitForStreamTime(stop);
    if (hr != S_OK)
        return hr;
    if (k == m_failFrame)
        return m_failure;
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    memset(data, k & 0xFF, kFrameBytes);
    sample->SetActualDataLength(kFrameBytes);
    sample->SetTime(&start, &stop);
    sample->SetSyncPoint(TRUE);
    sample->SetDiscontinuity(k == 0);
    ++m_frame;
    return S_OK;
}

// Sends the end of stream once, then waits out the run.
HRESULT CTestSourcePin::EndStream()
{
    if (!m_endSent) {
        m_endSent = true;
        DeliverEndOfStream();
    }
    // Far beyond any test: returns S_FALSE as soon as the run halts or stops.
    WaitForStreamTime(0x7FFFFFFFFFFFLL);
    return S_FALSE;
}
