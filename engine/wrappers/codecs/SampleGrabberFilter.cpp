#include "SampleGrabberFilter.h"

#include "FilterPin.h"
#include "SampleGrabCallback.h"

#include <string.h>

CSampleGrabberFilter::CSampleGrabberFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CSampleGrabberFilter::CSampleGrabberFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                           int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

CSampleGrabberFilter::~CSampleGrabberFilter() = default;

BOOL CSampleGrabberFilter::Init()
{
    m_grabber.Reset();
    if (!CFilterWrapper::Init())
        return FALSE;
    return SUCCEEDED(GetFilter()->QueryInterface(IID_ISampleGrabber, m_grabber.ReceiveVoid()));
}

BOOL CSampleGrabberFilter::SetMediaType()
{
    if (!m_grabber)
        return FALSE;
    AM_MEDIA_TYPE type = {};
    type.majortype = MEDIATYPE_Video;
    type.subtype = MEDIASUBTYPE_RGB24;
    return SUCCEEDED(m_grabber->SetMediaType(&type));
}

BOOL CSampleGrabberFilter::SetCallback(CSampleGrabCallback* callback)
{
    if (!m_grabber || callback == NULL)
        return FALSE;
    for (CFilterPin* pin = GetFirstPin(); pin != NULL; pin = pin->GetNext()) {
        CComRef<IPin> peer;
        if (pin->GetPin()->ConnectedTo(peer.Receive()) == S_OK)
            return FALSE;
    }
    AM_MEDIA_TYPE type = {};
    BITMAPINFOHEADER header = {};
    if (SUCCEEDED(m_grabber->GetConnectedMediaType(&type))) {
        if (IsEqualGUID(type.formattype, FORMAT_VideoInfo) && type.cbFormat >= sizeof(VIDEOINFOHEADER))
            header = reinterpret_cast<VIDEOINFOHEADER*>(type.pbFormat)->bmiHeader;
        CoTaskMemFree(type.pbFormat);
        if (type.pUnk)
            type.pUnk->Release();
    }
    callback->SetFormat(header);
    if (FAILED(m_grabber->SetBufferSamples(FALSE)) || FAILED(m_grabber->SetOneShot(FALSE)) ||
        FAILED(m_grabber->SetCallback(callback, 1)))
        return FALSE;
    m_callback = callback;
    return TRUE;
}

BOOL CSampleGrabberFilter::GrabToFile(const char* path)
{
    return m_callback != NULL && path != NULL && m_callback->RequestFile(path);
}
