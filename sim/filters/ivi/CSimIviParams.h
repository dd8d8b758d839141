#pragma once

#include "CSimLog.h"
#include "CritSection.h"

#include <windows.h>

#include <map>

// Numbered parameters as InterVideo's filters keep them: any id is stored, an unset one
// reads 0. Every set is logged in call order ("A set 258=224").
class CSimIviParams
{
public:
    CSimIviParams(const CSimLog& log, char tag);

    void Set(LONG id, LONG value);
    LONG Get(LONG id) const;

private:
    // Weak: the owning filter's log.
    const CSimLog& m_log;
    const char m_tag;
    // Guards m_values: set on the application's thread, read when the filter pauses.
    mutable CCritSection m_lock;
    std::map<LONG, LONG> m_values;
};
