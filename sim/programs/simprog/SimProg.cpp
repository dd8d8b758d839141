// The suite's outside programs in one binary: each copy is what its file name says (see
// SimPersonality.cpp), as far as the TV program and the tests can tell.
#include <windows.h>

#include <stdlib.h>

#include <string>
#include <vector>

#include "CSimProgram.h"

namespace {

std::string OwnStem()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof(path));
    std::string stem(path);
    stem = stem.substr(stem.find_last_of('\\') + 1);
    return stem.substr(0, stem.find_last_of('.'));
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand)
{
    std::vector<std::string> args(__argv + (__argc > 0 ? 1 : 0), __argv + __argc);
    CSimProgram program(OwnStem(), GetCommandLineA(), args);
    return program.Run(showCommand);
}
