#pragma once

#include "CMediaScene.h"
#include "CMusicBrowser.h"

// The music page: a chosen file goes to the main window to play as music.
class CMusicScene : public CMediaScene
{
public:
    CMusicScene();
    ~CMusicScene() override;

protected:
    void OnFileActivate(int index) override;

private:
    CMusicBrowser m_musicBrowser;
};
