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
    : m_program(SelfPath(), HelperArguments(name, args))
{
}

std::string HelperProcess::SelfPath()
{
    char self[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, self, sizeof(self));
    return length > 0 && length < sizeof(self) ? std::string(self, length) : std::string();
}

std::string HelperProcess::HelperArguments(const std::string& name,
                                           const std::vector<std::string>& args)
{
    std::string arguments = std::string(kHelperSwitch) + " " + ProgramProcess::QuoteArgument(name);
    for (const std::string& arg : args)
        arguments += " " + ProgramProcess::QuoteArgument(arg);
    return arguments;
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
