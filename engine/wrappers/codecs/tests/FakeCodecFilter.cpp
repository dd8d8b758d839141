#include "FakeCodecFilter.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

FakeCodecFilter::FakeCodecFilter(REFCLSID clsid) : CBaseFilter(nullptr, clsid)
{
}

bool FakeCodecFilter::Offers(REFIID iid) const
{
    if (offered.empty())
        return true;
    for (const IID& one : offered) {
        if (IsEqualIID(one, iid))
            return true;
    }
    return false;
}

void* FakeCodecFilter::FindInterface(REFIID iid)
{
    const IID* params[] = { &IID_IIviParams, &IID_IIviAudioParams, &IID_IIviMuxParams, &IID_IIviVideoParams,
                            &IID_IIviScaleParams };
    for (const IID* one : params) {
        if (IsEqualIID(iid, *one))
            return Offers(iid) ? static_cast<IIviParams*>(this) : nullptr;
    }
    if (IsEqualIID(iid, IID_ISnapPicture))
        return Offers(iid) ? static_cast<ISnapPicture*>(this) : nullptr;
    if (IsEqualIID(iid, IID_IDeinterlaceControl))
        return Offers(iid) ? static_cast<IDeinterlaceControl*>(this) : nullptr;
    return CBaseFilter::FindInterface(iid);
}

HRESULT FakeCodecFilter::Note(const char* format, ...)
{
    char text[128];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    calls.push_back(text);
    return S_OK;
}

STDMETHODIMP FakeCodecFilter::GetParam(LONG id, LONG* value)
{
    Note("Get %ld", (long)id);
    if (id == 1543)
        *value = pictureBytes;
    else if (id == 1544)
        memset(value, 0x5A, pictureBytes);
    else
        *value = 0;
    return S_OK;
}

STDMETHODIMP FakeCodecFilter::SetParam(LONG id, LONG value)
{
    return Note("Set %ld=%ld", (long)id, (long)value);
}

STDMETHODIMP FakeCodecFilter::TakePicture(LONG count, const BYTE* request)
{
    lastRequest.assign(request, request + 272);
    return Note("TakePicture %ld", (long)count);
}

STDMETHODIMP FakeCodecFilter::GetHighQuality(LONG* on)
{
    *on = 0;
    return Note("GetHighQuality");
}

STDMETHODIMP FakeCodecFilter::SetHighQuality(LONG on)
{
    return Note("SetHighQuality %ld", (long)on);
}

STDMETHODIMP FakeCodecFilter::GetNoiseReduce(VARIANT_BOOL* on)
{
    *on = VARIANT_TRUE;
    return Note("GetNoiseReduce");
}

STDMETHODIMP FakeCodecFilter::SetNoiseReduce(VARIANT_BOOL on)
{
    return Note("SetNoiseReduce %d", (int)(WORD)on);
}

STDMETHODIMP FakeCodecFilter::GetHalfRate(VARIANT_BOOL* on)
{
    *on = VARIANT_FALSE;
    return Note("GetHalfRate");
}

STDMETHODIMP FakeCodecFilter::SetHalfRate(VARIANT_BOOL on)
{
    return Note("SetHalfRate %d", (int)(WORD)on);
}

STDMETHODIMP FakeCodecFilter::GetReduceValue(LONG* value)
{
    *value = 4;
    return Note("GetReduceValue");
}

STDMETHODIMP FakeCodecFilter::SetReduceValue(LONG value)
{
    return Note("SetReduceValue %ld", (long)value);
}

STDMETHODIMP FakeCodecFilter::SaveSnapshot(LPCWSTR path, LONG kind, LONG quality)
{
    char narrow[MAX_PATH] = "";
    WideCharToMultiByte(CP_ACP, 0, path, -1, narrow, sizeof(narrow), nullptr, nullptr);
    return Note("SaveSnapshot %s %ld %ld", narrow, (long)kind, (long)quality);
}

STDMETHODIMP FakeCodecFilter::GetSmallFrame(VARIANT_BOOL* on)
{
    *on = VARIANT_FALSE;
    return Note("GetSmallFrame");
}

STDMETHODIMP FakeCodecFilter::SetSmallFrame(VARIANT_BOOL on)
{
    return Note("SetSmallFrame %d", (int)(WORD)on);
}
