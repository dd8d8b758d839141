#pragma once

#include "CaptureDevice.h"
#include "ComRef.h"
#include "GpioLockI2C.h"
#include "SimDeviceSupport.h"

#include <dshow.h>

// One simulated card of the prefix, registered afresh under its own card number: its tuner
// filter behind the card family's transport, and its capture filter answering the picture
// lock that SimSignalDevice::IsSignalLocked reports in this process. Needs COM on the
// calling thread. The card's registration goes with the object.
class SimTunerCard
{
public:
    explicit SimTunerCard(DWORD card);
    ~SimTunerCard();
    SimTunerCard(const SimTunerCard&) = delete;
    SimTunerCard& operator=(const SimTunerCard&) = delete;

    // values: further instance values ("Profile=4;audio=0"), or empty. S_OK once the card
    // is registered, bound and the transport attached.
    HRESULT Open(const std::wstring& values);
    CI2CAccess* Access() { return &m_access; }
    SimControl& Control() { return m_control; }

private:
    std::wstring InstallLine() const;

    DWORD m_card;
    SimControl m_control;
    CGpioLockI2C m_access;
    CComRef<IBaseFilter> m_tuner;
    CComRef<IBaseFilter> m_capture;
    CComRef<IAMAnalogVideoDecoder> m_decoder;
};

// A capture device without a filter that answers the picture lock of the card open in
// this process.
class SimSignalDevice : public CCaptureDevice
{
public:
    SimSignalDevice() : CCaptureDevice(NULL, (IBaseFilter*)NULL) {}
    HRESULT IsSignalLocked(long* locked) override;
};
