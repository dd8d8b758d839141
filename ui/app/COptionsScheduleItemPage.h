#pragma once

#include "COptionsPage.h"
#include "Tickwell.h"

#include <vector>

class CChannelList;
class COptionsNumber;
class COptionsSelector;

// The schedule item the item page changes; NULL while it adds a new one. The list page sets
// it; leaving the item page or storing the edit clears it.
extern HTIMINGITEM EditedScheduleItem;

// The options menu's page for one scheduled recording: start date and time, length, channel
// and shutdown afterwards, stored in the scheduling library on "确定".
class COptionsScheduleItemPage : public COptionsPage
{
public:
    enum { kDateRow, kTimeRow, kLengthRow, kChannelRow, kShutRow, kSaveRow };

    COptionsScheduleItemPage();
    ~COptionsScheduleItemPage() override;

    BOOL BuildRows() override;
    void Refresh() override;
    void Leave() override;
    LRESULT OnPageKey(UINT key, LPARAM lParam) override;

    // A new item's start for a page shown at now: the next minute, the hour moving on at
    // minute 59 (on the same date), and now's second.
    static void NewItemStart(const CTime& now, int start[6]);
    static void SplitLength(int seconds, int parts[3]);

    // Appends a row of a button and three numbers each followed by a separator, the first
    // number at x 249 and the first separator at separatorLeft; the numbers go to numbers.
    static COptionsRow* AddNumberRow(COptionsPage* page, UINT id, UINT buttonText, UINT separator,
                                     int separatorLeft, int separatorRight, const int ranges[6],
                                     COptionsNumber* numbers[3]);
    // Appends a row of a button and a selector with the given strings.
    static COptionsSelector* AddSelectorRow(COptionsPage* page, UINT id, UINT buttonText,
                                            const CRect& rect, const UINT* texts, int count);

protected:
    // The time a new item's defaults come from.
    virtual CTime Now() const { return CTime::GetCurrentTime(); }
    static CChannelList& ChannelList();
    void FillChannels();
    // Stores the fields; the host then goes back to the list.
    void Save();
    void ShowNumbers(COptionsNumber* const numbers[3], const int values[3]);

    COptionsNumber* m_date[3] = {};
    COptionsNumber* m_time[3] = {};
    COptionsNumber* m_length[3] = {};
    COptionsSelector* m_pChannel = NULL;
    COptionsSelector* m_pShut = NULL;
    COptionsSelector* m_pSave = NULL;
    // For each selector position the channel list position it stands for.
    std::vector<int> m_channelMap;
};
