#include <gtest/gtest.h>

#include <afxwin.h>

#include <string>
#include <vector>

namespace {

// The arguments as ParseCommandLine hands them over.
void Parse(CCommandLineInfo& info, const std::vector<std::string>& args)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const char* param = args[i].c_str();
        BOOL flag = param[0] == '-' || param[0] == '/';
        info.ParseParam(flag ? param + 1 : param, flag, i + 1 == args.size());
    }
}

} // namespace

TEST(CCommandLineInfo, ShellCommandAndFileFromTheArguments)
{
    struct Case {
        std::vector<std::string> args;
        int command;
        const char* file;
    };
    const Case cases[] = {
        {{}, CCommandLineInfo::FileNew, ""},
        {{"/noexit"}, CCommandLineInfo::FileNew, ""},
        {{"-unknown", "/noexit"}, CCommandLineInfo::FileNew, ""},
        {{"doc.txt"}, CCommandLineInfo::FileOpen, "doc.txt"},
        {{"/noexit", "TV"}, CCommandLineInfo::FileOpen, "TV"},
        {{"first", "second"}, CCommandLineInfo::FileOpen, "first"},
        {{"/p", "doc.txt"}, CCommandLineInfo::FilePrint, "doc.txt"},
        {{"/Unregister"}, CCommandLineInfo::AppUnregister, ""},
        {{"/dde"}, CCommandLineInfo::FileDDE, ""},
    };
    for (size_t row = 0; row < sizeof(cases) / sizeof(cases[0]); ++row) {
        CCommandLineInfo info;
        Parse(info, cases[row].args);
        EXPECT_EQ(cases[row].command, info.m_nShellCommand) << "row " << row;
        EXPECT_STREQ(cases[row].file, info.m_strFileName) << "row " << row;
    }
}

TEST(CCommandLineInfo, EmbeddingHidesTheSplash)
{
    CCommandLineInfo info;
    Parse(info, {"/Embedding"});
    EXPECT_TRUE(info.m_bRunEmbedded);
    EXPECT_FALSE(info.m_bShowSplash);
    EXPECT_EQ(CCommandLineInfo::FileNew, info.m_nShellCommand);
}
