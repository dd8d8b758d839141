#pragma once

#include <afxcoll.h>

#include "COptionsPage.h"

class COptionsSelector;

// The options menu's list of scheduled recordings, five to a screen, with the operation row
// that adds, changes and deletes them. Items of sources other than the tuner are not listed.
class COptionsSchedulePage : public COptionsPage
{
public:
    enum { kListRows = 5, kOperationRow = 5 };
    enum { kAdd, kChange, kDelete };

    COptionsSchedulePage();

    BOOL BuildRows() override;
    void Refresh() override;
    void Leave() override;
    LRESULT OnPageKey(UINT key, LPARAM lParam) override;
    // Selects the row without deselecting the one before.
    int SetCurrentRow(int index) override;
    void PrevRow() override;
    void NextRow() override;

    int GetItemCount() const { return m_nItemCount; }
    int GetScreen() const { return m_nScreen; }

protected:
    // The screen whose first item is at position first.
    void ShowScreen(int first);
    void SelectRow(int index, BOOL selected);
    // The schedule position the chosen row stands for; -1 when none.
    int ChosenPosition() const;

    COptionsSelector* m_pOperation = NULL;
    int m_nChosenRow = 0;
    int m_nItemCount = 0;
    int m_nScreen = 0;
    int m_nScreenCount = 0;
    CUIntArray m_rowMap;
};
