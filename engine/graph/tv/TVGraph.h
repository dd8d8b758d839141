#pragma once

// The framework's strings first: its character macros must precede the system's safe-string
// header, which the graph builder brings in.
#include "CString.h"
#include "CStringArray.h"

#include "AudioDeviceList.h"
#include "GraphBuilder.h"
#include "TVDesktopOverlay.h"
#include "TVFMRecordRoad.h"
#include "TVGraphHost.h"
#include "TVPreviewRoad.h"
#include "TVRecordRoad.h"
#include "TVTimeShiftRoad.h"

#include <vector>

class CAudioCaptureDevice;
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
// Each road of the graph is an object owning its wrappers: the preview, the TV record road,
// the FM record road, the time shift; TV on the desktop keys the preview's mixer. The graph
// keeps the settings and the sound device, and its public operations forward to the roads.
// Every wrapper belongs to the builder, so each road's pointers are cleared whenever the
// builder deletes its wrappers. User-interface thread only.
class CTVGraph
{
public:
    // Video sources.
    enum { kTuner = 0, kComposite = 1, kSVideo = 2, kFm = 3 };
    // The video standards the frame rate depends on.
    enum { kNtscM = 1, kNtscMJ = 2, kNtsc433 = 4, kPalD = 32 };

    CTVGraph();
    virtual ~CTVGraph();

    // The TV system that owns the graph; not owned. A graph without one asks the default host.
    void SetHost(ITVGraphHost* host) { m_host = host; }
    // The host of graphs that no TV system owns; not owned.
    static void SetDefaultHost(ITVGraphHost* host);

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
    // Switches to the source and gives the card that source's kept standard.
    BOOL SelectSource(int source);
    // The decoder's standard alone, for the line inputs: the tuner is left as it is.
    BOOL SetSourceStandard(long standard);
    BOOL IsRemoteServiceRunning() const { return m_remoteServiceRunning; }
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

    // Tuner and scan, through the capture device's tuner module; FALSE without one.
    BOOL SetFMFrequency(DWORD kHz);
    // tv: a TV scan (sweep: over the sweep range, else over the frequency table); else FM.
    // The scan owns the tuner until StopScan.
    BOOL StartScan(BOOL tv, BOOL sweep);
    void StopScan();
    BOOL IsScanLocked() const { return m_scanLock; }
    // Picture-carrier frequencies in MHz; the tuner keeps a copy.
    BOOL SetScanFrequencies(const float* mhz, int count);
    BOOL GetTunerRange(int* lower, int* upper) const;
    BOOL GetFMRange(int* lower, int* upper) const;
    // Ignored while a scan owns the tuner.
    void SetScanTableWindow(int kHz);
    void SetScanStep2(int kHz);
    void SetTunerInput(int input) { m_tunerInput = input; }
    int GetTunerInput() const { return m_tunerInput; }
    // The device polls remote keys only while the remote-control service does not deliver them.
    BOOL StartRemotePoll();
    void StopRemotePoll();
    // 0 without a tuner module.
    int GetTunerType() const;
    // Hands the card's controller a word (its low 16 bits, when not 0 and on is set), then
    // the handshake.
    BOOL SendCardCommand(DWORD word, BOOL on);
    // The capture pin's current picture size; 0 by 0 when it cannot be read. GetCaptureSize
    // gives the size the graph keeps and applies.
    SIZE GetCapturePinSize() const;

    void SetMpeg4FrameRate(int rate) { m_mpeg4FrameRate = rate; }
    int GetMpeg4FrameRate() const { return m_mpeg4FrameRate; }
    void SetOverlayFlag(BOOL on) { m_overlayFlag = on; }
    BOOL GetOverlayFlag() const { return m_overlayFlag; }

    // Overlay Mixer forwards; the colour controls only while the overlay shows the picture.
    BOOL SetOverlayColorKey(COLORREF color);
    BOOL GetOverlayColorKey(COLORREF* color);
    BOOL GetOverlayProperty(int control, long* value);
    // maximum reads 100 unless the mixer gives one.
    BOOL GetOverlayPropertyRange(int control, long* minimum, long* maximum, long* standard);
    BOOL IsLetterbox(BOOL* on);
    BOOL RemoveOverlayMixer();
    // Removes a wrapper of this graph; the caller clears its own pointer to it.
    void RemoveFilterWrapper(CFilterWrapper* wrapper);

