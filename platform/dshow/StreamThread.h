#pragma once

#include <windows.h>

#include <functional>

// One thread running one function; Join waits for it to end. Not restartable while running.
class CStreamThread
{
public:
    CStreamThread() = default;
    ~CStreamThread() { Join(); }
    CStreamThread(const CStreamThread&) = delete;
    CStreamThread& operator=(const CStreamThread&) = delete;

    HRESULT Start(std::function<void()> body);
    // Blocks until the thread has ended. Never call it from the thread itself, nor while
    // holding a lock the thread may take.
    void Join();
    bool Started() const { return m_handle != nullptr; }

private:
    static unsigned __stdcall ThreadMain(void* context);

    HANDLE m_handle = nullptr;
    std::function<void()> m_body;
};
