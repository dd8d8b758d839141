#pragma once

#include "FuzzReaders.h"

// Kavex's readers beyond the engine's: its shortcut table, skins, a skin's bitmap and the
// schedule, and the capture box's encoder profiles. Each goes through the entry point the
// program calls.
FuzzReader::Result LoadAccelTable(const CString& folder, const CString& scratch);
FuzzReader::Result LoadPanelSkin(const CString& folder, const CString& scratch);
FuzzReader::Result LoadColorSkin(const CString& folder, const CString& scratch);
FuzzReader::Result LoadSkinBitmap(const CString& folder, const CString& scratch);
FuzzReader::Result LoadSchedule(const CString& folder, const CString& scratch);
FuzzReader::Result LoadVideoProfileFile(const CString& folder, const CString& scratch);

// Their seed files, by the programs' own writers, or copied from the skins beside this program.
void WriteProgramSeeds(const CString& folder);
