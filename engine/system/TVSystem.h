#pragma once

#include <afx.h>

#include <array>
#include <memory>
#include <vector>

#include "ChannelList.h"
#include "ChannelTableStore.h"
#include "DiskSpaceMonitor.h"
#include "FreqTableStore.h"
#include "SkinList.h"
#include "TVGraph.h"
#include "TVSettings.h"
#include "TVSystemView.h"

class CIniFile;

// The TV program's model: its settings and the files that keep them (TVParam.ini,
// SkinSet.ini, mpeg4.txt), and the region and frequency tables in the program directory.
class CTVSystem : public ITVGraphHost
{
public:
    // Files live in the program's own folder.
    CTVSystem();
    // Files live in the given folder instead.
    explicit CTVSystem(const char* programDir);
    virtual ~CTVSystem();

    // The capture graph every device action goes through.
    CTVGraph& GetGraph() { return m_graph; }
    // The program's user interface, for every TV system of the process; not owned.
    static void SetView(ITVSystemView* view);

    // Mutes the mixer line of the graph's audio capture device; nothing without one.
    virtual void SetDeviceMute(BOOL on);

    // What the graph reads of the settings and asks of the user interface.
    virtual SIZE GetMpeg4RecordSize() const { return m_settings.mpeg4RecordSize; }
    virtual BOOL GetOverlayDesktop() const { return m_settings.overlayDesktop; }
    virtual void EnableAccelerators(BOOL enable);
    virtual BOOL EnsureRemoteServiceRunning();

    // The program directory, without a trailing backslash.
    const CString& GetAppDir() const { return m_programDir; }
    CTVSettings& GetSettings() { return m_settings; }
    const CTVSettings& GetSettings() const { return m_settings; }

    void SetDefaults();
    // Reads TVParam.ini (when it can be read), then SkinSet.ini and mpeg4.txt when present.
    BOOL LoadSettings();
    // Writes mpeg4.txt when there is a block, then TVParam.ini; TRUE when every write
    // succeeded. A failed write leaves the old file.
    BOOL SaveSettings();
    // The one list of TVParam.ini's keys, read (FALSE) or written (TRUE).
    void ExchangeSettings(BOOL write);
    // Reads TVParam.ini afresh into the kept file; the result of the read.
    BOOL OpenParamFile();
    // The kept TVParam.ini, NULL before the first OpenParamFile; sections the program does
    // not know stay in it and are saved again.
    virtual CIniFile* GetParamFile() { return m_paramFile.get(); }

    // The MPEG-4 codec's state as mpeg4.txt keeps it, byte for byte.
    const std::vector<BYTE>& GetMpeg4Block() const { return m_mpeg4Block; }
    BOOL HasMpeg4Block() const { return !m_mpeg4Block.empty(); }
    void SetMpeg4Block(const BYTE* data, int size);
    void ClearMpeg4Block() { m_mpeg4Block.clear(); }

    // The built-in skin first, then the skins SkinSet.ini lists.
    const CStringList& GetSkinNames() const { return m_skinNames; }
    const CString& GetBaseSkinName() const { return m_baseSkinName; }
    // SkinSet.ini, for a skin's element file and resource DLL.
    const CSkinList& GetSkinList() const { return m_skinList; }
    const CString& GetSkinName() const { return m_settings.skinName; }
    void SetSkinName(const char* name) { m_settings.skinName = name; }

    // The regions of the current country (ChannelAddress.ini) and the countries of
    // ChannelPoint.ini, which is written from the built-in tables when it is missing.
    void LoadRegionTables();
    const CStringList& GetProvinces() const { return m_provinces; }
    const CStringList& GetCountries() const { return m_countries; }
    // The regions of the given country into the region list, afresh; empty without
    // ChannelAddress.ini.
    void ReadProvinces(const char* country);
    // The region whose channel table names the TV channels: the table's names go onto the
    // channels within the list's tolerance. FALSE when the region has no table.
    BOOL ApplyCityTable(const char* city);
    const CString& GetProvince() const { return m_settings.province; }
    void SetProvince(const char* city) { m_settings.province = city; }
    BOOL GetReservePrev() const { return m_settings.reservePrev; }
    void SetReservePrev(BOOL on) { m_settings.reservePrev = on; }
    BOOL GetUseLocality() const { return m_settings.useLocality; }
    void SetUseLocality(BOOL on) { m_settings.useLocality = on; }

