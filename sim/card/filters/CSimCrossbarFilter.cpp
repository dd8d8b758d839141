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

const JackRow OUTPUT_JACKS[CSimCrossbarFilter::OUTPUTS] = {
    { L"Video Decoder Out", PhysConn_Video_VideoDecoder, 1 },
    { L"Audio Decoder Out", PhysConn_Audio_AudioDecoder, 0 },
};
}

CSimCrossbarFilter::CSimCrossbarFilter(IUnknown* outer)
    : CSimFilter(outer, CLSID_SimCrossbar, "crossbar"), m_order(CARD_ORDER)
{
    MakeInputPins();
    for (int i = 0; i < OUTPUTS; ++i)
        m_pins[INPUTS + i].reset(new CSimCrossbarPin(*this, OUTPUT_JACKS[i].name, PINDIR_OUTPUT));
}

void CSimCrossbarFilter::MakeInputPins()
{
    for (int i = 0; i < INPUTS; ++i)
        m_pins[i].reset(new CSimCrossbarPin(*this, INPUT_JACKS[m_order[i]].name, PINDIR_INPUT));
}

long CSimCrossbarFilter::PinOfJack(long jack) const
{
    for (long i = 0; i < INPUTS; ++i) {
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
    const int* order = Card().Family() == SIM_FAMILY_TUNNEL ? BOX_ORDER : CARD_ORDER;
    if (order != m_order) {
        m_order = order;
        MakeInputPins();
        IncrementPinVersion();
    }
    return hr;
}

CBasePin* CSimCrossbarFilter::GetPin(int index)
{
    return index >= 0 && index < INPUTS + OUTPUTS ? m_pins[index].get() : nullptr;
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
    *outputs = OUTPUTS;
    *inputs = INPUTS;
    return S_OK;
}

STDMETHODIMP CSimCrossbarFilter::CanRoute(long output, long input)
{
    CCritGuard guard(StateLock());
    return CSimCard::CanRoute(output, input >= 0 && input < INPUTS ? m_order[input] : input);
}

STDMETHODIMP CSimCrossbarFilter::Route(long output, long input)
{
    CCritGuard guard(StateLock());
    return Card().Route(output, input >= 0 && input < INPUTS ? m_order[input] : input);
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
    long count = isInput ? INPUTS : OUTPUTS;
    if (index < 0 || index >= count)
        return E_INVALIDARG;
    CCritGuard guard(StateLock());
    const JackRow& row = isInput ? INPUT_JACKS[m_order[index]] : OUTPUT_JACKS[index];
    *related = isInput ? PinOfJack(row.related) : row.related;
    *physicalType = row.physicalType;
    return S_OK;
}
