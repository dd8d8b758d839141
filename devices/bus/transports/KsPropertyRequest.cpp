#include "KsPropertyRequest.h"

#include <string.h>

CKsPropertyRequest::CKsPropertyRequest(const GUID& set, DWORD id, DWORD size)
    : m_set(set), m_id(id), m_size(size)
{
    memset(m_buffer, 0, sizeof(m_buffer));
}

void CKsPropertyRequest::PutByte(DWORD offset, BYTE value)
{
    m_buffer[offset] = value;
}

void CKsPropertyRequest::PutDword(DWORD offset, DWORD value)
{
    memcpy(m_buffer + offset, &value, sizeof(value));
}

void CKsPropertyRequest::PutBytes(DWORD offset, const BYTE* data, DWORD count)
{
    memcpy(m_buffer + offset, data, count);
}

BYTE CKsPropertyRequest::GetByte(DWORD offset) const
{
    return m_buffer[offset];
}

DWORD CKsPropertyRequest::GetDword(DWORD offset) const
{
    DWORD value;
    memcpy(&value, m_buffer + offset, sizeof(value));
    return value;
}

void CKsPropertyRequest::GetBytes(DWORD offset, BYTE* data, DWORD count) const
{
    memcpy(data, m_buffer + offset, count);
}

HRESULT CKsPropertyRequest::Get(IKsPropertySet* driver)
{
    DWORD returned = 0;
    return driver->Get(m_set, m_id, m_buffer + kHeaderBytes, m_size - kHeaderBytes, m_buffer, m_size,
                       &returned);
}

HRESULT CKsPropertyRequest::Set(IKsPropertySet* driver)
{
    return driver->Set(m_set, m_id, m_buffer + kHeaderBytes, m_size - kHeaderBytes, m_buffer, m_size);
}