    // ---- Start-up, sources, picture, channels, scans and FM stations ----

    // Video sources, as the graph numbers them.
    enum { kSourceTuner = 0, kSourceComposite = 1, kSourceSVideo = 2, kSourceFm = 3 };
    // {minimum, maximum, default} of one picture or overlay property.
    struct PropertyRange
    {
        int minimum, maximum, standard;
    };

    // Start-up after the settings are loaded: the current groups and channels from the
    // settings, then the card opened with the preview running and the last channel tuned.
    void RestoreChannelSelection();
    BOOL InitTVSystem();
    // Keeps the current position as LastChannel, then closes the device.
    void CloseTV();

    // Empty text outside the tables, so that a caller can always show the answer.
    static const char* GetRecordFormatName(int format);
    static const char* GetSourceName(int source);
    // NULL outside the table.
    static const char* GetStandardName(long standard);
    // The VideoSize row of the 25-frame (50 Hz) or the 30-frame table; 0 by 0 outside it.
    static SIZE GetCaptureSizeRow(int index, BOOL frames25);
    // The string-table text that labels a choice: display quality 0..2, picture property
    // 0..4, video-processing property by its DirectShow number 0..9, schedule day 1..7
    // (Sunday first) and 8 every day. 0 for a key without a label.
    enum LabelMap { kQualityLabels, kPictureLabels, kProcessingLabels, kDayLabels };
    static UINT GetLabelId(LabelMap map, int key);
    BOOL HasFM() const { return m_hasFM; }

    int SetVideoSource(int source);
    int NextVideoSource();
    int GetVideoSource() const { return m_settings.videoSource; }
    int GetInputType() const { return m_settings.videoSource; }
    // The tuner's aerial input: 0 cable, 1 antenna, 2 full range; FALSE, nothing changed,
    // for any other value.
    enum { kTVInputCable = 0, kTVInputAntenna = 1, kTVInputFullRange = 2 };
    BOOL SetTVInput(int input);
    int GetTVInput() const { return m_graph.GetTunerInput(); }

    // Each setter returns the old value; a value outside the property's range changes nothing.
    // A property without a row (outside 0..4) reads as {0, 100, 0}.
    const PropertyRange& GetPictureRange(int property) const;
    static const PropertyRange& GetOverlayRange(int property);
    int GetBrightness() const { return m_settings.picture[CTVSettings::kBrightness]; }
    int GetContrast() const { return m_settings.picture[CTVSettings::kContrast]; }
    int GetHue() const { return m_settings.picture[CTVSettings::kHue]; }
    int GetSaturation() const { return m_settings.picture[CTVSettings::kSaturation]; }
    int GetSharpness() const { return m_settings.picture[CTVSettings::kSharpness]; }
    int GetOverlayBri() const { return m_settings.overlay[CTVSettings::kBrightness]; }
    int GetOverlayCon() const { return m_settings.overlay[CTVSettings::kContrast]; }
    int GetOverlayHue() const { return m_settings.overlay[CTVSettings::kHue]; }
    int GetOverlaySat() const { return m_settings.overlay[CTVSettings::kSaturation]; }
    int GetOverlaySha() const { return m_settings.overlay[CTVSettings::kSharpness]; }
    int SetBrightness(int value) { return SetPictureProperty(CTVSettings::kBrightness, value); }
    int SetContrast(int value) { return SetPictureProperty(CTVSettings::kContrast, value); }
    int SetHue(int value) { return SetPictureProperty(CTVSettings::kHue, value); }
    int SetSaturation(int value) { return SetPictureProperty(CTVSettings::kSaturation, value); }
    int SetSharpness(int value) { return SetPictureProperty(CTVSettings::kSharpness, value); }
    int SetOverlayBri(int value) { return SetOverlayProperty(CTVSettings::kBrightness, value); }
    int SetOverlayCon(int value) { return SetOverlayProperty(CTVSettings::kContrast, value); }
    int SetOverlayHue(int value) { return SetOverlayProperty(CTVSettings::kHue, value); }
    int SetOverlaySat(int value) { return SetOverlayProperty(CTVSettings::kSaturation, value); }
    int SetOverlaySha(int value) { return SetOverlayProperty(CTVSettings::kSharpness, value); }
    void ResetVideoColors();
    void ResetOverlayColors();
    void ApplyColorSettings();

