#pragma once

#include "Cx2388xCapture.h"
#include "GpioFrameCapture.h"

// The Conexant 2388x_1 card: remote keys and a small on-card controller on the GPIO lines,
// which keeps the minutes until the next timed power-on. The audio switch, the controller
// exchanges and the remote poll thread share "Mutex_Remote_Control", so a key read never
// lands inside a controller exchange.
class CCx2388x1Capture : public CGpioFrameCapture<CCx2388xCapture>
{
public:
    using CGpioFrameCapture<CCx2388xCapture>::CGpioFrameCapture;

    void Configure() override;
    HRESULT SetAudioInput(int input, BOOL on) override;

protected:
    CI2CAccess* NewAccess() override;
    const GpioFrameLayout& FrameLayout() const override { return kGpioFrames2388x; }
};
