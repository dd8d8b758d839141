#pragma once

#include "CSkinHeaderCtrl.h"

// A list control wearing a skinned header and, when one is loaded, a tiled background.
class CSkinListCtrl : public CListCtrl
{
public:
    // Takes over the list's own header; only the first list of a run gets the skinned one.
    void Init();
    CSkinHeaderCtrl& GetSkinHeader() { return m_header; }
    BOOL LoadBackground(UINT id);

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    CSkinHeaderCtrl m_header;
    CBitmap m_background;

    static BOOL s_headerTaken;
};
