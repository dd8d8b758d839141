// CNewDialog: a dialog whose menu and system menu are owner-drawn CNewMenus, and whose popups
// are updated through the command handlers of its message map as a frame's are: an item
// without a handler is disabled when its popup opens (system commands excepted).
#pragma once

#include "CMenuHostFrame.h"

class CNewDialog : public CMenuHostFrame<CDialog> {
    DECLARE_DYNCREATE(CNewDialog)
public:
    CNewDialog();
    explicit CNewDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    explicit CNewDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);

    // The base's; then the system menu and the dialog's menu become the CNewMenus.
    BOOL OnInitDialog() override;

protected:
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    DECLARE_MESSAGE_MAP()
};
