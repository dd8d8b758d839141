#include "CSimCard.h"

#include <string.h>

namespace
{
struct PropertyRule
{
    DWORD support;
    DWORD size;                 // the request buffer, instance area included
};

// By property id: 0 id words, 1 bus control, 2 byte access, 3 device control, 4 GPIO,
// 5 registers, 6 I2C block; on a card whose driver signals an event, 7 the event handle,
// 8 start with a value, 9 stop, 10 a driver value.
const PropertyRule PROPERTY_RULES[SIM_PROPERTY_IDS] = {
    // support                                          size
    { CSimCard::SUPPORT_GET,                            48 },
    { CSimCard::SUPPORT_SET,                            48 },
    { CSimCard::SUPPORT_GET | CSimCard::SUPPORT_SET,    56 },
    { CSimCard::SUPPORT_SET,                            48 },
    { CSimCard::SUPPORT_GET | CSimCard::SUPPORT_SET,    48 },
    { CSimCard::SUPPORT_GET | CSimCard::SUPPORT_SET,    48 },
    { CSimCard::SUPPORT_GET | CSimCard::SUPPORT_SET,    304 },
    { CSimCard::SUPPORT_SET,                            48 },
    { CSimCard::SUPPORT_SET,                            48 },
    { CSimCard::SUPPORT_SET,                            40 },
    { CSimCard::SUPPORT_SET,                            48 },
};
// Ids from here on belong to the cards whose driver signals an event.
const DWORD FIRST_EVENT_PROPERTY = 7;

// Payload offsets inside the request buffer.
const DWORD AT_DEVICE = 24;     // byte: 8-bit I2C address / DWORD: first argument
const DWORD AT_ARGUMENT = 28;   // DWORD: sub-address, GPIO value, register value
const DWORD AT_BYTE = 32;       // byte of property 2
const DWORD AT_BLOCK = 24;      // property 6: the block, address byte first
const DWORD AT_LENGTH = 280;    // property 6: block length
const DWORD BLOCK_MAX = 256;
const DWORD GPIO_MASK_BITS = 0x0FFFFFFF;

const HRESULT HR_SHORT_BUFFER = HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
const HRESULT HR_BAD_LENGTH = HRESULT_FROM_WIN32(ERROR_BAD_LENGTH);

DWORD GetDword(const BYTE* data, DWORD offset)
{
    DWORD v;
    memcpy(&v, data + offset, sizeof(v));
    return v;
}

void PutDword(BYTE* data, DWORD offset, DWORD v)
{
    memcpy(data + offset, &v, sizeof(v));
}
}

HRESULT CSimCard::QuerySupport(DWORD id, DWORD* support, bool signalsEvents)
{
    if (id >= (DWORD)SIM_PROPERTY_IDS || (id >= FIRST_EVENT_PROPERTY && !signalsEvents))
        return E_PROP_ID_UNSUPPORTED;
    if (support == NULL)
        return E_POINTER;
    *support = PROPERTY_RULES[id].support;
    return S_OK;
}

HRESULT CSimCard::Property(const char* who, bool get, DWORD id, LONG instOffset, BYTE* data, DWORD cb,
                           DWORD* returned)
{
    if (id >= (DWORD)SIM_PROPERTY_IDS || (PROPERTY_RULES[id].support & (get ? SUPPORT_GET : SUPPORT_SET)) == 0 ||
        (id >= FIRST_EVENT_PROPERTY && !SignalsEvents()))
        return E_PROP_ID_UNSUPPORTED;
    if (data == NULL)
        return E_POINTER;
    Guard guard(*this);
    if (FAILED(guard.Result()))
        return guard.Result();
    Trace(2, "P %s %s %lu inst=%+ld cb=%lu", who, get ? "Get" : "Set", id, instOffset, cb);
    SimCardState& s = m_shared->state;
    if (s.failCount[id] > 0) {
        --s.failCount[id];
        Trace(1, "! fail prop=%lu hr=%08lX", id, (DWORD)s.failResult[id]);
        return s.failResult[id];
    }
    if (cb < PROPERTY_RULES[id].size)
        return HR_SHORT_BUFFER;
    HRESULT hr = Dispatch(get, id, data);
    if (SUCCEEDED(hr) && get && returned != NULL)
        *returned = PROPERTY_RULES[id].size;
    return hr;
}

