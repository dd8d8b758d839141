#include "CSimTimeShiftStore.h"

#include "CritGuard.h"

#include <algorithm>

namespace
{
const DWORD kIndexVersion = 2;
const DWORD kRecordSize = 20;
const DWORD kHeaderSize = 16;
// Bytes per index record the capacity allows for: the encoders write one packet per pack.
const ULONGLONG kIndexUnit = 2048;

HRESULT WriteAt(HANDLE file, ULONGLONG position, const void* data, DWORD size)
{
    LARGE_INTEGER at;
    at.QuadPart = (LONGLONG)position;
    DWORD written = 0;
    if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN) || !WriteFile(file, data, size, &written, nullptr) ||
        written != size)
        return HRESULT_FROM_WIN32(GetLastError());
    return S_OK;
}

HRESULT ReadAt(HANDLE file, ULONGLONG position, void* data, DWORD size)
{
    LARGE_INTEGER at;
    at.QuadPart = (LONGLONG)position;
    DWORD read = 0;
    if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN) || !ReadFile(file, data, size, &read, nullptr) ||
        read != size)
        return E_FAIL;
    return S_OK;
}

HANDLE CreateShared(const std::string& path, DWORD access, DWORD disposition)
{
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}
}

CSimTimeShiftStore::~CSimTimeShiftStore()
{
    Close();
}

HRESULT CSimTimeShiftStore::Open(const std::string& dataPath, const std::string& indexPath, ULONGLONG size)
{
    Close();
    CCritGuard guard(m_lock);
    m_data = CreateShared(dataPath, GENERIC_WRITE, CREATE_ALWAYS);
    m_reader = m_data == INVALID_HANDLE_VALUE ? INVALID_HANDLE_VALUE : CreateShared(dataPath, GENERIC_READ, OPEN_EXISTING);
    m_index = CreateShared(indexPath, GENERIC_WRITE, CREATE_ALWAYS);
    if (m_data == INVALID_HANDLE_VALUE || m_reader == INVALID_HANDLE_VALUE || m_index == INVALID_HANDLE_VALUE) {
        HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
        return FAILED(hr) ? hr : E_FAIL;
    }
    m_size = size;
    m_capacity = (size + kIndexUnit - 1) / kIndexUnit;
    m_written = 0;
    m_unitCount = 0;
    m_units.clear();
    m_demuxer.Reset();
    m_unitOpen = false;
    m_unitStart = 0;
    m_time = 0;
    DWORD header[4] = {0, kIndexVersion, kRecordSize, (DWORD)m_capacity};
    memcpy(header, "TSIX", 4);
    return WriteAt(m_index, 0, header, sizeof(header));
}

void CSimTimeShiftStore::Close()
{
    CCritGuard guard(m_lock);
    HANDLE* handles[3] = {&m_data, &m_reader, &m_index};
    for (HANDLE* h : handles) {
        if (*h != INVALID_HANDLE_VALUE)
            CloseHandle(*h);
        *h = INVALID_HANDLE_VALUE;
    }
    m_units.clear();
}

HRESULT CSimTimeShiftStore::Append(const BYTE* data, size_t size)
{
    CCritGuard guard(m_lock);
    if (m_data == INVALID_HANDLE_VALUE)
        return VFW_E_WRONG_STATE;
    HRESULT hr = WriteRing(m_data, m_size, m_written, data, size);
    if (FAILED(hr))
        return hr;
    m_written += size;
    m_demuxer.Feed(data, size);
    SimPsPayload packet;
    while (m_demuxer.NextPacket(packet)) {
        ULONGLONG start = (ULONGLONG)packet.position;
        if (m_unitOpen && start > m_unitStart) {
            hr = CloseUnit(start);
            if (FAILED(hr))
                return hr;
        }
        m_unitOpen = true;
        // Packets without a time stamp of their own carry on a picture or frame begun before.
        LONGLONG time = packet.hasDts ? packet.dts : packet.hasPts ? packet.pts : m_time;
        m_time = time > m_time ? time : m_time;
    }
    // Units whose first bytes the ring has overwritten are no longer held.
    while (!m_units.empty() && m_written > m_size && m_units.front().offset < m_written - m_size)
        m_units.pop_front();
    return S_OK;
}

