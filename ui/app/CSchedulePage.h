#pragma once

#include <afxcmn.h>

#include "CSetupPage.h"
#include "Tickwell.h"

class CChannelList;
class CScheduleItemDlg;

// Lists the scheduled recordings the scheduling library keeps, adds, changes and deletes them
// through the item dialog, and sets the daily shutdown. A row knows its item only by its five
// texts: the item of a row is the first of the library's whose texts are the same.
class CSchedulePage : public CSetupPage
{
public:
    explicit CSchedulePage(CWnd* pParent = NULL);

    void LoadSettings() override;
    BOOL SaveSettings() override;
    BOOL OnInitDialog() override;

    // NULL when no item of the library shows those texts.
    HTIMINGITEM FindRowItem(int row);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // The item dialog's modal run; its result.
    virtual INT_PTR RunItemDialog(CScheduleItemDlg& dialog);

    // The list an item's channel number counts in: the band of the last scan.
    static CChannelList& GetChannelList();
    void FillList();
    void AppendRow(const _tagTimingParam& timing, const _tagExcuteParam& execute);
    int GetSelectedRow() const;
    void SelectRow(int row);
    // The check's code; -1 when the check could not run.
    static int CheckTime(HTIMINGITEM excluded, const _tagTimingParam& timing);
    void ShowCheckFailure(int code);
    void AddItem();
    void EditItem();
    void DeleteItem();

    afx_msg void OnAdd();
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    afx_msg void OnEnableShut();
    afx_msg void OnShutTimeChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    CListCtrl m_list;
    BOOL m_bEnableShut = FALSE;
    CTime m_shutTime;
};