    // The MPEG-4 codec's settings block, kept as a copy.
    void SetMpeg4CodecState(const void* bytes, int size);
    // FALSE when none is kept. Otherwise *size, the buffer's size, becomes the kept size, and
    // the block is copied only when the buffer was large enough.
    BOOL GetMpeg4CodecState(void* buffer, int* size) const;
    void ClearMpeg4CodecState() { m_mpeg4CodecState.clear(); }
    // Opens the MPEG-4 codec's settings dialog when show is set and the codec can be made;
    // always 0.
    int ShowMpeg4CodecDialog(HWND parent, BOOL show);

    // FALSE while recording or without the deinterlace filter, which writes the file: kind 1
    // BMP, 2 JPEG of the quality given.
    BOOL TakeSnapshot(const char* path, int kind, int quality);

    // Trace output is not kept in this build; 0.
    int TraceText(const char* text);

    CGraphBuilder& GetBuilder() { return m_builder; }
    CCaptureDevice* GetCaptureDevice() const { return m_preview.CaptureDevice(); }
    CCrossbarWrapper* GetCrossbar() const { return m_preview.Crossbar(); }

    // Sound: the card's audio capture device, the sound card's recording and playback mixer
    // lines, and the A/V switch of a recording.
    // Opens the named device in place of the current one, which stays when that fails; a
    // running preview runs on either way.
    BOOL SetAudioDevice(const char* name);
    // Replaces the chosen name only; no other device is opened.
    void SetAudioDeviceName(const char* name) { m_audioDeviceName = name; }
    CString GetAudioDeviceName() const { return m_audioDeviceName; }
    // Enables the audio capture device's input pin of that name.
    BOOL SetAudioInput(const char* line);
    // FALSE without an audio capture device or when the state cannot be read.
    BOOL IsAudioInputEnabled(const char* line);
    BOOL GetAudioFormat(WAVEFORMATEX* format);
    BOOL SetAudioFormat(const WAVEFORMATEX* format);
    // The card's own sound input for the current source; off mutes it.
    void SetDeviceAudio(BOOL on);
    // The A/V switch's sound; FALSE without an A/V switch.
    BOOL SetAudioOn(BOOL on);
    BOOL GetAudioOn();

    // Lists the source lines of the chosen device's recording mixer and of the play device's
    // speakers, keeping each chosen line when it is listed; FALSE when a mixer cannot be opened.
    BOOL ReadMixerLines();
    const CStringArray& GetInputLineNames() const { return m_inputLineNames; }
    const CString& GetInputLine() const { return m_inputLine; }
    const CStringArray& GetPlayDeviceNames() const { return m_playDeviceNames; }
    const CString& GetPlayDevice() const { return m_playDevice; }
    // The play device and line chosen by name; ReadMixerLines lists a new device's lines.
    void SetPlayDevice(const char* name) { m_playDevice = name; }
    void SetPlayLine(const char* name) { m_playLine = name; }
    const CStringArray& GetPlayLineNames() const { return m_playLineNames; }
    const CString& GetPlayLine() const { return m_playLine; }
    // The chosen play line of the play device's speakers; each call opens the mixer and closes
    // it again, and is FALSE when it cannot be opened.
    BOOL IsPlayLineMuted(BOOL* muted);
    BOOL MutePlayLine(BOOL on);
    BOOL GetPlayLineVolume(DWORD* volume);
    BOOL SetPlayLineVolume(DWORD volume);
    // Sets the on-off switch of the chosen input line on the recording mixer to !on.
    BOOL SelectAudioInputLine(BOOL on);
    // The volume of the play mixer's line that carries the first name of the play line list.
    BOOL GetPlayVolumeByType(DWORD* volume);
    BOOL SetPlayVolumeByType(DWORD volume);
    // Plays the chosen input line through the speakers at the kept input-line volume; FALSE
    // when the input line is the speakers line itself.
    BOOL SetInputLineVolume();

