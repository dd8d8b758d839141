#pragma once

#include <afxcmn.h>

#include "CSetupPage.h"

class CChannelEntry;
class CChannelList;

// Edits one channel list, the TV channels or, in its FM instance, the FM stations: names,
// frequencies, favourites, order and deleted channels, the tuner's input and the channel scan.
// Selecting a row tunes to that channel. The rows name their entries through the list
// position in their last column, so a row always finds its entry however the list is shown.
class CChannelPage : public CSetupPage
{
public:
    enum { kSliderCentre = 2000, kNameLength = 20 };
    enum { kStateColumn, kNumberColumn, kNameColumn, kFrequencyColumn, kOrderColumn };

    explicit CChannelPage(CWnd* pParent = NULL);
    ~CChannelPage() override;

    // Fixed before the page is created.
    void SetFM(BOOL fm) { m_bFM = fm; }
    BOOL IsFM() const { return m_bFM; }

    void LoadSettings() override;
    BOOL SaveSettings() override;
    BOOL OnInitDialog() override;

    // The video window ends a scan: the controls come back and the list is refilled.
    void OnScanFinished();
    // The entry of a shown row; NULL for a row that is not there.
    CChannelEntry* GetRowEntry(int row);
    CChannelEntry* GetSelectedEntry() const { return m_pSelected; }

    // The page that is open, for the end of a scan; NULL when none.
    static CChannelPage* GetOpenPage() { return s_pOpenPage; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    CChannelList& GetList();
    // The band this page edits is the one the card is on.
    BOOL BandIsSource() const;
    void FillList();
    int GetSelectedRow() const;
    void SelectRow(int row);
    void ShowRow(int row, CChannelEntry* entry, int position);
    void RedrawSelectedRow();
    void RestoreChannels();
    void UpdateScanControls();
    void EnableControls(BOOL enable);
    void ToggleFavorite();
    void DeleteSelected();
    void MoveSelected(int step);
    void ShowSelectedInfo();

    afx_msg void OnRename();
    afx_msg void OnFavorite();
    afx_msg void OnDeleteChannel();
    afx_msg void OnAddChannel();
    afx_msg void OnMoveUp();
    afx_msg void OnMoveDown();
    afx_msg void OnRestore();
    afx_msg void OnSetFrequency();
    afx_msg void OnUseFavorites();
    afx_msg void OnTVInput(UINT id);
    afx_msg void OnScan();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    CSliderCtrl m_slider;
    CListCtrl m_list;
    CString m_name;
    int m_nFrequency = 0;
    BOOL m_bUseFavor = FALSE;
    int m_nTVInput = 0;

    CChannelEntry* m_pSelected = NULL;
    BOOL m_bFM = FALSE;
    BOOL m_bFirstSelection = TRUE;
    // While the list is rebuilt its own notifications tune nothing.
    BOOL m_bFilling = FALSE;
    CImageList m_images;
    CMenu m_menu;

    static CChannelPage* s_pOpenPage;
};
