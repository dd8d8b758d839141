#include "CSimCommandInterpreter.h"

#include "CSimConfig.h"
#include "CSimText.h"

#include <string.h>

namespace
{
const DWORD TRACE_POLL_MS = 10;

bool OnOff(const std::string& word, DWORD* value)
{
    if (CSimText::EqualsNoCase(word, "on"))
        *value = 1;
    else if (CSimText::EqualsNoCase(word, "off"))
        *value = 0;
    else
        return false;
    return true;
}
}

CSimCommandInterpreter::CSimCommandInterpreter(DWORD card, CSimCard* live, ISimValues& values)
    : m_card(card), m_live(live), m_values(values)
{
}

std::string CSimCommandInterpreter::Rest(const Words& words, size_t from)
{
    std::string text;
    for (size_t i = from; i < words.size(); ++i)
        text += (i > from ? " " : "") + words[i];
    return text;
}

HRESULT CSimCommandInterpreter::Execute(const std::string& command, std::string* answer)
{
    answer->clear();
    Words words = CSimText::Split(command, " \t\r\n");
    if (words.empty())
        return E_SYNTAX;
    const std::string& verb = words[0];
    if (CSimText::EqualsNoCase(verb, "tv") || CSimText::EqualsNoCase(verb, "fm"))
        return Stations(words, CSimText::EqualsNoCase(verb, "fm"));
    if (CSimText::EqualsNoCase(verb, "profile"))
        return Profile(words);
    if (CSimText::EqualsNoCase(verb, "profiledef"))
        return ProfileDef(words);
    if (CSimText::EqualsNoCase(verb, "eeprom"))
        return Eeprom(words, answer);
    if (CSimText::EqualsNoCase(verb, "pll") || CSimText::EqualsNoCase(verb, "demod") ||
        CSimText::EqualsNoCase(verb, "ack") || CSimText::EqualsNoCase(verb, "signal"))
        return Switch(words);
    if (CSimText::EqualsNoCase(verb, "mcu"))
        return Mcu(words, answer);
    if (CSimText::EqualsNoCase(verb, "set"))
        return SetValue(words);
    if (CSimText::EqualsNoCase(verb, "box") && words.size() == 1)
        return m_live ? m_live->DescribeBox(answer) : E_NO_CARD;
    if (CSimText::EqualsNoCase(verb, "persist") && words.size() == 1)
        return Persist();
    if (CSimText::EqualsNoCase(verb, "trace"))
        return Trace(words, answer);
    if (CSimText::EqualsNoCase(verb, "key"))
        return Key(words);
    if (CSimText::EqualsNoCase(verb, "notify") && words.size() == 1)
        return m_live ? m_live->SignalDriverEvent() : E_NO_CARD;
    if (CSimText::EqualsNoCase(verb, "fail"))
        return Fail(words);
    if (CSimText::EqualsNoCase(verb, "nack"))
        return Nack(words);
    if (CSimText::EqualsNoCase(verb, "encoder")) {
        if (!m_live)
            return E_NO_CARD;
        HRESULT hr = m_live->EncoderCommand(words);
        return hr == E_INVALIDARG ? E_SYNTAX : hr;
    }
    if (CSimText::EqualsNoCase(verb, "reset") && words.size() == 1)
        return Reset();
    if (CSimText::EqualsNoCase(verb, "state") && words.size() == 1)
        return m_live ? m_live->DescribeState(answer) : E_NO_CARD;
    return E_SYNTAX;
}

HRESULT CSimCommandInterpreter::Configure(const char* valueName, const Change& change)
{
    SimConfig stored;
    CSimConfig::SetDefaults(&stored, m_card);
    CSimConfig::Load(m_values, &stored);
    if (!change(stored))
        return E_SYNTAX;
    CSimConfig::Store(m_values, stored, valueName);
    return m_live ? m_live->Configure(change) : S_OK;
}

HRESULT CSimCommandInterpreter::Stations(const Words& words, bool fm)
{
    std::string list = Rest(words, 1);
    if (list.empty())
        return E_SYNTAX;
    SimStation stations[SIM_MAX_STATIONS];
    DWORD count = 0;
    if (list != "-" && !CSimConfig::ParseStations(list, stations, &count))
        return E_SYNTAX;
    return Configure(fm ? "FmStations" : "TvStations", [&](SimConfig& c) {
        memcpy(fm ? c.fm : c.tv, stations, sizeof(SimStation) * count);
        (fm ? c.fmCount : c.tvCount) = count;
        return true;
    });
}

HRESULT CSimCommandInterpreter::Profile(const Words& words)
{
    DWORD id = 0;
    if (words.size() != 2 || (!CSimText::EqualsNoCase(words[1], "eeprom") && !CSimText::ParseNumber(words[1], &id)))
        return E_SYNTAX;
    return Configure("Profile", [&](SimConfig& c) {
        c.profile = id;
        return true;
    });
}

