#include "TVSystem.h"

#include "IniFile.h"
#include "PathUtil.h"

namespace {

const char kParamFile[] = "TVParam.ini";
const char kSkinSetFile[] = "SkinSet.ini";
const char kMpeg4File[] = "mpeg4.txt";

const char* const kPictureKeys[CTVSettings::kPictureProperties] = {
    "Brightness", "Contrast", "Hue", "Saturation", "Sharpness"};
const char* const kOverlayKeys[CTVSettings::kPictureProperties] = {
    "OverlayBri", "OverlayCon", "OverlayHue", "OverlaySat", "OverlaySha"};

// Moves one value between the settings and the kept TVParam.ini. A read that finds no key,
// or a text that does not parse, keeps the value in force; a read adds a missing section to
// the file in memory, as the typed reads of CIniFile do.
class SettingsExchange
{
public:
    SettingsExchange(CIniFile& ini, BOOL write) : m_ini(ini), m_write(write) {}

    void Int(const char* section, const char* key, int& value)
    {
        if (m_write)
            m_ini.SetInt(section, key, value);
        else
            m_ini.GetInt(section, key, value);
    }
    void Long(const char* section, const char* key, long& value)
    {
        if (m_write)
            m_ini.SetLong(section, key, value);
        else
            m_ini.GetLong(section, key, value);
    }
    void Text(const char* section, const char* key, CString& value)
    {
        CIniSection* found = m_ini.GetSection(section);
        if (m_write)
            found->SetString(key, value);
        else
            found->GetString(key, value);
    }
    void Point(const char* section, const char* key, POINT& value)
    {
        if (m_write)
            m_ini.SetPoint(section, key, value);
        else
            m_ini.GetPoint(section, key, value);
    }
    void Size(const char* section, const char* key, SIZE& value)
    {
        if (m_write)
            m_ini.SetSize(section, key, value);
        else
            m_ini.GetSize(section, key, value);
    }
    void Time(const char* section, const char* key, CTime& value)
    {
        CIniSection* found = m_ini.GetSection(section);
        if (m_write)
            found->SetTime(key, value);
        else
            found->GetTime(key, value);
    }
    // The list read replaces the one in force: reading the file twice must not list every
    // drive twice. An empty value is an empty list.
    void List(const char* section, const char* key, CStringArray& value)
    {
        CIniSection* found = m_ini.GetSection(section);
        CString text;
        if (m_write) {
            found->SetStringArray(key, value, ',');
        } else if (found->GetString(key, text)) {
            value.RemoveAll();
            found->GetStringArray(key, value, ',');
        }
    }
    void ReadOnlyInt(const char* section, const char* key, int& value)
    {
        if (!m_write)
            m_ini.GetInt(section, key, value);
    }
    // Written as this value, read into the field.
    void WrittenAs(const char* section, const char* key, int written, int& value)
    {
        if (m_write)
            m_ini.SetInt(section, key, written);
        else
            m_ini.GetInt(section, key, value);
    }

private:
    CIniFile& m_ini;
    BOOL m_write;
};

} // namespace

BOOL CTVSystem::OpenParamFile()
{
    if (m_paramFile)
        m_paramFile->RemoveAll();
    else
        m_paramFile.reset(new CIniFile(ProgramFile(kParamFile)));
    return m_paramFile->Load();
}

