#include "ProgramProcess.h"

#include <vector>

ProgramProcess::ProgramProcess(const std::string& program, const std::string& arguments,
                               const std::string& folder)
{
    std::string command = QuoteArgument(program);
    if (!arguments.empty())
        command += " " + arguments;
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(program.c_str(), line.data(), NULL, NULL, FALSE, 0, NULL,
                        folder.empty() ? NULL : folder.c_str(), &startup, &info)) {
        m_startError = GetLastError();
        return;
    }
    CloseHandle(info.hThread);
    m_process = info.hProcess;
    m_pid = info.dwProcessId;
}

ProgramProcess::~ProgramProcess()
{
    if (m_process == NULL)
        return;
    Kill();
    CloseHandle(m_process);
}

bool ProgramProcess::Wait(DWORD timeoutMs, DWORD* exitCode)
{
    if (m_process == NULL || WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0)
        return false;
    if (exitCode)
        *exitCode = ExitCode();
    return true;
}

bool ProgramProcess::IsRunning() const
{
    return m_process != NULL && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

DWORD ProgramProcess::ExitCode() const
{
    DWORD exitCode = STILL_ACTIVE;
    if (m_process != NULL)
        GetExitCodeProcess(m_process, &exitCode);
    return exitCode;
}

void ProgramProcess::Kill(UINT exitCode)
{
    if (!IsRunning())
        return;
    TerminateProcess(m_process, exitCode);
    WaitForSingleObject(m_process, INFINITE);
}

// Backslashes are literal except before a quote, where they are doubled.
std::string ProgramProcess::QuoteArgument(const std::string& arg)
{
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos)
        return arg;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"')
            quoted.append(backslashes * 2 + 1, '\\');
        else
            quoted.append(backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}
