#pragma once

#include "CSimPsParser.h"
#include "CritSection.h"

#include <dshow.h>

#include <deque>
#include <string>
#include <vector>

// The time-shift filter's two files. The data file is a ring of the buffer size: the byte at
// logical offset L (counted from the start of the recording) lies at L mod size. The index
// file starts with "TSIX", version 1, record size 24 and its capacity in records, then holds
// a ring of one record per pack: logical offset (u64), SCR (u64, 90 kHz), length (u32) and
// flags (u32, bit 0: a sequence header or I picture starts in the pack). Free-threaded: the
// writer (input pin) and the reader (play-out thread) share it under its lock.
class CSimTimeShiftStore
{
public:
    struct Pack
    {
        ULONGLONG offset;
        LONGLONG scr;
        DWORD length;
        DWORD flags;
    };

    CSimTimeShiftStore() = default;
    ~CSimTimeShiftStore();
    CSimTimeShiftStore(const CSimTimeShiftStore&) = delete;
    CSimTimeShiftStore& operator=(const CSimTimeShiftStore&) = delete;

    HRESULT Open(const std::string& dataPath, const std::string& indexPath, ULONGLONG size);
    void Close();

    // Stream bytes as they arrive; each pack that completes is indexed.
    HRESULT Append(const BYTE* data, size_t size);

    // Logical offsets: the oldest pack still held and the end of the last indexed pack.
    ULONGLONG Oldest();
    ULONGLONG End();
    ULONGLONG Size() const { return m_size; }
    // The held pack that starts at or before offset (the first one when offset lies before
    // them all); false when nothing is held.
    bool PackAtOrBefore(ULONGLONG offset, Pack* pack);
    // The first held pack at or after offset that starts a sequence or I picture.
    bool KeyPackFrom(ULONGLONG offset, Pack* pack);
    // The held pack that starts exactly at offset.
    bool PackAt(ULONGLONG offset, Pack* pack);
    HRESULT ReadPack(const Pack& pack, BYTE* out);

private:
    HRESULT WriteRing(HANDLE file, ULONGLONG ringSize, ULONGLONG offset, const BYTE* data, size_t size);
    HRESULT WriteIndex(const SimPsPackInfo& info);

    // Guards everything below. Innermost: held only around file calls and list changes.
    CCritSection m_lock;

    HANDLE m_data = INVALID_HANDLE_VALUE;
    HANDLE m_reader = INVALID_HANDLE_VALUE;
    HANDLE m_index = INVALID_HANDLE_VALUE;
    ULONGLONG m_size = 0;
    ULONGLONG m_capacity = 0; // index records
    ULONGLONG m_written = 0;  // logical bytes appended
    ULONGLONG m_packCount = 0;
    CSimPsParser m_parser;
    std::deque<Pack> m_packs;
};
