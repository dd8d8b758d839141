#include "TVSystem.h"


namespace {

const char kTVChannelFile[] = "TVChannel.ini";

DWORD GroupBit(int useFavor)
{
    return useFavor ? CChannelEntry::kFavorites : CChannelEntry::kAllChannels;
}

// The group's channel of that frequency, made current; NULL, current unchanged, when it has
// none.
CChannelEntry* FindInGroup(CChannelList& list, CChannelGroup* group, int frequency)
{
    for (int i = 0; i < group->GetCount(); ++i)
        if (list.GetAt(group->GetAt(i))->GetFrequency() == frequency)
            return group->SetCurrent(i);
    return NULL;
}

} // namespace

void CTVSystem::LoadChannels()
{
    m_tvChannels.RemoveAll();
    m_tvChannels.SetTolerance(CChannelList::kTvTolerance);
    m_tvChannels.Load(ProgramFile(kTVChannelFile));
    m_tvGroup = m_tvChannels.GetGroup(GroupBit(m_settings.useFavor));
    m_currentTV = m_previousTV = NULL;
    LoadRegionTables();
}

BOOL CTVSystem::SaveChannels()
{
    return m_tvChannels.Save(ProgramFile(kTVChannelFile));
}

BOOL CTVSystem::SelectChannel(CChannelEntry* entry)
{
    if (!entry)
        return FALSE;
    if (m_settings.videoSource == kSourceTuner) {
        m_previousTV = m_currentTV;
        m_currentTV = entry;
        return m_graph.SetFrequency(entry->GetFrequency());
    }
    if (m_settings.videoSource == kSourceFm) {
        m_previousFM = m_currentFM;
        m_currentFM = entry;
        return m_graph.SetFMFrequency(entry->GetFrequency());
    }
    return FALSE;
}

BOOL CTVSystem::SelectChannelByIndex(int position)
{
    CChannelGroup* group = m_settings.videoSource == kSourceFm ? m_fmGroup : m_tvGroup;
    if (!group)
        return FALSE;
    return SelectChannel(group->SetCurrent(position));
}

// An empty group has no next channel: the wrap-round finds none either.
CChannelEntry* CTVSystem::StepChannel(CChannelGroup* group, BOOL forward)
{
    if (!group || group->GetCount() == 0)
        return NULL;
    CChannelEntry* entry = forward ? group->GetNext() : group->GetPrev();
    if (!entry)
        entry = forward ? group->GetFirst() : group->GetLast();
    return entry;
}

CChannelEntry* CTVSystem::NextChannel()
{
    if (m_settings.videoSource == kSourceFm)
        return NextFMChannel();
    return StepChannel(m_tvGroup, TRUE);
}

CChannelEntry* CTVSystem::PrevChannel()
{
    if (m_settings.videoSource == kSourceFm)
        return PrevFMChannel();
    return StepChannel(m_tvGroup, FALSE);
}

CChannelEntry* CTVSystem::RecallLastChannel()
{
    if (m_tvGroup && m_previousTV) {
        for (int i = 0; i < m_tvGroup->GetCount(); ++i) {
            if (m_tvChannels.GetAt(m_tvGroup->GetAt(i)) == m_previousTV) {
                m_tvGroup->SetCurrent(i);
                break;
            }
        }
    }
    return m_previousTV;
}

CChannelEntry* CTVSystem::GetCurrentChannel()
{
    return m_settings.videoSource == kSourceFm ? GetCurrentFMChannel() : m_currentTV;
}

int CTVSystem::GetChannelCount()
{
    return m_tvGroup ? m_tvGroup->GetCount() : 0;
}

int CTVSystem::GetChannelIndex()
{
    return m_tvGroup ? m_tvGroup->GetCurrentIndex() : -1;
}

BOOL CTVSystem::SetChannelIndex(int position)
{
    CChannelEntry* entry = m_tvGroup ? m_tvGroup->SetCurrent(position) : NULL;
    if (entry == NULL)
        return FALSE;
    m_currentTV = entry;
    return TRUE;
}

BOOL CTVSystem::GetUseFavor() const
{
    return m_settings.videoSource == kSourceFm ? m_settings.fmUseFavor : m_settings.useFavor;
}

void CTVSystem::SetUseFavor(BOOL on)
{
    if (m_settings.videoSource == kSourceFm)
        SetFMUseFavor(on, 0);
    else
        SetTVUseFavor(on);
}

void CTVSystem::SetTVUseFavor(BOOL on)
{
    if (!on == !m_settings.useFavor)
        return;
    m_settings.useFavor = on;
    m_tvGroup = m_tvChannels.GetGroup(GroupBit(on));
    if (!m_currentTV || !FindInGroup(m_tvChannels, m_tvGroup, m_currentTV->GetFrequency())) {
        CChannelEntry* entry = m_tvGroup->GetCurrent();
        if (!entry)
            entry = m_tvGroup->GetFirst();
        if (entry)
            SelectChannel(entry);
    }
    ShowChannelOnPanel();
}

void CTVSystem::ShowChannelOnPanel()
{
    View().ShowChannelInfo(m_currentTV);
    View().ShowFavoriteButton(IsCurrentChannelFavorite());
}

void CTVSystem::SetChannelFavorite(BOOL on)
{
    if (!m_currentTV)
        return;
    if (on)
        m_tvChannels.AddToGroup(m_currentTV, CChannelEntry::kFavorites);
    else
        m_tvChannels.RemoveFromGroup(m_currentTV, CChannelEntry::kFavorites);
    ShowChannelOnPanel();
}

BOOL CTVSystem::IsCurrentChannelFavorite()
{
    return m_currentTV && m_currentTV->HasFlag(CChannelEntry::kFavorites);
}

void CTVSystem::DeleteCurrentChannel()
{
    if (!m_currentTV)
        return;
    CChannelEntry* deleted = m_currentTV;
    m_tvChannels.RemoveFromAllGroups(deleted);
    if (m_previousTV == deleted)
        m_previousTV = NULL;
    CChannelEntry* next = StepChannel(m_tvGroup, TRUE);
    m_currentTV = NULL;
    if (next)
        SelectChannel(next);
    ShowChannelOnPanel();
}

// The list keeps its group views in step with the flags; these two never delete a channel,
// so the current and previous channels stay valid.
void CTVSystem::ResetChannelLists()
{
    for (int i = 0; i < m_tvChannels.GetCount(); ++i)
        m_tvChannels.AddToGroup(i, CChannelEntry::kAllChannels);
    ClearChannelLists();
}

void CTVSystem::ClearChannelLists()
{
    m_tvGroup = m_tvChannels.GetGroup(GroupBit(m_settings.useFavor));
}

BOOL CTVSystem::RetuneCurrentChannel()
{
    if (m_settings.videoSource == kSourceFm) {
        CChannelEntry* entry = GetCurrentFMChannel();
        return entry && m_graph.SetFMFrequency(entry->GetFrequency());
    }
    if (m_currentTV)
        return m_graph.SetFrequency(m_currentTV->GetFrequency());
    return SelectChannelByIndex(0);
}

BOOL CTVSystem::SetFrequency(BOOL fm, DWORD kHz)
{
    return fm ? m_graph.SetFMFrequency(kHz) : m_graph.SetFrequency(kHz);
}
