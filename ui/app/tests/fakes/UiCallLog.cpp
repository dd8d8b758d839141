#include "UiCallLog.h"

#include <map>
#include <mutex>

namespace {

// The log may be written from the engine's worker threads as well as the test's thread.
std::mutex& LogLock()
{
    static std::mutex lock;
    return lock;
}

std::vector<std::string>& LogLines()
{
    static std::vector<std::string> lines;
    return lines;
}

std::map<UINT, BOOL>& DisabledItems()
{
    static std::map<UINT, BOOL> items;
    return items;
}

} // namespace

void CUiCallLog::Add(const std::string& call)
{
    std::lock_guard<std::mutex> guard(LogLock());
    LogLines().push_back(call);
}

const std::vector<std::string>& CUiCallLog::Calls()
{
    return LogLines();
}

void CUiCallLog::Clear()
{
    std::lock_guard<std::mutex> guard(LogLock());
    LogLines().clear();
    DisabledItems().clear();
}

int CUiCallLog::Count(const char* prefix)
{
    std::lock_guard<std::mutex> guard(LogLock());
    std::string start(prefix);
    int count = 0;
    for (const std::string& line : LogLines())
        if (line.compare(0, start.size(), start) == 0)
            ++count;
    return count;
}

void CUiCallLog::SetItemEnabled(UINT id, BOOL enabled)
{
    std::lock_guard<std::mutex> guard(LogLock());
    DisabledItems()[id] = enabled;
}

BOOL CUiCallLog::IsItemEnabled(UINT id)
{
    std::lock_guard<std::mutex> guard(LogLock());
    auto it = DisabledItems().find(id);
    return it == DisabledItems().end() ? TRUE : it->second;
}
