#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "WaitUntil.h"

#include "TempFolder.h"

// A folder with a blank in its name holding the service program Ostler.exe and the key files
// it reads at start: Service.ini with two programs, the factory Default.dat and the two
// programs' key tables (2 and 1 records).
class OstlerFolder
{
public:
    OstlerFolder();

    // Without a trailing backslash.
    const std::string& Path() const { return m_path; }
    std::string ProgramPath() const { return m_path + "\\Ostler.exe"; }
    bool Ready() const { return m_ready; }

    // Ostler's log from the moment the object was made.
    std::string LogSinceStart() const;

private:
    TempFolder m_temp;
    std::string m_path;
    size_t m_logStart;
    bool m_ready;
};

// What the other processes of the prefix see of a running Ostler.
bool OstlerWindowExists();
bool OstlerMutexExists();
// The maker's "Start" value, -1 when it is missing.
int StartValue();

// What the Service Control Manager holds of the service, read without the controller.
struct InstalledService
{
    bool found = false;
    DWORD type = 0, startType = 0, errorControl = 0;
    std::string binaryPath, displayName, account;

    static InstalledService Read();
};

// The maker's values "Exe" and "Start" and the Run value as they were, put back on destruction.
class RemoteServiceValues
{
public:
    RemoteServiceValues();
    ~RemoteServiceValues();
    RemoteServiceValues(const RemoteServiceValues&) = delete;
    RemoteServiceValues& operator=(const RemoteServiceValues&) = delete;

private:
    struct Saved
    {
        bool present = false;
        DWORD type = 0;
        std::string data;
    };
    static Saved Read(const char* key, const char* name);
    static void Restore(const char* key, const char* name, const Saved& saved);

    Saved m_exe, m_start, m_run;
};
