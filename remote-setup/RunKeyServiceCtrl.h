#pragma once

#include "RemoteServiceCtrl.h"

// The road of the 9x family, which has no services: the program is started from the Run
// key at logon, or here through the shell, and tells whether it runs by the maker's "Start"
// value. It is found by its window and ended by closing it.
class CRunKeyServiceCtrl : public CRemoteServiceCtrl
{
public:
    // 1060 without the Run value; else 4 or 1 by "Start", TRUE only when "Start" was read.
    BOOL QueryStatus(int& state) override;
    BOOL Stop() override;
    // The path kept by Install, else the maker's "Exe" value; FALSE when no file is there.
    BOOL Start() override;
    BOOL Remove() override;
    // Writes the Run value only; the program is neither started nor looked for.
    BOOL Install(const char* displayName, DWORD startType, const char* path) override;

private:
    CString m_path;
};

extern const char kRunKey[];  // "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"
