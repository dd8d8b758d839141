#pragma once

#include <afx.h>

#include <string>
#include <vector>

// What the engine asked of the user interface, one line per call in the order made
// ("BeginScan", "ShowChannelInfo 247250 CCTV-1", "ShowFavoriteButton 1", ...), and the
// answers the fakes give.
class CUiCallLog
{
public:
    static void Add(const std::string& call);
    static const std::vector<std::string>& Calls();
    static void Clear();
    // How many logged calls start with the given text.
    static int Count(const char* prefix);

    // IsItemEnabled's answer for a control id; every control is enabled unless set here.
    static void SetItemEnabled(UINT id, BOOL enabled);
    static BOOL IsItemEnabled(UINT id);
};
