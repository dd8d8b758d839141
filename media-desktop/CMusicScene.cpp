#include "CMusicScene.h"

#include "VelmoraResource.h"

namespace {

const UINT kCommands[] = {IDS_BACK_HOME, IDS_REFRESH, IDS_SORT_BY_NAME, IDS_SORT_BY_TIME};

// list id, rectangle, item size, commands, browser id, item size, rows, columns, status id,
// browser gap, width cut
const MediaSceneLayout kLayout = {2030, {48, 80, 288, 380}, {220, 48}, kCommands, 4,
                                  2031, {250, 50}, 10, 1, 2032, 40, 56};

}  // namespace

CMusicScene::CMusicScene() : CMediaScene(kLayout, m_musicBrowser)
{
}

CMusicScene::~CMusicScene()
{
}

void CMusicScene::OnFileActivate(int index)
{
    PlayFile(index, PLAY_MEDIA_MUSIC);
}
