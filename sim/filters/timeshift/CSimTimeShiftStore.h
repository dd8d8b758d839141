#pragma once

#include "CSimAvDemuxer.h"
#include "CritSection.h"

#include <dshow.h>

#include <deque>
#include <string>
#include <vector>

// The time-shift filter's two files. The data file is a ring of the buffer size: the byte at
// logical offset L (counted from the start of the recording) lies at L mod size. The stream
// is held in units, each from one packet's start code up to the next one's (the first from
// the start of the stream), at most kMaxUnit bytes, timed by the packet's decoding time stamp.
// The index file starts with "TSIX", version 2, record size 20 and its capacity in records,
// then holds a ring of one record per unit: logical offset (u64), time (u64, 90 kHz) and
// length (u32). Free-threaded: the writer (input pin) and the reader (play-out thread) share
// it under its lock.
class CSimTimeShiftStore
{
public:
    struct Unit
    {
        ULONGLONG offset;
        LONGLONG time;
        DWORD length;
    };
    // What one sample of the play-out must hold.
    static constexpr DWORD kMaxUnit = 4096;

    CSimTimeShiftStore() = default;
    ~CSimTimeShiftStore();
    CSimTimeShiftStore(const CSimTimeShiftStore&) = delete;
    CSimTimeShiftStore& operator=(const CSimTimeShiftStore&) = delete;

    HRESULT Open(const std::string& dataPath, const std::string& indexPath, ULONGLONG size);
    void Close();

    // Stream bytes as they arrive; each unit that completes is indexed.
    HRESULT Append(const BYTE* data, size_t size);

    // Logical offsets: the oldest unit still held and the end of the last indexed unit.
    ULONGLONG Oldest();
    ULONGLONG End();
    ULONGLONG Size() const { return m_size; }
    // The held unit that starts at or before offset (the first one when offset lies before
    // them all); false when nothing is held.
    bool UnitAtOrBefore(ULONGLONG offset, Unit* unit);
    // The held unit that starts exactly at offset.
    bool UnitAt(ULONGLONG offset, Unit* unit);
    HRESULT ReadUnit(const Unit& unit, BYTE* out);

private:
    HRESULT WriteRing(HANDLE file, ULONGLONG ringSize, ULONGLONG offset, const BYTE* data, size_t size);
    HRESULT CloseUnit(ULONGLONG end);
    HRESULT WriteIndex(const Unit& unit);

    // Guards everything below. Innermost: held only around file calls and list changes.
    CCritSection m_lock;

    HANDLE m_data = INVALID_HANDLE_VALUE;
    HANDLE m_reader = INVALID_HANDLE_VALUE;
    HANDLE m_index = INVALID_HANDLE_VALUE;
    ULONGLONG m_size = 0;
    ULONGLONG m_capacity = 0; // index records
    ULONGLONG m_written = 0;  // logical bytes appended
    ULONGLONG m_unitCount = 0;
    CSimAvDemuxer m_demuxer;
    // The unit still open: a packet has begun it, the next one's start code ends it.
    bool m_unitOpen = false;
    ULONGLONG m_unitStart = 0;
    LONGLONG m_time = 0; // of the open unit; never less than the one before
    std::deque<Unit> m_units;
};
