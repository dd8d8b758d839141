#include "StreamThread.h"

#include <process.h>

HRESULT CStreamThread::Start(std::function<void()> body)
{
    if (m_handle)
        return E_UNEXPECTED;
    m_body = std::move(body);
    // _beginthreadex rather than CreateThread: the body uses the C run-time.
    uintptr_t handle = _beginthreadex(nullptr, 0, &CStreamThread::ThreadMain, this, 0, nullptr);
    if (!handle) {
        m_body = nullptr;
        return HRESULT_FROM_WIN32(GetLastError());
    }
    m_handle = reinterpret_cast<HANDLE>(handle);
    return S_OK;
}

void CStreamThread::Join()
{
    if (!m_handle)
        return;
    WaitForSingleObject(m_handle, INFINITE);
    CloseHandle(m_handle);
    m_handle = nullptr;
    m_body = nullptr;
}

unsigned __stdcall CStreamThread::ThreadMain(void* context)
{
    static_cast<CStreamThread*>(context)->m_body();
    return 0;
}
