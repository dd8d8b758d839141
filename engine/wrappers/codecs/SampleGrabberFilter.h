#pragma once

#include "FilterWrapper.h"
#include "ComRef.h"

#include <dshow.h>
#include <qedit.h>

class CSampleGrabCallback;

// The system's sample grabber: RGB24 pictures handed to a grab callback of the caller's, which
// writes the next one to a file on request. Registered, never requested.
class CSampleGrabberFilter : public CFilterWrapper
{
public:
    CSampleGrabberFilter(CGraphBuilder* graph, REFCLSID clsid);
    CSampleGrabberFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    ~CSampleGrabberFilter() override;

    BOOL Init() override;

    // Video, RGB24.
    BOOL SetMediaType();
    // Refused while any pin is connected. The callback stays the caller's.
    BOOL SetCallback(CSampleGrabCallback* callback);
    // Asks the callback for the next picture in the file; FALSE without one or while it is busy.
    BOOL GrabToFile(const char* path);

private:
    CComRef<ISampleGrabber> m_grabber;
    // Weak: the caller owns the callback and keeps it while the graph runs.
    CSampleGrabCallback* m_callback = NULL;
};
