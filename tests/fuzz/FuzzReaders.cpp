#include "FuzzReaders.h"

#include <algorithm>
#include <string>
#include <vector>

#include "ChannelList.h"
#include "ChannelTableStore.h"
#include "FreqTableStore.h"
#include "IniFile.h"
#include "ProgramReaders.h"
#include "SkinList.h"
#include "TVSystem.h"

namespace {

#define CHINA "\xD6\xD0\xB9\xFA"
#define HONG_KONG "\xCF\xE3\xB8\xDB"
#define SHENZHEN "\xC9\xEE\xDB\xDA"
#define BEIJING "\xB1\xB1\xBE\xA9"

// Every section in file order with its keys sorted: what a reader of the file sees.
std::string Contents(const CIniFile& ini)
{
    std::string text;
    for (int i = 0; i < ini.GetSectionCount(); ++i) {
        const CIniSection* section = ini.GetSectionAt(i);
        std::vector<std::string> lines;
        CString key, value;
        for (POSITION position = section->GetFirstKeyPosition(); position;) {
            section->GetNextKey(position, key, value);
            lines.push_back(std::string(key) + "=" + (LPCTSTR)value);
        }
        std::sort(lines.begin(), lines.end());
        text += "[" + std::string(section->GetName()) + "]";
        for (const std::string& line : lines)
            text += "\n" + line;
        text += "\n";
    }
    return text;
}

std::string Describe(const CChannelList& list)
{
    std::string text;
    for (int i = 0; i < list.GetCount(); ++i)
        text += std::string(list.GetAt(i)->Format()) + "\n";
    return text;
}

// Every typed getter on every key, through the file's own wrappers.
void ReadEveryType(CIniFile& ini)
{
    for (int i = 0; i < ini.GetSectionCount(); ++i) {
        CIniSection* section = ini.GetSectionAt(i);
        CString name = section->GetName(), key, value;
        for (POSITION position = section->GetFirstKeyPosition(); position;) {
            section->GetNextKey(position, key, value);
            int n;
            UINT u;
            long l;
            double d;
            float f;
            POINT point;
            SIZE size;
            RECT rect;
            CIniColor color;
            CStringArray list;
            CTime time;
            ini.GetInt(name, key, n);
            ini.GetUInt(name, key, u);
            ini.GetLong(name, key, l);
            ini.GetDouble(name, key, d);
            ini.GetFloat(name, key, f);
            ini.GetPoint(name, key, point);
            ini.GetSize(name, key, size);
            ini.GetRect(name, key, rect);
            ini.GetColor(name, key, color);
            ini.GetStringArray(name, key, list, ',');
            ini.GetStringArray(name, key, list, '|');
            section->GetTime(key, time);
        }
    }
}

FuzzReader::Result LoadIniFile(const CString& folder, const CString& scratch)
{
    CIniFile ini(InFolder(folder, "TVParam.ini"));
    if (!ini.Load())
        return FuzzReader::kRefused;
    std::string read = Contents(ini);
    ini.SetFileName(scratch);
    if (!ini.Save())
        return FuzzReader::kRefused;
    CIniFile again(scratch);
    if (!again.Load() || Contents(again) != read)
        return FuzzReader::kLostOnSave;
    ReadEveryType(ini);
    return FuzzReader::kLoaded;
}

FuzzReader::Result LoadChannelList(const CString& path, int tolerance, const CString& scratch)
{
    CChannelList list;
    list.SetTolerance(tolerance);
    if (!list.Load(path))
        return FuzzReader::kRefused;
    list.GetGroup(CChannelEntry::kAllChannels);
    list.GetGroup(CChannelEntry::kFavorites);
    list.SortByFrequency();
    std::string read = Describe(list);
    if (!list.Save(scratch))
        return FuzzReader::kRefused;
    CChannelList again;
    if (!again.Load(scratch) || Describe(again) != read)
        return FuzzReader::kLostOnSave;
    return FuzzReader::kLoaded;
}

FuzzReader::Result LoadTVChannels(const CString& folder, const CString& scratch)
{
    return LoadChannelList(InFolder(folder, "TVChannel.ini"), CChannelList::kTvTolerance, scratch);
}

FuzzReader::Result LoadFMChannels(const CString& folder, const CString& scratch)
{
    return LoadChannelList(InFolder(folder, "FMChannel.ini"), CChannelList::kFmTolerance, scratch);
}

FuzzReader::Result LoadSettings(const CString& folder, const CString&)
{
    CTVSystem system(folder);
    return system.LoadSettings() ? FuzzReader::kLoaded : FuzzReader::kRefused;
}

// As at start-up: the settings first, so the country whose regions are listed is the file's.
FuzzReader::Result LoadChannels(const CString& folder, const CString&)
{
    CTVSystem system(folder);
    system.LoadSettings();
    system.LoadChannels();
    system.LoadFMChannels();
    return FuzzReader::kLoaded;
}

FuzzReader::Result LoadFreqTables(const CString& folder, const CString&)
{
    CFreqTableStore store;
    if (!store.Open(InFolder(folder, "ChannelPoint.ini")))
        return FuzzReader::kRefused;
    CStringList names;
    store.GetTableNames(names);
    store.GetTableCount();
    for (POSITION position = names.GetHeadPosition(); position;) {
        CString name = names.GetNext(position);
        std::vector<float> values;
        store.GetChannelCount(name);
        store.ReadTable(name, values);
    }
    return FuzzReader::kLoaded;
}

FuzzReader::Result LoadRegionTables(const CString& folder, const CString&)
{
    CString path = InFolder(folder, "ChannelAddress.ini");
    CChannelTableStore store;
    if (!store.Open(path))
        return FuzzReader::kRefused;
    store.GetCountryCount();
    CStringList countries;
    store.GetCountryCodes(countries);
    for (POSITION position = countries.GetHeadPosition(); position;) {
        CStringList regions;
        CChannelTableStore::ReadProfileTableList(path, countries.GetNext(position), regions);
        for (POSITION region = regions.GetHeadPosition(); region;)
            store.ReadTable(regions.GetNext(region));
    }
    return FuzzReader::kLoaded;
}

FuzzReader::Result LoadSkinList(const CString& folder, const CString&)
{
    CSkinList list;
    if (!list.Open(InFolder(folder, "SkinSet.ini")))
        return FuzzReader::kRefused;
    CStringList names;
    if (!list.ReadSkinList(names))
        return FuzzReader::kRefused;
    for (POSITION position = names.GetHeadPosition(); position;) {
        CString ini, dll;
        list.GetSkinFiles(names.GetNext(position), ini, dll);
    }
    return FuzzReader::kLoaded;
}

const char* const kParamFiles[] = {"TVParam.ini", NULL};
const char* const kTVChannelFiles[] = {"TVChannel.ini", NULL};
const char* const kFMChannelFiles[] = {"FMChannel.ini", NULL};
const char* const kSettingsFiles[] = {"TVParam.ini", "SkinSet.ini", "mpeg4.txt", "ChannelAddress.ini", NULL};
const char* const kChannelsFiles[] = {"TVChannel.ini", "FMChannel.ini", "ChannelAddress.ini",
                                      "ChannelPoint.ini", "TVParam.ini", NULL};
const char* const kPointFiles[] = {"ChannelPoint.ini", NULL};
const char* const kAddressFiles[] = {"ChannelAddress.ini", NULL};
const char* const kSkinFiles[] = {"SkinSet.ini", NULL};
const char* const kAccelFiles[] = {"Accel.txt", NULL};
const char* const kPanelSkinFiles[] = {"Skin.ini", NULL};
const char* const kColorSkinFiles[] = {"ColorSkin.ini", NULL};
const char* const kBitmapFiles[] = {"B1000U.bmp", NULL};
const char* const kScheduleFiles[] = {"Rec.rec", NULL};
const char* const kProfileFiles[] = {"video_profiles.txt", NULL};

void WriteIni(const CString& path, const char* const (*lines)[3], int count)
{
    CIniFile ini(path);
    for (int i = 0; i < count; ++i)
        ini.SetValue(lines[i][0], lines[i][1], lines[i][2]);
    ini.Save();
}

} // namespace

