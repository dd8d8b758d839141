#include "CSimInputPin.h"

#include "CSimStandInFilter.h"

CSimInputPin::CSimInputPin(CSimStandInFilter& filter, const WCHAR* name, int number)
    : CBaseInputPin(filter, name), m_owner(filter), m_number(number)
{
}

HRESULT CSimInputPin::CheckMediaType(const AM_MEDIA_TYPE& type)
{
    return m_owner.CheckInputType(m_number, type);
}

HRESULT CSimInputPin::OnReceive(IMediaSample* sample)
{
    return m_owner.ReceiveSample(m_number, sample);
}

HRESULT CSimInputPin::OnEndOfStream()
{
    return m_owner.EndOfInput(m_number);
}

HRESULT CSimInputPin::OnBeginFlush()
{
    return m_owner.BeginInputFlush(m_number);
}

HRESULT CSimInputPin::OnEndFlush()
{
    return m_owner.EndInputFlush(m_number);
}

HRESULT CSimInputPin::CompleteConnect(IPin* peer)
{
    HRESULT hr = CBaseInputPin::CompleteConnect(peer);
    if (SUCCEEDED(hr)) {
        m_announced = true;
        m_owner.PinConnected(m_number, true);
    }
    return hr;
}

void CSimInputPin::BreakConnect()
{
    if (m_announced) {
        m_announced = false;
        m_owner.PinConnected(m_number, false);
    }
    CBaseInputPin::BreakConnect();
}

void* CSimInputPin::FindInterface(REFIID iid)
{
    if (m_owner.Omitted(iid))
        return nullptr;
    void* found = m_owner.FindPinInterface(m_number, iid);
    return found != nullptr ? found : CBaseInputPin::FindInterface(iid);
}
