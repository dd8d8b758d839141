#pragma once

#include <windows.h>

// A Win32 event owned for the object's lifetime. Manual-reset events stay set until
// Reset; auto-reset events release one waiter each time they are set.
class CSyncEvent
{
public:
    enum Kind { AutoReset, ManualReset };

    explicit CSyncEvent(Kind kind) : m_handle(CreateEventA(nullptr, kind == ManualReset, FALSE, nullptr)) {}
    ~CSyncEvent() { if (m_handle) CloseHandle(m_handle); }
    CSyncEvent(const CSyncEvent&) = delete;
    CSyncEvent& operator=(const CSyncEvent&) = delete;

    void Set() { SetEvent(m_handle); }
    void Reset() { ResetEvent(m_handle); }
    // True when the event was set within the time-out.
    bool Wait(DWORD milliseconds) { return WaitForSingleObject(m_handle, milliseconds) == WAIT_OBJECT_0; }
    HANDLE Handle() const { return m_handle; }

private:
    HANDLE m_handle;
};
