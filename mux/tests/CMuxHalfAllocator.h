#pragma once

#include "ComIdentity.h"
#include "ComRef.h"

#include <strmif.h>

// A memory allocator that grants only half the buffer size it is asked for, as a sink with
// small buffers of its own would.
class CMuxHalfAllocator : public CComIdentity, public IMemAllocator
{
public:
    static HRESULT Create(IMemAllocator** allocator);

    DSHOW_DELEGATING_UNKNOWN

    STDMETHODIMP SetProperties(ALLOCATOR_PROPERTIES* request, ALLOCATOR_PROPERTIES* actual) override;
    STDMETHODIMP GetProperties(ALLOCATOR_PROPERTIES* properties) override { return m_memory->GetProperties(properties); }
    STDMETHODIMP Commit() override { return m_memory->Commit(); }
    STDMETHODIMP Decommit() override { return m_memory->Decommit(); }
    STDMETHODIMP GetBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop, DWORD flags) override
    {
        return m_memory->GetBuffer(sample, start, stop, flags);
    }
    STDMETHODIMP ReleaseBuffer(IMediaSample* sample) override { return m_memory->ReleaseBuffer(sample); }

protected:
    void* FindInterface(REFIID iid) override;

private:
    CMuxHalfAllocator() : CComIdentity(nullptr) {}

    CComRef<IMemAllocator> m_memory;
};
