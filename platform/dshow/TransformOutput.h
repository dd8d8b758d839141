#pragma once

#include "BaseOutputPin.h"

class CTransformBaseFilter;

// The output pin of a CTransformBaseFilter: offers and accepts the types the filter
// derives from the input pin's type, so it connects only after the input pin.
class CTransformOutput : public CBaseOutputPin
{
public:
    CTransformOutput(CTransformBaseFilter& filter, const WCHAR* name);

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT GetMediaType(int index, CAmMediaType& type) override;

protected:
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;

private:
    // Weak: the filter owns the pin.
    CTransformBaseFilter& m_transform;
};
