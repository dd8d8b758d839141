#include "KeyCodeTable.h"

#include <algorithm>
#include <string>

#include "FileContents.h"
#include "KeyMapFile.h"

BOOL CKeyCodeTable::Load(const char* path)
{
    std::string bytes;
    if (!ReadFileContents(path, bytes) && bytes.empty())
        return FALSE;
    if (bytes.size() <= sizeof(int))
        return TRUE;
    int count = 0;
    memcpy(&count, bytes.data(), sizeof(count));
    // The count is not trusted: a damaged file must not make the table read past its end.
    size_t present = (bytes.size() - sizeof(int)) / sizeof(KeyCodeRecord);
    size_t wanted = count < 0 ? 0 : std::min((size_t)count, present);
    const KeyCodeRecord* records = (const KeyCodeRecord*)(bytes.data() + sizeof(int));
    m_records.insert(m_records.end(), records, records + wanted);
    return TRUE;
}

BOOL CKeyCodeTable::Save(const char* path) const
{
    int count = (int)m_records.size();
    std::string bytes((const char*)&count, sizeof(count));
    bytes.append((const char*)m_records.data(), m_records.size() * sizeof(KeyCodeRecord));
    return ReplaceFileContents(path, bytes.data(), (DWORD)bytes.size()) == kFileReplaced;
}

void CKeyCodeTable::ReplaceFrom(const CKeyMapFile& map)
{
    m_records.clear();
    for (int i = 0; i < map.GetCount(); ++i) {
        const KeyMapRecord& record = map.GetAt(i);
        KeyCodeRecord code = {record.remoteKeyId, record.ctrl,       record.alt,
                              record.shift,       record.specialKey, record.character};
        m_records.push_back(code);
    }
}

int CKeyCodeTable::Find(int remoteKeyId) const
{
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (m_records[i].remoteKeyId == remoteKeyId)
            return (int)i;
    }
    return -1;
}
