#pragma once

#include "BaseOutputPin.h"

class CSimStandInFilter;

// An output pin of a stand-in filter: its types and buffer sizes come from the filter's
// hooks, with the pin's number.
class CSimOutputPin : public CBaseOutputPin
{
public:
    CSimOutputPin(CSimStandInFilter& filter, const WCHAR* name, int number);

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT GetMediaType(int index, CAmMediaType& type) override;
    int Number() const { return m_number; }

protected:
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT CompleteConnect(IPin* peer) override;
    void BreakConnect() override;
    void* FindInterface(REFIID iid) override;

private:
    // Weak: the filter owns the pin.
    CSimStandInFilter& m_owner;
    const int m_number;
    // Whether the filter was told of the connection, so it hears of its end only then.
    bool m_announced = false;
};
