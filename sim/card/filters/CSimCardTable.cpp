#include "CSimCardTable.h"

#include "CSimConfig.h"

#include <memory>
#include <mutex>

namespace
{
// Guards g_cards. Taken before a card's own mutex, never after it.
std::mutex g_tableLock;
std::unique_ptr<CSimCard> g_cards[SIM_MAX_CARDS];
}

HRESULT CSimCardTable::Attach(ISimValues& values, CSimCard** card)
{
    *card = NULL;
    DWORD number = 0;
    values.GetDword("SimCard", &number);
    if (number >= (DWORD)SIM_MAX_CARDS)
        return E_INVALIDARG;
    std::lock_guard<std::mutex> guard(g_tableLock);
    if (!g_cards[number]) {
        SimConfig config;
        CSimConfig::SetDefaults(&config, number);
        CSimConfig::Load(values, &config);
        config.card = number;
        CSimCard* opened = NULL;
        HRESULT hr = CSimCard::OpenShared(number, &config, &opened);
        if (FAILED(hr))
            return hr;
        g_cards[number].reset(opened);
    }
    *card = g_cards[number].get();
    return S_OK;
}

CSimCard* CSimCardTable::Find(DWORD number)
{
    if (number >= (DWORD)SIM_MAX_CARDS)
        return NULL;
    std::lock_guard<std::mutex> guard(g_tableLock);
    return g_cards[number].get();
}