    // Each returns the old value; the graph's refusal keeps it.
    int SetReduceValue(int value);
    BOOL SetNoiseReduce(BOOL on);
    BOOL SetHalfRate(BOOL on);
    BOOL SetHightQuality(BOOL on);
    BOOL SetUseOverlay(BOOL on);
    int SetDisplayQuality(int quality);
    int SetRecordScheme(int scheme);
    int SetRecordFormat(int format);
    int SetFMRecordFormat(int format);
    int GetReduceValue() const { return m_settings.reduceValue; }
    BOOL GetNoiseReduce() const { return m_settings.noiseReduce; }
    BOOL GetHalfRate() const { return m_settings.halfRate; }
    BOOL GetHightQuality() const { return m_settings.hightQuality; }
    BOOL GetUseOverlay() const { return m_settings.useOverlay; }
    int GetDisplayQuality() const { return m_settings.displayQuality; }
    int GetRecordScheme() const { return m_settings.recordScheme; }
    int GetRecordFormat() const { return m_settings.recordFormat; }
    int GetFMRecordFormat() const { return m_settings.fmRecordFormat; }
    // The preview remade with or without the overlay; the setting follows only when the graph
    // could switch.
    BOOL SwitchOverlay(BOOL on);
    BOOL IsOverlayInUse() const { return m_graph.IsOverlayInUse(); }
    // TV on the desktop: the overlay keyed to the desktop colour. Switching it on needs the
    // overlay in use; the setting follows only what the graph did.
    BOOL SetOverlayDesktop(BOOL on);
    // FALSE for an unchanged or out-of-range index.
    BOOL SetVideoSize(int index);
    BOOL SetCaptureSize(int index);
    int GetVideoSize() const { return m_settings.videoSize; }
    int GetVideoSizeIndex() const { return m_settings.videoSize; }
    BOOL SetMpeg4Video(const char* name);
    BOOL SetMpeg4Audio(const char* name);
    const CString& GetMpeg4Audio() const { return m_settings.mpeg4Audio; }
    const CStringArray& GetMpeg4AudioList() const { return m_graph.GetMpeg4AudioNames(); }
    // The codec's own settings dialog, then its state kept.
    void ConfigureMpeg4(HWND parent);
    // Keeps the codec state the graph holds as the mpeg4.txt block.
    BOOL FetchMpeg4State();
    BOOL SetAudioDevice(const char* name);
    // Only a line of the graph's input list; the result of the switch.
    BOOL SetAudioInput(const char* name);
    const CString& GetAudioInput() const { return m_settings.audioInput; }
    const CString& GetAudioDevice() const { return m_settings.audioDevice; }
    const CStringArray& GetAudioDeviceList() const { return m_graph.GetAudioDeviceNames(); }
    // The recording mixer's lines of the audio capture device; a device without a mixer of
    // its name offers the input pins of its filter instead.
    const CStringArray& GetAudioInputList();
    // The sound card whose play line carries the TV sound, and that line; the lines are
    // listed again for a new device.
    const CStringArray& GetMixerDeviceList() const { return m_graph.GetPlayDeviceNames(); }
    const CStringArray& GetMixerPortList() const { return m_graph.GetPlayLineNames(); }
    void SetAudioPlayDev(const char* name);
    void SetAudioPlayInput(const char* name);
    const CString& GetAudioPlayDev() const { return m_settings.audioPlayDev; }
    const CString& GetAudioPlayInput() const { return m_settings.audioPlayInput; }
    BOOL ApplyAudioInput();
    // The sound card's play line that carries the TV sound; the volume as 0..100. Each is
    // FALSE when the mixer cannot be opened, and the volume's setter for a value outside 0..100.
    BOOL SetPlayLineVolume(int percent);
    BOOL GetPlayLineVolume(int* percent);
    BOOL MutePlayLine(BOOL on) { return m_graph.MutePlayLine(on); }
    // FALSE also when the line's state cannot be read.
    BOOL IsPlayLineMuted();
    // The pause switch of a recording: TRUE while the recorded sound is cut off; FALSE, and
    // nothing switched, without a recording's A/V switch.
    BOOL SetAudioOn(BOOL on) { return m_graph.SetAudioOn(on); }
    BOOL GetAudioOn() { return m_graph.GetAudioOn(); }

