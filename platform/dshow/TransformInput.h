#pragma once

#include "BaseInputPin.h"

class CTransformBaseFilter;

// The input pin of a CTransformBaseFilter: asks the filter about types and hands it
// every sample, end of stream, flush and segment.
class CTransformInput : public CBaseInputPin
{
public:
    CTransformInput(CTransformBaseFilter& filter, const WCHAR* name);

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;

protected:
    HRESULT OnReceive(IMediaSample* sample) override;
    HRESULT OnEndOfStream() override;
    HRESULT OnBeginFlush() override;
    HRESULT OnEndFlush() override;
    HRESULT OnNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

private:
    // Weak: the filter owns the pin.
    CTransformBaseFilter& m_transform;
};
