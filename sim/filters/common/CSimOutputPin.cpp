#include "CSimOutputPin.h"

#include "CSimStandInFilter.h"

CSimOutputPin::CSimOutputPin(CSimStandInFilter& filter, const WCHAR* name, int number)
    : CBaseOutputPin(filter, name), m_owner(filter), m_number(number)
{
}

HRESULT CSimOutputPin::CheckMediaType(const AM_MEDIA_TYPE& type)
{
    return m_owner.CheckOutputType(m_number, type);
}

HRESULT CSimOutputPin::GetMediaType(int index, CAmMediaType& type)
{
    if (index < 0)
        return CBaseOutputPin::GetMediaType(index, type);
    return m_owner.GetOutputType(m_number, index, type);
}

HRESULT CSimOutputPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    return m_owner.DecideOutputBuffers(m_number, allocator, request);
}

HRESULT CSimOutputPin::CompleteConnect(IPin* peer)
{
    HRESULT hr = CBaseOutputPin::CompleteConnect(peer);
    if (SUCCEEDED(hr)) {
        m_announced = true;
        m_owner.PinConnected(m_number, true);
    }
    return hr;
}

void CSimOutputPin::BreakConnect()
{
    if (m_announced) {
        m_announced = false;
        m_owner.PinConnected(m_number, false);
    }
    CBaseOutputPin::BreakConnect();
}

void* CSimOutputPin::FindInterface(REFIID iid)
{
    if (m_owner.Omitted(iid))
        return nullptr;
    void* found = m_owner.FindPinInterface(m_number, iid);
    return found != nullptr ? found : CBaseOutputPin::FindInterface(iid);
}
