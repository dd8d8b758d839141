#pragma once

#include "BaseFilter.h"
#include "TestSourcePin.h"

// A live source on the base classes, with one output pin "Out" (CTestSourcePin).
class CTestSource : public CBaseFilter
{
public:
    // category: the pin category the pin answers through IKsPropertySet, or none.
    explicit CTestSource(IUnknown* outer = nullptr, const GUID* category = nullptr);

    static CComIdentity* Create(IUnknown* outer, HRESULT* result);

    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int index) override { return index == 0 ? &m_pin : nullptr; }
    STDMETHODIMP_(ULONG) GetMiscFlags() override { return AM_FILTER_MISC_FLAGS_IS_SOURCE; }

    CTestSourcePin& Pin() { return m_pin; }

protected:
    HRESULT PausedStateResult() override { return VFW_S_CANT_CUE; }

private:
    CTestSourcePin m_pin;
};
