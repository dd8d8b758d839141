#include "FilterClassRecord.h"

#include "NameBuffer.h"

#include <cstring>

CFilterClassRecord::CFilterClassRecord(const CLSID* clsid, const CLSID* category, const char* name,
                                       CreateFunction create)
    : m_clsid(clsid)
    , m_category(category)
    , m_create(create)
    , m_next(s_first)
    , m_byName(FALSE)
{
    CNameBuffer::Copy(m_name, sizeof(m_name), name);
    CNameBuffer::Copy(m_friendlyName, sizeof(m_friendlyName), name);
    s_first = this;
}

BOOL CFilterClassRecord::MatchClsid(REFCLSID clsid)
{
    m_byName = FALSE;
    return m_clsid && IsEqualCLSID(*m_clsid, clsid);
}

BOOL CFilterClassRecord::MatchCategoryAndName(REFCLSID category, const char* friendlyName)
{
    m_byName = TRUE;
    if (m_category == NULL || !IsEqualCLSID(*m_category, category))
        return FALSE;
    CNameBuffer::Copy(m_friendlyName, sizeof(m_friendlyName), friendlyName);
    return strcmp(m_name, "CLASS_FILTER") == 0 || (friendlyName && strcmp(m_name, friendlyName) == 0);
}
