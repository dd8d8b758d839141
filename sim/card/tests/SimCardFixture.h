#pragma once

#include "CSimCard.h"
#include "CSimConfig.h"
#include "ISimClock.h"
#include "SimPropertyRequests.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class SimTestClock : public ISimClock
{
public:
    LONGLONG NowUs() override { return now; }
    void AdvanceMs(LONGLONG ms) { now += ms * 1000; }
    LONGLONG now = 1000000;
};

// Sends the requests straight to the card's property front end.
class SimDirectRequests : public SimPropertyRequests
{
public:
    CSimCard* card = NULL;

protected:
    HRESULT Send(bool get, DWORD id, BYTE* buffer, DWORD size, DWORD* returned) override
    {
        return card->Property("test", get, id, 24, buffer, size, returned);
    }
};

// A private card with the stations of the worked examples (TV 49750 and 471250, FM 90000
// and 100000), everything else at its defaults, on a clock that moves only when told.
class SimCardFixture : public ::testing::Test
{
protected:
    void SetUp() override { Make([](SimConfig&) {}); }

    template <class F> void Make(F adjust)
    {
        SimConfig config;
        CSimConfig::SetDefaults(&config, 0);
        CSimConfig::ParseStations("49750:A 471250:B", config.tv, &config.tvCount);
        CSimConfig::ParseStations("90000 100000", config.fm, &config.fmCount);
        adjust(config);
        card.reset(CSimCard::CreatePrivate(config));
        card->SetClock(&clock);
        bus.card = card.get();
    }

    DWORD Mark()
    {
        DWORD seq = 0;
        card->TraceMark(&seq);
        return seq;
    }

    std::string TraceFrom(DWORD mark)
    {
        std::string text;
        card->TraceLines(mark, &text);
        return text;
    }

    bool Traced(DWORD mark, const char* text)
    {
        DWORD seq = 0;
        card->TraceFind(mark, text, &seq);
        return seq != 0;
    }

    // Tunes with a block write and lets the PLL settle.
    void Tune(const std::vector<BYTE>& bytes)
    {
        ASSERT_EQ(S_OK, bus.Write(bytes));
        clock.AdvanceMs(10);
    }

    LONG HLock()
    {
        LONG locked = -1;
        card->GetHorizontalLocked(&locked);
        return locked;
    }

    SimTestClock clock;
    std::unique_ptr<CSimCard> card;
    SimDirectRequests bus;
};
