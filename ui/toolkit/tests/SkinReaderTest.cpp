#include <gtest/gtest.h>

#include "BmpFile.h"
#include "CSkin.h"
#include "CSkinButton.h"
#include "CSkinLabel.h"
#include "CSkinMultiSlider.h"
#include "CSkinSlider.h"
#include "CSkinWnd.h"
#include "SkinEngineTestResources.h"
#include "TempFolder.h"
#include "ToolkitTestResources.h"
#include "WindowPixels.h"

#include <string>

namespace {

// What a skin holds, as "Button 7,Slider 8" and "+Dialog" when it has a dialog skin.
std::string Made(const CSkin& skin)
{
    std::string made;
    for (int index = 0; index < skin.GetControlCount(); ++index) {
        CWnd* control = skin.GetControl(index);
        const char* kind = dynamic_cast<CSkinButton*>(control)        ? "Button"
                           : dynamic_cast<CSkinSlider*>(control)      ? "Slider"
                           : dynamic_cast<CSkinMultiSlider*>(control) ? "Multi"
                           : dynamic_cast<CSkinLabel*>(control)       ? "Label"
                                                                      : "?";
        made += (made.empty() ? "" : ",") + std::string(kind) + " " +
                std::to_string(skin.GetControlId(index));
    }
    if (skin.GetDialogSkin())
        made += "+Dialog";
    return made;
}

// Bitmaps of the test program's own resources: buttons 301..304, multi-slider 305/306,
// trackbar 307/308, label 309.
const char kButton[] = "[B]\r\nTYPE=BUTTON\r\nID=7\r\nPOSITION=1,2\r\nBMPNAME=301\r\n";
const char kSlider[] = "[S]\r\nTYPE=SLIDER\r\nID=8\r\nPOSITION=1,2\r\nTRANSPARENT=0\r\n"
                       "SLIDERBMP=307\r\nTHUMBBMP=308\r\n";
const char kMulti[] = "[M]\r\nTYPE=MULTISLIDER\r\nID=9\r\nPOSITION=1,2\r\nTRANSPARENT=0\r\n"
                      "SLIDERBMP=305\r\nTHUMBBMP=306\r\nSTARTEDGE=10\r\nENDEDGE=210\r\n";
const char kStatic[] = "[L]\r\nTYPE=STATIC\r\nID=10\r\nSTYTLE=0\r\nPOSITION=1,2\r\nSIZE=30,10\r\n";

struct ElementCase
{
    const char* file;
    const char* made;
};

// The file is preceded by the four good elements above in each row, so every row also shows
// that a bad element leaves the others.
const ElementCase kElementCases[] = {
    // file                                                            made after the four
    {"",                                                               ""},
    {"[b]\r\nTYPE=button\r\nID=11\r\nPOSITION=0,0\r\nBMPNAME=301\r\n", ",Button 11"},
    {"[b]\r\nTYPE=Button\r\nID=11\r\nBMPNAME=301\r\n",                 ""},
    {"[b]\r\nTYPE=BUTTON\r\nID=11\r\nPOSITION=0,0\r\n",                ""},
    {"[b]\r\nTYPE=BUTTON\r\nPOSITION=0,0\r\nBMPNAME=301\r\n",          ""},
    {"[b]\r\ntype=BUTTON\r\nID=11\r\nPOSITION=0,0\r\nBMPNAME=301\r\n", ""},
    {"[b]\r\nTYPE=CHECKBOX\r\nID=11\r\nPOSITION=0,0\r\nBMPNAME=301\r\n", ""},
    {"[b]\r\nTYPE=BUTTON\r\nID=11\r\nPOSITION=0,0\r\nBMPNAME=65535\r\n", ""},
    {"[l]\r\nTYPE=static\r\nID=12\r\nSTYLE=0\r\nPOSITION=0,0\r\nSIZE=9,9\r\n", ""},
    {"[l]\r\nTYPE=STATIC\r\nID=12\r\nSTYTLE=1\r\nPOSITION=0,0\r\n",    ""},
    {"[l]\r\nTYPE=STATIC\r\nID=12\r\nSTYTLE=2\r\nPOSITION=0,0\r\nSIZE=9,9\r\nBACKBMP=309\r\n",
     ",Label 12"},
    {"[l]\r\nTYPE=STATIC\r\nID=12\r\nSTYTLE=2\r\nPOSITION=0,0\r\nSIZE=9,9\r\n", ""},
    {"[s]\r\nTYPE=slider\r\nID=13\r\nPOSITION=0,0\r\nSLIDERBMP=307\r\nTHUMBBMP=308\r\n", ""},
    {"[s]\r\nTYPE=SLIDER\r\nID=13\r\nPOSITION=0,0\r\nTRANSPARENT=1\r\nTHUMBBMP=308\r\n", ""},
    {"[s]\r\nTYPE=SLIDER\r\nID=13\r\nPOSITION=0,0\r\nTRANSPARENT=1\r\nSLIDERBMP=307\r\n", ""},
    {"[m]\r\nTYPE=MULTISLIDER\r\nID=14\r\nPOSITION=0,0\r\nSLIDERBMP=305\r\nTHUMBBMP=306\r\n"
     "ENDEDGE=9\r\n", ""},
    {"[m]\r\nTYPE=MultiSlider\r\nID=14\r\nPOSITION=0,0\r\nTRANSPARENT=0\r\nSLIDERBMP=305\r\n"
     "THUMBBMP=306\r\nSTARTEDGE=9\r\nENDEDGE=9\r\n", ""},
    {"[m]\r\nTYPE=MULTISLIDER\r\nID=14\r\nPOSITION=0,0\r\nTRANSPARENT=0\r\nSLIDERBMP=305\r\n"
     "THUMBBMP=306\r\nENDEDGE=9\r\n", ",Multi 14"},
    {"[d]\r\nTYPE=dialog\r\nID=0\r\nSTYLE=1\r\nBACKCOLOR=255\r\n",       "+Dialog"},
    {"[d]\r\nTYPE=Dialog\r\nSTYLE=1\r\nBACKCOLOR=255\r\n",               ""},
    {"[d]\r\nTYPE=Dialog\r\nID=0\r\nSTYTLE=1\r\nBACKCOLOR=255\r\n",      ""},
    {"[d]\r\nTYPE=Dialog\r\nID=0\r\nSTYLE=1\r\n",                        ""},
    {"[d]\r\nTYPE=Dialog\r\nID=0\r\nSTYLE=2\r\nBACKBMP=9999\r\n",        ""},
    {"[d]\r\nTYPE=Dialog\r\nID=0\r\nSTYLE=2\r\nBACKBMP=309\r\n",         "+Dialog"},
};

} // namespace

