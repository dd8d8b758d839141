#include "PersistStream.h"

CPersistStream::CPersistStream(REFCLSID clsid, DWORD version, DWORD sizeMax)
    : m_clsid(clsid), m_version(version), m_sizeMax(sizeMax)
{
}

STDMETHODIMP CPersistStream::GetClassID(CLSID* clsid)
{
    if (!clsid)
        return E_POINTER;
    *clsid = m_clsid;
    return S_OK;
}

STDMETHODIMP CPersistStream::IsDirty()
{
    return m_dirty ? S_OK : S_FALSE;
}

STDMETHODIMP CPersistStream::Load(IStream* stream)
{
    if (!stream)
        return E_POINTER;
    DWORD version = 0;
    HRESULT hr = ReadBytes(stream, &version, sizeof(version));
    if (FAILED(hr))
        return hr;
    hr = ReadFromStream(stream, version);
    if (hr == S_OK)
        m_dirty = false;
    return hr;
}

STDMETHODIMP CPersistStream::Save(IStream* stream, BOOL clearDirty)
{
    if (!stream)
        return E_POINTER;
    HRESULT hr = WriteBytes(stream, &m_version, sizeof(m_version));
    if (SUCCEEDED(hr))
        hr = WriteToStream(stream);
    if (SUCCEEDED(hr) && clearDirty)
        m_dirty = false;
    return hr;
}

STDMETHODIMP CPersistStream::GetSizeMax(ULARGE_INTEGER* size)
{
    if (!size)
        return E_POINTER;
    size->QuadPart = m_sizeMax;
    return S_OK;
}

HRESULT CPersistStream::ReadBytes(IStream* stream, void* data, ULONG size)
{
    ULONG read = 0;
    HRESULT hr = stream->Read(data, size, &read);
    if (FAILED(hr))
        return hr;
    return read == size ? S_OK : STG_E_READFAULT;
}

HRESULT CPersistStream::WriteBytes(IStream* stream, const void* data, ULONG size)
{
    ULONG written = 0;
    HRESULT hr = stream->Write(data, size, &written);
    if (FAILED(hr))
        return hr;
    return written == size ? S_OK : STG_E_WRITEFAULT;
}
