#pragma once

#include <afxcmn.h>

#include "CCheckComboBox.h"
#include "Tickwell.h"

class CChannelEntry;
class CChannelList;

// Edits one scheduled recording: once on a date or weekly on checked days, its source,
// channel, start and length, what happens around it and, for a recording that powers the
// computer on, the Windows account that logs on automatically. Opened with an item's records
// it edits them; without, it makes a new item. After IDOK the records hold the dialog's values.
class CScheduleItemDlg : public CDialog
{
public:
    explicit CScheduleItemDlg(CWnd* pParent = NULL);

    // Edit mode: the dialog opens with these records.
    void SetRecords(const _tagTimingParam& timing, const _tagExcuteParam& execute);
    const _tagTimingParam& GetTiming() const { return m_timing; }
    const _tagExcuteParam& GetExecute() const { return m_execute; }

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    // Hands the automatic logon's account to the TV system; FALSE when it refuses.
    virtual BOOL StoreLogonAccount(const CString& user, const CString& password);

    // The list the channel rows come from: the band of the last scan.
    CChannelList& GetChannelList();
    void LoadNewDefaults();
    void LoadRecords();
    void FillChannels();
    // The row showing the entry at list position; -1 when no row does.
    int FindChannelRow(int position);
    void SelectChannelRow(int row);
    void SelectCurrentChannel();
    void UpdateDateControls();
    void UpdatePowerOnControls();
    void BuildRecords();

    afx_msg void OnSourceChange();
    afx_msg void OnOneTime();
    afx_msg void OnPowerOn();
    DECLARE_MESSAGE_MAP()

    CComboBox m_source;
    CComboBox m_channel;
    CCheckComboBox m_weekdays;
    BOOL m_bFromFavorites = FALSE;
    BOOL m_bOneTime = TRUE;
    CTime m_date;
    CTime m_start;
    CTime m_length;
    BOOL m_bShutDown = FALSE;
    BOOL m_bMute = FALSE;
    BOOL m_bPowerOn = FALSE;
    BOOL m_bWarn = TRUE;
    int m_nEarly = 5;
    CString m_user;
    CString m_password;

    BOOL m_bEdit = FALSE;
    _tagTimingParam m_timing;
    _tagExcuteParam m_execute;
};
