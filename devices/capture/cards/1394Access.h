#pragma once

#include "ComRef.h"

#include <dshow.h>

class CFilterWrapper;

// The four time-code fields of a DV device, BCD as the device gives them.
struct DvTimecode
{
    BYTE hours;
    BYTE minutes;
    BYTE seconds;
    BYTE frames;
};

// Drives a DV device's transport and reads its time code through the DV filter's external-
// device interfaces. The monitor thread reads through it while the user interface sets the
// transport, so every call into an interface holds the object's lock.
class C1394Access
{
public:
    // Device modes.
    enum { kNoDeviceType = 1, kVcr = 2, kOtherDevice = 3 };
    // The cached transport mode before the first read.
    enum { kUnknownTransportMode = 255 };

    C1394Access();
    virtual ~C1394Access();

    // TRUE only when the filter has all three interfaces.
    BOOL Open(CFilterWrapper* filter);

    BOOL GetDeviceMode(int* mode);
    // Reads the device mode into *mode (the cached one when the read fails); TRUE only when
    // it differs from the cached mode, which then follows.
    BOOL DeviceModeChanged(int* mode);
    BOOL GetTransportMode(long* mode);
    BOOL SetTransportMode(long mode);
    // As DeviceModeChanged, for the transport mode.
    BOOL TransportModeChanged(long* mode);
    BOOL GetTransportStatus(long item, long* value);
    // Twice the transport's rate.
    BOOL GetTransportRate(int* rate);
    // The record is zeroed first.
    BOOL ReadTimecode(DvTimecode* timecode);
    // *userFlag: whether the sample's dwUser is 1.
    BOOL ReadTimecodeEx(DvTimecode* timecode, BOOL* userFlag);
    // Each field as two hex digits; every buffer must hold at least three chars.
    BOOL ReadTimecodeText(char* hours, char* minutes, char* seconds, char* frames);
    // The absolute track number.
    BOOL ReadAtn(DWORD* atn);
    void SetPendingValue(int value);

private:
    C1394Access(const C1394Access&);
    C1394Access& operator=(const C1394Access&);

    HRESULT GetTimecodeSample(DWORD flags, TIMECODE_SAMPLE* sample);

    // Guards every field below and every call into the interfaces; reentrant, so the
    // Changed operations hold it across their read and the cache update.
    CRITICAL_SECTION m_lock;
    int m_deviceMode;
    long m_transportMode;
    int m_pendingValue;
    BOOL m_pendingSet;
    CComRef<IAMExtDevice> m_device;
    CComRef<IAMExtTransport> m_transport;
    CComRef<IAMTimecodeReader> m_timecodeReader;
};
