#pragma once

#include <afx.h>

#include "COptionsPage.h"

class COptionsNumber;
class COptionsSelector;

// The options menu's shutdown time: date and time, stored and armed on "是", switched off on
// "否".
class COptionsShutdownPage : public COptionsPage
{
public:
    enum { kDateRow, kTimeRow, kSaveRow };

    COptionsShutdownPage();

    BOOL BuildRows() override;
    void Refresh() override;
    LRESULT OnPageKey(UINT key, LPARAM lParam) override;

    const CTime& GetShutTime() const { return m_shutTime; }

protected:
    COptionsNumber* m_date[3] = {};
    COptionsNumber* m_time[3] = {};
    COptionsSelector* m_pSave = NULL;
    CTime m_shutTime;
};
