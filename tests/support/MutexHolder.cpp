#include "MutexHolder.h"

#include <windows.h>

#include "HelperProcess.h"

// args: mutex name, ready event name, release event name. Plain Win32 calls, so that the
// holder does not depend on the classes under test.
SUITE_HELPER(HoldMutex)
{
    HANDLE mutex = CreateMutexA(NULL, FALSE, args[0].c_str());
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, args[1].c_str());
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, args[2].c_str());
    if (!mutex || !ready || !release || WaitForSingleObject(mutex, 10000) != WAIT_OBJECT_0)
        return 2;
    SetEvent(ready);
    WaitForSingleObject(release, 60000);
    ReleaseMutex(mutex);
    return 0;
}

MutexHolder::MutexHolder(const std::string& mutexName)
    : m_releaseName(UniqueName("KavexTest_Release")), m_holding(false)
{
    std::string readyName = UniqueName("KavexTest_Ready");
    HANDLE ready = CreateEventA(NULL, TRUE, FALSE, readyName.c_str());
    m_release = CreateEventA(NULL, TRUE, FALSE, m_releaseName.c_str());
    m_helper.reset(new HelperProcess("HoldMutex", {mutexName, readyName, m_releaseName}));
    HANDLE waits[2] = {ready, m_helper->Handle()};
    m_holding = m_helper->IsStarted() &&
                WaitForMultipleObjects(2, waits, FALSE, 30000) == WAIT_OBJECT_0;
    CloseHandle(ready);
}

MutexHolder::~MutexHolder()
{
    SetEvent(m_release);
    m_helper->Wait(30000);
    CloseHandle(m_release);
}

std::string MutexHolder::UniqueName(const char* prefix)
{
    static LONG counter = 0;
    char name[96];
    snprintf(name, sizeof(name), "%s_%lu_%ld", prefix, GetCurrentProcessId(),
             InterlockedIncrement(&counter));
    return name;
}
