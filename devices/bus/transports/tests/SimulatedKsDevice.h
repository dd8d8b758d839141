#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// The driver side of the bus-master property set as the KS device-control entry point reaches
// it: Control stands in for that entry point, records every call and answers the commands
// like a small device would (bytes to receive, a GPIO access mode, a GPIO word). One device is
// current at a time: the one constructed last.
class SimulatedKsDevice
{
public:
    struct Call
    {
        HANDLE handle;
        ULONG ioctl;
        bool sameBuffer;            // the command went out and came back in one buffer
        ULONG inSize;
        ULONG outSize;
        std::vector<BYTE> buffer;   // as it arrived
    };

    SimulatedKsDevice();
    ~SimulatedKsDevice();
    SimulatedKsDevice(const SimulatedKsDevice&) = delete;
    SimulatedKsDevice& operator=(const SimulatedKsDevice&) = delete;

    static HRESULT WINAPI Control(HANDLE handle, ULONG ioctl, PVOID in, ULONG inSize, PVOID out, ULONG outSize,
                                  PULONG returned);

    std::vector<Call> Calls();
    // The commands as the device understood them, one line per command (its first call):
    // "start", "stop", "send C1", "receive", "next", "bus control 07", "mode?", "mode 0",
    // "gpio?", "gpio 00001234/0000F000", "device control".
    std::vector<std::string> Log();
    void Clear();

    // Bytes the bus gives to "receive", in order.
    std::deque<BYTE> incoming;
    // The GPIO access mode and word.
    DWORD mode = 5;
    DWORD gpio = 0;
    // The calls of command code failCode (with flags failFlags: 2 set, 1 get) fail with failResult.
    DWORD failCode = 0;
    DWORD failFlags = 2;
    HRESULT failResult = S_OK;
    // Called on the caller's thread with the command code of each call.
    std::function<void(DWORD code)> onCall;

private:
    HRESULT Handle(HANDLE handle, ULONG ioctl, BYTE* in, ULONG inSize, BYTE* out, ULONG outSize);
    void Answer(DWORD code, BYTE* buffer);

    static SimulatedKsDevice* s_current;
    // Guards everything the calls change; they may come from several threads.
    std::mutex m_mutex;
    std::vector<Call> m_calls;
    std::vector<std::string> m_log;
};

// A capture filter whose IKsObject gives handle (withKsObject false: a filter without
// IKsObject). Returns its IUnknown with the caller's one reference.
IUnknown* CreateKsObjectFilter(HANDLE handle, bool withKsObject = true);
