#pragma once

#include "PciCardCapture.h"

// An OEM build of the maker's PCI TV card, sold under its own name.
class CAltTvCardCapture : public CPciCardCapture
{
public:
    using CPciCardCapture::CPciCardCapture;
};
