#include "CSimIviParams.h"

#include "CritGuard.h"

CSimIviParams::CSimIviParams(const CSimLog& log, char tag) : m_log(log), m_tag(tag)
{
}

void CSimIviParams::Set(LONG id, LONG value)
{
    CCritGuard guard(m_lock);
    m_values[id] = value;
    m_log.Line("%c set %ld=%ld", m_tag, (long)id, (long)value);
}

LONG CSimIviParams::Get(LONG id) const
{
    CCritGuard guard(m_lock);
    auto found = m_values.find(id);
    return found != m_values.end() ? found->second : 0;
}
