#include "RemotePollThread.h"

#include "AppMessages.h"
#include "SignalSource.h"

CRemotePollThread::CRemotePollThread(ISignalSource* device)
    : m_device(device), m_mutex("Mutex_Remote_Control", FALSE), m_period(kDefaultPeriodMs)
{
}

CRemotePollThread::~CRemotePollThread()
{
    Stop();
}

BOOL CRemotePollThread::CanRun()
{
    if (!m_device || !m_device->CanReadRemoteKey())
        return FALSE;
    return CWorkerThread::CanRun();
}

DWORD CRemotePollThread::Run()
{
    HWND window = m_device->GetNotifyWnd();
    InterlockedExchange(&m_period, m_device->GetPollInterval());
    if (!window)
        return 0;
    while (!IsStopping()) {
        if (WaitForSingleObject(GetStopEvent(), m_period) != WAIT_TIMEOUT)
            break;
        DWORD key = 0;
        if (ReadKey(&key))
            PostMessageA(window, WM_REMOTE_KEY, key, 0);
    }
    return 1;
}

DWORD CRemotePollThread::OnExit()
{
    return 0;
}

BOOL CRemotePollThread::ReadKey(DWORD* key)
{
    if (!m_device || !m_mutex.Lock())
        return FALSE;
    BYTE read = 0;
    BOOL ok = m_device->ReadRemoteKey(&read);
    m_mutex.Unlock();
    if (ok)
        *key = read;
    return ok;
}

BOOL CRemotePollThread::SetPeriod(LONG ms)
{
    if (ms < 1)
        return FALSE;
    InterlockedExchange(&m_period, ms);
    return TRUE;
}
