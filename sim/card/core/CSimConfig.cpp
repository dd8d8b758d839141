#include "CSimConfig.h"

#include "CSimText.h"
#include "CSimTunerProfiles.h"

#include <string.h>

namespace
{
struct DwordValue
{
    const char* name;
    DWORD SimConfig::*field;
    DWORD defaultValue;
};

const DwordValue DWORD_VALUES[] = {
    // name            field                        default
    { "SimCard",       &SimConfig::card,            0 },
    { "Profile",       &SimConfig::profile,         0 },
    { "PllAddr",       &SimConfig::pllAddr,         0xC0 },
    { "Demod",         &SimConfig::demod,           2 },
    { "AfcWindowKHz",  &SimConfig::afcWindowKHz,    2500 },
    { "HLockKHz",      &SimConfig::hLockKHz,        250 },
    { "FmWindowKHz",   &SimConfig::fmWindowKHz,     50 },
    { "PllLockMs",     &SimConfig::pllLockMs,       10 },
    { "Composite",     &SimConfig::composite,       1 },
    { "SVideo",        &SimConfig::svideo,          0 },
    { "McuPresent",    &SimConfig::mcuPresent,      1 },
    { "KeyHoldMs",     &SimConfig::keyHoldMs,       150 },
    { "AnswerMs",      &SimConfig::answerMs,        20 },
    { "IdWords",       &SimConfig::idWords,         0x00012388 },
    { "TraceLevel",    &SimConfig::traceLevel,      1 },
    { "Family",        &SimConfig::family,          0 },
    { "BoxDemod",      &SimConfig::boxDemod,        0x42 },
    { "BoxBusyReads",  &SimConfig::boxBusyReads,    1 },
    { "Box4115",       &SimConfig::box4115,         0 },
    { "Box4116",       &SimConfig::box4116,         1 },
    { "Box4121",       &SimConfig::box4121,         0 },
    { "KeyController", &SimConfig::keyController,   0xBA },
    { "KeyTunerCode",  &SimConfig::keyTunerCode,    0 },
    { "Upstream",      &SimConfig::upstream,        0 },
};

const char DEFAULT_TV_STATIONS[] = "49750:SIM-1;77250:SIM-2;184250:SIM-3;471250:SIM-4;615250:SIM-5";
const char DEFAULT_FM_STATIONS[] = "90000:FM-1;100000:FM-2";
const char DEFAULT_VIDEO_SUBTYPE[] = "YUY2";

// EEPROM bytes the capture device reads: configuration byte, maker letter, tuner type.
const BYTE EEPROM_CONFIG_OFFSET = 0x07;
const BYTE EEPROM_LETTER_OFFSET = 0x20;
const BYTE EEPROM_TUNER_OFFSET  = 0x21;

const DwordValue* FindDword(const char* name)
{
    for (const DwordValue& v : DWORD_VALUES) {
        if (_stricmp(v.name, name) == 0)
            return &v;
    }
    return NULL;
}

std::string FormatProfileDefs(const SimConfig& config)
{
    std::string text;
    for (DWORD i = 0; i < config.profileDefCount; ++i) {
        if (!text.empty())
            text += ";";
        text += CSimConfig::FormatProfile(config.profileDefs[i]);
    }
    return text;
}

bool ParseByteList(const std::string& text, BYTE* bytes, int count)
{
    std::vector<std::string> words = CSimText::Split(text, ",");
    if ((int)words.size() != count)
        return false;
    for (int i = 0; i < count; ++i) {
        if (!CSimText::ParseHexByte(words[i], &bytes[i]))
            return false;
    }
    return true;
}

bool ParseCodes(const std::string& text, BYTE* codes, int count)
{
    std::vector<std::string> words = CSimText::Split(text, ",");
    if ((int)words.size() != count)
        return false;
    for (int i = 0; i < count; ++i) {
        DWORD v = 0;
        if (!CSimText::ParseNumber(words[i], &v) || v > 7)
            return false;
        codes[i] = (BYTE)v;
    }
    return true;
}

// fm=8A,A5,10700,31.25 (control byte, band byte, FM IF, divider step) or fm=-
bool ParseFm(const std::string& text, SimTunerProfile* p)
{
    if (text == "-") {
        p->hasFm = 0;
        return true;
    }
    std::vector<std::string> words = CSimText::Split(text, ",");
    DWORD fmIf = 0;
    SimQuarterKHz step = 0;
    if (words.size() != 4 || !CSimText::ParseHexByte(words[0], &p->fmControlByte) ||
        !CSimText::ParseHexByte(words[1], &p->fmBandByte) || !CSimText::ParseNumber(words[2], &fmIf) ||
        !CSimText::ParseQuarterKHz(words[3], &step) || step <= 0)
        return false;
    p->hasFm = 1;
    p->fmIfKHz = fmIf;
    p->fmStepQ = (DWORD)step;
    return true;
}

bool ParseProfileField(const std::string& key, const std::string& value, SimTunerProfile* p)
{
    DWORD v = 0;
    if (key == "id")
        return CSimText::ParseNumber(value, &p->id) && p->id > 0 && p->id < 255;
    if (key == "name") {
        if (value.size() >= sizeof(p->name))
            return false;
        strcpy(p->name, value.c_str());
        return true;
    }
    if (key == "if")
        return CSimText::ParseNumber(value, &p->tvIfKHz);
    if (key == "lif")
        return CSimText::ParseNumber(value, &p->lPrimeIfKHz);
    if (key == "split") {
        std::vector<std::string> w = CSimText::Split(value, ",");
        return w.size() == 2 && CSimText::ParseNumber(w[0], &p->splitHigh1KHz) &&
               CSimText::ParseNumber(w[1], &p->splitHigh2KHz) && p->splitHigh1KHz <= p->splitHigh2KHz;
    }
    if (key == "bands")
        return ParseByteList(value, p->bandBytes, 3);
    if (key == "cb")
        return CSimText::ParseHexByte(value, &p->controlByte);
    if (key == "fm")
        return ParseFm(value, p);
    if (key == "codes")
        return ParseCodes(value, p->codes, 5);
    if (key == "fmlock") {
        if (!CSimText::ParseNumber(value, &v) || v > 7)
            return false;
        p->fmLockCode = (BYTE)v;
        return true;
    }
    if (key == "demod") {
        if (!CSimText::ParseNumber(value, &v) || v > 1)
            return false;
        p->hasDemod = (BYTE)v;
        return true;
    }
    if (key == "chip") {
        if (!CSimText::ParseNumber(value, &v) || v > SIM_CHIP_REGISTER_TABLE)
            return false;
        p->chip = (BYTE)v;
        return true;
    }
    return false;
}
}

