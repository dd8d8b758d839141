#pragma once

#include "Cx2388xCapture.h"

// The Conexant 2388x_1 card: remote keys and a small on-card controller on the GPIO lines,
// which keeps the minutes until the next timed power-on. The audio switch, the controller
// exchanges and the remote poll thread share "Mutex_Remote_Control", so a key read never
// lands inside a controller exchange.
class CCx2388x1Capture : public CCx2388xCapture
{
public:
    using CCx2388xCapture::CCx2388xCapture;

    void Configure() override;
    HRESULT SetAudioInput(int input, BOOL on) override;
    BOOL ReadRemoteKey(BYTE* key) override;
    BOOL SendGpioFrame(DWORD value, DWORD mask, DWORD ms) override;
    BOOL ReadGpioStrobed(DWORD* value) override;
    BOOL WriteMcuWord(WORD value) override;
    BOOL ReadMcuWord(WORD* value) override;
    BOOL McuHandshake(BOOL on) override;

protected:
    CI2CAccess* NewAccess() override;
    // How long a held key may keep the reader polling, ms.
    virtual LONG GetRemoteHoldTime() { return 1000; }

private:
    // Sends a frame and waits for the controller's answer word.
    BOOL Ask(DWORD command, DWORD* answer);
};
