#pragma once

#include <qedit.h>

// The sample grabber's callback of the engine: on request it writes the next picture it is
// handed to a BMP file and is free again. Owned by whoever set it; not reference counted.
class CSampleGrabCallback : public ISampleGrabberCB
{
public:
    CSampleGrabCallback();

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SampleCB(double time, IMediaSample* sample) override;
    STDMETHODIMP BufferCB(double time, BYTE* buffer, long length) override;

    // The pictures' format, taken from the grabber's connection.
    void SetFormat(const BITMAPINFOHEADER& header);
    // FALSE while a request is pending or when the path does not fit.
    BOOL RequestFile(const char* path);
    BOOL IsBusy() const { return m_busy != 0; }

private:
    BITMAPINFOHEADER m_header;
    char m_path[MAX_PATH];
    // Set by RequestFile on the caller's thread, cleared by BufferCB on the streaming thread
    // once the file is written; m_path is written only while it is clear.
    volatile LONG m_busy;
};
