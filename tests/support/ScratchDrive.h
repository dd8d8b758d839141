#pragma once

#include <windows.h>

#include <string>

// The scratch drives of tests run through ScratchDrives.sh: R: in memory and S: on the
// build's disk, two file systems of different free space.
extern const char kScratchMemoryDrive[];  // "R:\\"
extern const char kScratchDiskDrive[];    // "S:\\"

// Enters one scratch drive in the running Wine server's list of drives while the object lives.
// The drive's files come from its link in the prefix, made by ScratchDrives.sh; a link alone
// does not reach a server that is already running.
class ScratchDrive
{
public:
    // letter "R:"; the link's Unix target is in the environment variable.
    ScratchDrive(const char* letter, const char* unixPathVariable);
    ~ScratchDrive();
    ScratchDrive(const ScratchDrive&) = delete;
    ScratchDrive& operator=(const ScratchDrive&) = delete;

    bool Defined() const { return m_defined; }

    // The drive's free MB as the system reads it now, -1 when it cannot be read.
    static int FreeMB(const char* root);

private:
    std::string m_letter;
    std::string m_target;
    bool m_defined = false;
};

// Both scratch drives for one test.
struct ScratchDrives
{
    ScratchDrive memory{"R:", "KAVEX_DRIVE_R"};
    ScratchDrive disk{"S:", "KAVEX_DRIVE_S"};

    bool Ready() const;
};
