#include "ChannelTableStore.h"

#include <algorithm>

#include "IniFile.h"

namespace {

// The longest start of the text, in bytes, that ends between characters and is no longer
// than limit.
int FittingLength(const CString& text, int limit)
{
    int length = 0;
    while (length < text.GetLength()) {
        int size = IsDBCSLeadByte((BYTE)text[length]) && length + 1 < text.GetLength() ? 2 : 1;
        if (length + size > limit)
            break;
        length += size;
    }
    return length;
}

} // namespace

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
    CStringList lines;
    if (section)
        section->GetNumberedValues("Channel-", SectionTotal(section), lines);
    for (POSITION position = lines.GetHeadPosition(); position;) {
        CChannelEntry entry;
        if (entry.Parse(lines.GetNext(position)))
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
    if (general)
        general->GetNumberedValues("CountryCode-", SectionTotal(general), list);
}

// The file is read as every other ini file of the program is, not through the system's
// profile functions: those fault inside the system on some damaged files (a value of 64 KB
// ahead of a section with a Chinese name), and they would be asked once for every number up
// to the Total. Values keep the limit a profile read had: at most MAX_PATH - 1 bytes, cut
// between characters.
BOOL CChannelTableStore::ReadProfileTableList(const char* path, const char* section,
                                              CStringList& list)
{
    CIniFile file(path);
    if (!file.Load())
        return FALSE;
    const CIniSection* found = file.FindSection(section);
    int total = SectionTotal(found);
    CStringList values;
    if (found)
        found->GetNumberedValues("Table-", total, values);
    for (POSITION position = values.GetHeadPosition(); position;) {
        CString value = values.GetNext(position);
        if (!value.IsEmpty())
            list.AddTail(value.Left(FittingLength(value, MAX_PATH - 1)));
    }
    return total != 0;
}
