// Tandril's readers: its program list Service.ini, the default key map Default.dat and a
// program's key table, each saved and read back where the program saves it.
#include "FuzzReaders.h"

#include <string>

#include "KeyCodeTable.h"
#include "KeyMapFile.h"
#include "ProgramList.h"

namespace {

const char kKeyTableFile[] = "TVKeys.dat";

std::string Number(long long value)
{
    return std::to_string(value) + " ";
}

std::string Describe(const CProgramList& list)
{
    std::string text = std::string(list.GetDefaultFileName()) + "\n";
    for (int i = 0; i < list.GetCount(); ++i) {
        const ProgramEntry& entry = list.GetAt(i);
        text += std::string(entry.displayName) + "|" + (LPCTSTR)entry.applicationFile + "|" +
                (LPCTSTR)entry.keyTableFile + "\n";
    }
    return text;
}

std::string Describe(const CKeyCodeTable& table)
{
    std::string text;
    for (int i = 0; i < table.GetCount(); ++i) {
        const KeyCodeRecord& r = table.GetAt(i);
        text += Number(r.remoteKeyId) + Number(r.ctrl) + Number(r.alt) + Number(r.shift) +
                Number(r.specialKey) + Number(r.character) + "\n";
    }
    return text;
}

FuzzReader::Result LoadProgramList(const CString& folder, const CString& scratch)
{
    CProgramList list;
    if (!list.Read(InFolder(folder, kServiceIniFile)))
        return FuzzReader::kRefused;
    std::string read = Describe(list);
    if (!list.Write(scratch))
        return FuzzReader::kRefused;
    CProgramList again;
    if (!again.Read(scratch) || Describe(again) != read)
        return FuzzReader::kLostOnSave;
    return FuzzReader::kLoaded;
}

// The map Tandril shows as default, with the keys as a key table takes them.
FuzzReader::Result LoadKeyMap(const CString& folder, const CString&)
{
    CKeyMapFile map;
    if (!map.LoadDefaultMap(folder + "\\"))
        return FuzzReader::kRefused;
    CKeyCodeTable table;
    table.ReplaceFrom(map);
    return FuzzReader::kLoaded;
}

FuzzReader::Result LoadKeyTable(const CString& folder, const CString& scratch)
{
    CKeyCodeTable table;
    if (!table.Load(InFolder(folder, kKeyTableFile)))
        return FuzzReader::kRefused;
    std::string read = Describe(table);
    CKeyMapFile map;
    map.FromKeyCodeTable(table);
    if (!table.Save(scratch))
        return FuzzReader::kRefused;
    CKeyCodeTable again;
    if (!again.Load(scratch) || Describe(again) != read)
        return FuzzReader::kLostOnSave;
    return FuzzReader::kLoaded;
}

const char* const kServiceFiles[] = {kServiceIniFile, NULL};
const char* const kKeyMapFiles[] = {kDefaultKeyMapFile, NULL};
const char* const kKeyTableFiles[] = {kKeyTableFile, NULL};

} // namespace

const FuzzReader kFuzzReaders[] = {
    {"service", kServiceFiles, 1, LoadProgramList},
    {"keymap", kKeyMapFiles, 1, LoadKeyMap},
    {"keytable", kKeyTableFiles, 1, LoadKeyTable},
    {NULL, NULL, 0, NULL},
};

void WriteSeedFolder(const CString& folder)
{
    CProgramList programs;
    programs.Add({"Kavex", "C:\\Program Files\\Kavex\\Kavex.exe", kKeyTableFile});
    programs.Add({"\xB5\xE7\xCA\xD3", "C:\\Program Files\\Velmora\\vlm.exe", "Velmora.dat"});
    programs.Write(InFolder(folder, kServiceIniFile));

    CKeyMapFile map;
    map.ResetToDefaults();
    for (int i = 0; i < map.GetCount() && i < 8; ++i) {
        KeyMapRecord& record = map.GetAt(i);
        record.ctrl = i & 1;
        record.character = 'A' + i;
        if (i == 5) {
            record.mode = KeyMapRecord::kModeRun;
            strcpy(record.path, "C:\\Program Files\\Velmora\\vlm.exe");
            strcpy(record.parameters, "/picture");
        }
    }
    map.Save(InFolder(folder, kDefaultKeyMapFile));
    CKeyCodeTable table;
    table.ReplaceFrom(map);
    table.Save(InFolder(folder, kKeyTableFile));
}
