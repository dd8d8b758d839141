#pragma once

#include "BaseFilter.h"
#include "SeekingPassThrough.h"
#include "TestSinkPin.h"

// A sink on the base classes with one input pin "In" (CTestSinkPin). It ends the run
// with EC_COMPLETE at the end of stream and offers seeking through its input pin, so the
// graph waits for it.
class CTestSink : public CBaseFilter
{
public:
    explicit CTestSink(IUnknown* outer = nullptr);

    static CComIdentity* Create(IUnknown* outer, HRESULT* result);

    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int index) override { return index == 0 ? &m_pin : nullptr; }

    CTestSinkPin& Pin() { return m_pin; }

protected:
    HRESULT PausedStateResult() override { return S_OK; }
    void* FindInterface(REFIID iid) override;

private:
    CTestSinkPin m_pin;
    CSeekingPassThrough m_seeking;
};
