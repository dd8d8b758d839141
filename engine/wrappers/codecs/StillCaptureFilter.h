#pragma once

#include "FilterWrapper.h"
#include "CodecInterfaces.h"

// The still-capture filter InterVideo built for the maker: numbered parameters, asked for anew at
// each call, and the current picture as a BMP file. Registered, never requested by the graph
// engine.
class CStillCaptureFilter : public CFilterWrapper
{
public:
    CStillCaptureFilter(CGraphBuilder* graph, REFCLSID clsid);
    CStillCaptureFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);

    enum { kPictureSize = 1543, kPicture = 1544 };

    // Parameters 1537 to 1541.
    BOOL GetParam(int id, LONG* value);
    BOOL SetParam(int id, LONG value);
    BOOL GetPictureSize(LONG* bytes);
    // The packed DIB of the current picture into buffer (GetPictureSize bytes).
    BOOL GetPicture(BYTE* buffer);
    // The current picture as a BMP file: a file header, then the filter's DIB.
    BOOL SaveBitmap(const char* path);
};
