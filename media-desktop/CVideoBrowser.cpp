#include "ModulePaths.h"

#include "CVideoBrowser.h"

CVideoBrowser::CVideoBrowser()
{
    // With the closing dot of every type list: without it ".mpg." is never found.
    SetTypes(".avi.mpg.");
}

CVideoBrowser::~CVideoBrowser()
{
}

BOOL CVideoBrowser::LoadThumbnailPicture(int index, CPictureFile& picture)
{
    const CString grab = GetModuleDir() + "\\Grab.bmp";
    // A picture left from an earlier grab must not stand in for a file that gives none.
    DeleteFileA(grab);
    const BOOL loaded = m_grabber.GrabFrame(GetPath(index)) && picture.LoadPictureFile(grab);
    DeleteFileA(grab);
    return loaded;
}
