#include "ProgramPresetList.h"

void ProgramPresetList::AddKnownPrograms()
{
    static const char* const kKnown[][2] = {
        {"Dscaler4.19", "Descaler419.dat"},
        {"WINDVR3.0", "WINDVR30.dat"},
        {"mediaplayer9", "mp9.dat"},
    };
    for (const auto& known : kKnown)
        m_presets.push_back(Preset{known[0], known[1]});
}
