#pragma once

#include "PciCardCapture.h"

// A PCI TV card of the family whose remote poll keeps the base period.
class CPcEntertainmentCapture : public CPciCardCapture
{
public:
    using CPciCardCapture::CPciCardCapture;

    void Configure() override { CCaptureDevice::Configure(); }
};
