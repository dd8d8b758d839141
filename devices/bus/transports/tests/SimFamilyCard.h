#pragma once

#include "SimDeviceSupport.h"

#include <dshow.h>

#include <string>
#include <vector>

// One simulated card of the prefix registered under another driver family's names for the
// life of the object, with its control channel and trace. Needs COM on the calling thread.
class SimFamilyCard
{
public:
    typedef std::vector<std::string> Lines;

    // line: the DllInstall line without the card number ("family=tunnel").
    SimFamilyCard(DWORD card, const std::wstring& line);
    ~SimFamilyCard();
    SimFamilyCard(const SimFamilyCard&) = delete;
    SimFamilyCard& operator=(const SimFamilyCard&) = delete;

    HRESULT Installed() const { return m_installed; }
    SimControl& Control() { return m_control; }
    // The card's capture filter under its family's name.
    CComRef<IBaseFilter> BindCapture(const char* name);

    DWORD Mark();
    // The trace lines from seq on, without their numbers.
    Lines TraceFrom(DWORD seq);
    // Those that begin with one of the prefixes.
    Lines TraceFrom(DWORD seq, const std::vector<std::string>& prefixes);

private:
    DWORD m_card;
    SimControl m_control;
    HRESULT m_installed;
};