const FuzzReader kFuzzReaders[] = {
    {"ini", kParamFiles, 1, LoadIniFile},
    {"tvchannel", kTVChannelFiles, 1, LoadTVChannels},
    {"fmchannel", kFMChannelFiles, 1, LoadFMChannels},
    {"settings", kSettingsFiles, 4, LoadSettings},
    {"channels", kChannelsFiles, 4, LoadChannels},
    {"freqtable", kPointFiles, 1, LoadFreqTables},
    {"regiontable", kAddressFiles, 1, LoadRegionTables},
    {"skinlist", kSkinFiles, 1, LoadSkinList},
    {"accel", kAccelFiles, 1, LoadAccelTable},
    {"skin", kPanelSkinFiles, 1, LoadPanelSkin},
    {"colorskin", kColorSkinFiles, 1, LoadColorSkin},
    {"skinbitmap", kBitmapFiles, 1, LoadSkinBitmap},
    {"schedule", kScheduleFiles, 1, LoadSchedule},
    {"profiles", kProfileFiles, 1, LoadVideoProfileFile},
    {NULL, NULL, 0, NULL},
};

void WriteSeedFolder(const CString& folder)
{
    CTVSystem system(folder);
    system.LoadSettings();
    CTVSettings& settings = system.GetSettings();
    settings.country = CHINA;
    settings.province = SHENZHEN;
    settings.validDisk.RemoveAll();
    settings.validDisk.Add("C:\\");
    settings.validDisk.Add("D:\\");
    // The codec's state as the program keeps it: a block it never looks into.
    static const BYTE kCodecState[] = {'X', 'V', 'I', 'D', 0x01, 0x00, 0x00, 0x00, 0x40, 0x1F, 0x00, 0x00,
                                       0x02, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x0C, 0x00};
    system.SetMpeg4Block(kCodecState, sizeof(kCodecState));
    system.SaveSettings();

    system.GetTVChannels().MergeChannels(
        {CChannelEntry(49750, "CCTV-1", 1), CChannelEntry(57750, "CCTV-2", 3),
         CChannelEntry(65750, SHENZHEN "\xCC\xA8", 1), CChannelEntry(77250, "a,b", 2)},
        FALSE);
    system.SaveChannels();
    system.GetFMChannels().MergeChannels(
        {CChannelEntry(87600, "FM 87.6", 1), CChannelEntry(101700, HONG_KONG, 3)}, FALSE);
    system.SaveFMChannels();
    system.LoadRegionTables();  // writes ChannelPoint.ini from the built-in tables

    static const char* const kAddress[][3] = {
        {"General", "Total", "2"},
        {"General", "CountryCode-0", CHINA},
        {"General", "CountryCode-1", HONG_KONG},
        {CHINA, "Total", "2"},
        {CHINA, "Table-0", SHENZHEN},
        {CHINA, "Table-1", BEIJING},
        {HONG_KONG, "Total", "0"},
        {SHENZHEN, "Total", "3"},
        {SHENZHEN, "Channel-0", SHENZHEN "\xCC\xA8,65750,1"},
        {SHENZHEN, "Channel-1", "CCTV1,49750,1"},
        {SHENZHEN, "Channel-2", "CCTV2,57750"},
        {BEIJING, "Total", "1"},
        {BEIJING, "Channel-0", "BTV,77250,1"},
    };
    WriteIni(InFolder(folder, "ChannelAddress.ini"), kAddress, sizeof(kAddress) / sizeof(kAddress[0]));
    static const char* const kSkins[][3] = {
        {"General", "Total", "2"},
        {"General", "Skin-0", "Blue"},
        {"General", "Skin-1", "\xC0\xB6\xC9\xAB"},
        {"Blue", "Ini", "Skins\\Blue\\Skin.ini"},
        {"Blue", "Dll", "Skins\\Blue\\Skin.dll"},
        {"\xC0\xB6\xC9\xAB", "Ini", "Skins\\Green\\Skin.ini"},
    };
    WriteIni(InFolder(folder, "SkinSet.ini"), kSkins, sizeof(kSkins) / sizeof(kSkins[0]));
    WriteProgramSeeds(folder);
}
