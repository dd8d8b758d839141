#pragma once

#include "CaptureDevice.h"
#include "FilterWrapper.h"

// A video capture filter without card registers (USB cameras): proc-amp, capture format and
// size, the decoder's TV format and the filter's property pages. No access object, tuner or
// GPIO.
class CVideoCaptureFilter : public CFilterWrapper
{
public:
    // Subtype codes of this class: 5 (I420) can be written but never reads back as such.
    enum { kRgb555 = 0, kRgb24 = 1, kYuy2 = 2, kYvu9 = 3, kYv12 = 4, kI420 = 5, kOther = -1 };
    // SetCaptureSize's limit.
    enum { kMaxWidth = 640, kMaxHeight = 480 };
    // ShowPropertyPage's kinds.
    enum { kFilterPages = 0, kStreamConfigPages = 1 };

    CVideoCaptureFilter(CGraphBuilder* graph, REFCLSID clsid);
    CVideoCaptureFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    CVideoCaptureFilter(CGraphBuilder* graph, IBaseFilter* filter);

    virtual HRESULT GetTVFormat(long* current, long* available);
    virtual HRESULT SetTVFormat(long format);

    HRESULT SetVideoProcAmp(long property, long value);
    HRESULT GetVideoProcAmp(long property, ProcAmpValue* record);
    // pin: 1 the capture pin, any other value the preview pin.
    HRESULT GetMediaType(AM_MEDIA_TYPE** type, int pin);
    HRESULT GetCaptureFormat(CaptureFormat* format, int pin);
    HRESULT SetCaptureFormat(const CaptureFormat& format, int pin);
    // The capture pin's size, at most 640 x 480; TRUE only when the format was written.
    BOOL SetCaptureSize(long width, long height);
    // kind 0: the filter's pages; 1: those of the pin's stream configuration. FALSE while
    // the graph runs.
    BOOL ShowPropertyPage(int kind, HWND parent, const char* caption, int pin);
    // Whether an output pin offers I420; also stored.
    BOOL DetectI420();
    BOOL HasI420() const { return m_i420; }

private:
    HRESULT FindStreamConfig(int pin, IAMStreamConfig** config);

    BOOL m_i420;
};
