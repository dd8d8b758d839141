#pragma once

#include "RecordingPropertySet.h"

#include <gtest/gtest.h>

#include <memory>

// A transport attached to a recording filter; at the end the transport is gone and the
// filter's last reference is the test's own.
template <class Transport>
struct AttachedTransport
{
    AttachedTransport() : filter(new RecordingPropertySet), transport(new Transport)
    {
        attachResult = transport->Attach(filter->InnerUnknown(), this);
    }
    ~AttachedTransport()
    {
        transport.reset();
        EXPECT_EQ(0u, filter->InnerRelease());
    }

    RecordingPropertySet* filter;
    std::unique_ptr<Transport> transport;
    HRESULT attachResult;
};

// A KS request whose payload is one DWORD at offset, in the driver's byte order.
inline std::pair<DWORD, std::vector<BYTE>> Dword(DWORD offset, DWORD value)
{
    return {offset, {(BYTE)value, (BYTE)(value >> 8), (BYTE)(value >> 16), (BYTE)(value >> 24)}};
}
