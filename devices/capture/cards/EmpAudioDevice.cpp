#include "EmpAudioDevice.h"

namespace
{
const CLSID CLSID_EmpAudioCompanion = {0xEAD744C9, 0x6FF4, 0x45D9, {0xA1, 0x11, 0x4A, 0x23, 0x5F, 0x61, 0x6D, 0x2E}};
const IID IID_IEmpAudioCompanion = {0xAA63F0E8, 0xBB2C, 0x47DF, {0xA7, 0xDA, 0x25, 0x11, 0xC7, 0xC8, 0x12, 0xA0}};

// The companion's interface: the program calls only its first method.
struct IEmpAudioCompanion : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Start(LONG on) = 0;
};
}

CEmpAudioDevice::CEmpAudioDevice(CGraphBuilder* graph, REFCLSID clsid) : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CEmpAudioDevice::CEmpAudioDevice(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

BOOL CEmpAudioDevice::Init()
{
    m_companion.Reset();
    if (!CFilterWrapper::Init())
        return FALSE;
    CComRef<IEmpAudioCompanion> companion;
    if (FAILED(CoCreateInstance(CLSID_EmpAudioCompanion, NULL, CLSCTX_INPROC_SERVER, IID_IEmpAudioCompanion,
                                companion.ReceiveVoid())))
        return FALSE;
    m_companion = companion.Get();
    return SUCCEEDED(companion->Start(1));
}

BOOL CEmpAudioDevice::EnableInputPin(const char* pinName, BOOL on)
{
    CFilterPin* pin = FindPin(pinName);
    PIN_DIRECTION direction = PINDIR_OUTPUT;
    if (!pin || !pin->QueryDirection(&direction) || direction != PINDIR_INPUT)
        return FALSE;
    CComRef<IAMAudioInputMixer> mixer;
    if (FAILED(pin->GetPin()->QueryInterface(IID_IAMAudioInputMixer, mixer.ReceiveVoid())))
        return FALSE;
    return mixer->put_Enable(on) == S_OK;
}
