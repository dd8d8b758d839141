#pragma once

#include "VideoCaptureFilter.h"

// A USB camera: the plain video capture filter under its driver's name.
class CUsbCamCapture : public CVideoCaptureFilter
{
public:
    CUsbCamCapture(CGraphBuilder* graph, REFCLSID clsid) : CVideoCaptureFilter(graph, clsid) {}
    CUsbCamCapture(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode)
        : CVideoCaptureFilter(graph, category, friendlyName, matchMode)
    {
    }
};
