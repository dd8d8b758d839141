#pragma once

#include <windows.h>

class CFilterWrapper;
class CGraphBuilder;

// One entry of the registration list: which wrapper class the engine makes for a filter
// class identifier, or for a device of a category by FriendlyName. The records are static
// objects that link themselves at start-up onto the head of one process-wide list, so the
// list runs in the reverse of their declaration order; the engine's own records are declared
// in FilterClassList.cpp. After start-up only the lookups write to a record (its by-name flag
// and friendly name), on the user-interface thread.
class CFilterClassRecord
{
public:
    enum { kNameSize = 128 };

    // Makes a wrapper for the record as its last lookup found it (see CreateWrapper).
    typedef CFilterWrapper* (*CreateFunction)(const CFilterClassRecord& record, CGraphBuilder* graph, int matchMode);

    // clsid is null for a device record, category null for a record made by class identifier.
    CFilterClassRecord(const CLSID* clsid, const CLSID* category, const char* name, CreateFunction create);

    static CFilterClassRecord* First();
    CFilterClassRecord* GetNext() const { return m_next; }

    // Clears the by-name flag; a match when the record has that class identifier.
    BOOL MatchClsid(REFCLSID clsid);
    // Sets the by-name flag; a record of the category keeps the requested name, and matches
    // when its own name is that name exactly or "CLASS_FILTER" (any device of the category).
    BOOL MatchCategoryAndName(REFCLSID category, const char* friendlyName);

    CFilterWrapper* Create(CGraphBuilder* graph, int matchMode) const { return m_create(*this, graph, matchMode); }

    const CLSID* GetClsid() const { return m_clsid; }
    const CLSID* GetCategory() const { return m_category; }
    const char* GetName() const { return m_name; }
    BOOL IsByName() const { return m_byName; }
    const char* GetFriendlyName() const { return m_friendlyName; }

    // The create function of a wrapper class T: after a lookup by name, T is bound by the
    // record's category and the requested name; otherwise T is made by class identifier.
    template <class T>
    static CFilterWrapper* CreateWrapper(const CFilterClassRecord& record, CGraphBuilder* graph, int matchMode)
    {
        if (!record.IsByName())
            return record.GetClsid() ? new T(graph, *record.GetClsid()) : NULL;
        if (record.GetCategory() == NULL)
            return NULL;
        return new T(graph, *record.GetCategory(), record.GetFriendlyName(), matchMode);
    }

private:
    CFilterClassRecord(const CFilterClassRecord&);
    CFilterClassRecord& operator=(const CFilterClassRecord&);

    const CLSID* m_clsid;
    const CLSID* m_category;
    char m_name[kNameSize];
    CreateFunction m_create;
    CFilterClassRecord* m_next;
    BOOL m_byName;
    char m_friendlyName[kNameSize];

    static CFilterClassRecord* s_first;
};
