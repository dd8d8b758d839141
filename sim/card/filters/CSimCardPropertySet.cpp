#include "CSimCardPropertySet.h"

#include "SimGuids.h"

CSimCardPropertySet::CSimCardPropertySet(CSimFilter& filter) : m_filter(filter)
{
}

STDMETHODIMP CSimCardPropertySet::QueryInterface(REFIID iid, void** out)
{
    return m_filter.ControllingUnknown()->QueryInterface(iid, out);
}

STDMETHODIMP_(ULONG) CSimCardPropertySet::AddRef()
{
    return m_filter.ControllingUnknown()->AddRef();
}

STDMETHODIMP_(ULONG) CSimCardPropertySet::Release()
{
    return m_filter.ControllingUnknown()->Release();
}

namespace
{
// The 16-byte family's sets by the card's numbering, -1 for another set.
int Bus16Set(REFGUID set)
{
    if (IsEqualGUID(set, PROPSETID_SimBus16))
        return CSimCard::BUS16_MAIN;
    if (IsEqualGUID(set, PROPSETID_SimBus16Control))
        return CSimCard::BUS16_CONTROL;
    if (IsEqualGUID(set, PROPSETID_SimBus16Device))
        return CSimCard::BUS16_DEVICE;
    return -1;
}

int EncoderSet(REFGUID set)
{
    if (IsEqualGUID(set, PROPSETID_SimEncoder))
        return CSimCard::ENCODER_MAIN;
    if (IsEqualGUID(set, PROPSETID_SimEncoderImage))
        return CSimCard::ENCODER_IMAGE;
    return -1;
}
}

HRESULT CSimCardPropertySet::Call(bool get, REFGUID set, DWORD id, void* instance, DWORD instanceSize, void* data,
                                  DWORD dataSize, DWORD* returned)
{
    CSimCard& card = m_filter.Card();
    // Each family's driver answers its own sets only.
    if (card.UsesCardSet()) {
        if (IsEqualGUID(set, PROPSETID_SimCard)) {
            LONG instOffset = (LONG)((BYTE*)instance - (BYTE*)data);
            return card.Property(m_filter.Who(), get, id, instOffset, (BYTE*)data, dataSize, returned);
        }
        return E_PROP_SET_UNSUPPORTED;
    }
    switch (card.Family()) {
    case SIM_FAMILY_CARD_EX:
        if (IsEqualGUID(set, PROPSETID_SimCardEx)) {
            LONG instOffset = (LONG)((BYTE*)instance - (BYTE*)data);
            return card.Property(m_filter.Who(), get, id, instOffset, (BYTE*)data, dataSize, returned);
        }
        break;
    case SIM_FAMILY_TUNNEL:
        if (IsEqualGUID(set, PROPSETID_SimTunnel)) {
            if (id != 0)
                return E_PROP_ID_UNSUPPORTED;
            return get ? card.TunnelGet((BYTE*)data, dataSize, returned) : card.TunnelSet((const BYTE*)data, dataSize);
        }
        break;
    case SIM_FAMILY_BUS16:
        if (Bus16Set(set) >= 0)
            return card.Bus16Property(Bus16Set(set), id, get, (BYTE*)data, dataSize, returned);
        break;
    case SIM_FAMILY_ENCODER:
        if (EncoderSet(set) >= 0)
            return card.EncoderProperty(EncoderSet(set), id, get, (const BYTE*)instance, instance ? instanceSize : 0,
                                        (BYTE*)data, dataSize, returned);
        break;
    }
    return E_PROP_SET_UNSUPPORTED;
}

STDMETHODIMP CSimCardPropertySet::Set(REFGUID set, DWORD id, void* instance, DWORD instanceSize, void* data,
                                      DWORD dataSize)
{
    return Call(false, set, id, instance, instanceSize, data, dataSize, nullptr);
}

STDMETHODIMP CSimCardPropertySet::Get(REFGUID set, DWORD id, void* instance, DWORD instanceSize, void* data,
                                      DWORD dataSize, DWORD* returned)
{
    return Call(true, set, id, instance, instanceSize, data, dataSize, returned);
}

STDMETHODIMP CSimCardPropertySet::QuerySupported(REFGUID set, DWORD id, DWORD* support)
{
    CSimCard& card = m_filter.Card();
    if (card.UsesCardSet())
        return IsEqualGUID(set, PROPSETID_SimCard) ? CSimCard::QuerySupport(id, support, card.SignalsEvents())
                                                  : E_PROP_SET_UNSUPPORTED;
    switch (card.Family()) {
    case SIM_FAMILY_CARD_EX:
        if (IsEqualGUID(set, PROPSETID_SimCardEx))
            return CSimCard::QuerySupport(id, support, card.SignalsEvents());
        break;
    case SIM_FAMILY_TUNNEL:
        if (IsEqualGUID(set, PROPSETID_SimTunnel)) {
            if (id != 0)
                return E_PROP_ID_UNSUPPORTED;
            if (support == nullptr)
                return E_POINTER;
            *support = CSimCard::SUPPORT_GET | CSimCard::SUPPORT_SET;
            return S_OK;
        }
        break;
    case SIM_FAMILY_BUS16:
        if (Bus16Set(set) >= 0)
            return CSimCard::Bus16Support(Bus16Set(set), id, support);
        break;
    case SIM_FAMILY_ENCODER:
        if (EncoderSet(set) >= 0)
            return card.EncoderSupport(EncoderSet(set), id, support);
        break;
    }
    return E_PROP_SET_UNSUPPORTED;
}
