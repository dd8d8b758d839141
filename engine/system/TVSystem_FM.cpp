#include "TVSystem.h"

namespace {

const char kFMChannelFile[] = "FMChannel.ini";

} // namespace

void CTVSystem::LoadFMChannels()
{
    m_fmChannels.RemoveAll();
    m_fmChannels.Load(ProgramFile(kFMChannelFile));
    m_fmChannels.SetTolerance(CChannelList::kFmTolerance);
    m_fmGroup = m_fmChannels.GetGroup(CChannelEntry::kAllChannels);
    m_fmChannels.GetGroup(CChannelEntry::kFavorites);
    m_currentFM = m_previousFM = NULL;
}

BOOL CTVSystem::SaveFMChannels()
{
    return m_fmChannels.Save(ProgramFile(kFMChannelFile));
}

BOOL CTVSystem::SetFMUseFavor(BOOL on, int how)
{
    BOOL old = m_settings.fmUseFavor;
    if (!on == !old)
        return old;
    m_settings.fmUseFavor = on;
    m_fmGroup = m_fmChannels.GetGroup(on ? CChannelEntry::kFavorites : CChannelEntry::kAllChannels);
    CChannelEntry* entry = m_fmGroup->GetCurrent();
    if (!entry)
        entry = m_fmGroup->GetFirst();
    if (!entry)
        return old;
    if (how == 0)
        SelectChannel(entry);
    else if (m_settings.videoSource == kSourceFm)
        m_currentFM = entry;
    return old;
}

CChannelEntry* CTVSystem::NextFMChannel()
{
    return StepChannel(m_fmGroup, TRUE);
}

CChannelEntry* CTVSystem::PrevFMChannel()
{
    return StepChannel(m_fmGroup, FALSE);
}

CChannelEntry* CTVSystem::GetCurrentFMChannel()
{
    if (m_currentFM || !m_fmGroup || m_fmGroup->GetCount() == 0)
        return m_currentFM;
    return m_fmChannels.GetAt(m_fmGroup->GetAt(0));
}

CChannelEntry* CTVSystem::GetFMChannelAt(int position)
{
    return m_fmGroup ? m_fmGroup->SetCurrent(position) : NULL;
}
