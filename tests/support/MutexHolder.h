#pragma once

#include <windows.h>

#include <memory>
#include <string>

class HelperProcess;

// Holds a named mutex in another process while it lives, so that this process sees it
// owned by someone else.
class MutexHolder
{
public:
    explicit MutexHolder(const std::string& mutexName);
    // Lets the other process release the mutex and waits for it to end.
    ~MutexHolder();

    bool IsHolding() const { return m_holding; }

    // Unique within the machine, for tests that need a fresh name.
    static std::string UniqueName(const char* prefix);

private:
    std::string m_releaseName;
    HANDLE m_release;
    std::unique_ptr<HelperProcess> m_helper;
    bool m_holding;
};
