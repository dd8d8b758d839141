#include "1394Access.h"

#include "AutoCritLock.h"
#include "FilterWrapper.h"

#include <edevdefs.h>

#include <stdio.h>
#include <string.h>

namespace
{
// GetTimecode's request for the absolute track number; not in the SDK headers we build with.
const DWORD kAtnRead = 5047;

DvTimecode TimecodeOf(DWORD frames)
{
    DvTimecode timecode;
    timecode.hours = (BYTE)(frames >> 24);
    timecode.minutes = (BYTE)(frames >> 16);
    timecode.seconds = (BYTE)(frames >> 8);
    timecode.frames = (BYTE)frames;
    return timecode;
}
}

C1394Access::C1394Access()
    : m_deviceMode(0), m_transportMode(kUnknownTransportMode), m_pendingValue(0), m_pendingSet(FALSE)
{
    InitializeCriticalSection(&m_lock);
}

C1394Access::~C1394Access()
{
    {
        CAutoCritLock lock(&m_lock);
        m_timecodeReader.Reset();
        m_transport.Reset();
        m_device.Reset();
    }
    DeleteCriticalSection(&m_lock);
}

BOOL C1394Access::Open(CFilterWrapper* filter)
{
    CAutoCritLock lock(&m_lock);
    IBaseFilter* object = filter ? filter->GetFilter() : NULL;
    if (!object)
        return FALSE;
    HRESULT device = object->QueryInterface(IID_IAMExtDevice, m_device.ReceiveVoid());
    HRESULT transport = object->QueryInterface(IID_IAMExtTransport, m_transport.ReceiveVoid());
    HRESULT reader = object->QueryInterface(IID_IAMTimecodeReader, m_timecodeReader.ReceiveVoid());
    return SUCCEEDED(device) && SUCCEEDED(transport) && SUCCEEDED(reader);
}

BOOL C1394Access::GetDeviceMode(int* mode)
{
    CAutoCritLock lock(&m_lock);
    if (!mode || !m_device)
        return FALSE;
    LONG type = 0;
    double unused = 0;
    if (FAILED(m_device->GetCapability(ED_DEVCAP_DEVICE_TYPE, &type, &unused)))
        return FALSE;
    if (type == 0)
        *mode = kNoDeviceType;
    else if (type == ED_DEVTYPE_VCR)
        *mode = kVcr;
    else
        *mode = kOtherDevice;
    return TRUE;
}

BOOL C1394Access::DeviceModeChanged(int* mode)
{
    CAutoCritLock lock(&m_lock);
    int now = m_deviceMode;
    GetDeviceMode(&now);
    if (mode)
        *mode = now;
    if (now == m_deviceMode)
        return FALSE;
    m_deviceMode = now;
    return TRUE;
}

BOOL C1394Access::GetTransportMode(long* mode)
{
    CAutoCritLock lock(&m_lock);
    LONG value = 0;
    if (!mode || !m_transport || FAILED(m_transport->get_Mode(&value)))
        return FALSE;
    *mode = value;
    return TRUE;
}

BOOL C1394Access::SetTransportMode(long mode)
{
    CAutoCritLock lock(&m_lock);
    return m_transport && SUCCEEDED(m_transport->put_Mode(mode));
}

BOOL C1394Access::TransportModeChanged(long* mode)
{
    CAutoCritLock lock(&m_lock);
    long now = m_transportMode;
    GetTransportMode(&now);
    if (mode)
        *mode = now;
    if (now == m_transportMode)
        return FALSE;
    m_transportMode = now;
    return TRUE;
}

BOOL C1394Access::GetTransportStatus(long item, long* value)
{
    CAutoCritLock lock(&m_lock);
    LONG status = 0;
    if (!value || !m_transport || FAILED(m_transport->GetStatus(item, &status)))
        return FALSE;
    *value = status;
    return TRUE;
}

BOOL C1394Access::GetTransportRate(int* rate)
{
    CAutoCritLock lock(&m_lock);
    double value = 0;
    if (!rate || !m_transport || FAILED(m_transport->get_Rate(&value)))
        return FALSE;
    *rate = (int)(value * 2);
    return TRUE;
}

HRESULT C1394Access::GetTimecodeSample(DWORD flags, TIMECODE_SAMPLE* sample)
{
    CAutoCritLock lock(&m_lock);
    if (!m_timecodeReader)
        return E_FAIL;
    memset(sample, 0, sizeof(*sample));
    sample->dwFlags = flags;
    return m_timecodeReader->GetTimecode(sample);
}

BOOL C1394Access::ReadTimecode(DvTimecode* timecode)
{
    return ReadTimecodeEx(timecode, NULL);
}

BOOL C1394Access::ReadTimecodeEx(DvTimecode* timecode, BOOL* userFlag)
{
    if (!timecode)
        return FALSE;
    memset(timecode, 0, sizeof(*timecode));
    TIMECODE_SAMPLE sample;
    if (FAILED(GetTimecodeSample(ED_DEVCAP_TIMECODE_READ, &sample)))
        return FALSE;
    *timecode = TimecodeOf(sample.timecode.dwFrames);
    if (userFlag)
        *userFlag = sample.dwUser == 1;
    return TRUE;
}

BOOL C1394Access::ReadTimecodeText(char* hours, char* minutes, char* seconds, char* frames)
{
    if (!hours || !minutes || !seconds || !frames)
        return FALSE;
    TIMECODE_SAMPLE sample;
    if (FAILED(GetTimecodeSample(ED_DEVCAP_TIMECODE_READ, &sample)))
        return FALSE;
    DvTimecode timecode = TimecodeOf(sample.timecode.dwFrames);
    snprintf(hours, 3, "%.2x", timecode.hours);
    snprintf(minutes, 3, "%.2x", timecode.minutes);
    snprintf(seconds, 3, "%.2x", timecode.seconds);
    snprintf(frames, 3, "%.2x", timecode.frames);
    return TRUE;
}

BOOL C1394Access::ReadAtn(DWORD* atn)
{
    if (!atn)
        return FALSE;
    TIMECODE_SAMPLE sample;
    if (FAILED(GetTimecodeSample(kAtnRead, &sample)))
        return FALSE;
    *atn = sample.timecode.dwFrames;
    return TRUE;
}

void C1394Access::SetPendingValue(int value)
{
    CAutoCritLock lock(&m_lock);
    m_pendingValue = value;
    m_pendingSet = TRUE;
}
