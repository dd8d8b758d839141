#include "CSimTimeShiftStore.h"

#include "CritGuard.h"

#include <algorithm>

namespace
{
const DWORD kIndexVersion = 1;
const DWORD kRecordSize = 24;
const DWORD kHeaderSize = 16;
const ULONGLONG kIndexUnit = 2048;
const DWORD kKeyFlag = 1;

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
    m_packCount = 0;
    m_packs.clear();
    m_parser.Reset();
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
    m_packs.clear();
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
    m_parser.Feed(data, size);
    SimPsPackInfo info;
    while (m_parser.NextPack(info)) {
        hr = WriteIndex(info);
        if (FAILED(hr))
            return hr;
    }
    // Packs whose first bytes the ring has overwritten are no longer held.
    while (!m_packs.empty() && m_written > m_size && m_packs.front().offset < m_written - m_size)
        m_packs.pop_front();
    return S_OK;
}

// Caller holds the lock.
HRESULT CSimTimeShiftStore::WriteIndex(const SimPsPackInfo& info)
{
    Pack pack = {info.offset, info.scr, info.length, info.keyStart ? kKeyFlag : 0};
    m_packs.push_back(pack);
    BYTE record[kRecordSize] = {};
    memcpy(record, &pack.offset, 8);
    memcpy(record + 8, &pack.scr, 8);
    memcpy(record + 16, &pack.length, 4);
    memcpy(record + 20, &pack.flags, 4);
    ULONGLONG slot = m_packCount++ % m_capacity;
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
    return m_packs.empty() ? 0 : m_packs.front().offset;
}

ULONGLONG CSimTimeShiftStore::End()
{
    CCritGuard guard(m_lock);
    return m_packs.empty() ? 0 : m_packs.back().offset + m_packs.back().length;
}

bool CSimTimeShiftStore::PackAtOrBefore(ULONGLONG offset, Pack* pack)
{
    CCritGuard guard(m_lock);
    if (m_packs.empty())
        return false;
    auto after = std::upper_bound(m_packs.begin(), m_packs.end(), offset,
                                  [](ULONGLONG o, const Pack& p) { return o < p.offset; });
    *pack = after == m_packs.begin() ? m_packs.front() : *(after - 1);
    return true;
}

bool CSimTimeShiftStore::KeyPackFrom(ULONGLONG offset, Pack* pack)
{
    CCritGuard guard(m_lock);
    auto at = std::lower_bound(m_packs.begin(), m_packs.end(), offset,
                               [](const Pack& p, ULONGLONG o) { return p.offset < o; });
    for (; at != m_packs.end(); ++at) {
        if (at->flags & kKeyFlag) {
            *pack = *at;
            return true;
        }
    }
    return false;
}

bool CSimTimeShiftStore::PackAt(ULONGLONG offset, Pack* pack)
{
    CCritGuard guard(m_lock);
    auto at = std::lower_bound(m_packs.begin(), m_packs.end(), offset,
                               [](const Pack& p, ULONGLONG o) { return p.offset < o; });
    if (at == m_packs.end() || at->offset != offset)
        return false;
    *pack = *at;
    return true;
}

HRESULT CSimTimeShiftStore::ReadPack(const Pack& pack, BYTE* out)
{
    CCritGuard guard(m_lock);
    if (m_reader == INVALID_HANDLE_VALUE)
        return VFW_E_WRONG_STATE;
    if (m_written > m_size && pack.offset < m_written - m_size)
        return VFW_E_WRONG_STATE; // overwritten meanwhile
    ULONGLONG offset = pack.offset;
    DWORD left = pack.length;
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
