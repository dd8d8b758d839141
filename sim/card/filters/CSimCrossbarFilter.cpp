#include "CSimCrossbarFilter.h"

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
    // name                   physical type              related pin
    { L"Video SVideo In",    PhysConn_Video_SVideo,    6 },
    { L"Video Tuner In",     PhysConn_Video_Tuner,     4 },
    { L"Video Composite In", PhysConn_Video_Composite, 5 },
    { L"Video Spare In",     PhysConn_Video_Composite, -1 },
    { L"Audio Tuner In",     PhysConn_Audio_Tuner,     1 },
    { L"Audio Line In 1",    PhysConn_Audio_Line,      2 },
    { L"Audio Line In 2",    PhysConn_Audio_Line,      0 },
};

const JackRow OUTPUT_JACKS[CSimCrossbarFilter::OUTPUTS] = {
    { L"Video Decoder Out", PhysConn_Video_VideoDecoder, 1 },
    { L"Audio Decoder Out", PhysConn_Audio_AudioDecoder, 0 },
};
}

CSimCrossbarFilter::CSimCrossbarFilter(IUnknown* outer) : CSimFilter(outer, CLSID_SimCrossbar, "crossbar")
{
    for (int i = 0; i < INPUTS; ++i)
        m_pins[i].reset(new CSimCrossbarPin(*this, INPUT_JACKS[i].name, PINDIR_INPUT));
    for (int i = 0; i < OUTPUTS; ++i)
        m_pins[INPUTS + i].reset(new CSimCrossbarPin(*this, OUTPUT_JACKS[i].name, PINDIR_OUTPUT));
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
    return CSimCard::CanRoute(output, input);
}

STDMETHODIMP CSimCrossbarFilter::Route(long output, long input)
{
    return Card().Route(output, input);
}

STDMETHODIMP CSimCrossbarFilter::get_IsRoutedTo(long output, long* input)
{
    if (input == nullptr)
        return E_POINTER;
    return Card().GetRoute(output, input);
}

STDMETHODIMP CSimCrossbarFilter::get_CrossbarPinInfo(BOOL isInput, long index, long* related, long* physicalType)
{
    if (related == nullptr || physicalType == nullptr)
        return E_POINTER;
    long count = isInput ? INPUTS : OUTPUTS;
    if (index < 0 || index >= count)
        return E_INVALIDARG;
    const JackRow& row = isInput ? INPUT_JACKS[index] : OUTPUT_JACKS[index];
    *related = row.related;
    *physicalType = row.physicalType;
    return S_OK;
}
