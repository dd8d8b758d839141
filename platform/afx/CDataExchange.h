// CDataExchange: one pass of data exchange between a dialog's members and its controls
// (CWnd::UpdateData runs DoDataExchange with it), and the DDX_ and DDV_ functions a
// DoDataExchange calls.
//
// Loading (m_bSaveAndValidate FALSE) puts each member into its control; saving reads the
// controls back and checks them. A refused value shows the framework's message, puts the focus
// on the control (an edit's text selected), keeps the member as it was (a DDV_ check puts back
// what its DDX_ call had stored) and ends the pass: UpdateData answers FALSE.
#pragma once

#include "CString.h"
#include "CTime.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The control the next checks are about; an edit control also gets the text selected when
    // a check fails.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Focus on the last prepared control, the last member back as it was, and the pass ended.
    [[noreturn]] void Fail();

    // What the last DDX_ call of a save pass stored, kept so that a failing check undoes it.
    void RememberOld(CString& member);
    void RememberOld(int& member);
    void RememberOld(UINT& member);

    HWND m_hWndLastControl;
    BOOL m_bEditLastControl;

private:
    void RestoreLast();

    void* m_pLastMember;  // NULL: nothing to undo
    enum { kString, kInt, kUInt } m_lastKind;
    CString m_strLastOld;
    UINT m_nLastOld;
};

// Binds the control nIDC to rControl (SubclassWindow) once.
void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// A text that is no whole number is refused.
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
// A negative or non-numeric text is refused.
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
// A check box's state: 0, 1, or 2 for indeterminate.
void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first radio button of a group: the index of the checked one, -1 for none.
void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& index);
// A combo box's selection, -1 for none.
void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CTime& value);

// Refuses a text longer than nChars; when loading, limits the edit control to nChars.
void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
