#pragma once

// The framework's strings first: its character macros must precede the system's safe-string
// header, which the graph builder brings in.
#include "CString.h"
#include "CStringArray.h"

#include "GraphBuilder.h"

#include <vector>

class CCaptureDevice;
class CCrossbarWrapper;
class CDeinterlaceFilter;
class COverlayMixerFilter;
struct ProcAmpValue;

// The capture graph of the TV picture: the card's capture pin through the deinterlace filter
// and the Overlay Mixer (or the AVI Decompressor) into the video renderer, which draws in the
// window the caller sets. It keeps the picture, overlay, deinterlace, capture-size and
// video-standard settings and applies them whenever it rebuilds the preview.
//
// The wrapper pointers belong to the builder: they are cleared whenever the builder deletes
// its wrappers. User-interface thread only.
class CTVGraph
{
public:
    // Video sources.
    enum { kTuner = 0, kComposite = 1, kSVideo = 2, kFm = 3 };
    // The video standards the frame rate depends on.
    enum { kNtscM = 1, kNtscMJ = 2, kNtsc433 = 4, kPalD = 32 };

    CTVGraph();
    virtual ~CTVGraph();

    BOOL BuildPreview();
    BOOL RebuildPreview();
    // Tears the whole graph down and runs the preview in a new one.
    BOOL RecreateGraph();
    void CloseTV();
    BOOL Pause();
    void StopGraph();

    BOOL SetFrequency(DWORD kHz);
    // TRUE when the capture device filled the record.
    BOOL GetVideoProcAmpInfo(long property, ProcAmpValue* record);

    BOOL SetVideoSource(int source, BOOL flag);
    int GetVideoSource() const { return m_videoSource; }
    BOOL SetVideoStandard(long standard);
    long GetVideoStandard() const;
    BOOL Is50HzStandard() const { return m_is25Frames; }
    // Empty without a capture device.
    std::vector<int> GetSupportedStandards() const;

    BOOL SetCaptureSize(SIZE size);
    SIZE GetCaptureSize() const { return m_captureSize; }
    void AdjustCaptureSize();
    BOOL SetPictureValue(int property, long value);
    long GetPictureValue(int property) const;
    BOOL SetOverlayValue(int property, long value);
    BOOL IsOverlayInUse() const { return m_useOverlay; }
    // Remakes every filter of the preview and runs it again.
    BOOL SetUseOverlay(BOOL on);
    void SetOwnerWnd(HWND owner) { m_ownerWnd = owner; }

    void SetHighQuality(BOOL on);
    void SetNoiseReduce(BOOL on);
    void SetHalfRate(BOOL on);
    void SetReduceValue(int value);

    void EnumDeviceNames(int kind, CStringArray& names);
    const CStringArray& GetMpeg4CodecNames() const { return m_mpeg4CodecNames; }
    const CStringArray& GetMpeg4AudioNames() const { return m_mpeg4AudioNames; }
    // Only names of the lists are taken.
    BOOL SetMpeg4Codec(const char* name);
    BOOL SetMpeg4Audio(const char* name);
    const CString& GetMpeg4Codec() const { return m_mpeg4Codec; }
    const CString& GetMpeg4Audio() const { return m_mpeg4Audio; }

    CGraphBuilder& GetBuilder() { return m_builder; }
    CCaptureDevice* GetCaptureDevice() const { return m_captureDevice; }
    CCrossbarWrapper* GetCrossbar() const { return m_crossbar; }

private:
    CTVGraph(const CTVGraph&);
    CTVGraph& operator=(const CTVGraph&);

    void ClearWrapperPointers();
    void FillCompressorLists();
    BOOL MakePreviewFilters(BOOL withDecompressor);
    BOOL MakeDeinterlace();
    void RegisterFilterModules();
    BOOL ChooseCompressor(const CStringArray& names, const char* name, CString& chosen, CFilterWrapper*& wrapper);
    BOOL MakeOverlayMixer();
    BOOL ApplyPreviewSettings();
    BOOL ApplyCaptureFormat();
    void ApplyDeinterlaceSettings();
    void ApplyPictureValues();
    void ApplyOverlayValues();
    BOOL ConnectPreview();
    void ConnectPreviewPinOnce();
    void AttachVideoWindow();
    void SetDeviceAudio(BOOL on);
    BOOL IsNtscStandard(long standard) const;
    void SetFrameInterval();

    CGraphBuilder m_builder;

    CCaptureDevice* m_captureDevice;
    CDeinterlaceFilter* m_deinterlace;
    COverlayMixerFilter* m_overlayMixer;
    CCrossbarWrapper* m_crossbar;
    CFilterWrapper* m_renderer;
    CFilterWrapper* m_decompressor;
    CFilterWrapper* m_mpeg4CodecWrapper;
    CFilterWrapper* m_mpeg4AudioWrapper;

    BOOL m_useOverlay;
    HWND m_ownerWnd;
    int m_tunerInput;
    int m_videoSource;
    SIZE m_captureSize;
    long m_pictureValues[5];
    long m_overlayValues[5];
    BOOL m_highQuality;
    BOOL m_smallFrame;
    BOOL m_halfRate;
    BOOL m_noiseReduce;
    int m_reduceValue;
    BOOL m_is25Frames;
    // Set when the remote-control service delivers the keys, so the graph polls none itself.
    BOOL m_remoteServiceRunning;

    CStringArray m_mpeg4CodecNames;
    CString m_mpeg4Codec;
    CStringArray m_mpeg4AudioNames;
    CString m_mpeg4Audio;

    // The standard kept per source: tuner, composite, S-video.
    long m_standards[3];
};
