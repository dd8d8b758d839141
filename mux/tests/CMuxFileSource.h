#pragma once

#include "BaseFilter.h"
#include "CMuxFileSourcePin.h"

// A source of one elementary stream from a fixture file, for the multiplexer's graph tests:
// one output pin "Out" (CMuxFileSourcePin). Nothing flows until the graph runs.
class CMuxFileSource : public CBaseFilter
{
public:
    CMuxFileSource();

    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int index) override { return index == 0 ? &m_pin : nullptr; }
    STDMETHODIMP_(ULONG) GetMiscFlags() override { return AM_FILTER_MISC_FLAGS_IS_SOURCE; }

    CMuxFileSourcePin& Pin() { return m_pin; }

protected:
    HRESULT PausedStateResult() override { return S_OK; }

private:
    CMuxFileSourcePin m_pin;
};
