#pragma once

#include "ComRef.h"

#include <windows.h>
#include <strmif.h>

// A capture driver's private register, GPIO and I2C property set, reached through the
// filter's IKsPropertySet: one request per call, laid out byte for byte as the driver reads
// it. Checks neither arguments nor locks; the transports do both, each in its own way.
// Without an attached interface every request answers E_FAIL and nothing is sent.
class CKsI2CPropertySet
{
public:
    explicit CKsI2CPropertySet(const GUID& set);

    // Queries the filter for IKsPropertySet; a failed query leaves nothing attached.
    HRESULT Attach(IUnknown* filter);
    void Detach();
    bool IsAttached() const { return (bool)m_driver; }
    // QuerySupported for one property of the set.
    HRESULT QuerySupported(DWORD id, DWORD* support);

    HRESULT ReadIdWords(DWORD* words);
    HRESULT SendBusControl(BYTE value);
    HRESULT ReadByte(BYTE address, int subAddress, BYTE* value);
    HRESULT WriteByte(BYTE address, int subAddress, BYTE value);
    HRESULT SendDeviceControl(BYTE value);
    HRESULT GetGpio(DWORD mask, DWORD* value);
    HRESULT SetGpio(DWORD value, DWORD mask);
    HRESULT GetRegister(DWORD reg, DWORD* value);
    HRESULT SetRegister(DWORD reg, DWORD value);
    // Sets bit 0 of buffer[0] first; the bytes read replace the buffer's only on success.
    HRESULT ReadBlock(BYTE* buffer, int length);
    // Clears bit 0 of buffer[0] first.
    HRESULT WriteBlock(BYTE* buffer, int length);
    // Properties 7, 8 and 10: one DWORD whose meaning lies in the driver.
    HRESULT SendDword(DWORD id, DWORD value);
    // Property 9: no payload.
    HRESULT SendEmpty(DWORD id);

private:
    HRESULT GetWordPair(DWORD id, DWORD first, DWORD* second);
    HRESULT SetWordPair(DWORD id, DWORD first, DWORD second);

    const GUID& m_set;
    CComRef<IKsPropertySet> m_driver;
};
