#include "CViewSettings.h"

#include "ModulePaths.h"

namespace {

CString WindowsDir()
{
    char path[MAX_PATH] = "";
    UINT length = GetWindowsDirectoryA(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? CString(path) : CString();
}

CString SystemDir()
{
    char path[MAX_PATH] = "";
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? CString(path) : CString();
}

}  // namespace

CViewSettings::CViewSettings()
    : m_runAtStartup(FALSE), m_allowSeveralMedia(FALSE), m_slideshowSeconds(5),
      m_stretchSlideshow(FALSE)
{
    const CString folder = GetModuleDir();
    m_tvProgramPath = folder + "\\Kavex.exe";
    m_pictureFolder = folder + "\\TVPicture";
    m_musicFolder = folder + "\\TVVideo";
    m_musicPlayerPath =
        WindowsDir().Left(3) + "Program Files" + "\\Quorvex\\Reelview\\Reelview.exe";
    m_videoFolder = SystemDir().Left(2) + "\\TVVideo";
    m_videoPlayerPath = m_musicPlayerPath;
    m_videoTypes = ".mpeg.m1v.mp2.mpa.mpe.asx.wax.m3u.wpl.wvx.wmx.mid.rmi.midi.wm.wma.wmv.wmd..asf"
                   ".avi.mpg.wmv.rm.";
    m_musicTypes = ".wma.mp3.rm.wav.m3u.";
    m_pictureTypes = ".jpg.jpeg.bmp.gif.";
    m_mainBackground = folder + "\\skin\\Main.jpg";
    m_pictureBackground = folder + "\\skin\\bk.jpg";
    m_videoBackground = folder + "\\skin\\bk.jpg";
    m_musicBackground = folder + "\\skin\\bk.jpg";
}

void CViewSettings::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        Store(ar);
        return;
    }
    CViewSettings read(*this);
    read.Load(ar);
    *this = read;
}

bool CViewSettings::operator==(const CViewSettings& other) const
{
    return m_tvProgramPath == other.m_tvProgramPath && m_pictureFolder == other.m_pictureFolder
           && m_musicFolder == other.m_musicFolder && m_musicPlayerPath == other.m_musicPlayerPath
           && m_videoFolder == other.m_videoFolder && m_videoPlayerPath == other.m_videoPlayerPath
           && m_videoTypes == other.m_videoTypes && m_musicTypes == other.m_musicTypes
           && m_pictureTypes == other.m_pictureTypes && m_mainBackground == other.m_mainBackground
           && m_pictureBackground == other.m_pictureBackground
           && m_videoBackground == other.m_videoBackground
           && m_musicBackground == other.m_musicBackground
           && !m_runAtStartup == !other.m_runAtStartup
           && !m_allowSeveralMedia == !other.m_allowSeveralMedia
           && m_slideshowSeconds == other.m_slideshowSeconds
           && !m_stretchSlideshow == !other.m_stretchSlideshow;
}

void CViewSettings::Store(CArchive& ar) const
{
    ar << (int)m_allowSeveralMedia << m_tvProgramPath << m_pictureFolder << m_musicFolder
       << m_musicPlayerPath << m_videoFolder << m_videoPlayerPath << m_slideshowSeconds
       << m_mainBackground << m_pictureBackground << m_videoBackground << m_musicBackground
       << (int)m_runAtStartup << (int)m_stretchSlideshow << m_videoTypes << m_pictureTypes
       << m_musicTypes;
}

void CViewSettings::Load(CArchive& ar)
{
    int allowSeveralMedia = 0;
    int runAtStartup = 0;
    int stretchSlideshow = 0;
    ar >> allowSeveralMedia >> m_tvProgramPath >> m_pictureFolder >> m_musicFolder
       >> m_musicPlayerPath >> m_videoFolder >> m_videoPlayerPath >> m_slideshowSeconds
       >> m_mainBackground >> m_pictureBackground >> m_videoBackground >> m_musicBackground
       >> runAtStartup >> stretchSlideshow >> m_videoTypes >> m_pictureTypes >> m_musicTypes;
    m_allowSeveralMedia = allowSeveralMedia;
    m_runAtStartup = runAtStartup;
    m_stretchSlideshow = stretchSlideshow;
}
