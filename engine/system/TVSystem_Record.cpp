// Recording, snapshots, file names and the drives recordings go to.
//
// The record folder is VideoPath: the folder the user chose, or the VideoFolder name on the
// drive the program moved to when a drive filled up. Whatever changes it publishes it as
// "RecordPath" for the maker's other programs, so they always look where recordings are.
#include "TVSystem.h"

#include "MessagePromptDlg.h"
#include "PathUtil.h"
#include "RegistryKey.h"

namespace {

const char kDiskFullText[] = "磁盘空间不够! 录像停止!";
const char kStopFailedText[] = "停止录像失败。程序将退出!";
enum { kDiskFullTextId = 34047 };
enum { kPromptIcon = 128, kPromptSeconds = 1 };
enum { kSnapshotButton = 1002 };
enum { kSnapshotBmp = 1, kSnapshotJpeg = 2 };
enum { kMonitorIntervalMs = 5000 };
enum { kMinLength = 1, kMaxLength = 300 };

const char kCommonKey[] = "SOFTWARE\\Quorvex\\Common";
const char kNameFormat[] = "%Y%m%d-%H%M%S";

CString RootOf(const char* path)
{
    return CString(path).Left(3);
}

BOOL WriteCommonValue(const char* name, const char* text)
{
    CRegistryKey key;
    return key.Open(HKEY_LOCAL_MACHINE, kCommonKey) == ERROR_SUCCESS &&
           key.SetString(name, text) == ERROR_SUCCESS;
}

BOOL FolderExistsOrMade(const char* folder)
{
    return CPathUtil::FolderExists(folder) || CPathUtil::MakeDir(folder);
}

} // namespace

// Names ------------------------------------------------------------------------------------

CString CTVSystem::MakeRecordName(int format)
{
    CString name = CTime::GetCurrentTime().Format(kNameFormat);
    switch (format) {
    case CTVGraph::kRecordMpeg1:
    case CTVGraph::kRecordMpeg2:
    case CTVGraph::kRecordVcd:
    case CTVGraph::kRecordSvcd:
    case CTVGraph::kRecordDvd:
    case CTVGraph::kRecordHiDvd:
        return name + ".mpg";
    default:
        return name + ".avi";
    }
}

CString CTVSystem::MakeSnapshotName(int kind)
{
    return CTime::GetCurrentTime().Format(kNameFormat) + (kind == kSnapshotBmp ? ".bmp" : ".jpg");
}

// Recording --------------------------------------------------------------------------------

BOOL CTVSystem::StartRecording()
{
    if (m_settings.curDisk.IsEmpty()) {
        AfxMessageBox(kDiskFullText, MB_OK, kDiskFullTextId);
        return FALSE;
    }
    View().MuteBriefly();
    if (m_recording || m_scanning || m_diskFull)
        return FALSE;
    // Without its folder the graph would record over the file it wrote last.
    if (!FolderExistsOrMade(m_settings.videoPath))
        return FALSE;
    m_recordFile = m_settings.videoPath + "\\" + MakeRecordName(m_settings.recordFormat);
    m_graph.SetRecordFileName(m_recordFile);
    if (!m_graph.StartRecord())
        return FALSE;
    m_recording = TRUE;
    return TRUE;
}

BOOL CTVSystem::StopRecording()
{
    m_recording = FALSE;
    View().MuteBriefly();
    if (m_graph.StopRecord())
        return TRUE;
    CMessagePromptDlg prompt(kPromptIcon, FALSE, NULL);
    prompt.SetAutoCloseSeconds(kPromptSeconds);
    prompt.SetText(kStopFailedText);
    prompt.DoModal();
    ::SendMessageA(AfxGetMainWnd()->GetSafeHwnd(), WM_CLOSE, 0, 0);
    return FALSE;
}

BOOL CTVSystem::StopGraphRecord()
{
    return m_graph.StopRecord();
}

void CTVSystem::SetDiskFull(BOOL full)
{
    if (full && m_graph.IsRecording())
        StopRecording();
    m_diskFull = full;
}

// Time shift -------------------------------------------------------------------------------

