#pragma once

#include "FilterWrapper.h"

class C1394Access;
class CDvMonitorThread;
struct DvTimecode;

// A DV camcorder or VCR on a 1394 card, through the system's DV capture filter: its
// transport, time code and a monitor thread that reports them to a window. Every operation
// answers 0 or FALSE while there is no access object.
class CDvCamera : public CFilterWrapper
{
public:
    CDvCamera(CGraphBuilder* graph, REFCLSID clsid);
    CDvCamera(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    virtual ~CDvCamera();

    // Opens the access object; without all three of the filter's external-device interfaces
    // tells the user to insert the card and fails.
    BOOL Init() override;

    // Replaces a running monitor by a new one; TRUE when it started.
    BOOL StartDvMonitor();
    BOOL StopDvMonitor();
    // Stops the monitor and drops the access object.
    void CloseDv();

    long GetTransportMode();
    BOOL SetTransportMode(long mode);
    int GetDeviceMode();
    BOOL ReadTimecode(DvTimecode* timecode);
    void SetPendingValue(int value);

    C1394Access* GetAccess() const { return m_access; }
    HWND GetNotifyWnd() const { return m_notifyWnd; }
    // The window the monitor posts WM_DV_EVENT to; read when the monitor starts.
    void SetNotifyWnd(HWND window) { m_notifyWnd = window; }

private:
    void InitFields();

    C1394Access* m_access;
    CDvMonitorThread* m_monitor;
    // Not owned.
    HWND m_notifyWnd;
};
