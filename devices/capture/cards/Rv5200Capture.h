#pragma once

#include "PciCardCapture.h"

// A maker's PCI TV card of the family, with nothing of its own.
class CRv5200Capture : public CPciCardCapture
{
public:
    using CPciCardCapture::CPciCardCapture;
};