    // The video window. It is handed to the graph at start-up, so every preview the graph
    // builds draws in it; the others act on the renderer's window of the running graph, the
    // position in client coordinates of the owner. FALSE without a renderer window.
    void SetVideoInput(HWND window) { m_graph.SetOwnerWnd(window); }
    BOOL SetVideoOwner(HWND window);
    BOOL SetMessageDrain(HWND window);
    BOOL SetVideoPosition(const RECT& rect);
    BOOL ShowVideoWindow(BOOL show);
    // The preview built again and run.
    BOOL RebuildPreview() { return m_graph.RebuildPreview(); }
    // Clears the graph's record flag; on and with the graph stopped, the picture's part of the
    // graph goes and the FM source is selected.
    void SwitchToRadio(BOOL on);

    // TVChannel.ini, then the region and frequency-point files.
    void LoadChannels();
    BOOL SaveChannels();
    // The result of the tuning; 0 for the line inputs.
    BOOL SelectChannel(CChannelEntry* entry);
    BOOL SelectChannelByIndex(int position);
    // The next or previous channel of the current group, wrapping round; nothing is tuned.
    // NULL on an empty group.
    CChannelEntry* NextChannel();
    CChannelEntry* PrevChannel();
    CChannelEntry* RecallLastChannel();
    CChannelEntry* GetCurrentChannel();
    int GetChannelCount();
    int GetChannelIndex();
    // Makes the position current in the current group without tuning; FALSE, nothing
    // changed, outside the group.
    BOOL SetChannelIndex(int position);
    void SetUseFavor(BOOL on);
    void SetTVUseFavor(BOOL on);
    // The favourites setting of the band shown: FM for the FM source, TV otherwise.
    BOOL GetUseFavor() const;
    BOOL GetTVUseFavor() const { return m_settings.useFavor; }
    BOOL GetFMUseFavor() const { return m_settings.fmUseFavor; }
    void SetChannelFavorite(BOOL on);
    BOOL IsCurrentChannelFavorite();
    void DeleteCurrentChannel();
    // Every TV channel back in the all-channels group.
    void ResetChannelLists();
    // The current group taken again from UseFavor after the channel page changed the flags.
    void ClearChannelLists();
    CChannelList& GetTVChannels() { return m_tvChannels; }
    CChannelGroup* GetTVGroup() const { return m_tvGroup; }
    CChannelEntry* GetPreviousChannel() const { return m_previousTV; }

    // mode: non-zero a TV scan, else FM.
    BOOL StartScan(int mode);
    void StopScan();
    BOOL IsScanning() const { return m_scanning; }
    // The band of the last scan started: 1 TV, 0 FM. It is 1 before any scan, so that a
    // schedule made first lists the TV channels.
    int GetScanMode() const { return m_scanMode; }
    // How many frequencies the last scan table handed to the tuner holds; the video window
    // scales the progress of a table scan by it.
    int GetScanFrequencyCount() const { return m_scanFrequencyCount; }
    int GetSearchMode() const { return m_settings.searchMode; }
    // The channel page's choice of what a scan covers: 0 cable, 1 antenna, 2 the full range.
    void SetSearchMode(int mode) { m_settings.searchMode = mode; }
    // The scan's channels, in ascending frequency, into the list of the band scanned.
    void ApplyLocalChannels(const std::vector<CChannelEntry>& results);

    // FMChannel.ini.
    void LoadFMChannels();
    BOOL SaveFMChannels();
    // how 0 tunes the group's channel; 1 only makes it current while the source is FM.
    BOOL SetFMUseFavor(BOOL on, int how);
    CChannelEntry* NextFMChannel();
    CChannelEntry* PrevFMChannel();
    CChannelEntry* GetCurrentFMChannel();
    // Position 0 .. count - 1 of the current FM group, made current; NULL outside.
    CChannelEntry* GetFMChannelAt(int position);
    CChannelList& GetFMChannels() { return m_fmChannels; }
    CChannelGroup* GetFMGroup() const { return m_fmGroup; }
    virtual BOOL RetuneCurrentChannel();
    BOOL SetFrequency(BOOL fm, DWORD kHz);

