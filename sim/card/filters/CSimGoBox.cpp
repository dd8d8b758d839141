#include "CSimGoBox.h"

#include "CSimInstanceKeys.h"
#include "CSimText.h"

#include <string.h>

#include <string>
#include <vector>

CSimGoBox::CSimGoBox(CSimFilter& filter) : m_filter(filter)
{
}

STDMETHODIMP CSimGoBox::QueryInterface(REFIID iid, void** out)
{
    return m_filter.ControllingUnknown()->QueryInterface(iid, out);
}

STDMETHODIMP_(ULONG) CSimGoBox::AddRef()
{
    return m_filter.ControllingUnknown()->AddRef();
}

STDMETHODIMP_(ULONG) CSimGoBox::Release()
{
    return m_filter.ControllingUnknown()->Release();
}

HRESULT STDMETHODCALLTYPE CSimGoBox::RegisterWrite(DWORD device, DWORD width, DWORD sub, DWORD data, DWORD)
{
    return m_filter.Card().GoRegisterWrite(device, width, sub, data);
}

HRESULT STDMETHODCALLTYPE CSimGoBox::RegisterRead(DWORD device, DWORD width, DWORD sub, BYTE* value, DWORD)
{
    return m_filter.Card().GoRegisterRead(device, width, sub, value);
}

HRESULT STDMETHODCALLTYPE CSimGoBox::BlockWrite(DWORD device, DWORD width, DWORD sub, DWORD count, BYTE* data,
                                                 DWORD)
{
    return m_filter.Card().GoBlockWrite(device, width, sub, count, data);
}

HRESULT STDMETHODCALLTYPE CSimGoBox::Command(DWORD code, BYTE* request, DWORD count, DWORD* value, DWORD)
{
    return m_filter.Card().GoCommand(code, request, count, value);
}

HRESULT STDMETHODCALLTYPE CSimGoBox::GetCurrentProfileName(char* name)
{
    if (name == nullptr)
        return E_POINTER;
    std::string current;
    CSimInstanceKeys(m_filter.Card().Number()).GetString("Go7007Profile", &current);
    size_t length = current.size() < (size_t)PROFILE_NAME - 1 ? current.size() : (size_t)PROFILE_NAME - 1;
    memcpy(name, current.c_str(), length);
    name[length] = '\0';
    m_filter.Card().AddTrace(CSimText::Format("G7 profile %s", current.c_str()).c_str());
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CSimGoBox::GetProfileCatalogue(void* catalogue)
{
    if (catalogue == nullptr)
        return E_POINTER;
    std::vector<BYTE> bytes;
    CSimInstanceKeys(m_filter.Card().Number()).GetBinary("Go7007Catalogue", &bytes);
    bytes.resize(CATALOGUE_BYTES);
    memcpy(catalogue, bytes.data(), CATALOGUE_BYTES);
    m_filter.Card().AddTrace("G7 catalogue");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CSimGoBox::SetMediaType(AM_MEDIA_TYPE* type)
{
    if (type == nullptr)
        return E_POINTER;
    const VIDEOINFOHEADER* info =
        type->cbFormat >= sizeof(VIDEOINFOHEADER) ? (const VIDEOINFOHEADER*)type->pbFormat : nullptr;
    DWORD code = info ? info->bmiHeader.biCompression : 0;
    m_filter.Card().AddTrace(CSimText::Format("G7 mediatype %08lX %ldx%ld", code, info ? info->bmiHeader.biWidth : 0,
                                              info ? info->bmiHeader.biHeight : 0).c_str());
    return S_OK;
}
