#pragma once

#include <afx.h>

#include <map>
#include <memory>
#include <vector>

#include "ChannelEntry.h"
#include "ChannelGroup.h"

class CIniFile;

// A channel list file (TVChannel.ini, FMChannel.ini) in memory: the channels in list order
// and the group views built from their flags. Every change of the order or of the content
// goes through one step that rebuilds the views, so a view never names the wrong channel.
class CChannelList
{
public:
    enum { kTvTolerance = 2000, kFmTolerance = 200 };

    CChannelList();
    // Appends the file's valid channels to what the list holds; FALSE, list unchanged, when
    // the file cannot be read.
    virtual BOOL Load(const char* path);
    // Writes a fresh file of the channels; an empty path keeps the path of the last load or
    // save. A failed save leaves the old file.
    virtual BOOL Save(const char* path);
    virtual ~CChannelList();

    CString GetFileName() const { return m_path; }
    // No bound check: callers stay within 0 .. GetCount() - 1.
    CChannelEntry* GetAt(int index) const { return m_entries[index].get(); }
    int GetCount() const { return (int)m_entries.size(); }
    int IndexOf(const CChannelEntry* entry) const;
    BOOL Swap(int i, int j);

    // The list's view of one group bit, made on first use; owned by the list.
    CChannelGroup* GetGroup(DWORD bit);
    // FALSE when the entry is not in the list.
    BOOL AddToGroup(CChannelEntry* entry, DWORD bit);
    BOOL AddToGroup(int index, DWORD bit);
    BOOL RemoveFromGroup(CChannelEntry* entry, DWORD bit);
    BOOL RemoveFromGroup(int index, DWORD bit);
    // Clears every flag: the channel stays in the file but is shown nowhere.
    BOOL RemoveFromAllGroups(CChannelEntry* entry);

    int GetTolerance() const { return m_tolerance; }
    // Returns the old tolerance.
    int SetTolerance(int tolerance);
    // Within the tolerance, both bounds included.
    BOOL IsNear(int frequency, int reference) const;
    // The first entry from start on strictly closer than the tolerance; NULL when none.
    static const CChannelEntry* FindNear(const std::vector<CChannelEntry>& array,
                                         int frequency, int tolerance, int start);

    void SortByFrequency();
    // Scan results in ascending frequency go into the list (see the .cpp for the rules).
    void MergeChannels(const std::vector<CChannelEntry>& source, BOOL keepExisting);
    // Both in ascending frequency: each result takes the name of the first table channel
    // within the tolerance, searching on from the last match.
    static void UpdateChannelNames(std::vector<CChannelEntry>& results,
                                   const std::vector<CChannelEntry>& table, int tolerance);
    void RemoveAll();

private:
    CChannelList(const CChannelList&);
    CChannelList& operator=(const CChannelList&);

    template <class Change> void ChangeList(Change change);
    BOOL ChangeFlags(int index, DWORD set, DWORD clear);
    void AppendFromFile(const CIniFile& ini);

    std::vector<std::unique_ptr<CChannelEntry> > m_entries;
    std::map<DWORD, std::unique_ptr<CChannelGroup> > m_groups;
    CString m_path;
    int m_tolerance;
};
