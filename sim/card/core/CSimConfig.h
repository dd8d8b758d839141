#pragma once

#include "ISimValues.h"
#include "SimShared.h"

#include <string>

// The card's instance values: defaults, loading and storing them by name, and the text
// forms that registration, the property bag and the control commands share.
class CSimConfig
{
public:
    static void SetDefaults(SimConfig* config, DWORD card);
    // Values present in the source override the defaults already in config.
    static void Load(ISimValues& values, SimConfig* config);
    // Writes one instance value (by its registry name) from config; false for an unknown name.
    static bool Store(ISimValues& values, const SimConfig& config, const char* name);
    static void StoreAll(ISimValues& values, const SimConfig& config);

    // The DWORD values addressed by name (`set AfcWindowKHz 2500`); false for another name.
    static bool SetDword(SimConfig* config, const char* name, DWORD value);
    static bool GetDword(const SimConfig& config, const char* name, DWORD* value);
    static bool IsDwordName(const char* name);

    // "49750:SIM-1;77250:SIM-2", separators ';', ',' or blanks; a missing label is the kHz.
    static bool ParseStations(const std::string& text, SimStation* stations, DWORD* count);
    static std::string FormatStations(const SimStation* stations, DWORD count);
    // "96 B6": 8-bit addresses in hex.
    static bool ParseAckList(const std::string& text, SimConfig* config);
    static std::string FormatAckList(const SimConfig& config);
    // "id=93 if=38900 split=160000,442000 bands=01,02,04 cb=CE fm=- codes=4,2,3,1,0 fmlock=4 demod=1"
    static bool ParseProfile(const std::string& text, SimTunerProfile* profile);
    static std::string FormatProfile(const SimTunerProfile& profile);
    // Adds or replaces the card's own row.
    static bool AddProfile(SimConfig* config, const SimTunerProfile& profile);
};