HRESULT CSimCommandInterpreter::ProfileDef(const Words& words)
{
    SimTunerProfile profile;
    if (!CSimConfig::ParseProfile(Rest(words, 1), &profile))
        return E_SYNTAX;
    return Configure("ProfileDefs", [&](SimConfig& c) { return CSimConfig::AddProfile(&c, profile); });
}

HRESULT CSimCommandInterpreter::Eeprom(const Words& words, std::string* answer)
{
    DWORD offset = 0;
    if (words.size() < 3 || !CSimText::ParseHexDword(words[1], &offset) || offset > 255)
        return E_SYNTAX;
    if (words[2] != "=") {
        DWORD count = 0;
        if (words.size() != 3 || !CSimText::ParseNumber(words[2], &count) || count == 0 || offset + count > 256)
            return E_SYNTAX;
        if (m_live == NULL)
            return E_NO_CARD;
        BYTE data[256];
        HRESULT hr = m_live->ReadEeprom(offset, data, count);
        for (DWORD i = 0; SUCCEEDED(hr) && i < count; ++i)
            *answer += CSimText::Format(i == 0 ? "%02X" : " %02X", data[i]);
        if (SUCCEEDED(hr))
            *answer += "\n";
        return hr;
    }
    std::vector<BYTE> bytes(words.size() - 3);
    for (size_t i = 3; i < words.size(); ++i) {
        if (!CSimText::ParseHexByte(words[i], &bytes[i - 3]))
            return E_SYNTAX;
    }
    if (bytes.empty() || offset + bytes.size() > 256)
        return E_SYNTAX;
    HRESULT hr = Configure("Eeprom", [&](SimConfig& c) {
        memcpy(c.eeprom + offset, bytes.data(), bytes.size());
        return true;
    });
    // The live image changes as well: it is what the card answers from.
    if (SUCCEEDED(hr) && m_live != NULL)
        hr = m_live->WriteEeprom(offset, bytes.data(), (DWORD)bytes.size());
    return hr;
}

// pll C2, demod on|off|auto, ack 96 B6 | ack -, signal composite|svideo on|off
HRESULT CSimCommandInterpreter::Switch(const Words& words)
{
    const std::string& verb = words[0];
    if (CSimText::EqualsNoCase(verb, "ack")) {
        SimConfig parsed;
        std::string list = Rest(words, 1);
        if (list.empty() || (list != "-" && !CSimConfig::ParseAckList(list, &parsed)))
            return E_SYNTAX;
        DWORD count = list == "-" ? 0 : parsed.extraAckCount;
        return Configure("ExtraAck", [&](SimConfig& c) {
            c.extraAckCount = count;
            memcpy(c.extraAck, parsed.extraAck, count);
            return true;
        });
    }
    DWORD value = 0;
    const char* name = NULL;
    if (CSimText::EqualsNoCase(verb, "pll") && words.size() == 2) {
        BYTE address = 0;
        if (!CSimText::ParseHexByte(words[1], &address))
            return E_SYNTAX;
        value = address & 0xFE;
        name = "PllAddr";
    } else if (CSimText::EqualsNoCase(verb, "demod") && words.size() == 2) {
        name = "Demod";
        if (CSimText::EqualsNoCase(words[1], "auto"))
            value = 2;
        else if (!OnOff(words[1], &value))
            return E_SYNTAX;
    } else if (CSimText::EqualsNoCase(verb, "signal") && words.size() == 3) {
        if (CSimText::EqualsNoCase(words[1], "composite"))
            name = "Composite";
        else if (CSimText::EqualsNoCase(words[1], "svideo"))
            name = "SVideo";
        if (name == NULL || !OnOff(words[2], &value))
            return E_SYNTAX;
    } else {
        return E_SYNTAX;
    }
    return Configure(name, [&](SimConfig& c) { return CSimConfig::SetDword(&c, name, value); });
}

HRESULT CSimCommandInterpreter::Mcu(const Words& words, std::string* answer)
{
    if (words.size() == 1)
        return m_live ? m_live->DescribeMcu(answer) : E_NO_CARD;
    DWORD present = 0;
    if (words.size() != 2)
        return E_SYNTAX;
    if (CSimText::EqualsNoCase(words[1], "present"))
        present = 1;
    else if (!CSimText::EqualsNoCase(words[1], "absent"))
        return E_SYNTAX;
    return Configure("McuPresent", [&](SimConfig& c) {
        c.mcuPresent = present;
        return true;
    });
}

