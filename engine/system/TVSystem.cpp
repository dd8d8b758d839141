#include "TVSystem.h"

#include <shlobj.h>

#include "IniFile.h"
#include "PathUtil.h"

namespace {

const char kBaseSkinName[] = "BaseSkin";

CString ModuleDir()
{
    CString dir;
    CPathUtil::GetModuleDir(dir);
    return dir;
}

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

POINT MakePoint(int x, int y)
{
    POINT point = {x, y};
    return point;
}

SIZE MakeSize(int cx, int cy)
{
    SIZE size = {cx, cy};
    return size;
}

// The view of a program without windows: it shows nothing and enables no control.
class CNoView : public ITVSystemView
{
public:
    virtual void MuteBriefly() {}
    virtual void ShowChannelInfo(CChannelEntry*) {}
    virtual void ShowFavoriteButton(BOOL) {}
    virtual BOOL IsItemEnabled(UINT) { return FALSE; }
    virtual void EnableAccelerators(BOOL) {}
    virtual void BeginScan() {}
    virtual void ShowOptionsMenu(BOOL) {}
    virtual BOOL EnsureRemoteServiceRunning() { return FALSE; }
};

ITVSystemView* g_view = NULL;

} // namespace

void CTVSystem::SetView(ITVSystemView* view)
{
    g_view = view;
}

ITVSystemView& CTVSystem::View()
{
    static CNoView none;
    return g_view ? *g_view : none;
}

void CTVSystem::EnableAccelerators(BOOL enable)
{
    View().EnableAccelerators(enable);
}

BOOL CTVSystem::EnsureRemoteServiceRunning()
{
    return View().EnsureRemoteServiceRunning();
}

CTVSystem::CTVSystem()
    : m_programDir(ModuleDir()), m_baseSkinName(kBaseSkinName)
{
    m_graph.SetHost(this);
    SetDefaults();
}

CTVSystem::CTVSystem(const char* programDir)
    : m_programDir(programDir), m_baseSkinName(kBaseSkinName)
{
    m_graph.SetHost(this);
    SetDefaults();
}

CTVSystem::~CTVSystem()
{
}

CString CTVSystem::ProgramFile(const char* name) const
{
    return m_programDir + "\\" + name;
}

void CTVSystem::SetDefaults()
{
    CTVSettings& s = m_settings;
    s.skinName.Empty();

    s.useFavor = 0;
    s.fmUseFavor = 0;

    s.standard = 0;
    s.avStandard = 0;
    s.svStandard = 0;
    s.country = "中国";
    s.province = "Shenzhen";
    s.audioDevice.Empty();
    s.audioInput = "Line In";
    s.audioPlayDev.Empty();
    s.audioPlayInput.Empty();
    s.reservePrev = 0;
    s.useLocality = 0;
    s.muteAudioInput = 0;
    s.videoSource = 0;

    s.picPath = MyPicturesFolder();
    s.videoPath = DriveRoot(m_programDir) + "Video";
    s.snapBmp = 0;
    s.jpgQuality = 100;
    s.recordScheme = 1;
    s.displayQuality = 1;
    s.recordFormat = 4;
    s.fmRecordFormat = 0;
    s.mpeg4FrameRate = 20;
    s.mpeg4Video.Empty();
    s.mpeg4Audio.Empty();
    s.mpeg4RecordSize = MakeSize(640, 480);
    s.tfReserved = 0;
    s.tfTime = 600;

    s.enableShut = 0;
    s.shutTime = CTime::GetCurrentTime();
    s.sysDefaultLogon = 0;

    const int picture[CTVSettings::kPictureProperties] = {5020, 2235, 5020, 4980, 1};
    const int overlay[CTVSettings::kPictureProperties] = {750, 10000, 0, 10000, 5};
    for (int i = 0; i < CTVSettings::kPictureProperties; ++i) {
        s.picture[i] = picture[i];
        s.overlay[i] = overlay[i];
    }
    s.useOverlay = 1;
    s.videoSize = 2;
    s.hightQuality = 1;
    s.halfRate = 0;
    s.noiseReduce = 0;
    s.reduceValue = 5;
    s.overlayDesktop = 0;

    s.videoFolder = "Video";
    s.maxLength = 120;
    s.noSpace = 1;
    s.excessLength = 1;
    s.validDisk.RemoveAll();
    s.curDisk.Empty();
    s.reservedSpace = 300;

    s.videoLeftTop = MakePoint(192, 29);
    s.videoWindowSize = MakeSize(640, 504);
    s.videoRatio = MakeSize(1, 1);
    s.fullScreen = 0;
    s.topMost = 0;
    s.controlLeftTop = MakePoint(269, 533);
    s.showControl = 1;

    s.lastChannel = 0;
    s.run = 0;
    s.searchMode = 0;

    ResetAutoRunAndLogon();
}
