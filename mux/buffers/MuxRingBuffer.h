#pragma once

#include <stdint.h>

#include <memory>

// The store of an input buffer: a ring of the pin's buffer size with a lead area in front
// of it. A read that would wrap moves the ring's last bytes into the lead area, so the
// engine always sees one contiguous window.
//
// Index layout: lead <= read, write <= limit <= end, where limit is the end of the written
// data while the writer has wrapped early (a request that did not fit before the end); it
// is the end otherwise. A write never catches up with the read index from behind, since
// equal indices mean empty.
class MuxRingBuffer
{
public:
    enum { kLeadSize = 4096 };

    // False when the memory cannot be had.
    bool Allocate(int capacity);

    int Capacity() const { return m_end - kLeadSize; }
    int FreeSpace() const;
    int UsedBytes() const;

    // Writing side.
    uint8_t* Request(int bytes);
    int Confirm(int bytes);
    int Copy(const uint8_t* data, int bytes);

    // Reading side.
    uint8_t* RequestRead(int bytes);
    int ConfirmRead(int bytes);
    int CopyOut(uint8_t* data, int bytes);

private:
    bool Wrapped() const { return m_write < m_read; }
    void WrapWrite();

    std::unique_ptr<uint8_t[]> m_memory;
    int m_read = kLeadSize;
    int m_write = kLeadSize;
    int m_limit = kLeadSize;
    int m_end = kLeadSize;
};
