#pragma once

#include "CMenuListBox.h"
#include "CSceneBase.h"

// The home page: the large menu, centred a little below the middle, that starts the TV
// program, opens the media pages or closes the desktop.
class CHomeScene : public CSceneBase
{
public:
    static const UINT kListId = 2001;

    CHomeScene();
    ~CHomeScene() override;

    CMenuListBox& GetList() { return m_list; }

protected:
    void CreateChildren() override;
    void OnListActivate(HWND list, int item) override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    void PlaceList(int cx, int cy);

    CMenuListBox m_list;
};
