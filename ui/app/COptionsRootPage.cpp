#include "COptionsRootPage.h"

#include "COptionsRowParts.h"
#include "TVSystem.h"

COptionsRootPage::COptionsRootPage() : COptionsPage(kPageId)
{
}

BOOL COptionsRootPage::BuildRows()
{
    for (int i = 0; i < kRows; ++i) {
        COptionsRow* row = options_rows::NewRow(this, kPageId + i,
                                                options_rows::LoadText(IDS_OPTIONS_ROOT_ROWS + i));
        if (row == NULL)
            return FALSE;
        COptionsLabel* label = new COptionsLabel;
        label->Create(CRect(229, 0, 579, 45), row, kPageId,
                      options_rows::LoadText(IDS_OPTIONS_ROOT_LABELS + i));
        row->AddCell(label);
        AddRow(row);
    }
    return TRUE;
}

LRESULT COptionsRootPage::OnPageKey(UINT, LPARAM)
{
    // 2 lets Enter open the row's page.
    if (theTVSystem.GetVideoSource() == CTVSystem::kSourceTuner)
        return 2;
    return GetCurrentRowIndex() == 0 ? -1 : 2;
}
