// The base filter's state machine: hook order, failing hooks, GetState.
#include "BaseFilter.h"
#include "BaseInputPin.h"
#include "DshowTest.h"

#include <string>

namespace {

const GUID CLSID_HookFilter = {0x0b9c6c11, 0x42d1, 0x4bb8, {0x9b, 0x3e, 0x61, 0x0d, 0x2a, 0x77, 0x50, 0x11}};

// Records the calls the filter makes to a pin as it changes state.
class CRecordingPin : public CBaseInputPin
{
public:
    CRecordingPin(CBaseFilter& filter, std::string& log, std::string& failing)
        : CBaseInputPin(filter, L"In"), m_log(log), m_failing(failing)
    {
    }
    HRESULT CheckMediaType(const AM_MEDIA_TYPE&) override { return S_OK; }
    HRESULT Active() override { return Record("active"); }
    HRESULT Inactive() override { return Record("inactive"); }
    void AwaitInactive() override { Record("await"); }
    void RunStarted(REFERENCE_TIME) override { Record("started"); }
    void RunHalted() override { Record("halted"); }

protected:
    HRESULT OnReceive(IMediaSample*) override { return S_OK; }

private:
    HRESULT Record(const char* call)
    {
        m_log += std::string(m_log.empty() ? "" : " ") + "pin." + call;
        return m_failing == std::string("pin.") + call ? E_FAIL : S_OK;
    }
    std::string& m_log;
    std::string& m_failing;
};

// Records its state hooks; the hook named in failing fails with E_FAIL.
class CHookFilter : public CBaseFilter
{
public:
    CHookFilter() : CBaseFilter(nullptr, CLSID_HookFilter), m_pin(*this, log, failing) {}

    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int index) override { return index == 0 ? &m_pin : nullptr; }

    std::string log;
    std::string failing;
    HRESULT pausedResult = VFW_S_STATE_INTERMEDIATE;

protected:
    HRESULT PausedStateResult() override { return pausedResult; }
    HRESULT OnPrepare() override { return Record("prepare"); }
    HRESULT OnStart(REFERENCE_TIME) override { return Record("start"); }
    HRESULT OnHalt() override { return Record("halt"); }
    void OnTeardown() override { Record("teardown"); }

private:
    HRESULT Record(const char* hook)
    {
        log += std::string(log.empty() ? "" : " ") + hook;
        return failing == hook ? E_FAIL : S_OK;
    }
    CRecordingPin m_pin;
};

HRESULT Drive(CHookFilter& filter, FILTER_STATE target)
{
    switch (target) {
    case State_Stopped:
        return filter.Stop();
    case State_Paused:
        return filter.Pause();
    default:
        return filter.Run(0);
    }
}

using FilterStateTest = DshowTest;

TEST_F(FilterStateTest, TransitionsCallHooksInOrderAndKeepTheStateWhenOneFails)
{
    struct Case
    {
        FILTER_STATE from;
        FILTER_STATE to;
        const char* failing;
        HRESULT expectedResult;
        FILTER_STATE expectedState;
        const char* expectedLog;
    };
    const Case cases[] = {
        // from         to             failing        result  state          log
        {State_Stopped, State_Paused,  "",            S_OK,   State_Paused,  "prepare pin.active"},
        {State_Stopped, State_Running, "",            S_OK,   State_Running, "prepare pin.active start pin.started"},
        {State_Paused,  State_Running, "",            S_OK,   State_Running, "start pin.started"},
        {State_Running, State_Paused,  "",            S_OK,   State_Paused,  "halt pin.halted"},
        {State_Running, State_Stopped, "",            S_OK,   State_Stopped, "halt pin.halted pin.inactive teardown pin.await"},
        {State_Paused,  State_Stopped, "",            S_OK,   State_Stopped, "pin.inactive teardown pin.await"},
        {State_Stopped, State_Stopped, "",            S_OK,   State_Stopped, ""},
        {State_Running, State_Running, "",            S_OK,   State_Running, ""},
        {State_Stopped, State_Paused,  "prepare",     E_FAIL, State_Stopped, "prepare"},
        {State_Stopped, State_Paused,  "pin.active",  E_FAIL, State_Stopped, "prepare pin.active teardown"},
        {State_Stopped, State_Running, "start",       E_FAIL, State_Paused,  "prepare pin.active start"},
        {State_Paused,  State_Running, "start",       E_FAIL, State_Paused,  "start"},
        {State_Running, State_Paused,  "halt",        E_FAIL, State_Running, "halt"},
        {State_Running, State_Stopped, "halt",        E_FAIL, State_Running, "halt"},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        auto* filter = new CHookFilter();
        if (cases[i].from != State_Stopped) {
            ASSERT_EQ(S_OK, Drive(*filter, cases[i].from));
        }
        filter->log.clear();
        filter->failing = cases[i].failing;

        EXPECT_EQ(cases[i].expectedResult, Drive(*filter, cases[i].to));
        EXPECT_EQ(cases[i].expectedLog, filter->log);
        FILTER_STATE state;
        filter->GetState(0, &state);
        EXPECT_EQ(cases[i].expectedState, state);

        filter->failing.clear();
        filter->Stop();
        EXPECT_EQ(0u, filter->Release());
    }
}

TEST_F(FilterStateTest, GetStateAnswersWhatPauseMeansForTheFilter)
{
    auto* filter = new CHookFilter();
    FILTER_STATE state;
    EXPECT_EQ(E_POINTER, filter->GetState(0, nullptr));
    EXPECT_EQ(S_OK, filter->GetState(0, &state));
    EXPECT_EQ(State_Stopped, state);
    filter->Pause();
    EXPECT_EQ(VFW_S_STATE_INTERMEDIATE, filter->GetState(0, &state));
    EXPECT_EQ(State_Paused, state);
    filter->Run(0);
    EXPECT_EQ(S_OK, filter->GetState(0, &state));
    EXPECT_EQ(State_Running, state);
    filter->Stop();
    EXPECT_EQ(0u, filter->Release());
}

TEST_F(FilterStateTest, RunRemembersItsStartTime)
{
    auto* filter = new CHookFilter();
    ASSERT_EQ(S_OK, filter->Run(1234567));
    EXPECT_EQ(1234567, filter->StartTime());
    filter->Stop();
    EXPECT_EQ(0u, filter->Release());
}

} // namespace
