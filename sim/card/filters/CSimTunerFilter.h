#pragma once

#include "CSimCardPropertySet.h"
#include "CSimFilter.h"

// "Conexant 2388x_1 Tuner": no pins and no IAMTVTuner, only the card's registers, GPIO
// and I2C through its property set. Works outside any graph.
class CSimTunerFilter : public CSimFilter
{
public:
    explicit CSimTunerFilter(IUnknown* outer);

    int GetPinCount() override { return 0; }
    CBasePin* GetPin(int) override { return nullptr; }

protected:
    HRESULT PausedStateResult() override { return S_OK; }
    void* FindInterface(REFIID iid) override;

private:
    CSimCardPropertySet m_properties;
};