BOOL CTVSystem::StartTimeShiftRecord()
{
    // The buffer lives in the record folder, which a fresh installation has not made yet.
    if (!FolderExistsOrMade(m_settings.videoPath))
        return FALSE;
    m_graph.SetTimeShiftFile(m_settings.videoPath + "\\" + MakeRecordName(CTVGraph::kRecordMpeg2));
    return m_graph.StartTimeShift();
}

BOOL CTVSystem::SetTFTime(long seconds)
{
    if (!m_graph.SetTimeShiftLength(seconds))
        return FALSE;
    m_settings.tfTime = seconds;
    return TRUE;
}

void CTVSystem::SetTFReserved(int value)
{
    m_settings.tfReserved = value;
    m_graph.SetTimeShiftReserve(value);
}

CString CTVSystem::FindRecordDisk()
{
    // The buffer's kbit in MB.
    LONGLONG needMB = m_graph.GetTimeShiftKbits() / 8 / 1024 + m_settings.reservedSpace;
    const CStringArray& valid = m_settings.validDisk;
    int count = (int)valid.GetSize();
    for (int i = 0, position = ValidDiskStart(m_settings.curDisk); i < count;
         ++i, position = (position + 1) % count) {
        CDiskInfo* disk = m_diskMonitor.GetDiskManager().FindDisk(valid[position]);
        if (disk != NULL && disk->Refresh() > needMB)
            return disk->GetRoot();
    }
    return CString();
}

// Snapshots --------------------------------------------------------------------------------

BOOL CTVSystem::TakeSnapshot()
{
    int kind = m_settings.snapBmp ? kSnapshotBmp : kSnapshotJpeg;
    FolderExistsOrMade(m_settings.picPath);
    CString path = m_settings.picPath + "\\" + MakeSnapshotName(kind);
    return m_graph.TakeSnapshot(path, kind, m_settings.jpgQuality);
}

BOOL CTVSystem::SaveSnapshotBmp(const char* path)
{
    if (!View().IsItemEnabled(kSnapshotButton))
        return FALSE;
    return m_graph.TakeSnapshot(path, kSnapshotBmp, m_settings.jpgQuality);
}

// Drives and folders -------------------------------------------------------------------------

void CTVSystem::InitDisks(HWND notify)
{
    m_diskMonitor.Init(notify);
    CTVSettings& s = m_settings;
    if (s.validDisk.GetSize() == 0)
        m_diskMonitor.GetDiskManager().SelectDisks(s.reservedSpace, TRUE, s.validDisk);
    if (s.validDisk.GetSize() == 0) {
        m_diskFull = TRUE;
        s.validDisk.Add(RootOf(m_programDir));
        return;
    }
    if ((s.curDisk.IsEmpty() || s.curDisk.CompareNoCase(RootOf(s.videoPath)) == 0) &&
        SetVideoPath(s.videoPath))
        return;
    if (!SelectNextDiskWithSpace())
        m_diskFull = TRUE;
}

int CTVSystem::ValidDiskStart(const char* start) const
{
    int position = CPathUtil::FindStringNoCase(m_settings.validDisk, start);
    return position < 0 ? 0 : position;
}

CDiskInfo* CTVSystem::FindDiskWithSpace(const char* start)
{
    const CStringArray& valid = m_settings.validDisk;
    int count = (int)valid.GetSize();
    for (int i = 0, position = ValidDiskStart(start); i < count; ++i, position = (position + 1) % count) {
        CDiskInfo* disk = m_diskMonitor.GetDiskManager().FindDisk(valid[position]);
        if (disk != NULL && disk->Refresh() > m_settings.reservedSpace)
            return disk;
    }
    return NULL;
}

// Each allowed drive is tried once at most, from the current one on.
BOOL CTVSystem::SelectNextDiskWithSpace()
{
    const CStringArray& valid = m_settings.validDisk;
    int count = (int)valid.GetSize();
    for (int i = 0, position = ValidDiskStart(m_settings.curDisk); i < count;
         ++i, position = (position + 1) % count) {
        if (SelectDiskEntry(m_diskMonitor.GetDiskManager().FindDisk(valid[position])))
            return TRUE;
    }
    return FALSE;
}

