#include "ChannelGroup.h"

#include <algorithm>

#include "ChannelEntry.h"
#include "ChannelList.h"

CChannelGroup::CChannelGroup(CChannelList* list)
    : m_list(list), m_current(-1)
{
}

CChannelGroup::~CChannelGroup()
{
}

CChannelEntry* CChannelGroup::EntryAt(int i) const
{
    return i >= 0 && i < GetCount() ? m_list->GetAt(m_positions[i]) : NULL;
}

CChannelEntry* CChannelGroup::SetCurrent(int i)
{
    CChannelEntry* entry = EntryAt(i);
    if (entry)
        m_current = i;
    return entry;
}

CChannelEntry* CChannelGroup::GetFirst()
{
    m_current = GetCount() > 0 ? 0 : -1;
    return EntryAt(m_current);
}

CChannelEntry* CChannelGroup::GetLast()
{
    m_current = GetCount() - 1;
    return EntryAt(m_current);
}

CChannelEntry* CChannelGroup::GetNext()
{
    if (m_current < GetCount())
        ++m_current;
    return EntryAt(m_current);
}

CChannelEntry* CChannelGroup::GetPrev()
{
    if (m_current >= 0)
        --m_current;
    return EntryAt(m_current);
}

CChannelEntry* CChannelGroup::GetCurrent() const
{
    return EntryAt(m_current);
}

int CChannelGroup::GetAt(int i) const
{
    return i >= 0 && i < GetCount() ? m_positions[i] : -1;
}

CString CChannelGroup::DumpEntry(int i) const
{
    CChannelEntry* entry = EntryAt(i);
    CString text;
    text.Format("List:%d,Serial:%d,Content: %s\n", i, GetAt(i),
                entry ? (LPCTSTR)entry->Format() : "");
    return text;
}

CChannelGroup::Mark CChannelGroup::MarkCurrent() const
{
    Mark mark = {GetCurrent(), m_current};
    return mark;
}

// The current channel keeps its place when it is still in the group. When it has left, the
// position stops just before where it stood, so that stepping on reaches the channel that
// followed it. A position before the start or past the end stays there.
void CChannelGroup::Rebuild(DWORD bit, const Mark& mark)
{
    m_positions.clear();
    int found = -1;
    for (int index = 0; index < m_list->GetCount(); ++index) {
        CChannelEntry* entry = m_list->GetAt(index);
        if (!entry->HasFlag(bit))
            continue;
        if (entry == mark.entry)
            found = GetCount();
        m_positions.push_back(index);
    }
    if (found >= 0)
        m_current = found;
    else if (mark.entry)
        m_current = std::min(mark.position - 1, GetCount() - 1);
    else
        m_current = mark.position < 0 ? -1 : GetCount();
}
