#include "ChannelList.h"

#include <algorithm>
#include <cstdlib>

#include "IniFile.h"

namespace {

const char kGeneral[] = "General";
const char kTotal[] = "Total";
const char kChannel[] = "Channel";
const char kChannelPrefix[] = "Channel-";

CString ChannelKey(int i)
{
    CString key;
    key.Format("%s%d", kChannelPrefix, i);
    return key;
}

} // namespace

CChannelList::CChannelList()
    : m_tolerance(kTvTolerance)
{
}

CChannelList::~CChannelList()
{
}

// Every change of order or content runs through here: the current channel of each view is
// noted before, and each view is rebuilt from the flags after.
template <class Change> void CChannelList::ChangeList(Change change)
{
    std::vector<CChannelGroup::Mark> marks;
    for (const auto& group : m_groups)
        marks.push_back(group.second->MarkCurrent());
    change();
    size_t k = 0;
    for (const auto& group : m_groups)
        group.second->Rebuild(group.first, marks[k++]);
}

BOOL CChannelList::Load(const char* path)
{
    CIniFile ini(path);
    if (!ini.Load())
        return FALSE;
    m_path = path;
    ChangeList([&] { AppendFromFile(ini); });
    return TRUE;
}

// A missing or malformed line costs that channel only; the ones after it still load. Only
// the lines the file holds are read, however large its Total.
void CChannelList::AppendFromFile(const CIniFile& ini)
{
    int total = 0;
    const CIniSection* general = ini.FindSection(kGeneral);
    if (general)
        general->GetInt(kTotal, total);
    const CIniSection* channels = ini.FindSection(kChannel);
    if (!channels)
        return;
    CStringList lines;
    channels->GetNumberedValues(kChannelPrefix, total, lines);
    for (POSITION position = lines.GetHeadPosition(); position;) {
        std::unique_ptr<CChannelEntry> entry(new CChannelEntry);
        if (entry->Parse(lines.GetNext(position)))
            m_entries.push_back(std::move(entry));
    }
}

BOOL CChannelList::Save(const char* path)
{
    CString target = (path && *path) ? CString(path) : m_path;
    CIniFile ini(target);
    ini.SetInt(kGeneral, kTotal, GetCount());
    for (int i = 0; i < GetCount(); ++i)
        ini.SetValue(kChannel, ChannelKey(i), GetAt(i)->Format());
    if (!ini.Save())
        return FALSE;
    m_path = target;
    return TRUE;
}

int CChannelList::IndexOf(const CChannelEntry* entry) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (GetAt(i) == entry)
            return i;
    }
    return -1;
}

BOOL CChannelList::Swap(int i, int j)
{
    if (i < 0 || j < 0 || i >= GetCount() || j >= GetCount())
        return FALSE;
    ChangeList([&] { std::swap(m_entries[i], m_entries[j]); });
    return TRUE;
}

CChannelGroup* CChannelList::GetGroup(DWORD bit)
{
    std::unique_ptr<CChannelGroup>& group = m_groups[bit];
    if (!group) {
        group.reset(new CChannelGroup(this));
        group->Rebuild(bit, group->MarkCurrent());
    }
    return group.get();
}

BOOL CChannelList::ChangeFlags(int index, DWORD set, DWORD clear)
{
    if (index < 0 || index >= GetCount())
        return FALSE;
    CChannelEntry* entry = GetAt(index);
    ChangeList([&] { entry->m_flags = (entry->m_flags & ~clear) | set; });
    return TRUE;
}

BOOL CChannelList::AddToGroup(CChannelEntry* entry, DWORD bit)
{
    return ChangeFlags(IndexOf(entry), bit, 0);
}

BOOL CChannelList::AddToGroup(int index, DWORD bit)
{
    return ChangeFlags(index, bit, 0);
}

BOOL CChannelList::RemoveFromGroup(CChannelEntry* entry, DWORD bit)
{
    return ChangeFlags(IndexOf(entry), 0, bit);
}

BOOL CChannelList::RemoveFromGroup(int index, DWORD bit)
{
    return ChangeFlags(index, 0, bit);
}

BOOL CChannelList::RemoveFromAllGroups(CChannelEntry* entry)
{
    return ChangeFlags(IndexOf(entry), 0, ~(DWORD)0);
}

int CChannelList::SetTolerance(int tolerance)
{
    int old = m_tolerance;
    m_tolerance = tolerance;
    return old;
}

BOOL CChannelList::IsNear(int frequency, int reference) const
{
    return abs(frequency - reference) <= m_tolerance;
}

const CChannelEntry* CChannelList::FindNear(const std::vector<CChannelEntry>& array,
                                            int frequency, int tolerance, int start)
{
    for (size_t i = std::max(start, 0); i < array.size(); ++i) {
        if (abs(frequency - array[i].GetFrequency()) < tolerance)
            return &array[i];
    }
    return NULL;
}

// Channels of equal frequency keep their order.
void CChannelList::SortByFrequency()
{
    ChangeList([&] {
        std::stable_sort(m_entries.begin(), m_entries.end(),
                         [](const std::unique_ptr<CChannelEntry>& a,
                            const std::unique_ptr<CChannelEntry>& b) { return *a < *b; });
    });
}

// One walk over both lists in ascending frequency. A result farther than the tolerance from
// every channel is inserted before the first channel above it (or at the end); a result
// within the tolerance of a channel replaces that channel, or leaves it alone when the user
// asked to keep the channels found before. The walk never moves back, so several results
// near one channel all meet that channel.
void CChannelList::MergeChannels(const std::vector<CChannelEntry>& source, BOOL keepExisting)
{
    ChangeList([&] {
        size_t p = 0;
        for (const CChannelEntry& found : source) {
            int f = found.GetFrequency();
            while (p < m_entries.size() && f > m_entries[p]->m_frequency + m_tolerance)
                ++p;
            if (p == m_entries.size() || f < m_entries[p]->m_frequency - m_tolerance)
                m_entries.insert(m_entries.begin() + p,
                                 std::unique_ptr<CChannelEntry>(new CChannelEntry(found)));
            else if (!keepExisting)
                *m_entries[p] = found;
        }
    });
}

void CChannelList::UpdateChannelNames(std::vector<CChannelEntry>& results,
                                      const std::vector<CChannelEntry>& table, int tolerance)
{
    size_t from = 0;
    for (CChannelEntry& result : results) {
        for (size_t i = from; i < table.size(); ++i) {
            if (abs(result.GetFrequency() - table[i].GetFrequency()) <= tolerance) {
                result.SetName(table[i].GetName());
                from = i;
                break;
            }
        }
    }
}

void CChannelList::RemoveAll()
{
    ChangeList([&] { m_entries.clear(); });
}
