#pragma once

#include "BaseFilter.h"
#include "CMuxStreamSinkPin.h"

// A sink of the multiplexed stream for the output pin's tests: one input pin "In".
class CMuxStreamSink : public CBaseFilter
{
public:
    CMuxStreamSink() : CBaseFilter(nullptr, GUID_NULL), m_pin(*this) {}

    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int index) override { return index == 0 ? &m_pin : nullptr; }

    CMuxStreamSinkPin& Pin() { return m_pin; }

protected:
    HRESULT PausedStateResult() override { return S_OK; }

private:
    CMuxStreamSinkPin m_pin;
};
