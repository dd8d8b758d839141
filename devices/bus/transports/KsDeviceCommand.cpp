#include "KsDeviceCommand.h"

#include "TransportSets.h"

#include <string.h>

namespace
{
// IOCTL_KS_PROPERTY: CTL_CODE(FILE_DEVICE_KS, 0, METHOD_NEITHER, FILE_ANY_ACCESS).
const ULONG kIoctlKsProperty = 0x2F0003;
// KSPROPERTY_TYPE_GET and KSPROPERTY_TYPE_SET.
const DWORD kFlagsGet = 1;
const DWORD kFlagsSet = 2;

// Property ids and buffer sizes of the two kinds.
const DWORD kBusId = 4;
const DWORD kBusBytes = 120;
const DWORD kDeviceId = 2;
const DWORD kDeviceBytes = 328;

// Header layout.
enum {
    kAtSet = 0,
    kAtId = 16,
    kAtFlags = 20,
    kAtCode = 24
};
}

CKsDeviceCommand::CKsDeviceCommand(Kind kind, DWORD code)
    : m_id(kind == kBusCommand ? kBusId : kDeviceId),
      m_size(kind == kBusCommand ? kBusBytes : kDeviceBytes)
{
    memset(m_buffer, 0, sizeof(m_buffer));
    PutDword(kAtCode, code);
}

void CKsDeviceCommand::PutByte(DWORD offset, BYTE value)
{
    m_buffer[offset] = value;
}

void CKsDeviceCommand::PutDword(DWORD offset, DWORD value)
{
    memcpy(m_buffer + offset, &value, sizeof(value));
}

BYTE CKsDeviceCommand::GetByte(DWORD offset) const
{
    return m_buffer[offset];
}

DWORD CKsDeviceCommand::GetDword(DWORD offset) const
{
    DWORD value;
    memcpy(&value, m_buffer + offset, sizeof(value));
    return value;
}

void CKsDeviceCommand::WriteHeader(DWORD flags)
{
    memcpy(m_buffer + kAtSet, &kDeviceControlSet, sizeof(GUID));
    PutDword(kAtId, m_id);
    PutDword(kAtFlags, flags);
}

HRESULT CKsDeviceCommand::Call(KsDeviceControlFunction control, HANDLE handle, DWORD flags)
{
    WriteHeader(flags);
    ULONG returned = 0;
    return control(handle, kIoctlKsProperty, m_buffer, m_size, m_buffer, m_size, &returned);
}

HRESULT CKsDeviceCommand::Send(KsDeviceControlFunction control, HANDLE handle)
{
    HRESULT hr = Call(control, handle, kFlagsSet);
    return FAILED(hr) ? hr : Call(control, handle, kFlagsGet);
}
