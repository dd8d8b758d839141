#pragma once

#include "ClassOverride.h"

#include <memory>
#include <string>

// The stand-in Active Desktop for one test: its class registered in this process (from the
// module copied beside the test program), its saved desktop cleared at the start and read
// back as the shell would show it.
class SimDesktop
{
public:
    SimDesktop();
    ~SimDesktop();

    bool Registered() const { return m_override && m_override->Registered(); }
    // Saves a desktop as if the user had chosen it.
    void Save(const char* wallpaper, DWORD style);
    // What is saved: the wallpaper in the ANSI code page, its style, how many times changes
    // were saved.
    std::string Wallpaper() const;
    DWORD Style() const;
    DWORD Applied() const;
    // The stand-in's methods (by name, blank separated) that answer E_FAIL from the next
    // object made on.
    void SetFailing(const char* methods);

private:
    std::unique_ptr<ClassOverride> m_override;
};