// Indexes the open unit up to end, in pieces a sample holds. Caller holds the lock.
HRESULT CSimTimeShiftStore::CloseUnit(ULONGLONG end)
{
    while (m_unitStart < end) {
        ULONGLONG length = end - m_unitStart < kMaxUnit ? end - m_unitStart : kMaxUnit;
        Unit unit = {m_unitStart, m_time, (DWORD)length};
        HRESULT hr = WriteIndex(unit);
        if (FAILED(hr))
            return hr;
        m_unitStart += length;
    }
    return S_OK;
}

// Caller holds the lock.
HRESULT CSimTimeShiftStore::WriteIndex(const Unit& unit)
{
    m_units.push_back(unit);
    BYTE record[kRecordSize] = {};
    memcpy(record, &unit.offset, 8);
    memcpy(record + 8, &unit.time, 8);
    memcpy(record + 16, &unit.length, 4);
    ULONGLONG slot = m_unitCount++ % m_capacity;
    return WriteAt(m_index, kHeaderSize + slot * kRecordSize, record, kRecordSize);
}

// Caller holds the lock.
HRESULT CSimTimeShiftStore::WriteRing(HANDLE file, ULONGLONG ringSize, ULONGLONG offset, const BYTE* data,
                                      size_t size)
{
    while (size > 0) {
        ULONGLONG at = offset % ringSize;
        DWORD chunk = (DWORD)(ringSize - at < size ? ringSize - at : size);
        HRESULT hr = WriteAt(file, at, data, chunk);
        if (FAILED(hr))
            return hr;
        offset += chunk;
        data += chunk;
        size -= chunk;
    }
    return S_OK;
}

ULONGLONG CSimTimeShiftStore::Oldest()
{
    CCritGuard guard(m_lock);
    return m_units.empty() ? 0 : m_units.front().offset;
}

ULONGLONG CSimTimeShiftStore::End()
{
    CCritGuard guard(m_lock);
    return m_units.empty() ? 0 : m_units.back().offset + m_units.back().length;
}

bool CSimTimeShiftStore::UnitAtOrBefore(ULONGLONG offset, Unit* unit)
{
    CCritGuard guard(m_lock);
    if (m_units.empty())
        return false;
    auto after = std::upper_bound(m_units.begin(), m_units.end(), offset,
                                  [](ULONGLONG o, const Unit& u) { return o < u.offset; });
    *unit = after == m_units.begin() ? m_units.front() : *(after - 1);
    return true;
}

bool CSimTimeShiftStore::UnitAt(ULONGLONG offset, Unit* unit)
{
    CCritGuard guard(m_lock);
    auto at = std::lower_bound(m_units.begin(), m_units.end(), offset,
                               [](const Unit& u, ULONGLONG o) { return u.offset < o; });
    if (at == m_units.end() || at->offset != offset)
        return false;
    *unit = *at;
    return true;
}

HRESULT CSimTimeShiftStore::ReadUnit(const Unit& unit, BYTE* out)
{
    CCritGuard guard(m_lock);
    if (m_reader == INVALID_HANDLE_VALUE)
        return VFW_E_WRONG_STATE;
    if (m_written > m_size && unit.offset < m_written - m_size)
        return VFW_E_WRONG_STATE; // overwritten meanwhile
    ULONGLONG offset = unit.offset;
    DWORD left = unit.length;
    while (left > 0) {
        ULONGLONG at = offset % m_size;
        DWORD chunk = (DWORD)(m_size - at < left ? m_size - at : left);
        HRESULT hr = ReadAt(m_reader, at, out, chunk);
        if (FAILED(hr))
            return hr;
        offset += chunk;
        out += chunk;
        left -= chunk;
    }
    return S_OK;
}
