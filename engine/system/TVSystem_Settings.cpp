#include "TVSystem.h"

#include <shlobj.h>

#include <vector>

#include "IniFile.h"
#include "PathUtil.h"

namespace {

const char kParamFile[] = "TVParam.ini";
const char kSkinSetFile[] = "SkinSet.ini";
const char kMpeg4File[] = "mpeg4.txt";

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

// One key of TVParam.ini: its section and name, how it is kept, the field of the settings it
// moves and the field's value before any file is read (x for a number, x and y for a point or
// a size, text for a text). The field is reached through the accessor of its kind.
struct SettingRow
{
    enum Kind { kInt, kLong, kText, kPoint, kSize, kTime, kList, kReadOnlyInt, kWrittenAsOne };
    union Field
    {
        int* (*asInt)(CTVSettings&);
        LONG* (*asLong)(CTVSettings&);
        CString* (*asText)(CTVSettings&);
        POINT* (*asPoint)(CTVSettings&);
        SIZE* (*asSize)(CTVSettings&);
        CTime* (*asTime)(CTVSettings&);
        CStringArray* (*asList)(CTVSettings&);
    };
    const char* section;
    const char* key;
    Kind kind;
    Field field;
    int x, y;
    const char* text;
};

// Typed makers of the rows, so that each key's kind matches its field.
SettingRow MakeRow(const char* section, const char* key, SettingRow::Kind kind, int x, int y, const char* text)
{
    SettingRow row = {section, key, kind, {NULL}, x, y, text};
    return row;
}
SettingRow IntRow(const char* section, const char* key, int* (*field)(CTVSettings&), int value)
{
    SettingRow row = MakeRow(section, key, SettingRow::kInt, value, 0, NULL);
    row.field.asInt = field;
    return row;
}
SettingRow LongRow(const char* section, const char* key, LONG* (*field)(CTVSettings&), int value)
{
    SettingRow row = MakeRow(section, key, SettingRow::kLong, value, 0, NULL);
    row.field.asLong = field;
    return row;
}
SettingRow TextRow(const char* section, const char* key, CString* (*field)(CTVSettings&), const char* value)
{
    SettingRow row = MakeRow(section, key, SettingRow::kText, 0, 0, value);
    row.field.asText = field;
    return row;
}
SettingRow PointRow(const char* section, const char* key, POINT* (*field)(CTVSettings&), int x, int y)
{
    SettingRow row = MakeRow(section, key, SettingRow::kPoint, x, y, NULL);
    row.field.asPoint = field;
    return row;
}
SettingRow SizeRow(const char* section, const char* key, SIZE* (*field)(CTVSettings&), int cx, int cy)
{
    SettingRow row = MakeRow(section, key, SettingRow::kSize, cx, cy, NULL);
    row.field.asSize = field;
    return row;
}
// Defaults to the time the settings are reset.
SettingRow TimeRow(const char* section, const char* key, CTime* (*field)(CTVSettings&))
{
    SettingRow row = MakeRow(section, key, SettingRow::kTime, 0, 0, NULL);
    row.field.asTime = field;
    return row;
}
// Defaults to the empty list.
SettingRow ListRow(const char* section, const char* key, CStringArray* (*field)(CTVSettings&))
{
    SettingRow row = MakeRow(section, key, SettingRow::kList, 0, 0, NULL);
    row.field.asList = field;
    return row;
}
SettingRow ReadOnlyIntRow(const char* section, const char* key, int* (*field)(CTVSettings&), int value)
{
    SettingRow row = IntRow(section, key, field, value);
    row.kind = SettingRow::kReadOnlyInt;
    return row;
}
// Written as 1 whatever the field holds.
SettingRow WrittenAsOneRow(const char* section, const char* key, int* (*field)(CTVSettings&), int value)
{
    SettingRow row = IntRow(section, key, field, value);
    row.kind = SettingRow::kWrittenAsOne;
    return row;
}

#define FIELD(member) [](CTVSettings& s) { return &s.member; }

// The keys in the order of the file; a new file gets its sections in this order too. PicPath
// and VideoPath depend on the machine: their defaults are set after the table's.
// columns: section, key, field, default
const std::vector<SettingRow>& SettingRows()
{
    static const std::vector<SettingRow> rows = {
        TextRow("Interface", "SkinName", FIELD(skinName), ""),

        IntRow("Channel", "UseFavor", FIELD(useFavor), 0),
        IntRow("Channel", "FMUseFavor", FIELD(fmUseFavor), 0),

        IntRow("Device", "Standard", FIELD(standard), 0),
        IntRow("Device", "AVStandard", FIELD(avStandard), 0),
        IntRow("Device", "SVStandard", FIELD(svStandard), 0),
        TextRow("Device", "Country", FIELD(country), "中国"),
        TextRow("Device", "Province", FIELD(province), "Shenzhen"),
        TextRow("Device", "AudioDevice", FIELD(audioDevice), ""),
        TextRow("Device", "AudioInput", FIELD(audioInput), "Line In"),
        TextRow("Device", "AudioPlayDev", FIELD(audioPlayDev), ""),
        TextRow("Device", "AudioPlayInput", FIELD(audioPlayInput), ""),
        IntRow("Device", "ReservePrev", FIELD(reservePrev), 0),
        IntRow("Device", "UseLocality", FIELD(useLocality), 0),
        IntRow("Device", "MuteAudioInput", FIELD(muteAudioInput), 0),
        ReadOnlyIntRow("Device", "VideoSource", FIELD(videoSource), 0),

        TextRow("Record", "PicPath", FIELD(picPath), ""),
        TextRow("Record", "VideoPath", FIELD(videoPath), ""),
        IntRow("Record", "SnapBmp", FIELD(snapBmp), 0),
        IntRow("Record", "JpgQuality", FIELD(jpgQuality), 100),
        IntRow("Record", "RecordScheme", FIELD(recordScheme), 1),
        IntRow("Record", "DisplayQuality", FIELD(displayQuality), 1),
        IntRow("Record", "RecordFormat", FIELD(recordFormat), 4),
        IntRow("Record", "FMRecordFormat", FIELD(fmRecordFormat), 0),
        IntRow("Record", "Mpeg4FrameRate", FIELD(mpeg4FrameRate), 20),
        TextRow("Record", "Mpeg4Video", FIELD(mpeg4Video), ""),
        TextRow("Record", "Mpeg4Audio", FIELD(mpeg4Audio), ""),
        LongRow("Record", "Mpeg4RecordSize.cx", FIELD(mpeg4RecordSize.cx), 640),
        LongRow("Record", "Mpeg4Recordsize.cy", FIELD(mpeg4RecordSize.cy), 480),
        IntRow("Record", "TFReserved", FIELD(tfReserved), 0),
        LongRow("Record", "TFTime", FIELD(tfTime), 600),

        IntRow("Schedule", "EnableShut", FIELD(enableShut), 0),
        TimeRow("Schedule", "ShutTime", FIELD(shutTime)),
        IntRow("Schedule", "SysDefaultLogon", FIELD(sysDefaultLogon), 0),

        IntRow("Video", "Brightness", FIELD(picture[CTVSettings::kBrightness]), 5020),
        IntRow("Video", "Contrast", FIELD(picture[CTVSettings::kContrast]), 2235),
        IntRow("Video", "Hue", FIELD(picture[CTVSettings::kHue]), 5020),
        IntRow("Video", "Saturation", FIELD(picture[CTVSettings::kSaturation]), 4980),
        IntRow("Video", "Sharpness", FIELD(picture[CTVSettings::kSharpness]), 1),
        IntRow("Video", "OverlayBri", FIELD(overlay[CTVSettings::kBrightness]), 750),
        IntRow("Video", "OverlayCon", FIELD(overlay[CTVSettings::kContrast]), 10000),
        IntRow("Video", "OverlayHue", FIELD(overlay[CTVSettings::kHue]), 0),
        IntRow("Video", "OverlaySat", FIELD(overlay[CTVSettings::kSaturation]), 10000),
        IntRow("Video", "OverlaySha", FIELD(overlay[CTVSettings::kSharpness]), 5),
        IntRow("Video", "UseOverlay", FIELD(useOverlay), 1),
        IntRow("Video", "VideoSize", FIELD(videoSize), 2),
        IntRow("Video", "HightQuality", FIELD(hightQuality), 1),
        IntRow("Video", "HalfRate", FIELD(halfRate), 0),
        IntRow("Video", "NoiseReduce", FIELD(noiseReduce), 0),
        IntRow("Video", "ReduceValue", FIELD(reduceValue), 5),
        IntRow("Video", "OverlayDesktop", FIELD(overlayDesktop), 0),

        TextRow("Storage", "VideoFolder", FIELD(videoFolder), "Video"),
        IntRow("Storage", "MaxLength", FIELD(maxLength), 120),
        IntRow("Storage", "NoSpace", FIELD(noSpace), 1),
        IntRow("Storage", "ExcessLength", FIELD(excessLength), 1),
        ListRow("Storage", "ValidDisk", FIELD(validDisk)),
        TextRow("Storage", "CurDisk", FIELD(curDisk), ""),
        IntRow("Storage", "ReservedSpace", FIELD(reservedSpace), 300),

        PointRow("Window", "VideoLeftTop", FIELD(videoLeftTop), 192, 29),
        SizeRow("Window", "VideoSize", FIELD(videoWindowSize), 640, 504),
        SizeRow("Window", "VideoRatio", FIELD(videoRatio), 1, 1),
        IntRow("Window", "FullScreen", FIELD(fullScreen), 0),
        IntRow("Window", "TopMost", FIELD(topMost), 0),
        PointRow("Window", "ControlLeftTop", FIELD(controlLeftTop), 269, 533),
        IntRow("Window", "ShowControl", FIELD(showControl), 1),

        IntRow("Asistant", "LastChannel", FIELD(lastChannel), 0),
        WrittenAsOneRow("Runonce", "Run", FIELD(run), 0),
        IntRow("SearchMode", "SearchMode", FIELD(searchMode), 0),
    };
    return rows;
}

#undef FIELD

CString MyPicturesFolder()
{
    char path[MAX_PATH] = "";
    if (!SHGetSpecialFolderPathA(NULL, path, CSIDL_MYPICTURES, FALSE))
        return CString();
    return path;
}

// "C:\" of "C:\Program Files\Kavex": the text up to and including the first '\'.
CString DriveRoot(const CString& path)
{
    int backslash = path.Find('\\');
    return backslash < 0 ? path : path.Left(backslash + 1);
}

} // namespace

