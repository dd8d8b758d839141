#include "FreqTableStore.h"

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
    int total = SectionTotal(general);
    for (int i = 0; i < total; ++i) {
        CString name;
        if (general->GetString(Numbered("Table-%d", i), name))
            names.AddTail(name);
    }
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
    int total = SectionTotal(section);
    float value = 0;
    for (int i = 0; i < total; ++i) {
        section->GetFloat(Numbered("Channel-%d", i), value);
        values.push_back(value);
    }
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
