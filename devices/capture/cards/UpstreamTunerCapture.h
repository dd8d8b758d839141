#pragma once

#include "CaptureDevice.h"

// A capture device whose TV tuner, crossbar and TV-audio filters stand upstream of its capture
// filter. The capture graph builder finds them (and may insert them) while the capture filter
// is in the graph; they stay there until this device goes, which takes them out again.
class CUpstreamTunerCapture : public CCaptureDevice
{
public:
    using CCaptureDevice::CCaptureDevice;
    ~CUpstreamTunerCapture() override;

    BOOL HasTunerFilter() const { return GetTunerFilter() != NULL; }
    // With a reference for the caller; E_FAIL while no crossbar was found.
    HRESULT GetCrossbar(IAMCrossbar** crossbar);
    // Routes the crossbar's output from the input; TRUE when it took the route.
    BOOL RouteCrossbar(int input, int output);
    // E_POINTER while no TV-audio filter was found.
    HRESULT GetTvAudio(IAMTVAudio** tvAudio);

protected:
    // Each find does nothing when its filter is known already; the result of the last search.
    HRESULT FindTuner();
    HRESULT FindCrossbar();
    HRESULT FindTvAudio();
    // Puts the capture filter into the graph under the wrapper's name for the searches (tuner
    // only, or all three) and takes it out again, unless it stood there before.
    void FindUpstreamFilters(BOOL tunerOnly);
    // Lets the upstream filters go without touching the graph.
    void ReleaseUpstreamFilters();
    // A key controller whose waiting register reads 1 while its code register holds a key.
    BOOL ReadKeyController(BYTE device, int waiting, int code, BYTE* key);

private:
    // The interleaved stream first, then video; the interface asked for and its filter.
    HRESULT FindUpstream(REFIID iid, IUnknown** found, IBaseFilter** filter);
    void RemoveFromGraph(IBaseFilter* filter);

    CComRef<IAMCrossbar> m_crossbar;
    CComRef<IBaseFilter> m_crossbarFilter;
    CComRef<IAMTVTuner> m_tvTuner;
    CComRef<IBaseFilter> m_tvAudioFilter;
};
