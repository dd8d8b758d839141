#include "ProgramList.h"

#include <cstdlib>
#include <map>

#include "IniDocument.h"

const char kServiceIniFile[] = "Service.ini";

namespace {

const char kGeneral[] = "General";
const char kTotal[] = "Total";
const char kDefault[] = "Default";
const char kProgramKeyFormat[] = "Prog%d";
const char kDisplayName[] = "DISPLAYNAME";
const char kApplication[] = "LINKAPPLICATIONFILENAME";
const char kKeyTable[] = "DATFILENAME";

CString ProgramKey(int index)
{
    CString key;
    key.Format(kProgramKeyFormat, index);
    return key;
}

// The number n of a key that reads as "Prog" n, n written as "%d" writes it; -1 otherwise.
int ProgramIndexOf(CString key)
{
    key.TrimRight();
    if (key.Left(4) != "Prog" || key.GetLength() == 4)
        return -1;
    const char* digits = (const char*)key + 4;
    int index = atoi(digits);
    return index >= 0 && ProgramKey(index) == key ? index : -1;
}

CString ValueOf(const CIniDocSection& section, const char* key)
{
    CString value;
    section.GetString(key, value);
    return value;
}

} // namespace

CProgramList::CProgramList()
    : m_defaultFile("Default.dat")
{
}

BOOL CProgramList::Read(const char* path)
{
    CIniDocument ini(path);
    if (!ini.Load())
        return FALSE;
    m_entries.clear();
    CIniDocSection* general = ini.GetSection(kGeneral);
    int total = 0;
    general->GetInt(kTotal, total);
    general->GetString(kDefault, m_defaultFile);

    // Programs 0 to Total-1 in order. The keys present are gathered instead of asking for
    // every number below Total, which a damaged file may make two thousand million; as a
    // lookup would, the first key of each number wins.
    std::map<int, CString> sections;
    for (int i = 0; i < general->GetKeyCount(); ++i) {
        int index = ProgramIndexOf(general->GetKeyAt(i));
        if (index >= 0 && index < total && !sections.count(index))
            general->GetString(ProgramKey(index), sections[index]);
    }
    for (const auto& program : sections) {
        const CIniDocSection* section = ini.FindSection(program.second);
        if (!section)
            continue;
        m_entries.push_back(ProgramEntry{ValueOf(*section, kDisplayName),
                                         ValueOf(*section, kApplication),
                                         ValueOf(*section, kKeyTable)});
    }
    return TRUE;
}

BOOL CProgramList::Write(const char* path) const
{
    CIniDocument ini(path);
    CIniDocSection* general = ini.GetSection(kGeneral);
    general->SetInt(kTotal, (int)m_entries.size());
    general->SetString(kDefault, m_defaultFile);
    for (size_t i = 0; i < m_entries.size(); ++i)
        general->SetString(ProgramKey((int)i), ProgramKey((int)i));
    for (size_t i = 0; i < m_entries.size(); ++i) {
        CIniDocSection* section = ini.GetSection(ProgramKey((int)i));
        section->SetString(kDisplayName, m_entries[i].displayName);
        section->SetString(kApplication, m_entries[i].applicationFile);
        section->SetString(kKeyTable, m_entries[i].keyTableFile);
    }
    return ini.Save();
}

int CProgramList::FindByName(const char* displayName) const
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].displayName.CompareNoCase(displayName) == 0)
            return (int)i;
    }
    return -1;
}
