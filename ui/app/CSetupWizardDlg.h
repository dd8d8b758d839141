#pragma once

#include <afxwin.h>

// The set-up wizard that runs at every start. Until its pages exist it finishes at once.
class CSetupWizardDlg
{
public:
    INT_PTR DoModal() { return IDOK; }
};
