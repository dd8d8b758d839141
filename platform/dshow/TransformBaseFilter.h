#pragma once

#include "BaseFilter.h"
#include "CritSection.h"
#include "TransformInput.h"
#include "TransformOutput.h"

// A filter with one input and one output pin that turns each input sample into one
// output sample in a buffer of the output pin's allocator (a copy transform). Sample
// times and flags are copied; ends of stream, flushes and segments pass downstream.
// Pause means the filter is ready (GetState answers S_OK).
class CTransformBaseFilter : public CBaseFilter
{
public:
    CTransformBaseFilter(IUnknown* outer, REFCLSID clsid, const WCHAR* inputName, const WCHAR* outputName);
    ~CTransformBaseFilter() override;

    int GetPinCount() override { return 2; }
    CBasePin* GetPin(int index) override;

    CTransformInput& InputPin() { return m_input; }
    CTransformOutput& OutputPin() { return m_output; }

protected:
    // Type hooks, called with the state lock held. The output pin's types exist only
    // while the input pin is connected; input is its connection type.
    virtual HRESULT CheckInputType(const AM_MEDIA_TYPE& input) = 0;
    virtual HRESULT CheckTransform(const AM_MEDIA_TYPE& input, const AM_MEDIA_TYPE& output) = 0;
    virtual HRESULT GetOutputType(int index, const AM_MEDIA_TYPE& input, CAmMediaType& output) = 0;
    virtual HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) = 0;
    // Fills output from input on the streaming thread, under the receive lock. The
    // output's times and flags are already those of the input. S_OK delivers the output
    // sample, S_FALSE drops it, a failure goes back to the upstream filter.
    virtual HRESULT Transform(IMediaSample* input, IMediaSample* output) = 0;

    HRESULT PausedStateResult() override { return S_OK; }
    // Waits for a sample still being transformed (the output pin is already inactive,
    // so it cannot block for long).
    void OnTeardown() override;

private:
    friend class CTransformInput;
    friend class CTransformOutput;

    HRESULT ProcessSample(IMediaSample* input);
    HRESULT PassEndOfStream();
    HRESULT PassEndFlush();
    static void CopySampleProperties(IMediaSample* from, IMediaSample* to);

    // Serialises samples and the end of stream (streaming thread) with EndFlush and
    // Stop (application thread). Taken after the state lock, never before it.
    CCritSection m_receiveLock;
    CTransformInput m_input;
    CTransformOutput m_output;
};
