#include <gtest/gtest.h>

#include <memory>

#include "CDebugScope.h"

namespace {

class EndedScope : public CDebugScope
{
public:
    explicit EndedScope(bool* ended) : m_ended(ended) {}
    ~EndedScope() override { *m_ended = true; }

private:
    bool* m_ended;
};

TEST(CDebugScope, KeepsItsNameAndTheClockAtItsMakingAndEndsThroughTheBase)
{
    clock_t before = clock();
    CDebugScope scope("InitInstance");
    clock_t after = clock();
    EXPECT_EQ(CString("InitInstance"), scope.m_name);
    EXPECT_GE(scope.m_ticks, before);
    EXPECT_LE(scope.m_ticks, after);
    EXPECT_TRUE(CDebugScope().m_name.IsEmpty());

    bool ended = false;
    std::unique_ptr<CDebugScope> derived(new EndedScope(&ended));
    derived.reset();
    EXPECT_TRUE(ended);
}

} // namespace
