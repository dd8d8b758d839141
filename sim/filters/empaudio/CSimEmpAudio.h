#pragma once

#include "CSimLog.h"
#include "ComIdentity.h"

#include <objbase.h>

// The class and the interface the USB boxes' audio companion is reached through.
extern const CLSID CLSID_SimEmpAudio;
extern const IID IID_ISimEmpAudio;

// Its interface as the box's audio companion offers it: only the first method is called.
struct ISimEmpAudio : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Enable(LONG on) = 0; // 3
};

// The USB boxes' audio companion: a COM object, no filter, that logs each argument of its
// first method ("E on=%ld") to C:\sim\log\empaudio.log.
class CSimEmpAudio : public CComIdentity, public ISimEmpAudio
{
public:
    explicit CSimEmpAudio(IUnknown* outer);

    DSHOW_DELEGATING_UNKNOWN


    STDMETHODIMP Enable(LONG on) override;

protected:
    void* FindInterface(REFIID iid) override;

private:
    CSimLog m_log;
};