void CSimConfig::SetDefaults(SimConfig* config, DWORD card)
{
    memset(config, 0, sizeof(*config));
    for (const DwordValue& v : DWORD_VALUES)
        config->*v.field = v.defaultValue;
    config->card = card;
    memset(config->eeprom, 0xFF, sizeof(config->eeprom));
    config->eeprom[EEPROM_CONFIG_OFFSET] = 0x00;
    config->eeprom[EEPROM_LETTER_OFFSET] = 'T';
    config->eeprom[EEPROM_TUNER_OFFSET] = 0x0B;
    ParseStations(DEFAULT_TV_STATIONS, config->tv, &config->tvCount);
    ParseStations(DEFAULT_FM_STATIONS, config->fm, &config->fmCount);
    strcpy(config->videoSubtype, DEFAULT_VIDEO_SUBTYPE);
}

void CSimConfig::Load(ISimValues& values, SimConfig* config)
{
    for (const DwordValue& v : DWORD_VALUES) {
        DWORD value = 0;
        if (values.GetDword(v.name, &value))
            config->*v.field = value;
    }
    std::vector<BYTE> eeprom;
    if (values.GetBinary("Eeprom", &eeprom))
        memcpy(config->eeprom, eeprom.data(), eeprom.size() < 256 ? eeprom.size() : 256);
    std::string text;
    if (values.GetString("ExtraAck", &text))
        ParseAckList(text, config);
    if (values.GetString("TvStations", &text))
        ParseStations(text, config->tv, &config->tvCount);
    if (values.GetString("FmStations", &text))
        ParseStations(text, config->fm, &config->fmCount);
    if (values.GetString("VideoSubtype", &text) && text.size() < sizeof(config->videoSubtype))
        strcpy(config->videoSubtype, text.c_str());
    if (values.GetString("ProfileDefs", &text)) {
        config->profileDefCount = 0;
        for (const std::string& row : CSimText::Split(text, ";")) {
            SimTunerProfile p;
            if (ParseProfile(row, &p))
                AddProfile(config, p);
        }
    }
}

bool CSimConfig::Store(ISimValues& values, const SimConfig& config, const char* name)
{
    if (const DwordValue* v = FindDword(name))
        return values.SetDword(v->name, config.*v->field);
    std::string n = name;
    if (CSimText::EqualsNoCase(n, "Eeprom"))
        return values.SetBinary("Eeprom", config.eeprom, sizeof(config.eeprom));
    if (CSimText::EqualsNoCase(n, "ExtraAck"))
        return values.SetString("ExtraAck", FormatAckList(config));
    if (CSimText::EqualsNoCase(n, "TvStations"))
        return values.SetString("TvStations", FormatStations(config.tv, config.tvCount));
    if (CSimText::EqualsNoCase(n, "FmStations"))
        return values.SetString("FmStations", FormatStations(config.fm, config.fmCount));
    if (CSimText::EqualsNoCase(n, "VideoSubtype"))
        return values.SetString("VideoSubtype", config.videoSubtype);
    if (CSimText::EqualsNoCase(n, "ProfileDefs"))
        return values.SetString("ProfileDefs", FormatProfileDefs(config));
    return false;
}

void CSimConfig::StoreAll(ISimValues& values, const SimConfig& config)
{
    for (const DwordValue& v : DWORD_VALUES)
        Store(values, config, v.name);
    for (const char* name : { "Eeprom", "ExtraAck", "TvStations", "FmStations", "VideoSubtype", "ProfileDefs" })
        Store(values, config, name);
}