    // The country's frequency points as the tuner's scan table; FALSE when it has none.
    BOOL ApplyCountry(const char* country);
    // Also lists the new country's regions.
    BOOL SetCountry(const char* country);
    const CString& GetCountry() const { return m_settings.country; }
    BOOL BuildScanFrequencies();
    BOOL SetScanFrequencies(const float* mhz, int count);

    // Autorun, shutdown, automatic logon and timed power-on.
    // The tray program's Run value: its path in the program directory when on, empty text
    // when off.
    BOOL SetAutoRun(BOOL on);
    // *on := the Run value is non-empty; always TRUE.
    BOOL GetAutoRun(BOOL* on);
    void SetAutoRunFlag(BOOL on);
    BOOL GetAutoRunFlag() const { return m_autoRun; }
    // Powers the computer off; the result of ExitWindowsEx.
    BOOL ShutdownSystem();
    // The step before ExitWindowsEx: enables the shutdown privilege on the process token.
    static BOOL EnableShutdownPrivilege();
    // Kept in memory only; FALSE for an empty user name.
    BOOL SetLogonAccount(const char* user, const char* password);
    const CString& GetLogonUser() const { return m_logonUser; }
    // With a stored user name, writes the Winlogon values; the flag follows on success.
    BOOL EnableAutoLogon(BOOL on);
    BOOL IsAutoLogonEnabled() const { return m_autoLogon; }
    // The daily shutdown at the stored time.
    BOOL GetEnableShut() const { return m_settings.enableShut; }
    void SetEnableShut(BOOL on) { m_settings.enableShut = on; }
    const CTime& GetShutTime() const { return m_settings.shutTime; }
    void SetShutTime(const CTime& time) { m_settings.shutTime = time; }
    // FALSE when the Winlogon key cannot be opened.
    static BOOL SetAutoLogon(const char* user, const char* password, BOOL on);
    // The Winlogon values, "" when missing.
    static CString ReadDefaultUserName();
    static CString ReadDefaultPassword();
    // SysDefaultLogon, then the system's default user and password, each only while the
    // values before it could be read.
    void ReadAutoLogon();
    // Any schedule item that powers the computer on.
    BOOL HasActiveSchedule();
    // Programs the card's timed power-on for the next scheduled start: 0 armed (or disarmed
    // without one), 1 the time cannot be programmed, -1 the card refused. Failures are shown
    // unless reporting is off.
    int GetNextAutoRunTime();
    // Program-wide: whether a failed power-on programming is shown to the user.
    void SetReportPowerOnErrors(BOOL on) { m_reportPowerOnErrors = on; }
    BOOL GetReportPowerOnErrors() const { return m_reportPowerOnErrors; }
    void HideOptionsMenu();

    // ---- Recording, snapshots, file names and record drives ----

    // The local time as "%Y%m%d-%H%M%S" with ".mpg" for the MPEG record formats, ".avi" for
    // the others.
    static CString MakeRecordName(int format);
    // kind 1 ".bmp", 2 ".jpg".
    static CString MakeSnapshotName(int kind);

    // FALSE without a record drive (the user is told), while recording or scanning, when no
    // drive has space, or when the record folder can be neither found nor made.
    BOOL StartRecording();
    // When the graph cannot stop, the user is told and the program closes; the graph's result.
    BOOL StopRecording();
    BOOL IsRecording() const { return m_recording; }
    BOOL StopGraphRecord();
    void SetDiskFull(BOOL full);
    BOOL IsDiskFull() const { return m_diskFull; }
    // Set when a change of the allowed drives stopped a recording: !NoSpace.
    BOOL GetStopReason() const { return m_stopReason; }
    // The file the last recording went to.
    const CString& GetRecordFile() const { return m_recordFile; }
    // Where recordings go: VideoPath.
    const CString& GetRecordFolder() const { return m_settings.videoPath; }

