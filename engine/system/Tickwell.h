#pragma once

#include <windows.h>

// The scheduling library Tickwell, linked by import. It keeps the scheduled recordings in a
// schedule file, checks new times against the stored ones and tells one registered window
// when an item starts and when its length has run out. Every list operation takes list 0.

// Posted to the registered window: wParam the item, lParam kScheduleStarted or kScheduleEnded.
#define WM_SCHEDULE_EVENT (WM_USER + 200)
enum { kScheduleStarted = 0, kScheduleEnded = 1 };

// Timing_CheckItem codes.
enum { kTimingAcceptable = 0, kTimingPassed = 1, kTimingOverlapsStart = 3, kTimingOverlapsSpan = 4 };

// When an item records, by value. Weekday bits: bit 0 Monday ... bit 6 Sunday.
struct _tagTimingParam
{
    int year;
    int month;  // 1-12
    int day;
    int hour;
    int minute;
    int second;
    int length;    // seconds
    int oneTime;   // 1 one date, 0 weekly
    int weekdays;  // 0 for one-time items
    int reserved;
};

// What an item does, 40 bytes, by pointer.
struct _tagExcuteParam
{
    int size;  // 40
    int reserved;
    int length;     // seconds
    int source;     // 0 TV, 1 composite, 2 S-video, 3 FM radio
    int channel;    // 1-based
    int frequency;  // kHz
    int shutDown;   // shut the computer down afterwards
    int mute;       // mute while recording
    int powerOn;    // power the computer on before the start
    int powerOnEarly;  // minutes; 0 unless powerOn
};

// An opaque, non-null handle of one schedule item.
typedef struct TimingItem* HTIMINGITEM;

#ifdef __cplusplus
extern "C" {
#endif

// path: the schedule file; maxItems: how many items the list may hold. Non-zero on success.
int WINAPI Timing_Initialize(const char* path, int maxItems);
int WINAPI Timing_Uninitialize(void);
int WINAPI Timing_RegisterMsgWnd(HWND window);
int WINAPI Timing_StartTrigger(int list);
int WINAPI Timing_StopTrigger(int list);

// NULL ends the walk.
HTIMINGITEM WINAPI Timing_GetFirstItem(int list);
HTIMINGITEM WINAPI Timing_GetNextItem(int list, HTIMINGITEM item);
int WINAPI Timing_GetItemTimingParam(HTIMINGITEM item, _tagTimingParam* timing);
int WINAPI Timing_GetItemExcuteParam(HTIMINGITEM item, void* buffer, int size);

// The item passed (or NULL) is left out of the overlap test; *code gets one of the codes
// above. Non-zero when the check ran.
int WINAPI Timing_CheckItem(int list, HTIMINGITEM item, _tagTimingParam timing, int* code);
// The new item, NULL when it cannot be stored.
HTIMINGITEM WINAPI Timing_InsertItem(int list, _tagTimingParam timing, const _tagExcuteParam* execute);
int WINAPI Timing_UpdateItem(HTIMINGITEM item, _tagTimingParam timing, const _tagExcuteParam* execute);
int WINAPI Timing_RemoveItem(HTIMINGITEM item);
// Ends the item that is recording now, without its end event.
int WINAPI Timing_CancelItem(int list);

#ifdef __cplusplus
}
#endif
