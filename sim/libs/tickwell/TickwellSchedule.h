#pragma once

#include "Tickwell.h"

#include <list>
#include <memory>
#include <string>

struct TimingItem
{
    _tagTimingParam timing;
    _tagExcuteParam execute;
    // Trigger state, not stored: the occurrence last started (local seconds, -1 none) and
    // whether it is recording now.
    LONGLONG startedOccurrence;
    bool running;
};

// The items of list 0 and their schedule file. Times are local seconds since 1601-01-01, a
// Monday, so a day's weekday index (Monday 0) is its day number modulo 7.
// Not thread-safe: the library's exports serialise every call.
class CTickwellSchedule
{
public:
    // Loads the file when it exists, and leaves it as it is until the schedule changes; FALSE
    // when it cannot be written there.
    bool Open(const std::string& path, int maxItems);
    void Close();
    bool IsOpen() const { return !m_path.empty(); }

    TimingItem* First() const;
    TimingItem* Next(TimingItem* item) const;
    bool Contains(TimingItem* item) const;

    // One of the Timing_CheckItem codes at the local time now; `ignore` is left out.
    int Check(const _tagTimingParam& timing, TimingItem* ignore, LONGLONG now) const;
    TimingItem* Insert(const _tagTimingParam& timing, const _tagExcuteParam& execute);
    bool Update(TimingItem* item, const _tagTimingParam& timing, const _tagExcuteParam& execute);
    bool Remove(TimingItem* item);

    const std::list<std::unique_ptr<TimingItem>>& Items() const { return m_items; }

    static LONGLONG Now();
    // The start of the item's occurrence that covers `now`, or -1: one that has begun and whose
    // length (at least a second) has not run out.
    static LONGLONG CurrentOccurrence(const _tagTimingParam& timing, LONGLONG now);

private:
    struct Span
    {
        LONGLONG start;
        LONGLONG end;
    };

    TimingItem* Add(const _tagTimingParam& timing, const _tagExcuteParam& execute);
    bool Load();
    bool Save() const;
    // The temporary file beside the schedule can be made (and is removed again).
    bool CanWrite() const;
    static bool StartOf(const _tagTimingParam& timing, LONGLONG* seconds);
    // Occurrences beginning in [from, to).
    static void Occurrences(const _tagTimingParam& timing, LONGLONG from, LONGLONG to, std::list<Span>& spans);
    static int Overlap(const _tagTimingParam& added, const _tagTimingParam& stored, LONGLONG now);

    std::string m_path;
    int m_maxItems = 0;
    std::list<std::unique_ptr<TimingItem>> m_items;
};
