#pragma once

#include "BridgeBoxCapture.h"

// "UT800 Capture": a bridge box on the port transport. Its sound needs no switching, and its
// bus is not probed: an address answers when it lies in the range the port serves.
class CUt800Capture : public CBridgeBoxCapture
{
public:
    // The register-table tuner whose tables the box loads as it opens.
    enum { kTableTunerType = 91 };

    using CBridgeBoxCapture::CBridgeBoxCapture;

    // S_OK, nothing switched.
    HRESULT SetAudioInput(int input, BOOL on) override;
    // address & 0xC0, no bus traffic.
    BOOL ProbeI2CAddress(BYTE address) override;

    // The base tables of the register-table tuner, when the box carries one: S_OK when
    // loaded or when there is nothing to load, E_FAIL when the download failed.
    HRESULT LoadTunerTables();

protected:
    BridgeBox Box() const override { return kUt800; }
};
