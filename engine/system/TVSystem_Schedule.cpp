// The card's timed power-on, programmed from the scheduling library's items.
#include "TVSystem.h"

#include <afxwin.h>

#include "PowerOnPlanner.h"
#include "Tickwell.h"

namespace {

enum { kPowerOnArmed = 0, kPowerOnTimeUnfit = 1, kPowerOnRefused = -1 };

// The card's controller counts the minutes in one 16-bit word.
const LONG kMaxControllerMinutes = 0xFFFF;

const char kTimeUnfitText[] = "设置定时开机功能失败.\n 可能是您设置的时间没有满足定时开机要求";
const char kRefusedText[] = "设置定时开机功能失败.\n可能您的驱动安装不正确或硬件已经损坏";
enum { kTimeUnfitTextId = 45278, kRefusedTextId = 45279 };

std::vector<ScheduleItemRecords> ReadScheduleItems()
{
    std::vector<ScheduleItemRecords> items;
    for (HTIMINGITEM item = Timing_GetFirstItem(0); item; item = Timing_GetNextItem(0, item)) {
        ScheduleItemRecords records = {};
        if (Timing_GetItemTimingParam(item, &records.timing) &&
            Timing_GetItemExcuteParam(item, &records.execute, sizeof(records.execute)))
            items.push_back(records);
    }
    return items;
}

} // namespace

BOOL CTVSystem::HasActiveSchedule()
{
    for (const ScheduleItemRecords& item : ReadScheduleItems()) {
        if (item.execute.powerOn)
            return TRUE;
    }
    return FALSE;
}

int CTVSystem::GetNextAutoRunTime()
{
    CTime now = CTime::GetCurrentTime();
    CTime powerOn = now;
    BOOL found = CPowerOnPlanner::FindPowerOnTime(now, ReadScheduleItems(), powerOn);
    CString trace = powerOn.Format(found ? "tmAutoRun %A, %B %d, %Y :%H:%M:%S\n" : "tmAutoRun %A, %B %d, %Y %H:%M:%S\n");
    TRACE("%s", (LPCTSTR)trace);

    int code = ProgramPowerOn(found, found ? CPowerOnPlanner::MinutesUntil(now, powerOn) : 0);
    if (m_reportPowerOnErrors && code == kPowerOnTimeUnfit)
        AfxMessageBox(kTimeUnfitText, MB_OK, kTimeUnfitTextId);
    if (m_reportPowerOnErrors && code == kPowerOnRefused)
        AfxMessageBox(kRefusedText, MB_OK, kRefusedTextId);
    return code;
}

// A time the controller's word cannot hold disarms it rather than arm it for the wrong time.
int CTVSystem::ProgramPowerOn(BOOL found, LONG minutes)
{
    if (!found) {
        m_graph.SendCardCommand(0, FALSE);
        return kPowerOnArmed;
    }
    if (minutes < 0)
        return kPowerOnTimeUnfit;
    if (minutes > kMaxControllerMinutes) {
        m_graph.SendCardCommand(0, FALSE);
        return kPowerOnTimeUnfit;
    }
    return m_graph.SendCardCommand((DWORD)minutes, TRUE) ? kPowerOnArmed : kPowerOnRefused;
}