HRESULT CSimCard::Dispatch(bool get, DWORD id, BYTE* data)
{
    BYTE device = data[AT_DEVICE] >> 1;
    switch (id) {
    case 0:
        PutDword(data, AT_DEVICE, m_shared->config.idWords);
        return S_OK;
    case 1:
    case 3:
        Trace(1, "B%lu %02X", id, data[AT_DEVICE]);
        return S_OK;
    case 2: {
        BYTE write[2] = { (BYTE)GetDword(data, AT_ARGUMENT), data[AT_BYTE] };
        if (!get)
            return BusWrite(device, write, 2);
        HRESULT hr = BusWrite(device, write, 1);
        return SUCCEEDED(hr) ? BusRead(device, data + AT_BYTE, 1) : hr;
    }
    case 4:
        if (get) {
            PutDword(data, AT_ARGUMENT, ReadGpio() & GetDword(data, AT_DEVICE));
        } else {
            WriteGpio(GetDword(data, AT_DEVICE) & GPIO_MASK_BITS, GetDword(data, AT_ARGUMENT));
        }
        return S_OK;
    case 5:
        if (get) {
            DWORD value = 0;
            HRESULT hr = GetRegister(GetDword(data, AT_DEVICE), &value);
            PutDword(data, AT_ARGUMENT, value);
            return hr;
        }
        SetRegister(GetDword(data, AT_DEVICE), GetDword(data, AT_ARGUMENT));
        return S_OK;
    case 7:
    case 8:
    case 9:
    case 10:
        return DriverEventProperty(id, data);
    case 6: {
        DWORD n = GetDword(data, AT_LENGTH);
        if (n < (get ? 1u : 2u) || n > BLOCK_MAX)
            return HR_BAD_LENGTH;
        return get ? BusRead(device, data + AT_BLOCK, n) : BusWrite(device, data + AT_BLOCK + 1, n - 1);
    }
    }
    return E_PROP_ID_UNSUPPORTED;
}

bool CSimCard::UsesCardSet()
{
    switch (Family()) {
    case SIM_FAMILY_2388X:
    case SIM_FAMILY_713X_IO:
    case SIM_FAMILY_713X_3:
    case SIM_FAMILY_713X_PIP:
    case SIM_FAMILY_DORIN:
    case SIM_FAMILY_PELTA:
    case SIM_FAMILY_MCU_CARD:
    case SIM_FAMILY_MCU_2388X:
    case SIM_FAMILY_PCI:
        return true;
    }
    return false;
}

bool CSimCard::SignalsEvents()
{
    return Family() == SIM_FAMILY_713X_IO;
}

HRESULT CSimCard::DriverEventProperty(DWORD id, const BYTE* data)
{
    SimNotifyState& n = m_shared->state.notify;
    DWORD value = GetDword(data, AT_DEVICE);
    switch (id) {
    case 7:
        // The handle is the caller's: keep its process, so any process can signal it.
        n.processId = GetCurrentProcessId();
        n.handle = value;
        Trace(1, "P7 event=%lX", value);
        break;
    case 8:
        n.started = 1;
        n.startValue = value;
        Trace(1, "P8 start=%lu", value);
        break;
    case 9:
        n.started = 0;
        Trace(1, "P9 stop");
        break;
    case 10:
        n.driverValue = value;
        Trace(1, "P10 value=%lu", value);
        break;
    }
    return S_OK;
}

HRESULT CSimCard::SignalDriverEvent()
{
    Guard guard(*this);
    if (FAILED(guard.Result()))
        return guard.Result();
    SimNotifyState& n = m_shared->state.notify;
    if (n.processId == 0 || !n.started) {
        Trace(1, "P7 not signalled event=%d started=%lu", n.processId != 0, n.started);
        return E_FAIL;
    }
    HANDLE owner = OpenProcess(PROCESS_DUP_HANDLE, FALSE, n.processId);
    HANDLE event = NULL;
    BOOL copied = owner && DuplicateHandle(owner, (HANDLE)(ULONG_PTR)n.handle, GetCurrentProcess(), &event, 0,
                                           FALSE, DUPLICATE_SAME_ACCESS);
    if (owner)
        CloseHandle(owner);
    if (!copied || !SetEvent(event)) {
        if (event)
            CloseHandle(event);
        Trace(1, "! event %lX of process %lu is gone", (DWORD)n.handle, n.processId);
        return E_FAIL;
    }
    CloseHandle(event);
    ++n.signals;
    Trace(1, "P7 signalled %lu", n.signals);
    return S_OK;
}
