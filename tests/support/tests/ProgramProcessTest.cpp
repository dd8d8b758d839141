#include <gtest/gtest.h>
#include <windows.h>

#include "HelperProcess.h"
#include "ProgramProcess.h"
#include "TempFolder.h"

namespace {

// Its own process id when it runs in the folder given, else 0.
SUITE_HELPER(PidInFolder)
{
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(folder), folder);
    if (args.size() != 1 || _stricmp(folder, args[0].c_str()) != 0)
        return 0;
    return (int)GetCurrentProcessId();
}

SUITE_HELPER(Linger)
{
    Sleep(INFINITE);
    return 0;
}

std::string SelfPath()
{
    char self[MAX_PATH] = "";
    GetModuleFileNameA(NULL, self, sizeof(self));
    return self;
}

TEST(ProgramProcess, RunsWithItsArgumentsInTheFolderGiven)
{
    TempFolder folder;
    ProgramProcess program(SelfPath(),
                           "--helper PidInFolder " + ProgramProcess::QuoteArgument(folder.Path()),
                           folder.Path());
    ASSERT_TRUE(program.IsStarted()) << program.StartError();
    DWORD exitCode = 0;
    ASSERT_TRUE(program.Wait(30000, &exitCode));
    EXPECT_NE(0u, program.Pid());
    EXPECT_EQ(program.Pid(), exitCode);
    EXPECT_EQ(exitCode, program.ExitCode());
    EXPECT_FALSE(program.IsRunning());
}

TEST(ProgramProcess, KillEndsARunningProgramWithTheCodeGiven)
{
    ProgramProcess program(SelfPath(), "--helper Linger");
    ASSERT_TRUE(program.IsStarted());
    EXPECT_TRUE(program.IsRunning());
    EXPECT_FALSE(program.Wait(100));
    EXPECT_EQ((DWORD)STILL_ACTIVE, program.ExitCode());

    program.Kill(7);
    EXPECT_FALSE(program.IsRunning());
    EXPECT_EQ(7u, program.ExitCode());
}

TEST(ProgramProcess, AMissingProgramDoesNotStart)
{
    ProgramProcess program("C:\\no such folder\\Kavex.exe", "/StartupFullScreen");
    EXPECT_FALSE(program.IsStarted());
    EXPECT_NE(0u, program.StartError());
    EXPECT_FALSE(program.Wait(0));
    EXPECT_FALSE(program.IsRunning());
    EXPECT_EQ(0u, program.Pid());
}

} // namespace
