#pragma once

#include <windows.h>

// A system-wide mutex shared by name with the other processes that drive the card. Lock
// waits a bounded time so that a stuck owner costs a skipped poll, not a hung program.
class CNamedMutex
{
public:
    CNamedMutex(const char* name, BOOL initialOwner);
    virtual ~CNamedMutex();

    BOOL Lock();
    BOOL Unlock();

private:
    CNamedMutex(const CNamedMutex&);
    CNamedMutex& operator=(const CNamedMutex&);

    enum { kLockTimeoutMs = 1000 };

    HANDLE m_hMutex;
};
