#pragma once

#include "AmMediaType.h"
#include "CSimFrame.h"
#include "CSimInputPin.h"
#include "CSimOutputPin.h"
#include "CSimStandInFilter.h"
#include "CritSection.h"

// A video filter that passes its input on untouched ("Input" to "Output", in the upstream
// filter's buffers) and keeps the last picture it saw for the derived filter to hand out.
// Pause means ready.
class CSimPictureTapFilter : public CSimStandInFilter
{
public:
    CSimPictureTapFilter(IUnknown* outer, REFCLSID clsid, const char* module, const char* identity);
    ~CSimPictureTapFilter() override;

    int GetPinCount() override { return 2; }
    CBasePin* GetPin(int index) override;

    HRESULT CheckInputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT ReceiveSample(int pin, IMediaSample* sample) override;
    HRESULT EndOfInput(int pin) override;
    HRESULT BeginInputFlush(int pin) override;
    HRESULT EndInputFlush(int pin) override;
    HRESULT CheckOutputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT GetOutputType(int pin, int index, CAmMediaType& type) override;
    HRESULT DecideOutputBuffers(int pin, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;

protected:
    HRESULT PausedStateResult() override { return S_OK; }
    void OnTeardown() override;

    // The first picture to arrive after the call, waiting at most timeoutMs while letting
    // sent messages through (the caller may own the video window). false on time-out.
    bool NextPicture(CSimFrame& picture, DWORD timeoutMs);
    // The last picture seen in this run; false before the first.
    bool LastPicture(CSimFrame& picture);

private:
    enum { PIN_INPUT, PIN_OUTPUT };

    CSimInputPin m_input;
    CSimOutputPin m_output;

    // Guards the picture and its count; taken by the streaming thread after nothing else.
    CCritSection m_pictureLock;
    CSimFrame m_picture;
    DWORD m_pictures = 0;
    // Set by the streaming thread after each picture; waited on by NextPicture.
    HANDLE m_arrived;
};