    // Recording. The record formats, each one row of build steps; numbers without a row
    // record as AVI.
    enum { kRecordAvi = 0, kRecordMpeg1, kRecordMpeg2, kRecordMpeg4, kRecordVcd, kRecordSvcd, kRecordDvd, kRecordHiDvd };
    // The FM record formats: PCM, Microsoft ADPCM, MPEG audio, the user's own compressor.
    enum { kFmRecordPcm = 0, kFmRecordAdpcm, kFmRecordMpeg, kFmRecordCustom };
    BOOL SetRecordFormat(int format);
    int GetRecordFormat() const { return m_recordFormat; }
    void SetRecordScheme(int scheme) { m_recordScheme = scheme; }
    int GetRecordScheme() const { return m_recordScheme; }
    // The deinterlace mode a recording applies: 0 plain, 1 high quality, 2 with noise reduction.
    BOOL SetDisplayQuality(int mode);
    int GetDisplayQuality() const { return m_deinterlaceMode; }
    void SetRecordFileName(const char* name) { m_recordFileName = name; }
    const CString& GetRecordFileName() const { return m_recordFileName; }
    BOOL SetFMRecordFormat(int format);
    int GetFMRecordFormat() const { return m_fmRecordFormat; }
    // Toggles: while recording it stops the recording.
    BOOL StartRecord();
    BOOL StopRecord();
    BOOL StartFMRecord();
    BOOL IsRecording() const { return m_recording; }
    int SwitchToRadio(BOOL on);
    // An empty or null pin name means the first free pin of that direction; FALSE when a
    // wrapper or pin is missing.
    BOOL ConnectFilterPair(CFilterWrapper* source, CFilterWrapper* destination, const char* outputName,
                           const char* inputName);
    // Opens the chosen audio capture device, else the first of the list that opens.
    BOOL OpenAudioDevice();
    CAudioCaptureDevice* GetAudioCaptureDevice() const { return m_audioCapture; }
    const CStringArray& GetAudioDeviceNames() const { return m_audioDeviceNames; }

    // Time shift: the picture is encoded into the time-shift file and played back from it, so
    // it can be paused and moved within the buffered time. It excludes recording.
    BOOL StartTimeShift();
    BOOL StopTimeShift();
    BOOL IsTimeShiftOn() const { return m_timeShiftRoad.IsOn(); }
    BOOL IsTimeShiftPaused() const { return m_timeShiftRoad.IsPaused(); }
    BOOL ToggleTimeShiftPause();
    // Byte positions within the buffer; FALSE while time shift is off.
    BOOL GetTimeShiftPosition(LONGLONG* total, LONGLONG* available, LONGLONG* current);
    BOOL SetTimeShiftPosition(LONGLONG position);
    // The sound renderer of the time-shift playback; NULL while time shift has none.
    CFilterWrapper* GetTimeShiftSound() const { return m_timeShiftRoad.GetSound(); }
    void SetTimeShiftFile(const char* name) { m_timeShiftRoad.SetFile(name); }
    const CString& GetTimeShiftFile() const { return m_timeShiftRoad.GetFile(); }
    // Refused below 600 seconds.
    BOOL SetTimeShiftLength(int seconds);
    int GetTimeShiftLength() const { return m_timeShiftRoad.GetLength(); }
    // Refused outside 4500 to 18000 kbit/s.
    BOOL SetTimeShiftBitrate(int kbps);
    void SetTimeShiftReserve(LONG value) { m_timeShiftRoad.SetReserve(value); }
    LONG GetTimeShiftReserve() const { return m_timeShiftRoad.GetReserve(); }
    // The kbit a full buffer takes, sound included.
    LONGLONG GetTimeShiftKbits() const;
    // The buffer for the encoder's audio bit-rate index (MPEG-1 Layer II; 224 kbit/s outside
    // 1 to 14) and video rate.
    static LONGLONG TimeShiftBufferBytes(int audioRateIndex, double videoBitsPerSecond, int seconds);

