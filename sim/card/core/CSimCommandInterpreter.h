#pragma once

#include "CSimCard.h"
#include "ISimValues.h"

#include <functional>
#include <string>
#include <vector>

// The card's test-control commands (`tv 49750:A`, `key C3`, `trace wait 12 2000 T TV`, ...).
// Configuration commands change the instance values, and the live card when there is
// one; runtime commands need the live card. Answers are key=value lines.
class CSimCommandInterpreter
{
public:
    static const HRESULT E_SYNTAX = E_INVALIDARG;
    static const HRESULT E_NO_CARD = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    static const HRESULT E_WAIT_TIMEOUT = HRESULT_FROM_WIN32(WAIT_TIMEOUT);

    // live may be null (no process holds the card); values are the card's instance values.
    CSimCommandInterpreter(DWORD card, CSimCard* live, ISimValues& values);

    HRESULT Execute(const std::string& command, std::string* answer);

private:
    typedef std::vector<std::string> Words;
    typedef std::function<bool(SimConfig&)> Change;

    HRESULT Configure(const char* valueName, const Change& change);
    HRESULT Stations(const Words& words, bool fm);
    HRESULT Profile(const Words& words);
    HRESULT ProfileDef(const Words& words);
    HRESULT Eeprom(const Words& words, std::string* answer);
    HRESULT Switch(const Words& words);
    HRESULT Mcu(const Words& words, std::string* answer);
    HRESULT SetValue(const Words& words);
    HRESULT Persist();
    HRESULT Key(const Words& words);
    HRESULT Fail(const Words& words);
    HRESULT Nack(const Words& words);
    HRESULT Trace(const Words& words, std::string* answer);
    HRESULT TraceWait(const Words& words, std::string* answer);
    HRESULT Reset();
    static std::string Rest(const Words& words, size_t from);

    DWORD m_card;
    CSimCard* m_live;       // weak: the caller keeps it for the call
    ISimValues& m_values;
};
