#include "CMusicPrefsPage.h"

#include "VelmoraResource.h"

namespace {

// folder, player, background, types, choose folder, choose program, choose picture, title
const CMediaPrefsPage::Controls kControls = {1017, 1018, 1019, 1020, 1011, 1012, 1013,
                                             IDS_CHOOSE_MUSIC_FOLDER};

}  // namespace

CMusicPrefsPage::CMusicPrefsPage() : CMediaPrefsPage(IDD, kControls)
{
}
