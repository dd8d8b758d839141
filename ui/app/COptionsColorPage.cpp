#include "COptionsColorPage.h"

#include "COptionsRowParts.h"
#include "TVSettings.h"
#include "TVSystem.h"

namespace {

int GetProperty(int property)
{
    switch (property) {
    case CTVSettings::kBrightness: return theTVSystem.GetBrightness();
    case CTVSettings::kContrast: return theTVSystem.GetContrast();
    case CTVSettings::kHue: return theTVSystem.GetHue();
    case CTVSettings::kSaturation: return theTVSystem.GetSaturation();
    default: return theTVSystem.GetSharpness();
    }
}

void SetProperty(int property, int value)
{
    switch (property) {
    case CTVSettings::kBrightness: theTVSystem.SetBrightness(value); break;
    case CTVSettings::kContrast: theTVSystem.SetContrast(value); break;
    case CTVSettings::kHue: theTVSystem.SetHue(value); break;
    case CTVSettings::kSaturation: theTVSystem.SetSaturation(value); break;
    default: theTVSystem.SetSharpness(value); break;
    }
}

} // namespace

COptionsColorPage::COptionsColorPage() : COptionsPage(kPageId)
{
}

COptionsBar* COptionsColorPage::GetBar(int property) const
{
    return property >= 0 && property < kBars ? m_pBars[property] : NULL;
}

BOOL COptionsColorPage::BuildRows()
{
    using namespace options_rows;
    for (int i = 0; i < kRows; ++i) {
        COptionsRow* row = NewRow(this, kPageId, LoadText(IDS_OPTIONS_COLOR_ROWS + i), TRUE);
        if (row == NULL)
            return FALSE;
        if (i < kBars)
            m_pBars[i] = AddBar(row, CRect(259, 10, 579, 45), kPageId, 0, 255);
        else
            m_pDefault = AddSelector(row, CRect(260, 6, 510, 45), kSelectorId, IDS_OPTIONS_YES, IDS_OPTIONS_NO);
        AddRow(row);
    }
    return TRUE;
}

void COptionsColorPage::Refresh()
{
    for (int i = 0; i < kBars; ++i) {
        if (m_pBars[i] == NULL)
            continue;
        BOOL sharpness = i == CTVSettings::kSharpness;
        m_pBars[i]->SetRange(0, sharpness ? 4 : 10000);
        m_pBars[i]->SetValue(GetProperty(i));
        m_pBars[i]->SetStep(sharpness ? 1 : 100);
    }
    // Items: 0 "是", 1 "否".
    if (m_pDefault != NULL)
        m_pDefault->SetCurSel(1);
}

LRESULT COptionsColorPage::OnPageKey(UINT key, LPARAM)
{
    int row = GetCurrentRowIndex();
    if (row < kBars) {
        if ((key != VK_LEFT && key != VK_RIGHT) || m_pBars[row] == NULL)
            return -1;
        SetProperty(row, m_pBars[row]->GetValue());
        return 0;
    }
    if (row != kDefaultRow || key != VK_RETURN)
        return -1;
    if (m_pDefault != NULL && m_pDefault->GetCurSel() == 0) {
        theTVSystem.ResetVideoColors();
        // The bars show what was written: the reset's defaults, not the card's own.
        for (int i = 0; i < kBars; ++i)
            if (m_pBars[i] != NULL)
                m_pBars[i]->SetValue(GetProperty(i));
    }
    return 0;
}
