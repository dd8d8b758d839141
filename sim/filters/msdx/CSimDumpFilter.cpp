#include "CSimDumpFilter.h"

#include "CritGuard.h"

#include <new>

const CLSID CLSID_SimDump = { 0x36A5F770, 0xFE4C, 0x11CE, { 0xA8, 0xED, 0x00, 0xAA, 0x00, 0x2F, 0xEA, 0xB5 } };

namespace
{
std::string Narrow(const std::wstring& text)
{
    char buffer[MAX_PATH * 2] = "";
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, buffer, sizeof(buffer), nullptr, nullptr);
    return buffer;
}
}

CSimDumpFilter::CSimDumpFilter(IUnknown* outer) : CSimDumpFilter(outer, CLSID_SimDump, "dump", "simmsdx:dump 1")
{
}

CSimDumpFilter::CSimDumpFilter(IUnknown* outer, REFCLSID clsid, const char* module, const char* identity)
    : CSimStandInFilter(outer, clsid, module, identity)
    , m_input(*this, L"Input", 0)
    , m_seeking(*ControllingUnknown(), m_input)
{
}

CSimDumpFilter::~CSimDumpFilter()
{
    if (m_file != INVALID_HANDLE_VALUE)
        CloseHandle(m_file);
}

void* CSimDumpFilter::FindFilterInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IFileSinkFilter))
        return static_cast<IFileSinkFilter*>(this);
    if (IsEqualIID(iid, IID_IMediaSeeking))
        return static_cast<IMediaSeeking*>(&m_seeking);
    return CSimStandInFilter::FindFilterInterface(iid);
}

void* CSimDumpFilter::FindPinInterface(int, REFIID)
{
    return nullptr;
}

STDMETHODIMP CSimDumpFilter::SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE*)
{
    if (name == nullptr)
        return E_POINTER;
    CCritGuard guard(m_nameLock);
    m_name = name;
    Log().Line("F %s", Narrow(m_name).c_str());
    return S_OK;
}

STDMETHODIMP CSimDumpFilter::GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* type)
{
    if (name == nullptr)
        return E_POINTER;
    *name = nullptr;
    if (type != nullptr)
        ZeroMemory(type, sizeof(*type));
    CCritGuard guard(m_nameLock);
    if (m_name.empty())
        return E_FAIL;
    size_t bytes = (m_name.size() + 1) * sizeof(WCHAR);
    *name = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (*name == nullptr)
        return E_OUTOFMEMORY;
    memcpy(*name, m_name.c_str(), bytes);
    return S_OK;
}

HRESULT CSimDumpFilter::CheckInputType(int, const AM_MEDIA_TYPE&)
{
    return S_OK;
}

HRESULT CSimDumpFilter::OnPrepare()
{
    std::wstring name;
    {
        CCritGuard guard(m_nameLock);
        name = m_name;
    }
    if (name.empty())
        return E_FAIL;
    CCritGuard guard(m_receiveLock);
    m_file = CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
    if (m_file == INVALID_HANDLE_VALUE)
        return HRESULT_FROM_WIN32(GetLastError());
    m_bytes = 0;
    return S_OK;
}

HRESULT CSimDumpFilter::ReceiveSample(int, IMediaSample* sample)
{
    CCritGuard guard(m_receiveLock);
    BYTE* data = nullptr;
    if (m_file == INVALID_HANDLE_VALUE || FAILED(sample->GetPointer(&data)))
        return S_OK;
    DWORD size = (DWORD)sample->GetActualDataLength();
    if (m_bytes >= m_limit)
        return S_OK;
    if (m_limit - m_bytes < size)
        size = (DWORD)(m_limit - m_bytes);
    DWORD written = 0;
    if (!WriteFile(m_file, data, size, &written, nullptr) || written != size)
        return HRESULT_FROM_WIN32(GetLastError());
    m_bytes += size;
    Log().Sample("W %lu", (unsigned long)size);
    return S_OK;
}

void CSimDumpFilter::SetSizeLimit(ULONGLONG bytes)
{
    CCritGuard guard(m_receiveLock);
    m_limit = bytes;
}

ULONGLONG CSimDumpFilter::SizeLimit()
{
    CCritGuard guard(m_receiveLock);
    return m_limit;
}

HRESULT CSimDumpFilter::EndOfInput(int)
{
    return NotifyEvent(EC_COMPLETE, S_OK, reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this)));
}

void CSimDumpFilter::OnTeardown()
{
    CCritGuard guard(m_receiveLock);
    if (m_file == INVALID_HANDLE_VALUE)
        return;
    FlushFileBuffers(m_file);
    CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    Log().Line("C bytes=%llu", m_bytes);
}
