#include "CSimEmpAudio.h"

#include "CSimSwitches.h"

#include <new>

const CLSID CLSID_SimEmpAudio = {0xEAD744C9, 0x6FF4, 0x45D9, {0xA1, 0x11, 0x4A, 0x23, 0x5F, 0x61, 0x6D, 0x2E}};
const IID IID_ISimEmpAudio = {0xAA63F0E8, 0xBB2C, 0x47DF, {0xA7, 0xDA, 0x25, 0x11, 0xC7, 0xC8, 0x12, 0xA0}};

CSimEmpAudio::CSimEmpAudio(IUnknown* outer)
    : CComIdentity(outer), m_log("empaudio", CSimSwitches("empaudio").TraceLevel())
{
}

void* CSimEmpAudio::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_ISimEmpAudio))
        return static_cast<ISimEmpAudio*>(this);
    return CComIdentity::FindInterface(iid);
}

STDMETHODIMP CSimEmpAudio::Enable(LONG on)
{
    m_log.Line("E on=%ld", on);
    return S_OK;
}
