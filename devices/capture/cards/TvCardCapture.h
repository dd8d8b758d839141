#pragma once

#include "PciCardCapture.h"

// The maker's own PCI TV card.
class CTvCardCapture : public CPciCardCapture
{
public:
    using CPciCardCapture::CPciCardCapture;
};
