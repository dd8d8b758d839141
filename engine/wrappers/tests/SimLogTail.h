#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The lines this process has written to a stand-in module's log (C:\sim\log\<module>.log)
// since the tail was made, without their time and process columns.
class SimLogTail
{
public:
    explicit SimLogTail(const char* module);
    std::vector<std::string> Lines() const;

private:
    std::string m_path;
    LONGLONG m_start;
};
