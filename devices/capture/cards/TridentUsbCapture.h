#pragma once

#include "ShortBlockBoxCapture.h"

// "Trident USB Capture": the TridVid box's twin on the second short-block transport, whose
// bridge can be reset through its control line.
class CTridentUsbCapture : public CShortBlockBoxCapture
{
public:
    using CShortBlockBoxCapture::CShortBlockBoxCapture;

    // The transport's control line to 0; E_FAIL without an access object.
    HRESULT ResetBridge();

protected:
    BridgeBox Box() const override { return kTridentUsb; }
};
