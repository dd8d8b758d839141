#include "CScheduleItemFormat.h"

#include "ChannelList.h"

namespace {

// By mask bit: bit 0 Monday ... bit 6 Sunday.
const char* const kDayNames[] = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
const int kSunday = 6;

} // namespace

void CScheduleItemFormat::GetRowTexts(const _tagTimingParam& timing, const _tagExcuteParam& execute,
                                      const CChannelList& channels, CString texts[kColumnCount])
{
    texts[kDateColumn] = FormatDate(timing);
    texts[kTimeColumn] = FormatClock(timing.hour, timing.minute, timing.second);
    texts[kLengthColumn] = FormatLength(execute.length);
    texts[kChannelColumn] = FormatChannel(execute, channels);
    texts[kSourceColumn] = FormatSource(execute.source);
}

CString CScheduleItemFormat::FormatDate(const _tagTimingParam& timing)
{
    CString text;
    if (timing.oneTime) {
        text.Format("%04d-%02d-%02d", timing.year, timing.month, timing.day);
        return text;
    }
    for (int bit = 0; bit < kWeekdayRows; bit++) {
        if (!(timing.weekdays & (1 << bit)))
            continue;
        if (!text.IsEmpty())
            text += ",";
        text += kDayNames[bit];
    }
    return text;
}

CString CScheduleItemFormat::FormatClock(int hour, int minute, int second)
{
    CString text;
    text.Format("%02d:%02d:%02d", hour, minute, second);
    return text;
}

CString CScheduleItemFormat::FormatLength(int seconds)
{
    return FormatClock(seconds / 3600, seconds / 60 % 60, seconds % 60);
}

CString CScheduleItemFormat::FormatChannel(const _tagExcuteParam& execute, const CChannelList& channels)
{
    CString text;
    int index = execute.channel - 1;
    if (execute.source == 0 && index >= 0 && index < channels.GetCount())
        text.Format("%d.%s", index, (LPCTSTR)channels.GetAt(index)->GetName());
    return text;
}

CString CScheduleItemFormat::FormatSource(int source)
{
    return source == 0 ? "TV" : source == 1 ? "AV" : "SV";
}

int CScheduleItemFormat::GetWeekdayBit(int row)
{
    if (row < 0 || row >= kWeekdayRows)
        return 0;
    return 1 << (row == 0 ? kSunday : row - 1);
}

int CScheduleItemFormat::MaskFromRows(const BOOL checked[kWeekdayRows])
{
    int mask = 0;
    for (int row = 0; row < kWeekdayRows; row++) {
        if (checked[row])
            mask |= GetWeekdayBit(row);
    }
    return mask;
}

void CScheduleItemFormat::RowsFromMask(int mask, BOOL checked[kWeekdayRows])
{
    for (int row = 0; row < kWeekdayRows; row++)
        checked[row] = (mask & GetWeekdayBit(row)) != 0;
}
