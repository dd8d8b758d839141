#include "SimFamilyCard.h"

#include <stdio.h>

#include <sstream>

SimFamilyCard::SimFamilyCard(DWORD card, const std::wstring& line) : m_card(card), m_control(card)
{
    std::wstring number = L"card=" + std::to_wstring(card);
    SimControl::Install(FALSE, number.c_str());
    m_installed = SimControl::Install(TRUE, (number + L";" + line).c_str());
}

SimFamilyCard::~SimFamilyCard()
{
    // Other programs of the prefix list the devices: leave only the cards they expect.
    SimControl::Install(FALSE, (L"card=" + std::to_wstring(m_card)).c_str());
}

CComRef<IBaseFilter> SimFamilyCard::BindCapture(const char* name)
{
    return SimDevices::Bind(CLSID_VideoInputDeviceCategory, name, m_card);
}

DWORD SimFamilyCard::Mark()
{
    DWORD seq = 0;
    sscanf(m_control("trace mark").c_str(), "seq=%lu", &seq);
    return seq;
}

SimFamilyCard::Lines SimFamilyCard::TraceFrom(DWORD seq)
{
    Lines lines;
    std::istringstream text(m_control("trace " + std::to_string(seq)));
    std::string line;
    while (std::getline(text, line))
        lines.push_back(line.substr(line.find('=') + 1));
    return lines;
}

SimFamilyCard::Lines SimFamilyCard::TraceFrom(DWORD seq, const std::vector<std::string>& prefixes)
{
    Lines kept;
    for (const std::string& line : TraceFrom(seq)) {
        for (const std::string& prefix : prefixes) {
            if (line.compare(0, prefix.size(), prefix) == 0) {
                kept.push_back(line);
                break;
            }
        }
    }
    return kept;
}
