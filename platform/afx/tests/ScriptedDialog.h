// A dialog of the test resources that runs a test's steps from inside its own modal loop.
// The test templates are of the class "WndTestDialog" (a copy of the system's dialog class),
// so that a DialogWatcher answers only the message boxes.
#pragma once

#include <afxwin.h>

#include <functional>
#include <vector>

class CScriptedDialog : public CDialog {
public:
    typedef std::function<void(CScriptedDialog& dialog)> Step;

    // The steps run one by one from the dialog's loop, each posted when the one before
    // returned, so that what a step posts is handled before the next.
    CScriptedDialog(UINT nIDTemplate, std::vector<Step> steps, CWnd* pParentWnd = NULL)
        : CDialog(nIDTemplate, pParentWnd), m_steps(steps)
    {
        RegisterTestDialogClass();
    }
    CScriptedDialog(UINT nIDTemplate, Step step, CWnd* pParentWnd = NULL)
        : CScriptedDialog(nIDTemplate, std::vector<Step>{step}, pParentWnd)
    {
    }

    static void RegisterTestDialogClass();

    // DoModal bounded in time: a dialog that never closes fails the test instead of hanging it.
    INT_PTR RunModal();

protected:
    enum { WM_RUN_STEP = WM_APP + 100 };

    BOOL OnInitDialog() override;
    afx_msg LRESULT OnRunStep(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    std::vector<Step> m_steps;
    size_t m_nextStep = 0;
};
