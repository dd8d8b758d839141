#pragma once

#include <afx.h>

#include <vector>

#include "IniTableFile.h"

// ChannelPoint.ini: [General] lists the countries ("Table-%d"), and each country's section
// lists the picture carriers the tuner steps through when it scans ("Channel-%d", MHz).
class CFreqTableStore : public CIniTableFile
{
public:
    CFreqTableStore();
    virtual ~CFreqTableStore();

    // Starts a new, empty file at the path and writes it; the result of the write.
    BOOL Create(const char* path);

    void GetTableNames(CStringList& names) const;
    int GetTableCount() const;
    int GetChannelCount(const char* country) const;
    // The country's frequencies in the order of their numbers, one for each line the file
    // holds below the country's Total: the table is sized by the lines read, not by the
    // Total, and a missing line adds nothing. FALSE, values empty, when the country has none.
    BOOL ReadTable(const char* country, std::vector<float>& values) const;
    // Lists a new country in [General], then replaces the country's values and writes the
    // whole file. A failed write leaves the old file.
    BOOL WriteTable(const char* country, const std::vector<float>& values);

private:
    CFreqTableStore(const CFreqTableStore&);
    CFreqTableStore& operator=(const CFreqTableStore&);
};
