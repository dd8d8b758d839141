#include "CSimCrossbarFilter.h"

#include "CritGuard.h"
#include "SimGuids.h"

namespace
{
struct JackRow
{
    const WCHAR* name;
    long physicalType;
    long related;
};

const JackRow INPUT_JACKS[CSimCrossbarFilter::INPUTS] = {
    // name                   physical type              related jack
    { L"Video SVideo In",    PhysConn_Video_SVideo,    6 },
    { L"Video Tuner In",     PhysConn_Video_Tuner,     4 },
    { L"Video Composite In", PhysConn_Video_Composite, 5 },
    { L"Video Spare In",     PhysConn_Video_Composite, -1 },
    { L"Audio Tuner In",     PhysConn_Audio_Tuner,     1 },
    { L"Audio Line In 1",    PhysConn_Audio_Line,      2 },
    { L"Audio Line In 2",    PhysConn_Audio_Line,      0 },
};

// Card jacks by input pin, for each front end's driver.
const int CARD_ORDER[CSimCrossbarFilter::INPUTS] = { 0, 1, 2, 3, 4, 5, 6 };
const int BOX_ORDER[CSimCrossbarFilter::INPUTS] = { 1, 2, 0, 3, 4, 5, 6 };
// The PCI cards whose tuner comes first, audio jacks after the three video ones; the USB
// boxes with the spare video jack first.
const int PCI_ORDER[CSimCrossbarFilter::INPUTS] = { 1, 2, 0, 4, 5, 6, 3 };
const int USB_ORDER[CSimCrossbarFilter::INPUTS] = { 3, 1, 2, 0, 4, 5, 6 };
const int GO_ORDER[] = { 1, 2, 0, 4, 5 };
const int GO_INPUTS = sizeof(GO_ORDER) / sizeof(GO_ORDER[0]);
// Five inputs as well: tuner, S-video, composite, then the tuner's and the line's sound.
const int EX_ORDER[] = { 1, 0, 2, 4, 5 };
const int EX_INPUTS = sizeof(EX_ORDER) / sizeof(EX_ORDER[0]);

const JackRow OUTPUT_JACKS[CSimCrossbarFilter::OUTPUTS] = {
    { L"Video Decoder Out", PhysConn_Video_VideoDecoder, 1 },
    { L"Audio Decoder Out", PhysConn_Audio_AudioDecoder, 0 },
};
}

CSimCrossbarFilter::CSimCrossbarFilter(IUnknown* outer)
    : CSimFilter(outer, CLSID_SimCrossbar, "crossbar"), m_order(CARD_ORDER), m_inputs(INPUTS)
{
    MakeInputPins();
    for (int i = 0; i < OUTPUTS; ++i)
        m_pins[INPUTS + i].reset(new CSimCrossbarPin(*this, OUTPUT_JACKS[i].name, PINDIR_OUTPUT));
}

void CSimCrossbarFilter::MakeInputPins()
{
    for (int i = 0; i < INPUTS; ++i)
        m_pins[i].reset(i < m_inputs ? new CSimCrossbarPin(*this, INPUT_JACKS[m_order[i]].name, PINDIR_INPUT) : nullptr);
}

long CSimCrossbarFilter::PinOfJack(long jack) const
{
    for (long i = 0; i < m_inputs; ++i) {
        if (m_order[i] == jack)
            return i;
    }
    return -1;
}

STDMETHODIMP CSimCrossbarFilter::Load(IPropertyBag* bag, IErrorLog* log)
{
    HRESULT hr = CSimFilter::Load(bag, log);
    if (FAILED(hr))
        return hr;
    // The bag comes as the enumerator makes the filter, before anyone holds a pin.
    CCritGuard guard(StateLock());
    DWORD family = Card().Family();
    const int* order = CARD_ORDER;
    switch (family) {
    case SIM_FAMILY_TUNNEL: order = BOX_ORDER; break;
    case SIM_FAMILY_GO7007: order = GO_ORDER; break;
    case SIM_FAMILY_CARD_EX: order = EX_ORDER; break;
    case SIM_FAMILY_USB2800: order = USB_ORDER; break;
    case SIM_FAMILY_713X_IO:
    case SIM_FAMILY_713X_3:
    case SIM_FAMILY_713X_PIP:
    case SIM_FAMILY_DORIN:
    case SIM_FAMILY_PELTA:
    case SIM_FAMILY_PCI: order = PCI_ORDER; break;
    }
    if (order != m_order) {
        m_order = order;
        m_inputs = order == GO_ORDER ? GO_INPUTS : order == EX_ORDER ? EX_INPUTS : INPUTS;
        MakeInputPins();
        IncrementPinVersion();
    }
    return hr;
}

int CSimCrossbarFilter::GetPinCount()
{
    CCritGuard guard(StateLock());
    return m_inputs + OUTPUTS;
}

CBasePin* CSimCrossbarFilter::GetPin(int index)
{
    CCritGuard guard(StateLock());
    if (index < 0 || index >= m_inputs + OUTPUTS)
        return nullptr;
    return index < m_inputs ? m_pins[index].get() : m_pins[INPUTS + index - m_inputs].get();
}

void* CSimCrossbarFilter::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IAMCrossbar))
        return static_cast<IAMCrossbar*>(this);
    return CSimFilter::FindInterface(iid);
}

STDMETHODIMP CSimCrossbarFilter::get_PinCounts(long* outputs, long* inputs)
{
    if (outputs == nullptr || inputs == nullptr)
        return E_POINTER;
    CCritGuard guard(StateLock());
    *outputs = OUTPUTS;
    *inputs = m_inputs;
    return S_OK;
}

STDMETHODIMP CSimCrossbarFilter::CanRoute(long output, long input)
{
    CCritGuard guard(StateLock());
    if (input >= m_inputs)
        return E_INVALIDARG;
    return CSimCard::CanRoute(output, input >= 0 ? m_order[input] : input);
}

STDMETHODIMP CSimCrossbarFilter::Route(long output, long input)
{
    CCritGuard guard(StateLock());
    if (input >= m_inputs)
        return E_INVALIDARG;
    return Card().Route(output, input >= 0 ? m_order[input] : input);
}

STDMETHODIMP CSimCrossbarFilter::get_IsRoutedTo(long output, long* input)
{
    if (input == nullptr)
        return E_POINTER;
    CCritGuard guard(StateLock());
    long jack = -1;
    HRESULT hr = Card().GetRoute(output, &jack);
    if (SUCCEEDED(hr))
        *input = PinOfJack(jack);
    return hr;
}

STDMETHODIMP CSimCrossbarFilter::get_CrossbarPinInfo(BOOL isInput, long index, long* related, long* physicalType)
{
    if (related == nullptr || physicalType == nullptr)
        return E_POINTER;
    CCritGuard guard(StateLock());
    long count = isInput ? m_inputs : OUTPUTS;
    if (index < 0 || index >= count)
        return E_INVALIDARG;
    const JackRow& row = isInput ? INPUT_JACKS[m_order[index]] : OUTPUT_JACKS[index];
    *related = isInput ? PinOfJack(row.related) : row.related;
    *physicalType = row.physicalType;
    return S_OK;
}
