#include "CMusicBrowser.h"

CMusicBrowser::CMusicBrowser()
{
    SetListStyle((GetListStyle() & ~SLS_SINGLE_CLICK) | SLS_TEXT_WHOLE);
}

CMusicBrowser::~CMusicBrowser()
{
}

BOOL CMusicBrowser::NeedsThumbnail(int index) const
{
    return IsFolderEntry(index) && CMediaBrowser::NeedsThumbnail(index);
}
