#include "TickwellSchedule.h"

#include <cstdio>
#include <cstring>

namespace {

const char kMagic[4] = {'T', 'K', 'W', '1'};
const LONGLONG kDay = 86400;

// The file: the magic, the item count (DWORD), then each item's two records as stored.
struct FileItem
{
    _tagTimingParam timing;
    _tagExcuteParam execute;
};

LONGLONG FileTimeSeconds(const FILETIME& time)
{
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return (LONGLONG)(value.QuadPart / 10000000);
}

bool TimeOfDay(const _tagTimingParam& timing, LONGLONG* seconds)
{
    if (timing.hour < 0 || timing.hour > 23 || timing.minute < 0 || timing.minute > 59 ||
        timing.second < 0 || timing.second > 59)
        return false;
    *seconds = timing.hour * 3600 + timing.minute * 60 + timing.second;
    return true;
}

// A zero length still occupies its starting second.
LONGLONG Length(const _tagTimingParam& timing)
{
    return timing.length > 0 ? timing.length : 1;
}

bool Within(LONGLONG moment, LONGLONG start, LONGLONG end)
{
    return moment >= start && moment < end;
}

} // namespace

bool CTickwellSchedule::Open(const std::string& path, int maxItems)
{
    Close();
    m_path = path;
    m_maxItems = maxItems;
    // An unusable place fails here rather than at the first insert. A file that is there is
    // not written back: a damaged one stays as it was until the schedule changes.
    bool existed = GetFileAttributesA(m_path.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!Load() || !(existed ? CanWrite() : Save())) {
        Close();
        return false;
    }
    return true;
}

bool CTickwellSchedule::CanWrite() const
{
    std::string temporary = m_path + ".new";
    FILE* file = fopen(temporary.c_str(), "wb");
    if (!file)
        return false;
    fclose(file);
    DeleteFileA(temporary.c_str());
    return true;
}

void CTickwellSchedule::Close()
{
    m_items.clear();
    m_path.clear();
    m_maxItems = 0;
}

TimingItem* CTickwellSchedule::First() const
{
    return m_items.empty() ? NULL : m_items.front().get();
}

TimingItem* CTickwellSchedule::Next(TimingItem* item) const
{
    for (auto it = m_items.begin(); it != m_items.end(); ++it) {
        if (it->get() != item)
            continue;
        ++it;
        return it == m_items.end() ? NULL : it->get();
    }
    return NULL;
}

bool CTickwellSchedule::Contains(TimingItem* item) const
{
    for (const auto& stored : m_items) {
        if (stored.get() == item)
            return true;
    }
    return false;
}

int CTickwellSchedule::Check(const _tagTimingParam& timing, TimingItem* ignore, LONGLONG now) const
{
    if (timing.oneTime) {
        LONGLONG start;
        if (!StartOf(timing, &start) || start < now)
            return kTimingPassed;
    }
    for (const auto& stored : m_items) {
        if (stored.get() == ignore)
            continue;
        int code = Overlap(timing, stored->timing, now);
        if (code != kTimingAcceptable)
            return code;
    }
    return kTimingAcceptable;
}

TimingItem* CTickwellSchedule::Insert(const _tagTimingParam& timing, const _tagExcuteParam& execute)
{
    if (!IsOpen() || (int)m_items.size() >= m_maxItems)
        return NULL;
    TimingItem* added = Add(timing, execute);
    if (!Save()) {
        m_items.pop_back();
        return NULL;
    }
    return added;
}

TimingItem* CTickwellSchedule::Add(const _tagTimingParam& timing, const _tagExcuteParam& execute)
{
    std::unique_ptr<TimingItem> item(new TimingItem());
    item->timing = timing;
    item->execute = execute;
    item->startedOccurrence = -1;
    item->running = false;
    m_items.push_back(std::move(item));
    return m_items.back().get();
}

bool CTickwellSchedule::Update(TimingItem* item, const _tagTimingParam& timing, const _tagExcuteParam& execute)
{
    if (!Contains(item))
        return false;
    FileItem old = {item->timing, item->execute};
    item->timing = timing;
    item->execute = execute;
    item->startedOccurrence = -1;
    if (Save())
        return true;
    item->timing = old.timing;
    item->execute = old.execute;
    return false;
}

bool CTickwellSchedule::Remove(TimingItem* item)
{
    for (auto it = m_items.begin(); it != m_items.end(); ++it) {
        if (it->get() == item) {
            m_items.erase(it);
            Save();
            return true;
        }
    }
    return false;
}

