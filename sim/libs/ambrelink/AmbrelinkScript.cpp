#include "Ambrelink.h"

#include "CSimLog.h"
#include "CSimSwitches.h"

#include <stdlib.h>

#include <string>
#include <vector>

// The library answering from HKLM\Software\Sim\ambrelink, for tests of its callers' call
// sequences: "StatusSeq" and "StartSeq" are the answers of successive calls (the last one
// repeats), "StatusOk" and "InstallResult" fixed answers. The counts start when the library
// is loaded.
namespace {

struct Script
{
    Script() : switches("ambrelink"), log("ambrelink", switches.TraceLevel())
    {
        statuses = Parse(switches.Text("StatusSeq", "1,4"));
        starts = Parse(switches.Text("StartSeq", "0,1"));
    }

    static std::vector<DWORD> Parse(const std::string& text)
    {
        std::vector<DWORD> values;
        const char* p = text.c_str();
        while (*p) {
            char* end = NULL;
            values.push_back(strtoul(p, &end, 10));
            if (end == p)
                break;
            p = end;
            while (*p == ',' || *p == ' ')
                ++p;
        }
        if (values.empty())
            values.push_back(0);
        return values;
    }

    static DWORD Next(const std::vector<DWORD>& values, size_t& calls)
    {
        size_t index = calls < values.size() ? calls : values.size() - 1;
        ++calls;
        return values[index];
    }

    CSimSwitches switches;
    CSimLog log;
    std::vector<DWORD> statuses;
    std::vector<DWORD> starts;
    size_t statusCalls = 0;
    size_t startCalls = 0;
};

Script& TheScript()
{
    static Script script;
    return script;
}

} // namespace

extern "C" __declspec(dllexport) int WINAPI RSGetStatus(DWORD* state)
{
    Script& script = TheScript();
    *state = Script::Next(script.statuses, script.statusCalls);
    int result = (int)script.switches.Dword("StatusOk", 1);
    script.log.Line("RSGetStatus -> %d state=%lu", result, *state);
    return result;
}

extern "C" __declspec(dllexport) int WINAPI RSStart(void)
{
    Script& script = TheScript();
    int result = (int)Script::Next(script.starts, script.startCalls);
    script.log.Line("RSStart -> %d", result);
    return result;
}

extern "C" __declspec(dllexport) int WINAPI RSInstall(void)
{
    Script& script = TheScript();
    int result = (int)script.switches.Dword("InstallResult", 1);
    script.log.Line("RSInstall -> %d", result);
    return result;
}

#ifndef SIM_OMIT_RSUNINSTALL
extern "C" __declspec(dllexport) int WINAPI RSUnInstall(void)
{
    TheScript().log.Line("RSUnInstall -> 1");
    return 1;
}
#endif
