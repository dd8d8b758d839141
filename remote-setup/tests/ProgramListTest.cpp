#include <gtest/gtest.h>

#include <string>

#include "ProgramList.h"
#include "ProgramPresetList.h"
#include "TempFolder.h"

namespace {

TEST(ProgramListTest, WritesGeneralThenTheProgramsAndReadsThemBackInOrder)
{
    TempFolder temp;
    CProgramList list;
    list.Add(ProgramEntry{"WINDVR3.0", "C:\\Program Files\\DVR\\dvr.exe", "WINDVR30.dat"});
    list.Add(ProgramEntry{"\xb2\xa5\xb7\xc5\xc6\xf7", "D:\\play.exe", "mp9.dat"});
    list.SetDefaultFileName("Mine.dat");
    std::string path = temp.FilePath("Service.ini");
    ASSERT_TRUE(list.Write(path.c_str()));
    EXPECT_EQ("[General]\r\nTotal=2\r\nDefault=Mine.dat\r\nProg0=Prog0\r\nProg1=Prog1\r\n"
              "[Prog0]\r\nDISPLAYNAME=WINDVR3.0\r\n"
              "LINKAPPLICATIONFILENAME=C:\\Program Files\\DVR\\dvr.exe\r\n"
              "DATFILENAME=WINDVR30.dat\r\n"
              "[Prog1]\r\nDISPLAYNAME=\xb2\xa5\xb7\xc5\xc6\xf7\r\n"
              "LINKAPPLICATIONFILENAME=D:\\play.exe\r\nDATFILENAME=mp9.dat\r\n",
              temp.Read("Service.ini"));

    CProgramList read;
    EXPECT_EQ("Default.dat", std::string(read.GetDefaultFileName()));
    ASSERT_TRUE(read.Read(path.c_str()));
    EXPECT_EQ("Mine.dat", std::string(read.GetDefaultFileName()));
    ASSERT_EQ(2, read.GetCount());
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(std::string(list.GetAt(i).displayName), std::string(read.GetAt(i).displayName));
        EXPECT_EQ(std::string(list.GetAt(i).applicationFile), std::string(read.GetAt(i).applicationFile));
        EXPECT_EQ(std::string(list.GetAt(i).keyTableFile), std::string(read.GetAt(i).keyTableFile));
    }
    EXPECT_EQ(0, read.FindByName("windvr3.0"));
    EXPECT_EQ(-1, read.FindByName("WINDVR"));
}

TEST(ProgramListTest, ReadsTheProgramsTotalNamesWhoseSectionsExist)
{
    struct Case
    {
        const char* what;
        const char* file;
        std::vector<std::string> names;
    } cases[] = {
        {"a missing section", "[General]\nTotal=3\nProg0=A\nProg1=B\nProg2=C\n[A]\nDISPLAYNAME=a\n"
                              "[C]\nDISPLAYNAME=c\n", {"a", "c"}},
        {"sections named freely, in key order", "[General]\nProg1=X\nTotal=2\nProg0=Y\n"
                                                 "[X]\nDISPLAYNAME=x\n[Y]\nDISPLAYNAME=y\n", {"y", "x"}},
        {"keys beyond Total", "[General]\nTotal=1\nProg0=A\nProg1=A\n[A]\nDISPLAYNAME=a\n", {"a"}},
        {"a missing Prog key", "[General]\nTotal=2\nProg1=A\n[A]\nDISPLAYNAME=a\n", {"a"}},
        {"no Total", "[General]\nProg0=A\n[A]\nDISPLAYNAME=a\n", {}},
        {"a negative Total", "[General]\nTotal=-1\nProg0=A\n[A]\nDISPLAYNAME=a\n", {}},
        {"a huge Total", "[General]\nTotal=2147483647\nProg2147483646=A\nProg07=A\n"
                         "[A]\nDISPLAYNAME=a\n", {"a"}},
        {"no General", "[A]\nDISPLAYNAME=a\n", {}},
    };
    for (const Case& c : cases) {
        TempFolder temp;
        std::string path = temp.Write("Service.ini", c.file);
        CProgramList list;
        ASSERT_TRUE(list.Read(path.c_str())) << c.what;
        ASSERT_EQ(c.names.size(), (size_t)list.GetCount()) << c.what;
        for (size_t i = 0; i < c.names.size(); ++i)
            EXPECT_EQ(c.names[i], std::string(list.GetAt((int)i).displayName)) << c.what;
        if (!c.names.empty()) {
            EXPECT_EQ("", std::string(list.GetAt(0).keyTableFile)) << c.what;
        }
    }
}

TEST(ProgramListTest, MissingFileLeavesTheListAsItWas)
{
    TempFolder temp;
    CProgramList list;
    list.Add(ProgramEntry{"kept", "", ""});
    EXPECT_FALSE(list.Read(temp.FilePath("Service.ini").c_str()));
    EXPECT_EQ(1, list.GetCount());
}

TEST(ProgramPresetListTest, OffersTheKnownProgramsInOrder)
{
    ProgramPresetList presets;
    presets.AddKnownPrograms();
    ASSERT_EQ(3, presets.GetCount());
    const char* expected[][2] = {
        {"Dscaler4.19", "Descaler419.dat"}, {"WINDVR3.0", "WINDVR30.dat"}, {"mediaplayer9", "mp9.dat"}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(expected[i][0], std::string(presets.GetAt(i).displayName));
        EXPECT_EQ(expected[i][1], std::string(presets.GetAt(i).keyTableFile));
    }
}

} // namespace
