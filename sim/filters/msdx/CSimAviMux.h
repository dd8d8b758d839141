#pragma once

#include "AmMediaType.h"
#include "CSimAviLayout.h"
#include "CSimInputPin.h"
#include "CSimOutputPin.h"
#include "CSimStandInFilter.h"
#include "CritSection.h"

#include <memory>
#include <vector>

// The stand-in's own class, {389CA86E-DC62-4D09-80E8-0BBFFD64E25A}, which the system's AVI Mux
// class is treated as.
extern const CLSID CLSID_SimAviMux;

// The system's AVI multiplexer, as the recordings need it: any number of video and audio
// inputs ("Input 01", ...; one is always free), one AVI file out of "AVI Out". The file goes
// to the writer as samples whose times are byte offsets, the way the system's file writer
// places them. The index and the final sizes are written when the graph leaves running
// (writers are paused before their multiplexer, so it still takes them); a later run goes on
// after the last chunk and writes them again. Pause means ready.
class CSimAviMux : public CSimStandInFilter, public IConfigAviMux, public IConfigInterleaving
{
public:
    explicit CSimAviMux(IUnknown* outer);
    ~CSimAviMux() override;

    DSHOW_DELEGATING_UNKNOWN


    int GetPinCount() override { return (int)m_inputs.size() + 1; }
    CBasePin* GetPin(int index) override;

    // IConfigAviMux
    STDMETHODIMP SetMasterStream(LONG stream) override;
    STDMETHODIMP GetMasterStream(LONG* stream) override;
    STDMETHODIMP SetOutputCompatibilityIndex(BOOL oldIndex) override;
    STDMETHODIMP GetOutputCompatibilityIndex(BOOL* oldIndex) override;
    // IConfigInterleaving
    STDMETHODIMP put_Mode(InterleavingMode mode) override;
    STDMETHODIMP get_Mode(InterleavingMode* mode) override;
    STDMETHODIMP put_Interleaving(const REFERENCE_TIME* interleave, const REFERENCE_TIME* preroll) override;
    STDMETHODIMP get_Interleaving(REFERENCE_TIME* interleave, REFERENCE_TIME* preroll) override;

    HRESULT CheckInputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT ReceiveSample(int pin, IMediaSample* sample) override;
    void PinConnected(int pin, bool connected) override;
    HRESULT CheckOutputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT GetOutputType(int pin, int index, CAmMediaType& type) override;
    HRESULT DecideOutputBuffers(int pin, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;

protected:
    HRESULT PausedStateResult() override { return S_OK; }
    HRESULT OnPrepare() override;
    HRESULT OnStart(REFERENCE_TIME start) override;
    HRESULT OnHalt() override;
    void* FindFilterInterface(REFIID iid) override;

private:
    enum { PIN_OUTPUT = 0, BUFFER_SIZE = 1 << 20 };

    void AddFreeInput();
    CSimAviLayout::Stream StreamOf(const AM_MEDIA_TYPE& type) const;
    // Called with the receive lock held.
    HRESULT WriteAt(LONGLONG offset, const BYTE* data, size_t size);
    HRESULT WriteClosing();

    CSimOutputPin m_output;
    // Inputs in pin order, numbered from 1; guarded by the state lock. Pins are never
    // removed, so pointers handed out stay good for the filter's life.
    std::vector<std::unique_ptr<CSimInputPin>> m_inputs;

    // The settings the program makes; stored and reported, the layout is always the same.
    LONG m_masterStream = -1;
    BOOL m_compatibilityIndex = TRUE;
    InterleavingMode m_mode = INTERLEAVE_CAPTURE;
    REFERENCE_TIME m_interleave = 10000000;
    REFERENCE_TIME m_preroll = 0;

    // Serialises the inputs' samples with the closing writes; guards the layout, the stream
    // map and the flags below. Taken after the state lock.
    CCritSection m_receiveLock;
    CSimAviLayout m_layout;
    // Input pin number -> stream number in the file, for the connected inputs at the start.
    std::vector<int> m_streamOf;
    bool m_started = false;
    bool m_pendingClose = false;
    // Left running: the index is written, and samples wait for the next run.
    bool m_halted = false;
};
