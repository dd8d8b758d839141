#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ProgramProcess.h"

// A second process for tests that need one (cross-process mutexes, a process that dies
// holding something): the test executable itself, re-run as `--helper NAME ARGS...`.
// main() then runs the helper registered under NAME and exits with its result.
typedef int (*HelperFunction)(const std::vector<std::string>& args);

class HelperProcess
{
public:
    enum { kNotStarted = -1, kTimedOut = -2 };

    // The helper is killed at the end when it is still running.
    HelperProcess(const std::string& name, const std::vector<std::string>& args = {});

    bool IsStarted() const { return m_program.IsStarted(); }
    HANDLE Handle() const { return m_program.Handle(); }
    DWORD Pid() const { return m_program.Pid(); }
    // TRUE when the helper has ended within the time; its exit code then goes to exitCode.
    bool Wait(DWORD timeoutMs, DWORD* exitCode = NULL)
    {
        return m_program.Wait(timeoutMs, exitCode);
    }
    void Kill() { m_program.Kill(); }

    // Runs a helper to its end: its exit code, kNotStarted, or kTimedOut (it is killed then).
    static int Run(const std::string& name, const std::vector<std::string>& args = {},
                   DWORD timeoutMs = 30000);

    // Always TRUE; a value to initialise a static with, so registration runs at start-up.
    static bool Register(const char* name, HelperFunction function);
    // Called by main(): TRUE when the command line asks for a helper; exitCode is its result.
    static bool RunFromCommandLine(int argc, char** argv, int* exitCode);

private:
    static std::string SelfPath();
    static std::string HelperArguments(const std::string& name,
                                       const std::vector<std::string>& args);

    ProgramProcess m_program;
};

// SUITE_HELPER(HoldMutex) { ...; return 0; } with `args` the words after the name.
#define SUITE_HELPER(name)                                                               \
    static int name##_Helper([[maybe_unused]] const std::vector<std::string>& args);     \
    static const bool name##_Registered = HelperProcess::Register(#name, name##_Helper); \
    static int name##_Helper([[maybe_unused]] const std::vector<std::string>& args)
