#pragma once

#include <afx.h>

#include <vector>

#include "ChannelEntry.h"
#include "IniTableFile.h"

// ChannelAddress.ini, read only: [General] lists the countries ("CountryCode-%d"), each
// country's section lists its regions ("Table-%d"), and each region's section lists the
// channels broadcast there ("Channel-%d" as a channel list line, frequency in kHz).
class CChannelTableStore : public CIniTableFile
{
public:
    CChannelTableStore();
    virtual ~CChannelTableStore();

    // The region's channels in ascending frequency, kept until the next read; NULL when the
    // region has no section or none of its lines is a channel.
    const std::vector<CChannelEntry>* ReadTable(const char* region);
    int GetCountryCount() const;
    void GetCountryCodes(CStringList& list) const;

    // Appends the non-empty "Table-%d" values of the section below its Total, each cut to
    // MAX_PATH - 1 bytes as a profile read would; TRUE when the section's Total is not 0.
    static BOOL ReadProfileTableList(const char* path, const char* section, CStringList& list);

private:
    CChannelTableStore(const CChannelTableStore&);
    CChannelTableStore& operator=(const CChannelTableStore&);

    std::vector<CChannelEntry> m_table;
};
