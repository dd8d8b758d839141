#include "ChannelTableStore.h"

#include <algorithm>

#include "IniFile.h"

CChannelTableStore::CChannelTableStore()
{
}

CChannelTableStore::~CChannelTableStore()
{
}

const std::vector<CChannelEntry>* CChannelTableStore::ReadTable(const char* region)
{
    m_table.clear();
    const CIniSection* section = m_file ? m_file->FindSection(region) : NULL;
    int total = SectionTotal(section);
    for (int i = 0; i < total; ++i) {
        CString text;
        CChannelEntry entry;
        if (section->GetString(Numbered("Channel-%d", i), text) && entry.Parse(text))
            m_table.push_back(entry);
    }
    if (m_table.empty())
        return NULL;
    std::stable_sort(m_table.begin(), m_table.end());
    return &m_table;
}

int CChannelTableStore::GetCountryCount() const
{
    return SectionTotal(m_file ? m_file->FindSection(kGeneral) : NULL);
}

void CChannelTableStore::GetCountryCodes(CStringList& list) const
{
    const CIniSection* general = m_file ? m_file->FindSection(kGeneral) : NULL;
    int total = SectionTotal(general);
    for (int i = 0; i < total; ++i) {
        CString name;
        if (general->GetString(Numbered("CountryCode-%d", i), name))
            list.AddTail(name);
    }
}

BOOL CChannelTableStore::ReadProfileTableList(const char* path, const char* section,
                                              CStringList& list)
{
    int total = (int)GetPrivateProfileIntA(section, kTotal, 0, path);
    for (int i = 0; i < total; ++i) {
        char value[MAX_PATH] = "";
        GetPrivateProfileStringA(section, Numbered("Table-%d", i), "", value, sizeof(value), path);
        if (value[0])
            list.AddTail(value);
    }
    return total != 0;
}
