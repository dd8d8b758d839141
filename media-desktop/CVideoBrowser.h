#pragma once

#include "CFrameGrabber.h"
#include "CMediaBrowser.h"

// The video page's browser: a file's thumbnail is its first frame, grabbed into "Grab.bmp" in
// the program folder, which goes again once it is read.
class CVideoBrowser : public CMediaBrowser
{
public:
    CVideoBrowser();
    ~CVideoBrowser() override;

protected:
    BOOL LoadThumbnailPicture(int index, CPictureFile& picture) override;

private:
    CFrameGrabber m_grabber;
};
