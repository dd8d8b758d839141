#include <gtest/gtest.h>

#include <string>

#include "DebugHelperWindow.h"
#include "DebugTrace.h"

namespace {

TEST(DebugTrace, SendsTheFormattedTextAloneToTheViewer)
{
    DebugHelperWindow viewer("DebugHelper ");
    EXPECT_EQ(1, DebugTrace("%s %d%%", "打开文件", 42));
    auto texts = viewer.Texts();
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ("打开文件 42%", texts[0]);
}

TEST(DebugTrace, SendsTheComplaintForATextThatDoesNotFormat)
{
    DebugHelperWindow viewer("DebugHelper ");
    const std::string tooLong(5000, 'x');
    EXPECT_EQ(1, DebugTrace("%s", tooLong.c_str()));
    EXPECT_EQ(1, DebugTrace(NULL));
    auto texts = viewer.Texts();
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ("DebugHelper输出字符串格式错误!", texts[0]);
    EXPECT_EQ("DebugHelper输出字符串格式错误!", texts[1]);
}

TEST(DebugTrace, FindsANewViewerAfterTheOldOneWent)
{
    {
        DebugHelperWindow first("DebugHelper ");
        EXPECT_EQ(1, DebugTrace("one"));
    }
    EXPECT_EQ(0, DebugTrace("%s", "nobody"));
    DebugHelperWindow second("DebugHelper ");
    EXPECT_EQ(1, DebugTrace("two"));
    auto texts = second.Texts();
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ("two", texts[0]);
}

TEST(DebugTrace, ReturnsZeroWithoutAViewerAndTheOtherTitleIsNotOne)
{
    DebugHelperWindow other("DT ");
    EXPECT_EQ(0, DebugTrace("%d", 1));
    EXPECT_TRUE(other.Texts().empty());
}

}  // namespace
