#include "MuxRingBuffer.h"

#include <string.h>

#include <algorithm>
#include <new>

bool MuxRingBuffer::Allocate(int capacity)
{
    if (capacity <= 0)
        return false;
    m_memory.reset(new (std::nothrow) uint8_t[static_cast<size_t>(capacity) + kLeadSize]);
    if (!m_memory)
        return false;
    m_read = m_write = kLeadSize;
    m_end = m_limit = kLeadSize + capacity;
    return true;
}

int MuxRingBuffer::FreeSpace() const
{
    if (Wrapped())
        return m_read - m_write - 1;
    // Behind the write index up to the end, then the ring's start short of the read index.
    // A read index inside the lead area holds moved bytes the ring itself no longer needs.
    int ahead = m_read > kLeadSize ? m_read - kLeadSize - 1 : m_read - kLeadSize;
    return std::max(0, (m_end - m_write) + ahead);
}

int MuxRingBuffer::UsedBytes() const
{
    if (Wrapped())
        return (m_limit - m_read) + (m_write - kLeadSize);
    return m_write - m_read;
}

void MuxRingBuffer::WrapWrite()
{
    m_limit = m_write;
    m_write = kLeadSize;
}

uint8_t* MuxRingBuffer::Request(int bytes)
{
    if (!m_memory || bytes < 0)
        return nullptr;
    if (Wrapped())
        return bytes < m_read - m_write ? m_memory.get() + m_write : nullptr;
    if (bytes <= m_end - m_write)
        return m_memory.get() + m_write;
    if (bytes < m_read - kLeadSize) {
        WrapWrite();
        return m_memory.get() + m_write;
    }
    return nullptr;
}

int MuxRingBuffer::Confirm(int bytes)
{
    bytes = std::max(0, std::min(bytes, FreeSpace()));
    if (!Wrapped() && bytes > m_end - m_write)
        return 0;
    m_write += bytes;
    return bytes;
}

int MuxRingBuffer::Copy(const uint8_t* data, int bytes)
{
    if (!m_memory || bytes <= 0)
        return 0;
    bytes = std::min(bytes, FreeSpace());
    int done = 0;
    if (!Wrapped()) {
        int first = std::min(bytes, m_end - m_write);
        memcpy(m_memory.get() + m_write, data, first);
        m_write += first;
        done = first;
        if (done == bytes)
            return done;
        WrapWrite();
    }
    memcpy(m_memory.get() + m_write, data + done, bytes - done);
    m_write += bytes - done;
    return bytes;
}

uint8_t* MuxRingBuffer::RequestRead(int bytes)
{
    if (!m_memory || bytes < 0 || bytes > UsedBytes())
        return nullptr;
    if (Wrapped() && m_limit - m_read < bytes) {
        int tail = m_limit - m_read;
        if (tail > kLeadSize)
            return nullptr;
        memmove(m_memory.get() + kLeadSize - tail, m_memory.get() + m_read, tail);
        m_read = kLeadSize - tail;
        m_limit = m_end;
    }
    return m_memory.get() + m_read;
}

int MuxRingBuffer::ConfirmRead(int bytes)
{
    bytes = std::max(0, std::min(bytes, UsedBytes()));
    if (Wrapped()) {
        int tail = m_limit - m_read;
        if (bytes < tail) {
            m_read += bytes;
            return bytes;
        }
        m_read = kLeadSize + (bytes - tail);
        m_limit = m_end;
        return bytes;
    }
    m_read += bytes;
    if (m_read == m_write) {
        // Empty: both start again at the ring's start, so the next write has it whole.
        m_read = m_write = kLeadSize;
        m_limit = m_end;
    }
    return bytes;
}

int MuxRingBuffer::CopyOut(uint8_t* data, int bytes)
{
    bytes = std::max(0, std::min(bytes, UsedBytes()));
    int done = 0;
    if (Wrapped()) {
        int first = std::min(bytes, m_limit - m_read);
        memcpy(data, m_memory.get() + m_read, first);
        done = first;
    }
    int at = Wrapped() && done == m_limit - m_read ? kLeadSize : m_read + done;
    memcpy(data + done, m_memory.get() + at, bytes - done);
    return ConfirmRead(bytes);
}
