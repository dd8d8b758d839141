#pragma once

#include "FilterWrapper.h"
#include "CodecInterfaces.h"
#include "ComRef.h"

// The maker's deinterlace filter, right behind the capture filter in every graph: the picture
// quality switches of the video settings and the snapshot files. Each operation answers TRUE only
// when the filter answers S_OK.
class CDeinterlaceFilter : public CFilterWrapper
{
public:
    CDeinterlaceFilter(CGraphBuilder* graph, REFCLSID clsid);
    CDeinterlaceFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    ~CDeinterlaceFilter() override;

    BOOL Init() override;

    BOOL GetHighQuality(int* on);
    BOOL SetHighQuality(int on);
    BOOL GetNoiseReduce(BOOL* on);
    BOOL SetNoiseReduce(BOOL on);
    BOOL GetHalfRate(BOOL* on);
    BOOL SetHalfRate(BOOL on);
    BOOL GetReduceValue(int* value);
    // 0 to 10; 0 also switches noise reduction off.
    BOOL SetReduceValue(int value);
    // Writes the next picture: kind 1 BMP, 2 JPEG of the quality given.
    BOOL SaveSnapshot(const char* path, int kind, int quality);
    BOOL SetSmallFrame(BOOL on);

private:
    CComRef<IDeinterlaceControl> m_control;
};
