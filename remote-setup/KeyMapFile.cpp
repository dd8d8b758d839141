#include "KeyMapFile.h"

#include <algorithm>
#include <string>

#include "DefaultKeyOrder.h"
#include "FileContents.h"
#include "KeyCodeTable.h"
#include "TandrilResource.h"

const char kDefaultKeyMapFile[] = "Default.dat";

BOOL CKeyMapFile::Load(const char* path)
{
    m_records.clear();
    std::string bytes;
    BOOL read = ReadFileContents(path, bytes);
    size_t count = bytes.size() / sizeof(KeyMapRecord);
    m_records.resize(count);
    if (count)
        memcpy(m_records.data(), bytes.data(), count * sizeof(KeyMapRecord));
    return read;
}

BOOL CKeyMapFile::Save(const char* path) const
{
    return ReplaceFileContents(path, m_records.data(),
                               (DWORD)(m_records.size() * sizeof(KeyMapRecord))) == kFileReplaced;
}

void CKeyMapFile::ResetToDefaults()
{
    m_records.clear();
    for (int id : DefaultKeyOrder::kIds)
        m_records.push_back(KeyMapRecord::ForId(id));
}

void CKeyMapFile::MergeFrom(const CKeyMapFile& other)
{
    for (const KeyMapRecord& record : other.m_records) {
        int index = Find(record.remoteKeyId);
        if (index < 0)
            m_records.push_back(record);
        else
            m_records[index] = record;
    }
}

void CKeyMapFile::RemoveIds(const CKeyCodeTable& table)
{
    m_records.erase(std::remove_if(m_records.begin(), m_records.end(),
                                   [&table](const KeyMapRecord& record) {
                                       return table.Find(record.remoteKeyId) >= 0;
                                   }),
                    m_records.end());
}

void CKeyMapFile::FromKeyCodeTable(const CKeyCodeTable& table)
{
    m_records.clear();
    for (int i = 0; i < table.GetCount(); ++i) {
        const KeyCodeRecord& code = table.GetAt(i);
        KeyMapRecord record = KeyMapRecord::ForId(code.remoteKeyId);
        record.ctrl = code.ctrl;
        record.alt = code.alt;
        record.shift = code.shift;
        record.specialKey = code.specialKey;
        record.character = code.character;
        m_records.push_back(record);
    }
}

BOOL CKeyMapFile::LoadDefaultMap(const char* programFolder)
{
    CKeyMapFile stored;
    BOOL loaded = stored.Load(CString(programFolder) + kDefaultKeyMapFile);
    ResetToDefaults();
    MergeFrom(stored);
    return loaded;
}

BOOL CKeyMapFile::RestoreFactoryMap(HMODULE module, const char* programFolder)
{
    SetCurrentDirectoryA(programFolder);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDR_FACTORY_KEYMAP), "DATFILE");
    HGLOBAL loaded = found ? LoadResource(module, found) : NULL;
    const void* data = loaded ? LockResource(loaded) : NULL;
    // A file that cannot be written leaves the old one, which is loaded all the same.
    if (data)
        ReplaceFileContents(CString(programFolder) + kDefaultKeyMapFile, data,
                            SizeofResource(module, found));
    return LoadDefaultMap(programFolder);
}

int CKeyMapFile::Find(int remoteKeyId) const
{
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (m_records[i].remoteKeyId == remoteKeyId)
            return (int)i;
    }
    return -1;
}
