#include "ScriptedDialog.h"

#include "FinishesWithin.h"

BEGIN_MESSAGE_MAP(CScriptedDialog, CDialog)
    ON_MESSAGE(WM_RUN_STEP, OnRunStep)
END_MESSAGE_MAP()

void CScriptedDialog::RegisterTestDialogClass()
{
    WNDCLASSA wc;
    if (::GetClassInfoA(::GetModuleHandleA(NULL), "WndTestDialog", &wc))
        return;
    ::GetClassInfoA(NULL, "#32770", &wc);
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.lpszClassName = "WndTestDialog";
    ::RegisterClassA(&wc);
}

BOOL CScriptedDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_nextStep = 0;
    PostMessage(WM_RUN_STEP);
    return TRUE;
}

LRESULT CScriptedDialog::OnRunStep(WPARAM, LPARAM)
{
    if (m_nextStep < m_steps.size())
        m_steps[m_nextStep++](*this);
    if (m_nextStep < m_steps.size() && m_hWnd != NULL)
        PostMessage(WM_RUN_STEP);
    return 0;
}

INT_PTR CScriptedDialog::RunModal()
{
    INT_PTR result = -2;
    FinishesWithin(20000, [&] { result = DoModal(); });
    return result;
}