TEST(SkinReaderTest, EachElementMakesWhatItsKeysAllow)
{
    TempFolder folder;
    const std::string good = std::string(kButton) + kSlider + kMulti + kStatic;
    for (size_t row = 0; row < sizeof(kElementCases) / sizeof(kElementCases[0]); ++row) {
        std::string path = folder.Write("Skin.ini", good + kElementCases[row].file);
        CSkin skin;
        ASSERT_TRUE(skin.Load(path.c_str())) << "row " << row;
        EXPECT_EQ("Button 7,Slider 8,Multi 9,Label 10" + std::string(kElementCases[row].made),
                  Made(skin))
            << "row " << row;
    }
}

TEST(SkinReaderTest, AFileOfNoGoodElementLoadsEmptyAndAMissingFileFails)
{
    TempFolder folder;
    CSkin skin;
    EXPECT_FALSE(skin.Load(folder.FilePath("Skin.ini").c_str()));
    EXPECT_EQ("", Made(skin));
    std::string path = folder.Write("Skin.ini", "[x]\r\nTYPE=BUTTON\r\n[y]\r\nID=3\r\n");
    EXPECT_TRUE(skin.Load(path.c_str()));
    EXPECT_EQ("", Made(skin));
}

// Loose bitmaps lie in the element file's folder: a button needs all four of its files.
TEST(SkinReaderTest, ButtonFromFilesNeedsItsFourFilesBesideTheElementFile)
{
    TempFolder folder;
    CreateDirectoryA(folder.FilePath("Blue").c_str(), NULL);
    const char* endings[] = {"H.bmp", "U.bmp", "D.bmp", "X.bmp"};
    for (const char* ending : endings)
        folder.Write(std::string("Blue\\Play") + ending, FlatBmp(20, 10, RGB(1, 2, 3)));
    std::string path = folder.Write("Blue\\Skin.ini", "[b]\r\nTYPE=BUTTON\r\nID=5\r\n"
                                                      "POSITION=0,0\r\nLOADFROM=1\r\nBMPNAME=Play\r\n");
    folder.Write("PlayH.bmp", FlatBmp(20, 10, RGB(1, 2, 3)));
    CSkin skin;
    ASSERT_TRUE(skin.Load(path.c_str()));
    EXPECT_EQ("Button 5", Made(skin));

    for (const char* ending : endings) {
        std::string file = folder.FilePath(std::string("Blue\\Play") + ending);
        std::string kept = folder.FilePath("kept.bmp");
        ASSERT_TRUE(MoveFileA(file.c_str(), kept.c_str()));
        EXPECT_TRUE(skin.Load(path.c_str()));
        EXPECT_EQ("", Made(skin)) << "without Play" << ending;
        ASSERT_TRUE(MoveFileA(kept.c_str(), file.c_str()));
    }
}

// The later of two dialog elements dresses the dialog (the earlier one is deleted, not leaked).
TEST(SkinReaderTest, SecondDialogElementIsTheDialogSkin)
{
    TempFolder folder;
    std::string path = folder.Write("Skin.ini", "[a]\r\nTYPE=Dialog\r\nID=0\r\nSTYLE=1\r\n"
                                                "BACKCOLOR=255\r\nSIZE=120,90\r\n"
                                                "[b]\r\nTYPE=Dialog\r\nID=0\r\nSTYLE=1\r\n"
                                                "BACKCOLOR=65280\r\nSIZE=100,80\r\n");
    CSkin skin;
    ASSERT_TRUE(skin.Load(path.c_str()));
    CDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_COLOR_PANEL, NULL));
    skin.Attach(&dialog);
    CRect outer;
    dialog.GetWindowRect(&outer);
    EXPECT_EQ(100, outer.Width());
    EXPECT_EQ(80, outer.Height());
    dialog.ShowWindow(SW_SHOWNA);
    // Through the dialog's erase, where the skin paints: its own controls cover the rest.
    ::RedrawWindow(dialog.m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(RGB(0, 255, 0), WindowPixels(dialog.m_hWnd).AtClient(95, 75));
    skin.Detach();
    dialog.DestroyWindow();
}
