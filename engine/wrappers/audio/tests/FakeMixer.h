#pragma once

#include "MixerApi.h"

#include <set>
#include <string>
#include <vector>

// A sound card's mixers as the tests describe them, answering the WinMM mixer calls the
// audio classes make; installed for its lifetime in place of WinMM. It shows what the
// machine's own mixer cannot: named input lines, a MUX, mixers that share a name, failures.
class FakeMixer : public CMixerApi
{
public:
    struct Control
    {
        DWORD type;
        DWORD value;
        // MUX only: item names, and which items are on.
        std::vector<std::string> items;
        std::vector<DWORD> selected;
    };
    struct Line
    {
        std::string name;
        DWORD componentType;
        std::vector<Control> controls;
    };
    struct Destination
    {
        Line line;
        std::vector<Line> sources;
    };
    struct Device
    {
        std::string name;
        std::vector<Destination> destinations;
        bool refuseOpen = false;
        bool refuseCaps = false;
    };

    FakeMixer();
    ~FakeMixer() override;

    std::vector<Device> devices;
    // Wave-in device i belongs to mixer waveInMixers[i].
    std::vector<UINT> waveInMixers;

    // What the last Open asked for.
    UINT lastOpenId = 0;
    DWORD_PTR lastCallback = 0;
    DWORD lastOpenFlags = 0;
    size_t OpenHandles() const { return m_open.size(); }
    // Opens granted so far.
    size_t opens = 0;

    // Shorthand for building devices.
    static Control Value(DWORD type, DWORD value) { return Control{type, value, {}, {}}; }
    static Control Mux(const std::vector<std::string>& items, size_t on);
    Control* FindControl(size_t device, DWORD type, int destination, int source = -1);

    UINT GetNumDevs() override { return (UINT)devices.size(); }
    UINT GetWaveInNumDevs() override { return (UINT)waveInMixers.size(); }
    MMRESULT GetID(HMIXEROBJ object, UINT* id, DWORD flags) override;
    MMRESULT GetDevCaps(UINT_PTR id, MIXERCAPSA* caps, UINT size) override;
    MMRESULT Open(HMIXER* mixer, UINT id, DWORD_PTR callback, DWORD_PTR instance, DWORD flags) override;
    MMRESULT Close(HMIXER mixer) override;
    MMRESULT GetLineInfo(HMIXEROBJ object, MIXERLINEA* line, DWORD flags) override;
    MMRESULT GetLineControls(HMIXEROBJ object, MIXERLINECONTROLSA* controls, DWORD flags) override;
    MMRESULT GetControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags) override;
    MMRESULT SetControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags) override;

private:
    // Line ids: destination d is d << 8, its source s is (d << 8) | (s + 1); control k of a
    // line is (line id << 8) | k.
    Device* OpenDevice(HMIXEROBJ object, DWORD flags);
    Line* LineById(Device& device, DWORD lineId);
    Control* ControlById(Device& device, DWORD controlId);
    static void FillLine(const Line& line, DWORD destination, int source, DWORD connections, MIXERLINEA* out);
    static void FillControl(const Control& control, DWORD id, MIXERCONTROLA* out);

    std::set<size_t> m_open;
    CMixerApi* m_replaced;
};
