#pragma once

#include "CaptureDevice.h"
#include "CrossbarWrapper.h"
#include "GraphBuilder.h"
#include "SimDeviceSupport.h"
#include "SimFamilyCard.h"

#include <gtest/gtest.h>

#include <memory>
#include <typeinfo>

// Whether the program made a card's wrapper of the card's class.
typedef bool (*IsCardClass)(CFilterWrapper* wrapper);

template <class T>
bool Is(CFilterWrapper* wrapper)
{
    return dynamic_cast<T*>(wrapper) != nullptr;
}

// The exact class, where twins derive from each other.
template <class T>
bool IsExactly(CFilterWrapper* wrapper)
{
    return wrapper && typeid(*wrapper) == typeid(T);
}

// A driver family as the program meets it: the filters of one card, registered under the
// family's names.
struct CardFamily
{
    const wchar_t* install;    // the install line without the card number ("family=713x")
    const char* capture;       // the capture filter's friendly name
    const char* crossbar;      // the crossbar filter's friendly name
    IsCardClass isClass;       // of the capture device
    int accessMode;
    const char* eepromOffset;  // of the tuner's letter and model bytes, in hex
};

// Card 1 registered as one family after another, with the program's graph, through which
// each device is made by its record.
class CardFamilyFixture : public testing::Test
{
protected:
    static const DWORD kCard = 1;

    CardFamilyFixture() : m_control(kCard) {}

    void SetUp() override;
    void TearDown() override;

    // Registers the card as that family, its state as the registration leaves it.
    void Install(const CardFamily& family);
    // The family's capture device as the program makes it; NULL when none was made.
    CCaptureDevice* Open(const CardFamily& family);
    // Install and Open; NULL unless the device is valid.
    CCaptureDevice* InstallAndOpen(const CardFamily& family);
    CCrossbarWrapper* OpenCrossbar(const CardFamily& family);
    // The GPIO word through the device's access object.
    DWORD GpioView(CCaptureDevice* device);
    // How often text occurs in the card's trace from mark on.
    size_t TraceCount(DWORD mark, const char* text);
    // Two keys injected on the card, both nibbles differing so that a swap shows, arrive as
    // WM_REMOTE_KEY through the device's poll thread, and nothing after them.
    void ExpectKeysThroughThePoll(CCaptureDevice* device);

    CGraphBuilder m_graph;
    SimControl m_control;

private:
    std::unique_ptr<SimFamilyCard> m_card;
};
