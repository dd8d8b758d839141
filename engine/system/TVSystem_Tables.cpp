#include "TVSystem.h"

#include "BuiltInFreqTables.h"
#include "ChannelTableStore.h"
#include "PathUtil.h"

namespace {

const char kChannelAddressFile[] = "ChannelAddress.ini";
const char kChannelPointFile[] = "ChannelPoint.ini";

} // namespace

// Both lists are read afresh, so loading twice does not list anything twice.
void CTVSystem::LoadRegionTables()
{
    m_provinces.RemoveAll();
    m_countries.RemoveAll();

    CString address = ProgramFile(kChannelAddressFile);
    if (CPathUtil::FileExists(address))
        CChannelTableStore::ReadProfileTableList(address, m_settings.country, m_provinces);

    CString point = ProgramFile(kChannelPointFile);
    if (CPathUtil::FileExists(point))
        m_freqTables.Open(point);
    else
        WriteBuiltInFreqTables(point);
    m_freqTables.GetTableNames(m_countries);
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
