#pragma once

#include <afx.h>

#include <vector>

class CChannelEntry;
class CChannelList;

// The channels of one group of a list (all channels, favourites), in list order, with a
// current position for stepping through them. The list owns its groups and rebuilds them
// whenever its order or content changes, so positions always name the right channels.
class CChannelGroup
{
public:
    explicit CChannelGroup(CChannelList* list);
    virtual ~CChannelGroup();

    // Makes position i current; NULL, current position unchanged, outside the group.
    CChannelEntry* SetCurrent(int i);
    CChannelEntry* GetFirst();
    CChannelEntry* GetLast();
    // NULL past the end (the position stays one past it) or before the start (-1).
    CChannelEntry* GetNext();
    CChannelEntry* GetPrev();
    CChannelEntry* GetCurrent() const;
    int GetCurrentIndex() const { return m_current; }
    int GetCount() const { return (int)m_positions.size(); }
    // The list index of the channel at group position i; -1 outside the group.
    int GetAt(int i) const;
    // "List:%d,Serial:%d,Content: %s\n" for a debug trace.
    CString DumpEntry(int i) const;

private:
    friend class CChannelList;

    // The current channel before a change of the list, so that it can be found again after.
    struct Mark
    {
        const CChannelEntry* entry;
        int position;
    };

    CChannelGroup(const CChannelGroup&);
    CChannelGroup& operator=(const CChannelGroup&);

    Mark MarkCurrent() const;
    void Rebuild(DWORD bit, const Mark& mark);
    CChannelEntry* EntryAt(int i) const;

    CChannelList* m_list;  // weak: the list owns the group
    int m_current;
    std::vector<int> m_positions;
};
