#include "HelperProcess.h"

#include <cstdio>
#include <cstring>
#include <map>

namespace {

std::map<std::string, HelperFunction>& Helpers()
{
    static std::map<std::string, HelperFunction> helpers;
    return helpers;
}

const char kHelperSwitch[] = "--helper";

} // namespace

HelperProcess::HelperProcess(const std::string& name, const std::vector<std::string>& args)
{
    char self[MAX_PATH];
    if (GetModuleFileNameA(NULL, self, sizeof(self)) == 0)
        return;
    std::string command = QuoteArgument(self) + " " + kHelperSwitch + " " + QuoteArgument(name);
    for (const std::string& arg : args)
        command += " " + QuoteArgument(arg);

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    if (!CreateProcessA(self, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info))
        return;
    CloseHandle(info.hThread);
    m_process = info.hProcess;
}

HelperProcess::~HelperProcess()
{
    Kill();
}

bool HelperProcess::Wait(DWORD timeoutMs, DWORD* exitCode)
{
    if (m_process == NULL || WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0)
        return false;
    if (exitCode)
        GetExitCodeProcess(m_process, exitCode);
    return true;
}

void HelperProcess::Kill()
{
    if (m_process == NULL)
        return;
    if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, INFINITE);
    }
    CloseHandle(m_process);
    m_process = NULL;
}

int HelperProcess::Run(const std::string& name, const std::vector<std::string>& args,
                       DWORD timeoutMs)
{
    HelperProcess helper(name, args);
    if (!helper.IsStarted())
        return kNotStarted;
    DWORD exitCode = 0;
    if (!helper.Wait(timeoutMs, &exitCode))
        return kTimedOut;
    return (int)exitCode;
}

bool HelperProcess::Register(const char* name, HelperFunction function)
{
    Helpers()[name] = function;
    return true;
}

bool HelperProcess::RunFromCommandLine(int argc, char** argv, int* exitCode)
{
    if (argc < 3 || strcmp(argv[1], kHelperSwitch) != 0)
        return false;
    auto found = Helpers().find(argv[2]);
    if (found == Helpers().end()) {
        fprintf(stderr, "no helper named %s\n", argv[2]);
        *exitCode = 127;
        return true;
    }
    *exitCode = found->second(std::vector<std::string>(argv + 3, argv + argc));
    return true;
}

// The quoting that the C runtime's argument parser undoes: backslashes are literal except
// before a quote, where they are doubled.
std::string HelperProcess::QuoteArgument(const std::string& arg)
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
