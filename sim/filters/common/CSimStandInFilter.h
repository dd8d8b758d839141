#pragma once

#include "BaseFilter.h"
#include "CSimLog.h"
#include "CSimSwitches.h"
#include "simifaces.h"

class CAmMediaType;

// What every stand-in filter shares: its identity (ISimIdentity), its module's switches and
// log, and the hooks through which its pins (CSimInputPin, CSimOutputPin) ask it about types
// and hand it samples. Pins are told apart by the number the filter gave them.
class CSimStandInFilter : public CBaseFilter, public ISimIdentity
{
public:
    // module names the switches key and the log ("deint"); identity is what GetSimModule
    // answers ("Deinterlace:deint 1").
    CSimStandInFilter(IUnknown* outer, REFCLSID clsid, const char* module, const char* identity);

    DSHOW_DELEGATING_UNKNOWN

    // ISimIdentity
    STDMETHODIMP GetSimModule(LPSTR buffer, DWORD size) override;

    const CSimLog& Log() const { return m_log; }
    const CSimSwitches& Switches() const { return m_switches; }
    // Whether the "Omit" switch names the interface, which then nobody answers.
    bool Omitted(REFIID iid) const;

    // Input pin hooks. Types are checked with the state lock held; the streaming hooks run on
    // the upstream filter's streaming thread. The defaults refuse every type and drop samples.
    virtual HRESULT CheckInputType(int pin, const AM_MEDIA_TYPE& type);
    virtual HRESULT ReceiveSample(int pin, IMediaSample* sample);
    virtual HRESULT EndOfInput(int pin);
    virtual HRESULT BeginInputFlush(int pin);
    virtual HRESULT EndInputFlush(int pin);
    // A connection of a pin (input or output) was made or broken; state lock held.
    virtual void PinConnected(int pin, bool connected);
    // Output pin hooks, with the state lock held.
    virtual HRESULT CheckOutputType(int pin, const AM_MEDIA_TYPE& type);
    virtual HRESULT GetOutputType(int pin, int index, CAmMediaType& type);
    virtual HRESULT DecideOutputBuffers(int pin, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request);
    // An interface a pin answers besides its own, or null.
    virtual void* FindPinInterface(int pin, REFIID iid);

protected:
    void* FindInterface(REFIID iid) override;
    // The filter's own interfaces; asked after the omitted ones are refused.
    virtual void* FindFilterInterface(REFIID iid);

private:
    CSimSwitches m_switches;
    CSimLog m_log;
    char m_identity[64];
};
