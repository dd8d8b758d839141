#include "COptionsRecordPage.h"

#include "CControlPanelDlg.h"
#include "COptionsBar.h"
#include "COptionsButton.h"
#include "COptionsRow.h"
#include "COptionsSelector.h"
#include "TVSystem.h"
#include "resource.h"

namespace {

const UINT kId = 45300;

} // namespace

COptionsRecordPage::COptionsRecordPage() : COptionsPage(kId)
{
}

BOOL COptionsRecordPage::BuildRows()
{
    COptionsSelector** selectors[] = {&m_pSnap, &m_pFormat, &m_pScheme, &m_pQuality};
    struct Items { UINT first; int count; UINT second; };
    // The scheme's two strings are not neighbours.
    const Items items[] = {{IDS_OPTIONS_SNAP_BMP, 2, 0},
                           {IDS_OPTIONS_FORMAT_FIRST, 8, 0},
                           {IDS_OPTIONS_SCHEME_PICTURE, 1, IDS_OPTIONS_SCHEME_CPU},
                           {IDS_OPTIONS_QUALITY_FIRST, 3, 0}};
    for (int index = kSnapRow; index <= kJpegRow; ++index) {
        COptionsRow* row = new COptionsRow;
        row->Create(CRect(20, 0, 229, 45), this, kId);
        CString text;
        text.LoadString(IDS_OPTIONS_RECORD_ROW + index);
        COptionsButton* button = new COptionsButton;
        button->Create(CRect(20, 0, 229, 45), row, kId, text);
        row->AddCell(button);
        if (index == kJpegRow) {
            m_pJpeg = new COptionsBar;
            m_pJpeg->Create(CRect(259, 10, 579, 45), row, 45200);
            m_pJpeg->SetBitmaps(IDB_OPTIONS_BAR_BACK, IDB_OPTIONS_BAR_FILL);
            m_pJpeg->SetRange(0, 255);
            row->AddCell(m_pJpeg);
        } else {
            COptionsSelector* selector = new COptionsSelector;
            selector->Create(CRect(250, 6, 530, 45), row, kId);
            selector->SetBitmaps(IDB_OPTIONS_LEFT, IDB_OPTIONS_LEFT_HOT, IDB_OPTIONS_RIGHT,
                                 IDB_OPTIONS_RIGHT_HOT);
            for (int i = 0; i < items[index].count; ++i) {
                text.LoadString(items[index].first + i);
                selector->AddString(text);
            }
            if (items[index].second != 0) {
                text.LoadString(items[index].second);
                selector->AddString(text);
            }
            selector->SetCurSel(0);
            row->AddCell(selector);
            *selectors[index] = selector;
        }
        AddRow(row);
    }
    return TRUE;
}

void COptionsRecordPage::Refresh()
{
    if (m_pJpeg == NULL)
        return;
    const CTVSettings& settings = theTVSystem.GetSettings();
    m_pSnap->SetCurSel(settings.snapBmp ? 0 : 1);
    m_pFormat->SetCurSel(theTVSystem.GetRecordFormat());
    m_pScheme->SetCurSel(theTVSystem.GetRecordScheme() != 0 ? 0 : 1);
    m_pQuality->SetCurSel(theTVSystem.GetDisplayQuality());
    m_pJpeg->SetRange(0, 100);
    m_pJpeg->SetValue(settings.jpgQuality);
}

LRESULT COptionsRecordPage::OnPageKey(UINT key, LPARAM)
{
    if (key != VK_LEFT && key != VK_RIGHT)
        return -1;
    CTVSettings& settings = theTVSystem.GetSettings();
    switch (m_nCurrentRow) {
    case kSnapRow:
        settings.snapBmp = m_pSnap->GetCurSel() == 0 ? 1 : 0;
        break;
    case kFormatRow:
        theTVSystem.SetRecordFormat(m_pFormat->GetCurSel());
        theControlPanel.SyncFormatMenus();
        break;
    case kSchemeRow:
        theTVSystem.SetRecordScheme(m_pScheme->GetCurSel() == 0 ? 1 : 0);
        break;
    case kQualityRow:
        theTVSystem.SetDisplayQuality(m_pQuality->GetCurSel());
        break;
    case kJpegRow:
        settings.jpgQuality = m_pJpeg->GetValue();
        break;
    default:
        return -1;
    }
    return 0;
}
