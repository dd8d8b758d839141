#pragma once

#include "UsbBridgeCapture.h"

// The maker's own USB TV box, whose key controller wants each waiting key acknowledged.
class CUsbTvBoxCapture : public CUsbBridgeCapture
{
public:
    using CUsbBridgeCapture::CUsbBridgeCapture;

    void Configure() override { SetBoxName("Quorvex USB TV Box Video"); }

protected:
    BOOL AcknowledgesKeys() const override { return TRUE; }
};
