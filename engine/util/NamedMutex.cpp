#include "NamedMutex.h"

CNamedMutex::CNamedMutex(const char* name, BOOL initialOwner)
    : m_hMutex(CreateMutexA(NULL, initialOwner, name))
{
}

CNamedMutex::~CNamedMutex()
{
    if (m_hMutex)
        CloseHandle(m_hMutex);
}

BOOL CNamedMutex::Lock()
{
    if (!m_hMutex)
        return FALSE;
    DWORD result = WaitForSingleObject(m_hMutex, kLockTimeoutMs);
    // An abandoned mutex is ours now: its previous owner died without releasing it, and
    // refusing it would lock every process out until a reboot.
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

BOOL CNamedMutex::Unlock()
{
    return m_hMutex && ReleaseMutex(m_hMutex);
}
