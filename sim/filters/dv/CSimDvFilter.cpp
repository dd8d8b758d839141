#include "CSimDvFilter.h"

#include "CritGuard.h"

#include <edevdefs.h>

#include <new>
#include <stdlib.h>
#include <string>

const CLSID CLSID_SimDvCamera = {0x5C3A2D41, 0x8E07, 0x4B6F, {0x9A, 0x21, 0x3D, 0x74, 0xC0, 0x5B, 0x16, 0xE8}};

namespace
{
// GetTimecode's request for the absolute track number rather than the time code.
const DWORD kAtnRead = 5047;
}

CSimDvFilter::CSimDvFilter(IUnknown* outer)
    : CSimStandInFilter(outer, CLSID_SimDvCamera, "dv", "simdv:dv 1"), m_mode(0), m_rate(1.0)
{
    m_mode = (LONG)Number("TransportMode", ED_MODE_STOP);
}

void* CSimDvFilter::FindFilterInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IAMExtDevice))
        return static_cast<IAMExtDevice*>(this);
    if (IsEqualIID(iid, IID_IAMExtTransport))
        return static_cast<IAMExtTransport*>(this);
    if (IsEqualIID(iid, IID_IAMTimecodeReader))
        return static_cast<IAMTimecodeReader*>(this);
    return CSimStandInFilter::FindFilterInterface(iid);
}

DWORD CSimDvFilter::Number(const char* name, DWORD fallback) const
{
    std::string text = Switches().Text(name, "");
    if (text.empty())
        return fallback;
    return (DWORD)strtoul(text.c_str(), nullptr, 0);
}

// Both IAMExtDevice and IAMExtTransport: only the device type is known.
STDMETHODIMP CSimDvFilter::GetCapability(LONG capability, LONG* value, double*)
{
    if (value == nullptr)
        return E_POINTER;
    if (capability != ED_DEVCAP_DEVICE_TYPE)
        return E_NOTIMPL;
    *value = (LONG)Number("DeviceType", ED_DEVTYPE_VCR);
    return S_OK;
}

STDMETHODIMP CSimDvFilter::GetStatus(LONG item, LONG* value)
{
    if (value == nullptr)
        return E_POINTER;
    if (item != ED_MODE)
        return E_NOTIMPL;
    CCritGuard guard(m_transportLock);
    *value = m_mode;
    return S_OK;
}

STDMETHODIMP CSimDvFilter::put_Mode(LONG mode)
{
    CCritGuard guard(m_transportLock);
    m_mode = mode;
    Log().Line("T mode=%ld", mode);
    return S_OK;
}

STDMETHODIMP CSimDvFilter::get_Mode(LONG* mode)
{
    if (mode == nullptr)
        return E_POINTER;
    CCritGuard guard(m_transportLock);
    *mode = m_mode;
    return S_OK;
}

STDMETHODIMP CSimDvFilter::put_Rate(double rate)
{
    CCritGuard guard(m_transportLock);
    m_rate = rate;
    return S_OK;
}

STDMETHODIMP CSimDvFilter::get_Rate(double* rate)
{
    if (rate == nullptr)
        return E_POINTER;
    CCritGuard guard(m_transportLock);
    *rate = m_rate;
    return S_OK;
}

STDMETHODIMP CSimDvFilter::GetTimecode(PTIMECODE_SAMPLE sample)
{
    if (sample == nullptr)
        return E_POINTER;
    if (sample->dwFlags == kAtnRead) {
        sample->timecode.dwFrames = Number("Atn", 0);
    } else if (sample->dwFlags == ED_DEVCAP_TIMECODE_READ) {
        sample->timecode.dwFrames = Number("TimeCode", 0);
    } else {
        return E_INVALIDARG;
    }
    sample->dwUser = 1;
    return S_OK;
}

// What no test needs answers E_NOTIMPL.
STDMETHODIMP CSimDvFilter::get_ExternalDeviceID(LPOLESTR*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::get_ExternalDeviceVersion(LPOLESTR*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::put_DevicePower(LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::get_DevicePower(LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::Calibrate(HEVENT, LONG, LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::put_DevicePort(LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::get_DevicePort(LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::put_MediaState(LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::get_MediaState(LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::put_LocalControl(LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::get_LocalControl(LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::GetTransportBasicParameters(LONG, LONG*, LPOLESTR*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::SetTransportBasicParameters(LONG, LONG, LPCOLESTR) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::GetTransportVideoParameters(LONG, LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::SetTransportVideoParameters(LONG, LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::GetTransportAudioParameters(LONG, LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::SetTransportAudioParameters(LONG, LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::GetChase(LONG*, LONG*, HEVENT*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::SetChase(LONG, LONG, HEVENT) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::GetBump(LONG*, LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::SetBump(LONG, LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::get_AntiClogControl(LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::put_AntiClogControl(LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::GetEditPropertySet(LONG, LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::SetEditPropertySet(LONG*, LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::GetEditProperty(LONG, LONG, LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::SetEditProperty(LONG, LONG, LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::get_EditStart(LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::put_EditStart(LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::GetTCRMode(LONG, LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::SetTCRMode(LONG, LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::put_VITCLine(LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvFilter::get_VITCLine(LONG*) { return E_NOTIMPL; }
