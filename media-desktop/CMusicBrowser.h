#pragma once

#include "CMediaBrowser.h"

// The music page's browser: no thumbnails (folders are only marked as such), names over the
// whole entry, and a file plays on a double click or Enter.
class CMusicBrowser : public CMediaBrowser
{
public:
    CMusicBrowser();
    ~CMusicBrowser() override;

protected:
    BOOL NeedsThumbnail(int index) const override;
};
