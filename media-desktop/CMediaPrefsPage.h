#pragma once

#include "CSAPrefsSubDlg.h"

// What the video and music pages share: a folder, a player, a background and the file types,
// each page with its own template and control ids.
class CMediaPrefsPage : public CSAPrefsSubDlg
{
public:
    // The controls of one page: edits of folder, player, background and types; the choosers.
    struct Controls
    {
        int folder, player, background, types;
        int chooseFolder, chooseProgram, choosePicture;
        UINT folderTitle;  // string id of the folder chooser's title
    };

    CString m_folder;
    CString m_player;
    CString m_background;
    CString m_types;

protected:
    CMediaPrefsPage(UINT nIDTemplate, const Controls& controls);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    const Controls& m_controls;
};