// The keys in the order of the file. A new file gets its sections in this order too.
void CTVSystem::ExchangeSettings(BOOL write)
{
    if (!m_paramFile)
        m_paramFile.reset(new CIniFile(ProgramFile(kParamFile)));
    SettingsExchange x(*m_paramFile, write);
    CTVSettings& s = m_settings;

    x.Text("Interface", "SkinName", s.skinName);

    x.Int("Channel", "UseFavor", s.useFavor);
    x.Int("Channel", "FMUseFavor", s.fmUseFavor);

    x.Int("Device", "Standard", s.standard);
    x.Int("Device", "AVStandard", s.avStandard);
    x.Int("Device", "SVStandard", s.svStandard);
    x.Text("Device", "Country", s.country);
    x.Text("Device", "Province", s.province);
    x.Text("Device", "AudioDevice", s.audioDevice);
    x.Text("Device", "AudioInput", s.audioInput);
    x.Text("Device", "AudioPlayDev", s.audioPlayDev);
    x.Text("Device", "AudioPlayInput", s.audioPlayInput);
    x.Int("Device", "ReservePrev", s.reservePrev);
    x.Int("Device", "UseLocality", s.useLocality);
    x.Int("Device", "MuteAudioInput", s.muteAudioInput);
    x.ReadOnlyInt("Device", "VideoSource", s.videoSource);

    x.Text("Record", "PicPath", s.picPath);
    x.Text("Record", "VideoPath", s.videoPath);
    x.Int("Record", "SnapBmp", s.snapBmp);
    x.Int("Record", "JpgQuality", s.jpgQuality);
    x.Int("Record", "RecordScheme", s.recordScheme);
    x.Int("Record", "DisplayQuality", s.displayQuality);
    x.Int("Record", "RecordFormat", s.recordFormat);
    x.Int("Record", "FMRecordFormat", s.fmRecordFormat);
    x.Int("Record", "Mpeg4FrameRate", s.mpeg4FrameRate);
    x.Text("Record", "Mpeg4Video", s.mpeg4Video);
    x.Text("Record", "Mpeg4Audio", s.mpeg4Audio);
    x.Long("Record", "Mpeg4RecordSize.cx", s.mpeg4RecordSize.cx);
    x.Long("Record", "Mpeg4Recordsize.cy", s.mpeg4RecordSize.cy);
    x.Int("Record", "TFReserved", s.tfReserved);
    x.Long("Record", "TFTime", s.tfTime);

    x.Int("Schedule", "EnableShut", s.enableShut);
    x.Time("Schedule", "ShutTime", s.shutTime);
    x.Int("Schedule", "SysDefaultLogon", s.sysDefaultLogon);

    for (int i = 0; i < CTVSettings::kPictureProperties; ++i)
        x.Int("Video", kPictureKeys[i], s.picture[i]);
    for (int i = 0; i < CTVSettings::kPictureProperties; ++i)
        x.Int("Video", kOverlayKeys[i], s.overlay[i]);
    x.Int("Video", "UseOverlay", s.useOverlay);
    x.Int("Video", "VideoSize", s.videoSize);
    x.Int("Video", "HightQuality", s.hightQuality);
    x.Int("Video", "HalfRate", s.halfRate);
    x.Int("Video", "NoiseReduce", s.noiseReduce);
    x.Int("Video", "ReduceValue", s.reduceValue);
    x.Int("Video", "OverlayDesktop", s.overlayDesktop);

    x.Text("Storage", "VideoFolder", s.videoFolder);
    x.Int("Storage", "MaxLength", s.maxLength);
    x.Int("Storage", "NoSpace", s.noSpace);
    x.Int("Storage", "ExcessLength", s.excessLength);
    x.List("Storage", "ValidDisk", s.validDisk);
    x.Text("Storage", "CurDisk", s.curDisk);
    x.Int("Storage", "ReservedSpace", s.reservedSpace);

    x.Point("Window", "VideoLeftTop", s.videoLeftTop);
    x.Size("Window", "VideoSize", s.videoWindowSize);
    x.Size("Window", "VideoRatio", s.videoRatio);
    x.Int("Window", "FullScreen", s.fullScreen);
    x.Int("Window", "TopMost", s.topMost);
    x.Point("Window", "ControlLeftTop", s.controlLeftTop);
    x.Int("Window", "ShowControl", s.showControl);

    x.Int("Asistant", "LastChannel", s.lastChannel);
    x.WrittenAs("Runonce", "Run", 1, s.run);
    x.Int("SearchMode", "SearchMode", s.searchMode);
}

BOOL CTVSystem::LoadSettings()
{
    if (OpenParamFile())
        ExchangeSettings(FALSE);
    LoadProvinces();
    LoadSkinNames();
    LoadMpeg4Block();
    return TRUE;
}

// Without a file read first the save would drop the sections the program does not know,
// so a save before any load reads the file as it stands.
BOOL CTVSystem::SaveSettings()
{
    BOOL blockSaved = SaveMpeg4Block();
    if (!m_paramFile)
        OpenParamFile();
    ExchangeSettings(TRUE);
    BOOL paramSaved = m_paramFile->Save();
    return blockSaved && paramSaved;
}

void CTVSystem::LoadSkinNames()
{
    m_skinNames.RemoveAll();
    CString path = ProgramFile(kSkinSetFile);
    if (CPathUtil::FileExists(path) && m_skinList.Open(path))
        m_skinList.ReadSkinList(m_skinNames);
    m_skinNames.AddHead(m_baseSkinName);
    if (m_settings.skinName.IsEmpty())
        m_settings.skinName = m_baseSkinName;
}

void CTVSystem::SetMpeg4Block(const BYTE* data, int size)
{
    m_mpeg4Block.assign(data, data + (size > 0 ? size : 0));
}

// The block read replaces the one in memory only when the whole file was read; an empty
// file holds no codec state, so it leaves no block.
void CTVSystem::LoadMpeg4Block()
{
    CFile file;
    if (!file.Open(ProgramFile(kMpeg4File), CFile::modeRead | CFile::shareDenyWrite))
        return;
    try {
        std::vector<BYTE> block(file.GetLength());
        UINT done = 0;
        while (done < block.size()) {
            UINT read = file.Read(&block[done], (UINT)block.size() - done);
            if (read == 0)
                return;
            done += read;
        }
        m_mpeg4Block.swap(block);
    } catch (CFileException* e) {
        e->Delete();
    }
}

// Written beside the old file and put in its place only once complete, as the ini files
// are: a failed write keeps the codec state the user had.
BOOL CTVSystem::SaveMpeg4Block()
{
    if (m_mpeg4Block.empty())
        return TRUE;
    CString path = ProgramFile(kMpeg4File);
    CString temporary = path + ".tmp";
    CFile file;
    if (!file.Open(temporary, CFile::modeCreate | CFile::modeWrite))
        return FALSE;
    try {
        file.Write(&m_mpeg4Block[0], (UINT)m_mpeg4Block.size());
        file.Close();
    } catch (CFileException* e) {
        e->Delete();
        file.Abort();
        DeleteFileA(temporary);
        return FALSE;
    }
    if (!MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(temporary);
        return FALSE;
    }
    return TRUE;
}
