#include "SimFilterFixture.h"

#include "HelperProcess.h"

#include <thread>

namespace
{
const char CARD7_LOCK[] = "Sim2388x.Card7.Lock";
}

// Another process of the prefix drives the same card through the module's command.
SUITE_HELPER(SimCardCommands)
{
    HMODULE module = LoadLibraryA("C:\\sim\\filters\\sim2388x.ax");
    if (module == NULL)
        return 10;
    SimControl control(7);
    for (const std::string& command : args) {
        if (FAILED(control.Run(command)))
            return 11;
    }
    return 0;
}

class SimCardSharingTest : public SimFilterFixture
{
};

TEST_F(SimCardSharingTest, AnotherProcessSeesAndDrivesTheSameCard)
{
    SimFilterRequests bus(tuner.Get());
    ASSERT_EQ(S_OK, bus.Write({ 0xC0, 0x05, 0x8A, 0xCE, 0xA0 }));
    EXPECT_EQ(0, HelperProcess::Run("SimCardCommands", { "trace wait 1 2000 T TV N=1418", "tv 471250", "key C3 500" }));
    Sleep(30);
    EXPECT_EQ(0x40, bus.Status(0xC1));
    DWORD value = 0;
    ASSERT_EQ(S_OK, bus.ReadGpio(0x0FFFFFFF, &value));
    EXPECT_EQ(0x003C8600u, value);
}

TEST_F(SimCardSharingTest, BusyCardLockFailsTheCall)
{
    HANDLE held = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        HANDLE mutex = CreateMutexA(nullptr, FALSE, CARD7_LOCK);
        WaitForSingleObject(mutex, INFINITE);
        SetEvent(held);
        WaitForSingleObject(release, INFINITE);
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    });
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(held, 10000));
    SimFilterRequests bus(tuner.Get());
    DWORD value = 0;
    EXPECT_EQ((HRESULT)0x800705B4, bus.ReadGpio(0x0FFFFFFF, &value));
    SetEvent(release);
    holder.join();
    EXPECT_EQ(S_OK, bus.ReadGpio(0x0FFFFFFF, &value));
    CloseHandle(held);
    CloseHandle(release);
}

TEST_F(SimCardSharingTest, AbandonedCardLockIsTakenOver)
{
    std::thread dying([] {
        HANDLE mutex = CreateMutexA(nullptr, FALSE, CARD7_LOCK);
        WaitForSingleObject(mutex, INFINITE);
        CloseHandle(mutex);
    });
    dying.join();
    SimFilterRequests bus(tuner.Get());
    DWORD value = 0;
    EXPECT_EQ(S_OK, bus.ReadGpio(0x0FFFFFFF, &value));
    EXPECT_TRUE(Traced("! abandoned"));
}

TEST_F(SimCardSharingTest, InstalledCardCarriesItsInstanceValues)
{
    ASSERT_EQ(S_OK, SimControl::Install(FALSE, L"card=8"));
    ASSERT_EQ(S_OK, SimControl::Install(TRUE, L"card=8;Profile=92;PllAddr=0xC2;audio=0;TvStations=471250:P"));
    CComRef<IBaseFilter> card8 = SimDevices::Bind(AM_KSCATEGORY_TVTUNER, "Conexant 2388x_1 Tuner", 8);
    ASSERT_TRUE(card8);
    EXPECT_FALSE(SimDevices::Bind(CLSID_AudioInputDeviceCategory, "Conexant 2388x_1 Audio Capture", 8));
    SimControl control8(8);
    control8("reset");

    SimFilterRequests bus(card8.Get());
    std::vector<BYTE> bytes;
    EXPECT_EQ((HRESULT)0x8007045D, bus.Read(0xC1, 1, &bytes));
    ASSERT_EQ(S_OK, bus.Write({ 0xC2, 0x1F, 0xE2, 0xCE, 0x04, 0xA0 }));
    Sleep(30);
    EXPECT_EQ(0x43, bus.Status(0xC3));
    EXPECT_EQ(0xC0, bus.Status(0x87));

    ASSERT_EQ(S_OK, SimControl::Install(TRUE, L"card=8;audioname=Sim Line"));
    EXPECT_TRUE(SimDevices::Bind(CLSID_AudioInputDeviceCategory, "Sim Line", 8));
    ASSERT_EQ(S_OK, SimControl::Install(FALSE, L"card=8"));
    EXPECT_FALSE(SimDevices::Bind(AM_KSCATEGORY_TVTUNER, "Conexant 2388x_1 Tuner", 8));
}

namespace
{
// Runs the control tool of the prefix; its output goes to output.
DWORD RunSimctl(const std::string& arguments, std::string* output)
{
    SECURITY_ATTRIBUTES inherit = { sizeof(inherit), nullptr, TRUE };
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return ~0u;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::string line = "C:\\sim\\tools\\simctl.exe " + arguments;
    PROCESS_INFORMATION process = {};
    BOOL started = CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    DWORD code = ~0u;
    if (started) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got > 0)
            output->append(buffer, got);
        WaitForSingleObject(process.hProcess, 30000);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(readEnd);
    return code;
}
}

TEST_F(SimCardSharingTest, ControlToolReportsThroughItsExitCode)
{
    std::string output;
    EXPECT_EQ(0u, RunSimctl("-c 7 key C3", &output));
    output.clear();
    EXPECT_EQ(0u, RunSimctl("-c 7 mcu", &output));
    EXPECT_EQ("word=0x0000\nenabled=0\npresent=1\nframes=0\n", output);
    EXPECT_EQ(1u, RunSimctl("-c 7 tune 49750", &output));
    EXPECT_EQ(1u, RunSimctl("", &output));
    // Nobody holds card 6.
    EXPECT_EQ(2u, RunSimctl("-c 6 state", &output));
}
