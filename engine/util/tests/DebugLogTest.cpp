#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

#include "DebugHelperWindow.h"
#include "DebugLog.h"
#include "FinishesWithin.h"

namespace {

const char kViewerTitle[] = "DT ";
const DebugSite kSite = {"a.cpp", 1, kDebugLogLevel};

std::string LineOf(const std::string& text)
{
    return "$$@@a.cpp(1)$$@@4096$$@@" + text;
}

TEST(DebugLog, SendsTheMarkedLineWithTheCallersArgumentsFilledIn)
{
    DebugHelperWindow viewer;
    const int line = __LINE__ + 1;
    DEBUG_LOG("%s %d", "没有找到视频窗口", 7);

    auto texts = viewer.Texts();
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ("$$@@" __FILE__ "(" + std::to_string(line) + ")$$@@4096$$@@没有找到视频窗口 7",
              texts[0]);
}

TEST(DebugLog, ReadsOnlyTheCallersTextAsAFormat)
{
    DebugHelperWindow viewer;
    const DebugSite site = {"C:\\src\\100%s %n\\Tv%d.cpp", 12, kDebugLogLevel};
    EXPECT_EQ(0, DebugLog(&site, "left %d%%", 5));

    auto texts = viewer.Texts();
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ("$$@@C:\\src\\100%s %n\\Tv%d.cpp(12)$$@@4096$$@@left 5%", texts[0]);
}

std::string Repeated(const std::string& part, size_t times)
{
    std::string text;
    for (size_t i = 0; i < times; ++i)
        text += part;
    return text;
}

TEST(DebugLog, CutsALongLineToItsBufferOnAWholeCharacter)
{
    const std::string longPath = "C:\\" + Repeated("d", 2000);
    struct Case { const char* file; std::string text; size_t length; };
    const Case cases[] = {
        {"a.cpp", Repeated("x", 5000), 1023},
        // 24 bytes of marks leave 999 for two-byte characters: the 500th does not fit whole.
        {"a.cpp", Repeated("中", 1000), 1022},
        {"a.cpp", "x" + Repeated("中", 1000), 1023},
        {longPath.c_str(), "lost", 1023},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        DebugHelperWindow viewer;
        const DebugSite site = {cases[i].file, 1, kDebugLogLevel};
        DebugLog(&site, "%s", cases[i].text.c_str());

        auto texts = viewer.Texts();
        ASSERT_EQ(1u, texts.size()) << "case " << i;
        std::string whole = std::string("$$@@") + cases[i].file + "(1)$$@@4096$$@@" + cases[i].text;
        EXPECT_EQ(whole.substr(0, cases[i].length), texts[0]) << "case " << i;
    }
}

TEST(DebugLog, KeepsTheWindowItFoundWhileItLivesThenTakesADtViewerFirst)
{
    EXPECT_EQ(0, DebugLog(&kSite, "nobody"));
    auto helper = std::make_unique<DebugHelperWindow>();
    DebugLog(&kSite, "one");
    DebugHelperWindow viewer(kViewerTitle);
    DebugLog(&kSite, "two");
    auto helperTexts = helper->Texts();
    helper.reset();
    DebugLog(&kSite, "three");
    // The "DT " viewer was never kept: it is looked up again, and still wins over a new helper.
    DebugHelperWindow laterHelper;
    DebugLog(&kSite, "four");

    EXPECT_EQ((std::vector<std::string>{LineOf("one"), LineOf("two")}), helperTexts);
    EXPECT_EQ((std::vector<std::string>{LineOf("three"), LineOf("four")}), viewer.Texts());
    EXPECT_TRUE(laterHelper.Texts().empty());
}

// A "DebugHelper " window whose thread has stopped taking messages until the end of the test.
class StuckViewer
{
public:
    StuckViewer()
    {
        HANDLE created = CreateEventA(NULL, TRUE, FALSE, NULL);
        m_thread = std::thread([this, created] {
            HWND window = CreateWindowExA(0, "STATIC", DebugHelperWindow::kTitle, WS_POPUP, 0, 0,
                                          0, 0, NULL, NULL, GetModuleHandleA(NULL), NULL);
            SetEvent(created);
            WaitForSingleObject(m_release, INFINITE);
            DestroyWindow(window);
        });
        WaitForSingleObject(created, INFINITE);
        CloseHandle(created);
    }
    ~StuckViewer()
    {
        SetEvent(m_release);
        m_thread.join();
        CloseHandle(m_release);
    }

private:
    // Signalled by the destructor, waited on by the window's thread.
    HANDLE m_release = CreateEventA(NULL, TRUE, FALSE, NULL);
    std::thread m_thread;
};

TEST(DebugLog, AViewerThatStoppedAnsweringCannotHoldTheCaller)
{
    StuckViewer stuck;
    ASSERT_NE(nullptr, FindWindowA(NULL, DebugHelperWindow::kTitle));
    EXPECT_TRUE(FinishesWithin(5000, [] {
        DebugLog(&kSite, "first");
        DebugLog(&kSite, "second");
    }));
}

} // namespace
