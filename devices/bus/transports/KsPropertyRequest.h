#pragma once

#include <windows.h>
#include <strmif.h>

// One request of a capture driver's private property set. The buffer is zero-filled, so no
// stale memory reaches the driver; its first 24 bytes are room for the KSPROPERTY header that
// the KS proxy writes, and the payload follows. The same buffer goes out as the instance data
// (from byte 24) and as the property data (whole), which is how these drivers read it.
class CKsPropertyRequest
{
public:
    enum { kHeaderBytes = 24, kMaxBytes = 304 };

    // size: the whole buffer, header room included, at most kMaxBytes.
    CKsPropertyRequest(const GUID& set, DWORD id, DWORD size);

    void PutByte(DWORD offset, BYTE value);
    void PutDword(DWORD offset, DWORD value);
    void PutBytes(DWORD offset, const BYTE* data, DWORD count);
    BYTE GetByte(DWORD offset) const;
    DWORD GetDword(DWORD offset) const;
    void GetBytes(DWORD offset, BYTE* data, DWORD count) const;

    HRESULT Get(IKsPropertySet* driver);
    HRESULT Set(IKsPropertySet* driver);

private:
    const GUID& m_set;
    DWORD m_id;
    DWORD m_size;
    BYTE m_buffer[kMaxBytes];
};
