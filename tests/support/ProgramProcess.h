#pragma once

#include <windows.h>

#include <string>

// A Windows program run as a process of its own inside the prefix, as a user or another
// program would start it: end-to-end tests drive it from outside through its windows.
class ProgramProcess
{
public:
    // program: its Windows path. arguments: the command line after the quoted program path,
    // as they stand (empty: none). folder: the working folder (empty: this process's).
    ProgramProcess(const std::string& program, const std::string& arguments = std::string(),
                   const std::string& folder = std::string());
    // Kills the program when it is still running.
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool IsStarted() const { return m_process != NULL; }
    // CreateProcess's error when the program did not start.
    DWORD StartError() const { return m_startError; }
    HANDLE Handle() const { return m_process; }
    DWORD Pid() const { return m_pid; }

    // TRUE when the program has ended within the time; its exit code then goes to exitCode.
    bool Wait(DWORD timeoutMs, DWORD* exitCode = NULL);
    bool IsRunning() const;
    // The exit code of the ended program; STILL_ACTIVE while it runs.
    DWORD ExitCode() const;
    // Ends a running program with the exit code, and waits until it is gone.
    void Kill(UINT exitCode = 1);

    // One argument quoted for the C runtime's parser (CommandLineToArgv rules).
    static std::string QuoteArgument(const std::string& arg);

private:
    HANDLE m_process = NULL;
    DWORD m_pid = 0;
    DWORD m_startError = 0;
};
