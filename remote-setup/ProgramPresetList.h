#pragma once

#include <afx.h>

#include <vector>

// The programs the program-item dialog offers, each with the name of its key-table file.
class ProgramPresetList
{
public:
    struct Preset
    {
        CString displayName;
        CString keyTableFile;
    };

    // Appends the programs Tandril knows.
    void AddKnownPrograms();

    int GetCount() const { return (int)m_presets.size(); }
    const Preset& GetAt(int index) const { return m_presets[index]; }

private:
    std::vector<Preset> m_presets;
};