bool CSimConfig::SetDword(SimConfig* config, const char* name, DWORD value)
{
    const DwordValue* v = FindDword(name);
    if (v == NULL)
        return false;
    config->*v->field = value;
    return true;
}

bool CSimConfig::GetDword(const SimConfig& config, const char* name, DWORD* value)
{
    const DwordValue* v = FindDword(name);
    if (v == NULL)
        return false;
    *value = config.*v->field;
    return true;
}

bool CSimConfig::IsDwordName(const char* name)
{
    return FindDword(name) != NULL;
}

bool CSimConfig::ParseStations(const std::string& text, SimStation* stations, DWORD* count)
{
    std::vector<std::string> items = CSimText::Split(text, "; ,");
    if (items.size() > (size_t)SIM_MAX_STATIONS)
        return false;
    SimStation parsed[SIM_MAX_STATIONS];
    memset(parsed, 0, sizeof(parsed));
    for (size_t i = 0; i < items.size(); ++i) {
        size_t colon = items[i].find(':');
        std::string kHz = items[i].substr(0, colon);
        std::string label = colon == std::string::npos ? kHz : items[i].substr(colon + 1);
        if (!CSimText::ParseNumber(kHz, &parsed[i].kHz) || parsed[i].kHz == 0 ||
            parsed[i].kHz > 0xFFFFF || label.size() >= (size_t)SIM_STATION_LABEL)
            return false;
        strcpy(parsed[i].label, label.c_str());
    }
    memcpy(stations, parsed, sizeof(parsed));
    *count = (DWORD)items.size();
    return true;
}

std::string CSimConfig::FormatStations(const SimStation* stations, DWORD count)
{
    std::string text;
    for (DWORD i = 0; i < count; ++i) {
        if (i > 0)
            text += ";";
        text += CSimText::Format("%lu:%s", stations[i].kHz, stations[i].label);
    }
    return text;
}

bool CSimConfig::ParseAckList(const std::string& text, SimConfig* config)
{
    std::vector<std::string> words = CSimText::Split(text, " ,;");
    if (words.size() > (size_t)SIM_MAX_EXTRA_ACK)
        return false;
    BYTE addresses[SIM_MAX_EXTRA_ACK];
    for (size_t i = 0; i < words.size(); ++i) {
        if (!CSimText::ParseHexByte(words[i], &addresses[i]))
            return false;
    }
    memcpy(config->extraAck, addresses, words.size());
    config->extraAckCount = (DWORD)words.size();
    return true;
}

std::string CSimConfig::FormatAckList(const SimConfig& config)
{
    std::string text;
    for (DWORD i = 0; i < config.extraAckCount; ++i)
        text += CSimText::Format(i == 0 ? "%02X" : " %02X", config.extraAck[i]);
    return text;
}

bool CSimConfig::ParseProfile(const std::string& text, SimTunerProfile* profile)
{
    // A new row starts from the fallback module's values, so a definition names only what differs.
    SimTunerProfile p = CSimTunerProfiles::Builtin(0);
    p.id = 0;
    p.name[0] = '\0';
    for (const std::string& word : CSimText::Split(text, " ")) {
        size_t eq = word.find('=');
        if (eq == std::string::npos || !ParseProfileField(word.substr(0, eq), word.substr(eq + 1), &p))
            return false;
    }
    if (p.id == 0)
        return false;
    if (p.name[0] == '\0')
        strcpy(p.name, CSimText::Format("PROFILE%lu", p.id).c_str());
    *profile = p;
    return true;
}

std::string CSimConfig::FormatProfile(const SimTunerProfile& p)
{
    std::string fm = "-";
    if (p.hasFm)
        fm = CSimText::Format("%02X,%02X,%lu,", p.fmControlByte, p.fmBandByte, p.fmIfKHz) +
             CSimText::FormatQuarterKHz((SimQuarterKHz)p.fmStepQ);
    return CSimText::Format("id=%lu name=%s if=%lu lif=%lu split=%lu,%lu bands=%02X,%02X,%02X cb=%02X fm=%s "
                            "codes=%u,%u,%u,%u,%u fmlock=%u demod=%u",
                            p.id, p.name, p.tvIfKHz, p.lPrimeIfKHz, p.splitHigh1KHz, p.splitHigh2KHz,
                            p.bandBytes[0], p.bandBytes[1], p.bandBytes[2], p.controlByte, fm.c_str(),
                            p.codes[0], p.codes[1], p.codes[2], p.codes[3], p.codes[4], p.fmLockCode,
                            p.hasDemod) +
           (p.chip ? CSimText::Format(" chip=%u", p.chip) : std::string());
}

bool CSimConfig::AddProfile(SimConfig* config, const SimTunerProfile& profile)
{
    for (DWORD i = 0; i < config->profileDefCount; ++i) {
        if (config->profileDefs[i].id == profile.id) {
            config->profileDefs[i] = profile;
            return true;
        }
    }
    if (config->profileDefCount >= (DWORD)SIM_MAX_PROFILE_DEFS)
        return false;
    config->profileDefs[config->profileDefCount++] = profile;
    return true;
}
