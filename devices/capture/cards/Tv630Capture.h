#pragma once

#include "PciCardCapture.h"

// An OEM's 630 TV card, the maker's PCI card under the OEM's name.
class CTv630Capture : public CPciCardCapture
{
public:
    using CPciCardCapture::CPciCardCapture;
};