void CTVSystem::SetDefaults()
{
    CTVSettings& s = m_settings;
    for (const SettingRow& row : SettingRows()) {
        switch (row.kind) {
        case SettingRow::kInt:
        case SettingRow::kReadOnlyInt:
        case SettingRow::kWrittenAsOne:
            *row.field.asInt(s) = row.x;
            break;
        case SettingRow::kLong:
            *row.field.asLong(s) = row.x;
            break;
        case SettingRow::kText:
            *row.field.asText(s) = row.text;
            break;
        case SettingRow::kPoint:
            row.field.asPoint(s)->x = row.x;
            row.field.asPoint(s)->y = row.y;
            break;
        case SettingRow::kSize:
            row.field.asSize(s)->cx = row.x;
            row.field.asSize(s)->cy = row.y;
            break;
        case SettingRow::kTime:
            *row.field.asTime(s) = CTime::GetCurrentTime();
            break;
        case SettingRow::kList:
            row.field.asList(s)->RemoveAll();
            break;
        }
    }
    s.picPath = MyPicturesFolder();
    s.videoPath = DriveRoot(m_programDir) + "Video";
    ResetAutoRunAndLogon();
}

void CTVSystem::ExchangeSettings(BOOL write)
{
    if (!m_paramFile)
        m_paramFile.reset(new CIniFile(ProgramFile(kParamFile)));
    SettingsExchange x(*m_paramFile, write);
    CTVSettings& s = m_settings;
    for (const SettingRow& row : SettingRows()) {
        switch (row.kind) {
        case SettingRow::kInt:
            x.Int(row.section, row.key, *row.field.asInt(s));
            break;
        case SettingRow::kLong:
            x.Long(row.section, row.key, *row.field.asLong(s));
            break;
        case SettingRow::kText:
            x.Text(row.section, row.key, *row.field.asText(s));
            break;
        case SettingRow::kPoint:
            x.Point(row.section, row.key, *row.field.asPoint(s));
            break;
        case SettingRow::kSize:
            x.Size(row.section, row.key, *row.field.asSize(s));
            break;
        case SettingRow::kTime:
            x.Time(row.section, row.key, *row.field.asTime(s));
            break;
        case SettingRow::kList:
            x.List(row.section, row.key, *row.field.asList(s));
            break;
        case SettingRow::kReadOnlyInt:
            x.ReadOnlyInt(row.section, row.key, *row.field.asInt(s));
            break;
        case SettingRow::kWrittenAsOne:
            x.WrittenAs(row.section, row.key, 1, *row.field.asInt(s));
            break;
        }
    }
}

BOOL CTVSystem::OpenParamFile()
{
    if (m_paramFile)
        m_paramFile->RemoveAll();
    else
        m_paramFile.reset(new CIniFile(ProgramFile(kParamFile)));
    return m_paramFile->Load();
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
