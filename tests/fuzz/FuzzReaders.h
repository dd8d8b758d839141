#pragma once

#include <afx.h>

// The suite's readers as the fuzzer drives them. Each reads some files of a program folder
// through the program's own entry points; the first `damaged` of its files are the ones a
// copy damages, the others stay as the seed wrote them.
struct FuzzReader
{
    enum Result { kLoaded = 0, kRefused = 1, kLostOnSave = 2 };

    const char* name;
    const char* const* files;
    int damaged;
    // scratch: a file outside the folder for a save and read-back.
    Result (*load)(const CString& folder, const CString& scratch);
};

inline CString InFolder(const CString& folder, const char* name)
{
    return folder + "\\" + name;
}

// The readers of this fuzz program, ended by one with a NULL name. Each program of the suite
// carries its own copies of some classes, so its readers go in a fuzz program of their own.
extern const FuzzReader kFuzzReaders[];

// A valid program folder written by the programs' own writers (the region and skin lists,
// which the program only reads, by CIniFile; the skins and their bitmap copied from those
// beside this program).
void WriteSeedFolder(const CString& folder);
