#include "SnapPictureFilter.h"

#include <string.h>

CSnapPictureFilter::CSnapPictureFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CSnapPictureFilter::CSnapPictureFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                       int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

CSnapPictureFilter::~CSnapPictureFilter() = default;

BOOL CSnapPictureFilter::Init()
{
    m_snap.Reset();
    if (!CFilterWrapper::Init())
        return FALSE;
    return SUCCEEDED(GetFilter()->QueryInterface(IID_ISnapPicture, m_snap.ReceiveVoid()));
}

BOOL CSnapPictureFilter::BuildRequest(int kind, const char* path, int quality, BYTE* request)
{
    if (kind == 3 || path == NULL || path[0] == '\0' || strlen(path) >= kPathSize)
        return FALSE;
    memset(request, 0, kRequestSize);
    DWORD size = kRequestSize;
    DWORD sentKind = kind == 1 || kind == 2 ? kind : 0;
    LONG clamped = quality > 100 ? 100 : quality < 0 ? 0 : quality;
    memcpy(request, &size, 4);
    memcpy(request + 4, &sentKind, 4);
    memcpy(request + 8, path, strlen(path));
    memcpy(request + 268, &clamped, 4);
    return TRUE;
}

BOOL CSnapPictureFilter::TakePicture(int kind, const char* path, int quality)
{
    BYTE request[kRequestSize];
    if (!m_snap || !BuildRequest(kind, path, quality, request))
        return FALSE;
    return SUCCEEDED(m_snap->TakePicture(1, request));
}
