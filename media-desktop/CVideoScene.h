#pragma once

#include "CMediaScene.h"
#include "CVideoBrowser.h"

// The video page: a chosen file goes to the main window to play as video.
class CVideoScene : public CMediaScene
{
public:
    CVideoScene();
    ~CVideoScene() override;

protected:
    void OnFileActivate(int index) override;

private:
    CVideoBrowser m_videoBrowser;
};