    // A picture into PicPath, named by the time.
    BOOL TakeSnapshot();
    // Only while the panel's snapshot button is enabled.
    BOOL SaveSnapshotBmp(const char* path);

    // The control panel's start: the drives listed, the record drive chosen and watched, the
    // panel told of low space.
    void InitDisks(HWND notify);
    // The first allowed drive with more free space than the reserve, from start on (or from
    // the first), each tried once; NULL when none.
    CDiskInfo* FindDiskWithSpace(const char* start);
    // Makes the drive the record drive with VideoFolder on it as the record folder; FALSE
    // without a drive or when it has no more free space than the reserve.
    BOOL SelectDiskEntry(CDiskInfo* disk);
    // The drive of the path's first three characters.
    BOOL SelectDisk(const char* path);
    // The position of the record drive in the new list, -1 when no allowed drive has space.
    int SetValidDisk(const CStringArray& list);
    const CStringArray& GetValidDisks() const { return m_settings.validDisk; }
    // FALSE, nothing changed, for a negative reserve.
    BOOL SetReservedSpace(int mb);
    int GetReservedSpace() const { return m_settings.reservedSpace; }
    // The record drive's root ("X:\"), empty when there is none.
    const CString& GetCurDisk() const { return m_settings.curDisk; }
    CDiskManager& GetDiskList() { return m_diskMonitor.GetDiskManager(); }
    // An existing folder on a drive with space becomes the record folder and its drive the
    // record drive.
    BOOL SetVideoPath(const char* path);
    const CString& GetVideoPath() const { return m_settings.videoPath; }
    // The folder of that name on the record drive, made when missing, becomes the record folder.
    BOOL SetVideoFolder(const char* name);
    const CString& GetVideoFolder() const { return m_settings.videoFolder; }
    // Only 1 .. 300 minutes.
    BOOL SetMaxLength(int minutes);
    int GetMaxLength() const { return m_settings.maxLength; }
    // At device open: the skin name, the media folders made, the autorun value, and the two
    // folders published.
    void PrepareMediaFolders();
    // HKLM "SOFTWARE\Quorvex\Common", for the maker's other programs.
    static BOOL WriteSnapPath(const char* path);
    const CString& GetPicPath() const { return m_settings.picPath; }
    void SetPicPath(const char* path) { m_settings.picPath = path; }
    BOOL GetSnapBmp() const { return m_settings.snapBmp; }
    void SetSnapBmp(BOOL bmp) { m_settings.snapBmp = bmp; }
    int GetJpgQuality() const { return m_settings.jpgQuality; }
    void SetJpgQuality(int quality) { m_settings.jpgQuality = quality; }
    void SetMpeg4RecordSize(SIZE size) { m_settings.mpeg4RecordSize = size; }
    // What a full drive and a file at its maximum length do: 1 stop recording, 0 go on (on
    // the next drive, in a new file).
    BOOL GetNoSpace() const { return m_settings.noSpace; }
    void SetNoSpace(BOOL stop) { m_settings.noSpace = stop; }
    BOOL GetExcessLength() const { return m_settings.excessLength; }
    void SetExcessLength(BOOL stop) { m_settings.excessLength = stop; }
    static BOOL WriteRecordPath(const char* path);
    CDiskSpaceMonitor& GetDiskMonitor() { return m_diskMonitor; }

    // Time shift into the record folder, under a record name (".mpg").
    BOOL StartTimeShiftRecord();
    BOOL IsTimeShiftOn() const { return m_graph.IsTimeShiftOn(); }
    BOOL ToggleTimeShiftPause() { return m_graph.ToggleTimeShiftPause(); }
    // Kept as TFTime when the graph takes it.
    BOOL SetTFTime(long seconds);
    long GetTFTime() const { return m_settings.tfTime; }
    void SetTFReserved(int value);
    int GetTFReserved() const { return m_settings.tfReserved; }
    // The first allowed drive, from the record drive on, with room for a full time-shift
    // buffer above the reserve; "" when none.
    CString FindRecordDisk();

