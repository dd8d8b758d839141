#include "GantrixModule.h"

#include <stdio.h>

namespace
{

const char kMakerWord[] = "Stelvark";

HINSTANCE g_instance = nullptr;
DWORD g_platformId = 0;
WCHAR g_filterName[64];
WCHAR g_pageName[80];
char g_settingsKey[96];

} // namespace

void CGantrixModule::Attach(HINSTANCE instance)
{
    g_instance = instance;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (GetVersionExA(&version))
        g_platformId = version.dwPlatformId;
    _snwprintf(g_filterName, 64, L"%hs MPEG Multiplexer", kMakerWord);
    _snwprintf(g_pageName, 80, L"%hs MPEG Multiplexer Property Page", kMakerWord);
    snprintf(g_settingsKey, sizeof(g_settingsKey), "Software\\%s\\DirectShow\\MPEGMultiplexer", kMakerWord);
}

HINSTANCE CGantrixModule::Instance()
{
    return g_instance;
}

DWORD CGantrixModule::PlatformId()
{
    return g_platformId;
}

const WCHAR* CGantrixModule::FilterName()
{
    return g_filterName;
}

const WCHAR* CGantrixModule::PageName()
{
    return g_pageName;
}

const char* CGantrixModule::SettingsKey()
{
    return g_settingsKey;
}

const char* CGantrixModule::MakerName()
{
    return kMakerWord;
}
