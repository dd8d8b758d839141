#include "CVideoScene.h"

#include "VelmoraResource.h"

namespace {

const UINT kCommands[] = {IDS_BACK_HOME, IDS_REFRESH, IDS_SORT_BY_NAME, IDS_SORT_BY_TIME};

// list id, rectangle, item size, commands, browser id, item size, rows, columns, status id,
// browser gap, width cut
const MediaSceneLayout kLayout = {2006, {48, 80, 288, 380}, {220, 48}, kCommands, 4,
                                  2007, {50, 50}, 3, 3, 2008, 12, 28};

}  // namespace

CVideoScene::CVideoScene() : CMediaScene(kLayout, m_videoBrowser)
{
}

CVideoScene::~CVideoScene()
{
}

void CVideoScene::OnFileActivate(int index)
{
    PlayFile(index, PLAY_MEDIA_VIDEO);
}
