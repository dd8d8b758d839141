#include "DvbcCapture.h"

#include "AppMessages.h"
#include "AutoCritLock.h"
#include "DM1105.h"
#include "NullI2C.h"

#include <new>
#include <string.h>

namespace
{
// The chip library's port whose value turns the card's flag on.
const int kFlagPort = 0x18;
const BYTE kFlagOn = 0x90;
const int kSpareEntries = 10;

// The instance that receives the library's key callback, NULL when none is registered. Its
// lock is held by the callback while it posts and by whoever changes the receiver, so no
// callback reaches an instance after it stopped being the receiver.
struct KeyReceiver
{
    KeyReceiver() : instance(NULL) { InitializeCriticalSection(&lock); }
    CRITICAL_SECTION lock;
    CDvbcCapture* instance;
};

KeyReceiver& Receiver()
{
    static KeyReceiver receiver;
    return receiver;
}
}

CDvbcCapture::CDvbcCapture(CGraphBuilder* graph, REFCLSID clsid) : CCaptureDevice(graph, clsid)
{
    InitDvbc();
}

CDvbcCapture::CDvbcCapture(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode)
    : CCaptureDevice(graph, category, friendlyName, matchMode)
{
    InitDvbc();
}

CDvbcCapture::CDvbcCapture(CGraphBuilder* graph, IBaseFilter* filter) : CCaptureDevice(graph, filter)
{
    InitDvbc();
}

void CDvbcCapture::InitDvbc()
{
    m_entries = NULL;
    m_entryCount = 0;
    m_symbolRate = kDefaultSymbolRate;
    m_modulation = kDefaultModulation;
    m_keyWindow = NULL;
    m_notifyValue1 = 0;
    m_notifyValue2 = 0;
    m_keyPosted = 0;
    m_pair[0] = m_pair[1] = 0;
}

CDvbcCapture::~CDvbcCapture()
{
    // Before anything goes: the library may be about to call back into this instance.
    UnregisterKeyCallback();
    delete[] m_entries;
}

BOOL CDvbcCapture::InitDevice()
{
    delete[] m_entries;
    InitDvbc();
    m_control.Reset();
    if (!CFilterWrapper::Init())
        return FALSE;
    if (FAILED(GetFilter()->QueryInterface(IID_IDvbcCaptureControl, m_control.ReceiveVoid())) || !m_control)
        return FALSE;
    return CCaptureDevice::InitDevice();
}

// The card has no bus of its own here: the open's result does not matter.
HRESULT CDvbcCapture::OpenDeviceAccess()
{
    CNullI2C* access = new (std::nothrow) CNullI2C();
    if (!access)
        return E_OUTOFMEMORY;
    access->Attach(GetFilter(), this);
    SetAccess(access, kNullAccess);
    return S_OK;
}

HRESULT CDvbcCapture::WriteEeprom(BYTE* data, int offset, int* count, DWORD pauseMs)
{
    if (!count)
        return E_POINTER;
    if (!data || *count <= 0 || (offset & 0xFF) >= kEepromSize)
        return S_OK;
    BOOL written = FALSE;
    for (int i = 0; i < *count; ++i) {
        written = WriteEEPROM((offset & 0xFF) + i, &data[i], 1);
        Sleep(pauseMs);
    }
    return written ? S_OK : E_FAIL;
}

HRESULT CDvbcCapture::ReadEeprom(BYTE* data, int offset, int* count)
{
    if (!data || !count)
        return E_POINTER;
    if (*count <= 0 || (offset & 0xFF) >= kEepromSize)
        return S_OK;
    int stored = 0;
    for (int i = 0; i < *count; ++i) {
        BYTE value = 0;
        if (ReadEEPROM((offset & 0xFF) + i, &value, 1))
            data[stored++] = value;
    }
    *count = stored;
    return stored > 0 ? S_OK : E_FAIL;
}

BOOL CDvbcCapture::PrivateCall3()
{
    return m_control && SUCCEEDED(m_control->Method3());
}

BOOL CDvbcCapture::PrivateCall4()
{
    return m_control && SUCCEEDED(m_control->Method4());
}

BOOL CDvbcCapture::PrivateCall5(DWORD a, DWORD b)
{
    return m_control && SUCCEEDED(m_control->Method5(a, b));
}

BOOL CDvbcCapture::PrivateCall7()
{
    return m_control && SUCCEEDED(m_control->Method7());
}

BOOL CDvbcCapture::PrivateCall8(DWORD a)
{
    return m_control && SUCCEEDED(m_control->Method8(a));
}

