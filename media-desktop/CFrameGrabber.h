#pragma once

#include <dshow.h>
#include <qedit.h>

// Writes the first frame of a video file as the 32-bit bitmap "Grab.bmp" in the program
// folder: the file plays once in a private graph through the sample grabber, which hands its
// first RGB32 frame to this object. The object is not reference counted: its owner keeps it
// for as long as a graph may call it.
class CFrameGrabber : public ISampleGrabberCB
{
public:
    // How long a graph may run before the grab gives up on it.
    static const DWORD kDefaultTimeoutMs = 5000;

    CFrameGrabber();
    virtual ~CFrameGrabber();

    // TRUE when the graph ran to its end; FALSE when it could not be built, or did not end
    // within the time-out (then it is stopped).
    BOOL GrabFrame(LPCSTR path);
    void SetTimeout(DWORD milliseconds) { m_timeoutMs = milliseconds; }

    // Writes "Grab.bmp" from the buffer as given; always S_OK.
    HRESULT SaveBitmap(double sampleTime, BYTE* buffer, long size);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SampleCB(double sampleTime, IMediaSample* sample) override;
    STDMETHODIMP BufferCB(double sampleTime, BYTE* buffer, long size) override;

private:
    // Width and height of the grabber's connected video format.
    LONG m_width;
    LONG m_height;
    DWORD m_timeoutMs;
};
