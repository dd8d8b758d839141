#pragma once

#include "KsPropertyI2C.h"

// The property transport of a card whose GPIO line 18 is not a control line.
class CKsPropertyI2CC : public CKsPropertyI2C
{
public:
    // Does nothing: S_OK.
    HRESULT SetControlLine(int state) override;
};
