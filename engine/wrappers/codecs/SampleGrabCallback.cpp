#include "SampleGrabCallback.h"

#include <string.h>

CSampleGrabCallback::CSampleGrabCallback() : m_header(), m_busy(0)
{
    m_path[0] = '\0';
}

STDMETHODIMP CSampleGrabCallback::QueryInterface(REFIID iid, void** out)
{
    if (out == NULL)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ISampleGrabberCB)) {
        *out = static_cast<ISampleGrabberCB*>(this);
        return S_OK;
    }
    *out = NULL;
    return E_NOINTERFACE;
}

STDMETHODIMP CSampleGrabCallback::SampleCB(double, IMediaSample*)
{
    return E_NOTIMPL;
}

void CSampleGrabCallback::SetFormat(const BITMAPINFOHEADER& header)
{
    m_header = header;
}

BOOL CSampleGrabCallback::RequestFile(const char* path)
{
    if (m_busy || path == NULL || strlen(path) >= sizeof(m_path))
        return FALSE;
    strcpy(m_path, path);
    InterlockedExchange(&m_busy, 1);
    return TRUE;
}

STDMETHODIMP CSampleGrabCallback::BufferCB(double, BYTE* buffer, long length)
{
    if (!m_busy || buffer == NULL || length <= 0)
        return S_OK;
    HANDLE file = CreateFileA(m_path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        BITMAPFILEHEADER fileHeader = {};
        fileHeader.bfType = 0x4D42;
        fileHeader.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
        fileHeader.bfSize = fileHeader.bfOffBits + (DWORD)length;
        DWORD written = 0;
        WriteFile(file, &fileHeader, sizeof(fileHeader), &written, NULL);
        WriteFile(file, &m_header, sizeof(m_header), &written, NULL);
        WriteFile(file, buffer, (DWORD)length, &written, NULL);
        CloseHandle(file);
    }
    InterlockedExchange(&m_busy, 0);
    return S_OK;
}