    // TV on the desktop, as the graph does it.
    BOOL CanUseDesktopOverlay() { return m_graph.CanUseDesktopOverlay(); }
    BOOL HideWallpaper() { return m_graph.HideWallpaper(); }
    BOOL RestoreWallpaper() { return m_graph.RestoreWallpaper(); }
    // The video window's TV-on-desktop step: the wallpaper saved and taken away, with the
    // panel's shortcuts off; refused while time shift or a scan runs, or when the overlay
    // cannot serve the desktop. DeleteTimeShiftFile puts the wallpaper back and the shortcuts on.
    BOOL SaveTimeShift();
    BOOL DeleteTimeShiftFile() { return RestoreWallpaper(); }

private:
    CTVSystem(const CTVSystem&);
    CTVSystem& operator=(const CTVSystem&);

    // The registered view, else one that shows nothing and enables no control.
    static ITVSystemView& View();
    CString ProgramFile(const char* name) const;
    void LoadSkinNames();
    void LoadMpeg4Block();
    BOOL SaveMpeg4Block();
    void WriteBuiltInFreqTables(const CString& path);
    void ResetAutoRunAndLogon();
    int ProgramPowerOn(BOOL found, LONG minutes);

    CTVGraph m_graph;
    CString m_programDir;
    CTVSettings m_settings;
    std::unique_ptr<CIniFile> m_paramFile;
    std::vector<BYTE> m_mpeg4Block;

    CSkinList m_skinList;
    CStringList m_skinNames;
    CString m_baseSkinName;

    CStringList m_provinces;
    CStringList m_countries;
    CFreqTableStore m_freqTables;

    // Autorun and logon; the user names and passwords stay in memory only.
    BOOL m_autoRun = FALSE;
    CString m_logonUser;
    CString m_logonPassword;
    BOOL m_autoLogon = FALSE;
    CString m_sysDefaultUser;
    CString m_sysDefaultPassword;
    BOOL m_reportPowerOnErrors = TRUE;

    // Start-up, sources, picture, channels, scans and FM stations.
    int SetPictureProperty(int property, int value);
    int SetOverlayProperty(int property, int value);
    void ReadPictureRanges();
    void ChooseMpeg4Codecs();
    void ApplyMpeg4State();
    void LoadProvinces();
    BOOL IsInputLine(const char* name);
    CChannelEntry* StepChannel(CChannelGroup* group, BOOL forward);
    void ShowChannelOnPanel();
    void ApplyFMScan(const std::vector<CChannelEntry>& results);
    void ApplyTVScan(const std::vector<CChannelEntry>& results);
    void NameFromRegionTable(std::vector<CChannelEntry>& results);

    BOOL m_hasFM = FALSE;
    CStringArray m_audioInputs;
    BOOL m_scanning = FALSE;
    int m_scanMode = 1;
    int m_scanFrequencyCount = 0;
    CChannelTableStore m_channelTables;  // ChannelAddress.ini, read on the first naming
    typedef std::array<PropertyRange, CTVSettings::kPictureProperties> PropertyRanges;
    static PropertyRanges BuiltInPictureRanges();
    PropertyRanges m_pictureRanges = BuiltInPictureRanges();

    // The current group is one of the list's two views; the channel pointers are weak too.
    CChannelList m_tvChannels;
    CChannelGroup* m_tvGroup = NULL;
    CChannelEntry* m_currentTV = NULL;
    CChannelEntry* m_previousTV = NULL;
    CChannelList m_fmChannels;
    CChannelGroup* m_fmGroup = NULL;
    CChannelEntry* m_currentFM = NULL;
    CChannelEntry* m_previousFM = NULL;

    // Recording, snapshots and record drives.
    int ValidDiskStart(const char* start) const;
    BOOL SelectNextDiskWithSpace();
    BOOL SelectRecordDrive(CDiskInfo* disk, const char* folder);
    void SetRecordFolder(const char* folder);

    BOOL m_recording = FALSE;
    BOOL m_diskFull = FALSE;
    BOOL m_stopReason = FALSE;
    CString m_recordFile;
    // Its drive list is the one drive list; the record drive is the drive it watches.
    CDiskSpaceMonitor m_diskMonitor;
};

// The program's one TV system object; the program defines it among its other global objects,
// and the graph and the user interface reach the model through it.
extern CTVSystem theTVSystem;