BOOL CDvbcCapture::PrivateCall9(DWORD a)
{
    return m_control && SUCCEEDED(m_control->Method9(a));
}

BOOL CDvbcCapture::PrivateCall10(DWORD a)
{
    return m_control && SUCCEEDED(m_control->Method10(a));
}

BOOL CDvbcCapture::PrivateCall11(DWORD a)
{
    return m_control && SUCCEEDED(m_control->Method11(a));
}

BOOL CDvbcCapture::PrivateCall12(DWORD a)
{
    return m_control && SUCCEEDED(m_control->Method12(a));
}

BOOL CDvbcCapture::PrivateCall14(DWORD a)
{
    return m_control && SUCCEEDED(m_control->Method14(a));
}

BOOL CDvbcCapture::PrivateCall20(DWORD a, DWORD b)
{
    return m_control && SUCCEEDED(m_control->Method20(a, b));
}

BOOL CDvbcCapture::SetEntryTable(const Entry* entries, int count)
{
    if (count < 0 || (!entries && count > 0))
        return FALSE;
    if (!entries)
        return TRUE;
    delete[] m_entries;
    m_entries = new (std::nothrow) Entry[count + kSpareEntries]();
    m_entryCount = m_entries ? count : 0;
    if (m_entries && count > 0)
        memcpy(m_entries, entries, count * sizeof(Entry));
    return m_entries != NULL;
}

const CDvbcCapture::Entry* CDvbcCapture::GetEntry(int index) const
{
    if (!m_entries || index < 0 || index >= m_entryCount)
        return NULL;
    return &m_entries[index];
}

void CDvbcCapture::SetNotify(HWND window, DWORD value1, DWORD value2)
{
    m_keyWindow = window;
    m_notifyValue1 = value1;
    m_notifyValue2 = value2;
}

void CDvbcCapture::GetPair(DWORD* first, DWORD* second) const
{
    if (first)
        *first = m_pair[0];
    if (second)
        *second = m_pair[1];
}

void CDvbcCapture::SetPair(DWORD first, DWORD second)
{
    m_pair[0] = first;
    m_pair[1] = second;
}

BOOL CDvbcCapture::RegisterKeyCallback()
{
    KeyReceiver& receiver = Receiver();
    {
        CAutoCritLock lock(&receiver.lock);
        m_keyPosted = 0;
        if (receiver.instance)
            return TRUE;
    }
    BOOL registered = RegIRkeyCallback(KeyCallback, 0);
    if (registered) {
        CAutoCritLock lock(&receiver.lock);
        receiver.instance = this;
    }
    return registered;
}

void CDvbcCapture::UnregisterKeyCallback()
{
    KeyReceiver& receiver = Receiver();
    {
        CAutoCritLock lock(&receiver.lock);
        m_keyPosted = 0;
        if (receiver.instance != this)
            return;
        receiver.instance = NULL;
    }
    // Outside the lock: the library waits for a callback that may be waiting for it.
    UnregIRkeyCallback();
}

BOOL CDvbcCapture::SetPortFlag(BOOL on)
{
    return WritePortBYTE(kFlagPort, on ? kFlagOn : 0);
}

BOOL CDvbcCapture::IsValidBuffer(const void* pointer, DWORD size, BOOL needWrite)
{
    if (!pointer)
        return FALSE;
    const BYTE* at = (const BYTE*)pointer;
    const BYTE* end = at + size;
    while (at < end) {
        MEMORY_BASIC_INFORMATION info;
        if (!VirtualQuery(at, &info, sizeof(info)) || info.State != MEM_COMMIT ||
            (info.Protect & (PAGE_GUARD | PAGE_NOACCESS)))
            return FALSE;
        DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                         PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
        DWORD writable = PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
        if (!(info.Protect & (needWrite ? writable : readable)))
            return FALSE;
        at = (const BYTE*)info.BaseAddress + info.RegionSize;
    }
    return TRUE;
}

void CALLBACK CDvbcCapture::KeyCallback(DWORD, DWORD key)
{
    KeyReceiver& receiver = Receiver();
    CAutoCritLock lock(&receiver.lock);
    if (receiver.instance)
        receiver.instance->PostKey(key);
}

void CDvbcCapture::PostKey(DWORD key)
{
    if (!m_keyWindow || m_keyPosted)
        return;
    PostMessageA(m_keyWindow, WM_REMOTE_KEY, key & 0xFF, 0);
    m_keyPosted = 1;
}
