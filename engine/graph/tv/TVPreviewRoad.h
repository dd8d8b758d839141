#pragma once

#include <windows.h>

class CCaptureDevice;
class CCrossbarWrapper;
class CDeinterlaceFilter;
class CFilterWrapper;
class COverlayMixerFilter;
class CTVGraph;

// The preview road: the card's capture pin through the deinterlace filter and the Overlay
// Mixer (or the AVI Decompressor) into the video renderer. The other roads build on its
// filters. Its wrappers belong to the graph's builder like every wrapper: they are cleared
// whenever the builder deletes its wrappers.
class CTVPreviewRoad
{
public:
    explicit CTVPreviewRoad(CTVGraph& graph) : m_graph(graph) {}

    // Makes the filters the road lacks, up to the first that cannot be made; the Overlay
    // Mixer may be missing, which turns the overlay off. A new crossbar gets the graph's
    // standard.
    BOOL Make(BOOL withDecompressor);
    BOOL MakeOverlayMixer();
    // Connects the road, stopping the graph first; the picture goes through the overlay while
    // the graph uses it and the mixer connects, else the overlay is turned off.
    BOOL Connect();
    void Clear();
    // Each takes its wrapper out of the graph; the next Make makes it again.
    void RemoveDeinterlace();
    void RemoveOverlayMixer();
    void RemoveRenderer();

    CCaptureDevice* CaptureDevice() const { return m_captureDevice; }
    CCrossbarWrapper* Crossbar() const { return m_crossbar; }
    CDeinterlaceFilter* Deinterlace() const { return m_deinterlace; }
    COverlayMixerFilter* OverlayMixer() const { return m_overlayMixer; }
    CFilterWrapper* Renderer() const { return m_renderer; }
    CFilterWrapper* Decompressor() const { return m_decompressor; }

private:
    CTVPreviewRoad(const CTVPreviewRoad&);
    CTVPreviewRoad& operator=(const CTVPreviewRoad&);

    BOOL MakeDeinterlace();
    static void RegisterFilterModules();
    template <class Wrapper>
    void Remove(Wrapper*& wrapper);

    CTVGraph& m_graph;  // weak: the graph owns its roads; the road applies the graph's settings

    CCaptureDevice* m_captureDevice = NULL;
    CCrossbarWrapper* m_crossbar = NULL;
    CDeinterlaceFilter* m_deinterlace = NULL;
    COverlayMixerFilter* m_overlayMixer = NULL;
    CFilterWrapper* m_renderer = NULL;
    CFilterWrapper* m_decompressor = NULL;
};