    // TV on the desktop: the overlay keyed to the desktop colour, the wallpaper taken away.
    BOOL SetDesktopOverlayOn();
    BOOL SetDesktopOverlayOff();
    BOOL IsDesktopOverlayOn() const { return m_desktop.IsOn(); }
    BOOL HideWallpaper();
    BOOL RestoreWallpaper();
    BOOL CanUseDesktopOverlay();

private:
    // The roads build on the graph's preview, sound and settings.
    friend class CTVFMRecordRoad;
    friend class CTVPreviewRoad;
    friend class CTVRecordRoad;
    friend class CTVTimeShiftRoad;

    CTVGraph(const CTVGraph&);
    CTVGraph& operator=(const CTVGraph&);

    // The owner, else the default host, else one that answers for no TV system.
    ITVGraphHost& Host() const;
    void ClearWrapperPointers();
    void FillCompressorLists();
    static BOOL ChooseCompressor(const CStringArray& names, const char* name, CString& chosen);
    BOOL ApplyPreviewSettings();
    BOOL ApplyCaptureFormat();
    void ApplyDeinterlaceSettings();
    void ApplyPictureValues();
    void ApplyOverlayValues();
    BOOL RunCaptureGraph();
    // Connects and runs the preview again after a change that had to stop it.
    void RestartPreview();
    BOOL ApplyTVFormat(long standard);
    void ConnectPreviewPinOnce();
    void AttachVideoWindow();
    BOOL IsNtscStandard(long standard) const;
    void SetFrameInterval();

    CGraphBuilder m_builder;
    ITVGraphHost* m_host;  // weak: the TV system owns the graph

    CTVPreviewRoad m_preview{*this};

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

    // Sound.
    void SetDefaultInputLines();
    CAudioCaptureDevice* AddAudioDevice(const char* friendlyName, const char* name);
    void EnableChosenInputLine();
    void SwitchDeviceAudioMuted(BOOL on);
    BOOL OpenPlayDeviceList();
    DWORD FindPlayLineType();

    CStringArray m_inputLineNames;
    CString m_inputLine = "线路输入";
    CStringArray m_playDeviceNames;
    CString m_playDevice;
    CStringArray m_playLineNames;
    CString m_playLine = "线路输入";
    BOOL m_audioOn = FALSE;
    // Opened for one volume job at a time.
    CAudioDeviceList m_deviceList;
    // Nothing sets it: the input line plays at full volume.
    DWORD m_inputLineVolume = 0xFFFF;

    // Set from the start of a scan until StopScan.
    BOOL m_scanLock = FALSE;
    int m_mpeg4FrameRate = 25;
    BOOL m_overlayFlag = FALSE;
    std::vector<BYTE> m_mpeg4CodecState;

    // Recording: the roads' common steps.
    // Runs a built record road; a road that was not built, or whose graph will not run, goes.
    BOOL RunRecordRoad(BOOL built, BOOL tv);
    BOOL StartRecordBranch();
    void StopEachFilter();
    // The capture size, the deinterlace settings and the sound rate of an MPEG encoding.
    BOOL ConfigureMpegCapture(SIZE size, BOOL smallFrame, DWORD samplesPerSec);
    BOOL SetRecordCaptureSize(LONG width, LONG height);
    BOOL SetMpegAudioFormat(DWORD samplesPerSec);
    BOOL ApplyDeinterlaceMode();
    CFilterWrapper* AddAudioCompressor(const char* name);

    int m_recordFormat = kRecordMpeg1;
    int m_recordScheme = 1;
    int m_deinterlaceMode = 1;
    int m_fmRecordFormat = kFmRecordPcm;
    CString m_recordFileName;
    BOOL m_recording = FALSE;
    CStringArray m_audioDeviceNames;
    CString m_audioDeviceName;
    // The sound device, owned by the builder like every wrapper; every road records from it.
    CAudioCaptureDevice* m_audioCapture = NULL;

    CTVRecordRoad m_recordRoad{*this};
    CTVFMRecordRoad m_fmRecordRoad{*this};
    CTVTimeShiftRoad m_timeShiftRoad{*this};

    // TV on the desktop.
    // The desktop overlay follows the TV-on-desktop setting while the overlay is in use.
    void ApplyDesktopOverlaySetting();
    CTVDesktopOverlay m_desktop{m_builder};
};