LONGLONG CTickwellSchedule::Now()
{
    SYSTEMTIME local;
    GetLocalTime(&local);
    FILETIME time;
    SystemTimeToFileTime(&local, &time);
    return FileTimeSeconds(time);
}

LONGLONG CTickwellSchedule::CurrentOccurrence(const _tagTimingParam& timing, LONGLONG now)
{
    std::list<Span> spans;
    Occurrences(timing, now - 2 * kDay, now + 1, spans);
    for (const Span& span : spans) {
        if (Within(now, span.start, span.end))
            return span.start;
    }
    return -1;
}

bool CTickwellSchedule::StartOf(const _tagTimingParam& timing, LONGLONG* seconds)
{
    SYSTEMTIME start = {};
    start.wYear = (WORD)timing.year;
    start.wMonth = (WORD)timing.month;
    start.wDay = (WORD)timing.day;
    start.wHour = (WORD)timing.hour;
    start.wMinute = (WORD)timing.minute;
    start.wSecond = (WORD)timing.second;
    FILETIME time;
    if (timing.year < 1601 || timing.year > 30827 || !SystemTimeToFileTime(&start, &time))
        return false;
    *seconds = FileTimeSeconds(time);
    return true;
}

void CTickwellSchedule::Occurrences(const _tagTimingParam& timing, LONGLONG from, LONGLONG to,
                                    std::list<Span>& spans)
{
    if (timing.oneTime) {
        LONGLONG start;
        if (StartOf(timing, &start) && Within(start, from, to))
            spans.push_back({start, start + Length(timing)});
        return;
    }
    LONGLONG timeOfDay;
    if (!TimeOfDay(timing, &timeOfDay))
        return;
    for (LONGLONG day = from / kDay; day * kDay < to; ++day) {
        LONGLONG start = day * kDay + timeOfDay;
        if ((timing.weekdays & (1 << (day % 7))) && Within(start, from, to))
            spans.push_back({start, start + Length(timing)});
    }
}

// 3: the added item starts while a stored one records; 4: a stored one starts while the
// added one would record.
int CTickwellSchedule::Overlap(const _tagTimingParam& added, const _tagTimingParam& stored, LONGLONG now)
{
    // Around a one-time item's date, or over a whole week of both weekly items.
    LONGLONG centre = now;
    if (added.oneTime || stored.oneTime) {
        const _tagTimingParam& dated = added.oneTime ? added : stored;
        if (!StartOf(dated, &centre))
            return kTimingAcceptable;
    }
    LONGLONG from = centre - 2 * kDay;
    LONGLONG to = centre + 9 * kDay;
    std::list<Span> addedSpans, storedSpans;
    Occurrences(added, from, to, addedSpans);
    Occurrences(stored, from, to, storedSpans);
    for (const Span& a : addedSpans) {
        for (const Span& s : storedSpans) {
            if (Within(a.start, s.start, s.end))
                return kTimingOverlapsStart;
            if (Within(s.start, a.start, a.end))
                return kTimingOverlapsSpan;
        }
    }
    return kTimingAcceptable;
}

bool CTickwellSchedule::Load()
{
    if (GetFileAttributesA(m_path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return true;
    FILE* file = fopen(m_path.c_str(), "rb");
    if (!file)
        return false;
    // A damaged file keeps the items read before the damage.
    char magic[4];
    DWORD count = 0;
    bool ok = fread(magic, 1, 4, file) == 4 && memcmp(magic, kMagic, 4) == 0 &&
              fread(&count, sizeof(count), 1, file) == 1;
    for (DWORD i = 0; ok && i < count && (int)i < m_maxItems; ++i) {
        FileItem stored;
        ok = fread(&stored, sizeof(stored), 1, file) == 1;
        if (ok)
            Add(stored.timing, stored.execute);
    }
    fclose(file);
    return true;
}

// Through a temporary file, so that a failed write never leaves a half file behind.
bool CTickwellSchedule::Save() const
{
    std::string temporary = m_path + ".new";
    FILE* file = fopen(temporary.c_str(), "wb");
    if (!file)
        return false;
    DWORD count = (DWORD)m_items.size();
    bool ok = fwrite(kMagic, 1, 4, file) == 4 && fwrite(&count, sizeof(count), 1, file) == 1;
    for (const auto& item : m_items) {
        FileItem stored = {item->timing, item->execute};
        ok = ok && fwrite(&stored, sizeof(stored), 1, file) == 1;
    }
    ok = fclose(file) == 0 && ok;
    if (ok)
        ok = MoveFileExA(temporary.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    if (!ok)
        DeleteFileA(temporary.c_str());
    return ok;
}
