#include "FileSinkName.h"

BOOL CFileSinkName::Set(IFileSinkFilter* sink, const char* name)
{
    WCHAR wide[MAX_PATH];
    if (!sink || name == NULL || MultiByteToWideChar(CP_ACP, 0, name, -1, wide, MAX_PATH) == 0)
        return FALSE;
    return SUCCEEDED(sink->SetFileName(wide, NULL));
}

BOOL CFileSinkName::Get(IFileSinkFilter* sink, char* buffer, int size)
{
    if (!sink || buffer == NULL || size <= 0)
        return FALSE;
    LPOLESTR name = NULL;
    AM_MEDIA_TYPE type = {};
    if (FAILED(sink->GetCurFile(&name, &type)))
        return FALSE;
    if (type.pbFormat)
        CoTaskMemFree(type.pbFormat);
    if (type.pUnk)
        type.pUnk->Release();
    BOOL ok = name != NULL && WideCharToMultiByte(CP_ACP, 0, name, -1, buffer, size, NULL, NULL) != 0;
    CoTaskMemFree(name);
    if (!ok)
        buffer[0] = '\0';
    return ok;
}
