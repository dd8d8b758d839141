#include "TVSystem.h"

#include "BuiltInFreqTables.h"
#include "ChannelTableStore.h"
#include "PathUtil.h"

#include <algorithm>

namespace {

const char kChannelAddressFile[] = "ChannelAddress.ini";
const char kChannelPointFile[] = "ChannelPoint.ini";

} // namespace

// Both lists are read afresh, so loading twice does not list anything twice.
void CTVSystem::LoadRegionTables()
{
    LoadProvinces();
    m_countries.RemoveAll();

    CString point = ProgramFile(kChannelPointFile);
    if (CPathUtil::FileExists(point))
        m_freqTables.Open(point);
    else
        WriteBuiltInFreqTables(point);
    m_freqTables.GetTableNames(m_countries);
}

// The regions belong to the country: whatever changes the country lists them again.
void CTVSystem::LoadProvinces()
{
    ReadProvinces(m_settings.country);
}

void CTVSystem::ReadProvinces(const char* country)
{
    m_provinces.RemoveAll();
    CString address = ProgramFile(kChannelAddressFile);
    if (CPathUtil::FileExists(address))
        CChannelTableStore::ReadProfileTableList(address, country, m_provinces);
}

BOOL CTVSystem::ApplyCountry(const char* country)
{
    std::vector<float> mhz;
    if (!m_freqTables.ReadTable(country, mhz) || mhz.empty())
        return FALSE;
    return SetScanFrequencies(mhz.data(), (int)mhz.size());
}

BOOL CTVSystem::SetCountry(const char* country)
{
    m_settings.country = country;
    LoadProvinces();
    return ApplyCountry(country);
}

BOOL CTVSystem::BuildScanFrequencies()
{
    std::vector<float> mhz;
    CBuiltInFreqTables::GetScanTable(mhz);
    return SetScanFrequencies(mhz.data(), (int)mhz.size());
}

// A stable sort keeps equal carriers in their table order, as a selection sort would.
BOOL CTVSystem::SetScanFrequencies(const float* mhz, int count)
{
    if (!mhz || count <= 0)
        return FALSE;
    std::vector<float> sorted(mhz, mhz + count);
    std::stable_sort(sorted.begin(), sorted.end());
    if (!m_graph.SetScanFrequencies(sorted.data(), count))
        return FALSE;
    m_scanFrequencyCount = count;
    return TRUE;
}

void CTVSystem::WriteBuiltInFreqTables(const CString& path)
{
    m_freqTables.Create(path);
    std::vector<float> table;
    for (int i = 0; i < CBuiltInFreqTables::GetCountryCount(); ++i) {
        CBuiltInFreqTables::GetCountryTable(i, table);
        m_freqTables.WriteTable(CBuiltInFreqTables::GetCountryName(i), table);
    }
}
