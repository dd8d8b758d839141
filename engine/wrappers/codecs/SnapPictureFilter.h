#pragma once

#include "FilterWrapper.h"
#include "CodecInterfaces.h"
#include "ComRef.h"

// The maker's snap-picture filter: one request record per picture. Registered, never requested by
// the graph engine.
class CSnapPictureFilter : public CFilterWrapper
{
public:
    CSnapPictureFilter(CGraphBuilder* graph, REFCLSID clsid);
    CSnapPictureFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    ~CSnapPictureFilter() override;

    BOOL Init() override;

    enum { kRequestSize = 272, kPathSize = 260 };

    // kind 1 BMP, 2 JPEG (others are sent as 0, kind 3 is refused); quality clamped to 0-100.
    BOOL TakePicture(int kind, const char* path, int quality);
    // The request record as TakePicture sends it; FALSE when it would refuse.
    static BOOL BuildRequest(int kind, const char* path, int quality, BYTE* request);

private:
    CComRef<ISnapPicture> m_snap;
};
