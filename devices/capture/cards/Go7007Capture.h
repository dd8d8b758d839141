#pragma once

#include "Go7007CaptureBase.h"

// "UT400 A/V Capture": the GO7007 box as its driver registers it.
class CGo7007Capture : public CGo7007CaptureBase
{
public:
    using CGo7007CaptureBase::CGo7007CaptureBase;
};
