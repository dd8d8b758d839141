#pragma once

#include "DorinCapture.h"
#include "KsPropertyI2CC.h"

#include <new>

// The Dorin card's twin, on the transport that leaves the control line alone.
class CPeltaCapture : public CDorinCapture
{
public:
    using CDorinCapture::CDorinCapture;

protected:
    CI2CAccess* NewAccess() override { return new (std::nothrow) CKsPropertyI2CC(); }
};
