#pragma once

#include <afx.h>

#include "Tickwell.h"

class CChannelList;

// How the schedule page and its item dialog show a scheduled recording's two records: the
// five texts of its row in the page's list, and the dialog's weekday rows, which run from
// Sunday while the stored mask runs from Monday.
class CScheduleItemFormat
{
public:
    enum { kDateColumn, kTimeColumn, kLengthColumn, kChannelColumn, kSourceColumn, kColumnCount };
    enum { kWeekdayRows = 7 };

    // channels: the list the item's channel number counts in.
    static void GetRowTexts(const _tagTimingParam& timing, const _tagExcuteParam& execute,
                            const CChannelList& channels, CString texts[kColumnCount]);
    // A one-time item's date, or the names of a weekly item's days in bit order.
    static CString FormatDate(const _tagTimingParam& timing);
    static CString FormatClock(int hour, int minute, int second);
    static CString FormatLength(int seconds);
    // "%d.%s" of entry (number - 1) for the tuner; empty for other sources and numbers outside
    // the list.
    static CString FormatChannel(const _tagExcuteParam& execute, const CChannelList& channels);
    static CString FormatSource(int source);

    // The stored mask bit of weekday row 0 (Sunday) .. 6 (Saturday); 0 outside.
    static int GetWeekdayBit(int row);
    // The mask of the checked rows, and the other way round.
    static int MaskFromRows(const BOOL checked[kWeekdayRows]);
    static void RowsFromMask(int mask, BOOL checked[kWeekdayRows]);
};