BOOL CTVSystem::SelectDiskEntry(CDiskInfo* disk)
{
    CString root = disk != NULL ? disk->GetRoot() : CString();
    CString folder = root + m_settings.videoFolder;
    return SelectRecordDrive(disk, folder);
}

BOOL CTVSystem::SelectRecordDrive(CDiskInfo* disk, const char* folder)
{
    if (disk == NULL || disk->Refresh() <= m_settings.reservedSpace)
        return FALSE;
    m_settings.curDisk = disk->GetRoot();
    m_diskMonitor.SetDisk(m_settings.curDisk, m_settings.reservedSpace);
    m_diskMonitor.Start(kMonitorIntervalMs);
    m_diskFull = FALSE;
    SetRecordFolder(folder);
    return TRUE;
}

void CTVSystem::SetRecordFolder(const char* folder)
{
    m_settings.videoPath = folder;
    WriteRecordPath(folder);
}

BOOL CTVSystem::SelectDisk(const char* path)
{
    if (path == NULL || strlen(path) < 3)
        return FALSE;
    return SelectDiskEntry(m_diskMonitor.GetDiskManager().FindDisk(RootOf(path)));
}

int CTVSystem::SetValidDisk(const CStringArray& list)
{
    m_settings.validDisk.RemoveAll();
    m_settings.validDisk.Append(list);
    int position = CPathUtil::FindStringNoCase(m_settings.validDisk, m_settings.curDisk);
    if (position >= 0)
        return position;
    if (m_recording) {
        StopRecording();
        m_stopReason = !m_settings.noSpace;
    }
    m_diskFull = !SelectNextDiskWithSpace();
    return CPathUtil::FindStringNoCase(m_settings.validDisk, m_settings.curDisk);
}

BOOL CTVSystem::SetReservedSpace(int mb)
{
    if (mb < 0)
        return FALSE;
    m_settings.reservedSpace = mb;
    // A drive that is no longer in the list has no space to offer.
    CDiskInfo* disk = m_diskMonitor.GetDisk();
    if (disk != NULL && disk->Refresh() > mb) {
        m_diskMonitor.SetDisk(m_settings.curDisk, mb);
        m_diskMonitor.Start(kMonitorIntervalMs);
        m_diskFull = FALSE;
        return TRUE;
    }
    if (m_recording)
        StopRecording();
    m_diskFull = !SelectNextDiskWithSpace();
    return TRUE;
}

BOOL CTVSystem::SetVideoPath(const char* path)
{
    if (!CPathUtil::FolderExists(path))
        return FALSE;
    CString folder(path);
    return SelectRecordDrive(m_diskMonitor.GetDiskManager().FindDisk(RootOf(folder)), folder);
}

BOOL CTVSystem::SetVideoFolder(const char* name)
{
    if (m_settings.curDisk.IsEmpty()) {
        m_settings.videoFolder = name;
        return TRUE;
    }
    CString folder = m_settings.curDisk + name;
    if (!FolderExistsOrMade(folder))
        return FALSE;
    m_settings.videoFolder = name;
    if (m_diskMonitor.GetDisk() != NULL)
        SetRecordFolder(folder);
    return TRUE;
}

BOOL CTVSystem::SetMaxLength(int minutes)
{
    if (minutes < kMinLength || minutes > kMaxLength)
        return FALSE;
    m_settings.maxLength = minutes;
    return TRUE;
}

void CTVSystem::PrepareMediaFolders()
{
    if (m_settings.skinName.IsEmpty())
        m_settings.skinName = m_baseSkinName;
    if (m_skinNames.IsEmpty() || m_skinNames.GetHead() != m_baseSkinName)
        m_skinNames.AddHead(m_baseSkinName);
    FolderExistsOrMade(m_settings.videoPath);
    FolderExistsOrMade(m_settings.picPath);
    SetAutoRun(m_autoRun);
    WriteSnapPath(m_settings.picPath);
    WriteRecordPath(m_settings.videoPath);
}

BOOL CTVSystem::WriteSnapPath(const char* path)
{
    return WriteCommonValue("SnapPath", path);
}

BOOL CTVSystem::WriteRecordPath(const char* path)
{
    return WriteCommonValue("RecordPath", path);
}
