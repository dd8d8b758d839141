#pragma once

#include <vector>

// The frequency tables the program carries itself: one picture-carrier table per country,
// written to ChannelPoint.ini when that file is missing, and the full-range scan table.
class CBuiltInFreqTables
{
public:
    static int GetCountryCount();
    // The country's name as ChannelPoint.ini lists it; NULL outside 0 .. count - 1.
    static const char* GetCountryName(int i);
    // The country's picture carriers in MHz, ascending; empty outside 0 .. count - 1.
    static void GetCountryTable(int i, std::vector<float>& mhz);
    // The scan table in MHz, in table order: not ascending, and two carriers stand twice.
    static void GetScanTable(std::vector<float>& mhz);
};
