#include "CVideoPrefsPage.h"

#include "VelmoraResource.h"

namespace {

// folder, player, background, types, choose folder, choose program, choose picture, title
const CMediaPrefsPage::Controls kControls = {1014, 1015, 1016, 1017, 1011, 1012, 1013,
                                             IDS_CHOOSE_VIDEO_FOLDER};

}  // namespace

CVideoPrefsPage::CVideoPrefsPage() : CMediaPrefsPage(IDD, kControls)
{
}
