#pragma once

#include "713xControllerCapture.h"

// The SAA713x picture-in-picture card with its controller. Unlike the other cards it tells
// the user when another process keeps "Mutex_Remote_Control" from it while it opens.
class C713xPipCapture : public C713xControllerCapture
{
public:
    using C713xControllerCapture::C713xControllerCapture;

    BOOL InitDevice() override;
};
