#include "FreqTableStore.h"

#include <cstdlib>

#include "IniFile.h"

CFreqTableStore::CFreqTableStore()
{
}

CFreqTableStore::~CFreqTableStore()
{
}

BOOL CFreqTableStore::Create(const char* path)
{
    m_file.reset(new CIniFile(path));
    return m_file->Save();
}

void CFreqTableStore::GetTableNames(CStringList& names) const
{
    const CIniSection* general = m_file ? m_file->FindSection(kGeneral) : NULL;
    if (general)
        general->GetNumberedValues("Table-", SectionTotal(general), names);
}

int CFreqTableStore::GetTableCount() const
{
    return SectionTotal(m_file ? m_file->FindSection(kGeneral) : NULL);
}

// Reads go through FindSection: a section made in memory by a read would make a later
// WriteTable think the country is listed already, and its table would never be found.
int CFreqTableStore::GetChannelCount(const char* country) const
{
    return SectionTotal(m_file ? m_file->FindSection(country) : NULL);
}

BOOL CFreqTableStore::ReadTable(const char* country, std::vector<float>& values) const
{
    values.clear();
    const CIniSection* section = m_file ? m_file->FindSection(country) : NULL;
    CStringList lines;
    if (section)
        section->GetNumberedValues("Channel-", SectionTotal(section), lines);
    values.reserve(lines.GetCount());
    for (POSITION position = lines.GetHeadPosition(); position;)
        values.push_back((float)atof(lines.GetNext(position)));
    return !values.empty();
}

BOOL CFreqTableStore::WriteTable(const char* country, const std::vector<float>& values)
{
    if (!m_file)
        return FALSE;
    if (!m_file->FindSection(country)) {
        int total = GetTableCount();
        m_file->SetValue(kGeneral, Numbered("Table-%d", total), country);
        m_file->SetInt(kGeneral, kTotal, total + 1);
    }
    CIniSection* section = m_file->GetSection(country);
    section->SetInt(kTotal, (int)values.size());
    for (size_t i = 0; i < values.size(); ++i)
        section->SetFloat(Numbered("Channel-%d", (int)i), values[i]);
    return m_file->Save();
}