HRESULT CSimCommandInterpreter::SetValue(const Words& words)
{
    DWORD value = 0;
    if (words.size() != 3 || !CSimConfig::IsDwordName(words[1].c_str()) || !CSimText::ParseNumber(words[2], &value))
        return E_SYNTAX;
    std::string name = words[1];
    return Configure(name.c_str(), [&](SimConfig& c) { return CSimConfig::SetDword(&c, name.c_str(), value); });
}

HRESULT CSimCommandInterpreter::Persist()
{
    if (m_live == NULL)
        return E_NO_CARD;
    SimConfig config;
    HRESULT hr = m_live->GetPersistent(&config);
    if (SUCCEEDED(hr))
        CSimConfig::StoreAll(m_values, config);
    return hr;
}

HRESULT CSimCommandInterpreter::Key(const Words& words)
{
    BYTE key = 0;
    DWORD holdMs = 0;
    if (words.size() < 2 || words.size() > 3 || !CSimText::ParseHexByte(words[1], &key) ||
        (words.size() == 3 && !CSimText::ParseNumber(words[2], &holdMs)))
        return E_SYNTAX;
    return m_live ? m_live->QueueKey(key, holdMs) : E_NO_CARD;
}

HRESULT CSimCommandInterpreter::Fail(const Words& words)
{
    DWORD id = 0;
    DWORD result = 0;
    DWORD count = 1;
    if (words.size() < 3 || words.size() > 4 || !CSimText::ParseNumber(words[1], &id) ||
        (id >= SIM_PROPERTY_IDS && (id < CSimCard::BOX_FIRST_PROPERTY || id > CSimCard::BOX_LAST_PROPERTY)) ||
        !CSimText::ParseHexDword(words[2], &result) || SUCCEEDED((HRESULT)result) ||
        (words.size() == 4 && !CSimText::ParseNumber(words[3], &count)))
        return E_SYNTAX;
    return m_live ? m_live->SetFault(id, (HRESULT)result, count) : E_NO_CARD;
}

HRESULT CSimCommandInterpreter::Nack(const Words& words)
{
    BYTE address = 0;
    DWORD on = 0;
    if (words.size() != 3 || !CSimText::ParseHexByte(words[1], &address) || !OnOff(words[2], &on))
        return E_SYNTAX;
    return m_live ? m_live->SetNack(address, on != 0) : E_NO_CARD;
}

// trace mark | trace N | trace wait N ms text | trace level L | trace clear
HRESULT CSimCommandInterpreter::Trace(const Words& words, std::string* answer)
{
    if (words.size() < 2)
        return E_SYNTAX;
    DWORD n = 0;
    bool isMark = CSimText::EqualsNoCase(words[1], "mark") && words.size() == 2;
    bool isClear = CSimText::EqualsNoCase(words[1], "clear") && words.size() == 2;
    bool isLevel = CSimText::EqualsNoCase(words[1], "level") && words.size() == 3 &&
                   CSimText::ParseNumber(words[2], &n) && n <= 2;
    bool isWait = CSimText::EqualsNoCase(words[1], "wait");
    bool isLines = words.size() == 2 && CSimText::ParseNumber(words[1], &n);
    if (!isMark && !isClear && !isLevel && !isWait && !isLines)
        return E_SYNTAX;
    if (isWait)
        return TraceWait(words, answer);
    if (m_live == NULL)
        return E_NO_CARD;
    if (isMark) {
        HRESULT hr = m_live->TraceMark(&n);
        *answer = CSimText::Format("seq=%lu\n", n);
        return hr;
    }
    if (isClear)
        return m_live->ClearTrace();
    if (isLevel)
        return m_live->SetTraceLevel(n);
    return m_live->TraceLines(n, answer);
}

HRESULT CSimCommandInterpreter::TraceWait(const Words& words, std::string* answer)
{
    DWORD from = 0;
    DWORD timeoutMs = 0;
    std::string text = Rest(words, 4);
    if (words.size() < 5 || !CSimText::ParseNumber(words[2], &from) || !CSimText::ParseNumber(words[3], &timeoutMs))
        return E_SYNTAX;
    if (m_live == NULL)
        return E_NO_CARD;
    DWORD started = GetTickCount();
    for (;;) {
        DWORD seq = 0;
        HRESULT hr = m_live->TraceFind(from, text.c_str(), &seq);
        if (FAILED(hr))
            return hr;
        if (seq != 0) {
            *answer = CSimText::Format("seq=%lu\n", seq);
            return S_OK;
        }
        if (GetTickCount() - started >= timeoutMs)
            return E_WAIT_TIMEOUT;
        Sleep(TRACE_POLL_MS);
    }
}

HRESULT CSimCommandInterpreter::Reset()
{
    if (m_live == NULL)
        return E_NO_CARD;
    SimConfig config;
    CSimConfig::SetDefaults(&config, m_card);
    CSimConfig::Load(m_values, &config);
    config.card = m_card;
    return m_live->Reset(config);
}
