#include "CSimStandInFilter.h"

#include "AmMediaType.h"
#include "SimInterfaceNames.h"

#include <stdio.h>
#include <string.h>

CSimStandInFilter::CSimStandInFilter(IUnknown* outer, REFCLSID clsid, const char* module, const char* identity)
    : CBaseFilter(outer, clsid), m_switches(module), m_log(module, m_switches.TraceLevel())
{
    snprintf(m_identity, sizeof(m_identity), "%s", identity);
}

STDMETHODIMP CSimStandInFilter::GetSimModule(LPSTR buffer, DWORD size)
{
    if (buffer == nullptr)
        return E_POINTER;
    if (size <= strlen(m_identity))
        return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    strcpy(buffer, m_identity);
    return S_OK;
}

bool CSimStandInFilter::Omitted(REFIID iid) const
{
    const char* name = SimInterfaceName(iid);
    return name != nullptr && m_switches.Omits(name);
}

HRESULT CSimStandInFilter::CheckInputType(int, const AM_MEDIA_TYPE&)
{
    return VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimStandInFilter::ReceiveSample(int, IMediaSample*)
{
    return S_OK;
}

HRESULT CSimStandInFilter::EndOfInput(int)
{
    return S_OK;
}

HRESULT CSimStandInFilter::BeginInputFlush(int)
{
    return S_OK;
}

HRESULT CSimStandInFilter::EndInputFlush(int)
{
    return S_OK;
}

void CSimStandInFilter::PinConnected(int, bool)
{
}

HRESULT CSimStandInFilter::CheckOutputType(int, const AM_MEDIA_TYPE&)
{
    return VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimStandInFilter::GetOutputType(int, int, CAmMediaType&)
{
    return VFW_S_NO_MORE_ITEMS;
}

HRESULT CSimStandInFilter::DecideOutputBuffers(int, IMemAllocator*, ALLOCATOR_PROPERTIES*)
{
    return E_NOTIMPL;
}

void* CSimStandInFilter::FindPinInterface(int, REFIID)
{
    return nullptr;
}

void* CSimStandInFilter::FindInterface(REFIID iid)
{
    if (Omitted(iid))
        return nullptr;
    if (IsEqualIID(iid, IID_ISimIdentity))
        return static_cast<ISimIdentity*>(this);
    return FindFilterInterface(iid);
}

void* CSimStandInFilter::FindFilterInterface(REFIID iid)
{
    return CBaseFilter::FindInterface(iid);
}
