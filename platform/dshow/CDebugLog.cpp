#include "CDebugLog.h"

#include <stdio.h>

HRESULT CDebugLog::NotImplemented(const char* method, LONG& reported)
{
    if (InterlockedExchange(&reported, 1) == 0) {
        char line[160];
        snprintf(line, sizeof(line), "dshow: %s is not implemented\n", method);
        OutputDebugStringA(line);
    }
    return E_NOTIMPL;
}
