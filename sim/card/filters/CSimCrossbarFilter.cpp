#include "CSimCrossbarFilter.h"

#include "CSimText.h"
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

struct GoJackRow
{
    const WCHAR* name;
    long physicalType;
    long related;
    LONG cardInput;
};

const GoJackRow GO_INPUT_JACKS[CSimCrossbarFilter::GO_INPUTS] = {
    // name                   physical type              related pin  card input
    { L"Video Tuner In",     PhysConn_Video_Tuner,     3,           1 },
    { L"Video Composite In", PhysConn_Video_Composite, 4,           2 },
    { L"Video SVideo In",    PhysConn_Video_SVideo,    4,           0 },
    { L"Audio Tuner In",     PhysConn_Audio_Tuner,     0,           4 },
    { L"Audio Line In",      PhysConn_Audio_Line,      1,           5 },
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
    for (int i = 0; i < GO_INPUTS; ++i)
        m_goPins[i].reset(new CSimCrossbarPin(*this, GO_INPUT_JACKS[i].name, PINDIR_INPUT));
    for (int i = 0; i < OUTPUTS; ++i)
        m_goPins[GO_INPUTS + i].reset(new CSimCrossbarPin(*this, OUTPUT_JACKS[i].name, PINDIR_OUTPUT));
}

bool CSimCrossbarFilter::IsGoBox()
{
    return Card().Family() == SIM_FAMILY_GO7007;
}

LONG CSimCrossbarFilter::CardInput(LONG input)
{
    if (!IsGoBox() || input < 0 || input >= GO_INPUTS)
        return input;
    return GO_INPUT_JACKS[input].cardInput;
}

int CSimCrossbarFilter::GetPinCount()
{
    return (IsGoBox() ? GO_INPUTS : INPUTS) + OUTPUTS;
}

CBasePin* CSimCrossbarFilter::GetPin(int index)
{
    if (index < 0 || index >= GetPinCount())
        return nullptr;
    return IsGoBox() ? m_goPins[index].get() : m_pins[index].get();
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
    *inputs = IsGoBox() ? GO_INPUTS : INPUTS;
    return S_OK;
}

STDMETHODIMP CSimCrossbarFilter::CanRoute(long output, long input)
{
    if (IsGoBox() && input >= GO_INPUTS)
        return E_INVALIDARG;
    return CSimCard::CanRoute(output, CardInput(input));
}

STDMETHODIMP CSimCrossbarFilter::Route(long output, long input)
{
    if (IsGoBox() && input >= GO_INPUTS)
        return E_INVALIDARG;
    if (IsGoBox())
        Card().AddTrace(CSimText::Format("X go out=%ld in=%ld", output, input).c_str());
    return Card().Route(output, CardInput(input));
}

STDMETHODIMP CSimCrossbarFilter::get_IsRoutedTo(long output, long* input)
{
    if (input == nullptr)
        return E_POINTER;
    HRESULT hr = Card().GetRoute(output, input);
    for (int i = 0; SUCCEEDED(hr) && IsGoBox() && i < GO_INPUTS; ++i) {
        if (GO_INPUT_JACKS[i].cardInput == *input) {
            *input = i;
            break;
        }
    }
    return hr;
}

STDMETHODIMP CSimCrossbarFilter::get_CrossbarPinInfo(BOOL isInput, long index, long* related, long* physicalType)
{
    if (related == nullptr || physicalType == nullptr)
        return E_POINTER;
    long count = isInput ? (IsGoBox() ? GO_INPUTS : INPUTS) : OUTPUTS;
    if (index < 0 || index >= count)
        return E_INVALIDARG;
    if (isInput && IsGoBox()) {
        *related = GO_INPUT_JACKS[index].related;
        *physicalType = GO_INPUT_JACKS[index].physicalType;
        return S_OK;
    }
    const JackRow& row = isInput ? INPUT_JACKS[index] : OUTPUT_JACKS[index];
    *related = row.related;
    *physicalType = row.physicalType;
    return S_OK;
}
