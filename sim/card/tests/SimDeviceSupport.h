#pragma once

#include "ComRef.h"
#include "SimPropertyRequests.h"

#include <dshow.h>

#include <string>
#include <vector>

// Finding the card's filters the way the program does: through the system device
// enumerator, by category and FriendlyName, and on a given card number.
class SimDevices
{
public:
    // FriendlyNames of a category in the enumerator's order.
    static std::vector<std::string> Names(REFCLSID category);
    // The filter with that FriendlyName whose instance values name the card.
    static CComRef<IBaseFilter> Bind(REFCLSID category, const char* friendlyName, DWORD card);
};

// The private property set through a filter's IKsPropertySet, with the instance data
// inside the data buffer as the host's transport passes it.
class SimFilterRequests : public SimPropertyRequests
{
public:
    explicit SimFilterRequests(IUnknown* filter);
    bool Attached() const { return (bool)m_set; }

protected:
    HRESULT Send(bool get, DWORD id, BYTE* buffer, DWORD size, DWORD* returned) override;

private:
    CComRef<IKsPropertySet> m_set;
};

// SimCommand of the loaded module.
class SimControl
{
public:
    explicit SimControl(DWORD card) : m_card(card) {}
    HRESULT Run(const std::string& command, std::string* answer = nullptr);
    // Runs a command that must succeed and returns its answer.
    std::string operator()(const std::string& command);
    // The sequence number the next trace line gets, and the lines from one on.
    DWORD TraceMark();
    std::string TraceFrom(DWORD seq);

    static HRESULT Install(bool install, const wchar_t* commandLine);

private:
    DWORD m_card;
};

// The 32-bit words a YUY2 frame of the card carries in its ID band (band 0) and frame
// band (band 1); noise when no cell is uniform black or white.
class SimFrameReader
{
public:
    static DWORD Band(const BYTE* yuy2, LONG width, LONG height, int band);
    static bool IsNoise(const BYTE* yuy2, LONG width, LONG height);
};
