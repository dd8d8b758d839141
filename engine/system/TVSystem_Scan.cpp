#include "TVSystem.h"


namespace {

const char kChannelAddressFile[] = "ChannelAddress.ini";
const int kSearchModeSweep = 2;

} // namespace

BOOL CTVSystem::StartScan(int mode)
{
    BOOL sweep = m_settings.searchMode == kSearchModeSweep;
    if (!sweep)
        BuildScanFrequencies();
    m_scanMode = mode != 0;
    m_scanning = m_graph.StartScan(mode != 0, sweep);
    if (m_scanning)
        View().BeginScan();
    return m_scanning;
}

void CTVSystem::StopScan()
{
    if (!m_scanning)
        return;
    m_graph.StopScan();
    m_scanning = FALSE;
}

void CTVSystem::ApplyLocalChannels(const std::vector<CChannelEntry>& results)
{
    if (m_settings.videoSource == kSourceFm)
        ApplyFMScan(results);
    else
        ApplyTVScan(results);
    m_scanning = FALSE;
}

// Only the band scanned changes: an FM scan leaves the TV channels alone, and the other way
// round. Emptying a list ends the channel pointers into it.
void CTVSystem::ApplyFMScan(const std::vector<CChannelEntry>& results)
{
    if (!m_settings.reservePrev) {
        m_currentFM = m_previousFM = NULL;
        m_fmChannels.RemoveAll();
    }
    m_fmChannels.MergeChannels(results, m_settings.reservePrev);
    for (int i = 0; i < m_fmChannels.GetCount(); ++i)
        m_fmChannels.AddToGroup(i, CChannelEntry::kAllChannels);
}

void CTVSystem::ApplyTVScan(const std::vector<CChannelEntry>& results)
{
    m_currentTV = m_previousTV = NULL;
    if (!m_settings.reservePrev)
        m_tvChannels.RemoveAll();
    std::vector<CChannelEntry> named(results);
    if (m_settings.useLocality)
        NameFromRegionTable(named);
    m_tvChannels.MergeChannels(named, m_settings.reservePrev);
    for (int i = 0; i < m_tvChannels.GetCount(); ++i)
        m_tvChannels.AddToGroup(i, CChannelEntry::kAllChannels);
}

void CTVSystem::NameFromRegionTable(std::vector<CChannelEntry>& results)
{
    if (!m_channelTables.Open(ProgramFile(kChannelAddressFile)))
        return;
    const std::vector<CChannelEntry>* table = m_channelTables.ReadTable(m_settings.province);
    if (table)
        CChannelList::UpdateChannelNames(results, *table, m_tvChannels.GetTolerance());
}

// The channels keep their frequencies, flags and order: only names within the tolerance
// change, and merging back with keepExisting off writes each renamed entry over its own.
BOOL CTVSystem::ApplyCityTable(const char* city)
{
    std::vector<CChannelEntry> working;
    for (int i = 0; i < m_tvChannels.GetCount(); ++i)
        working.push_back(*m_tvChannels.GetAt(i));
    m_settings.province = city;
    if (!m_channelTables.Open(ProgramFile(kChannelAddressFile)))
        return FALSE;
    const std::vector<CChannelEntry>* table = m_channelTables.ReadTable(city);
    if (!table)
        return FALSE;
    CChannelList::UpdateChannelNames(working, *table, m_tvChannels.GetTolerance());
    m_tvChannels.MergeChannels(working, FALSE);
    return TRUE;
}
