#include <gtest/gtest.h>

#include <shlobj.h>

#include <map>
#include <string>
#include <vector>

#include "IniFile.h"
#include "IniText.h"
#include "TVSystem.h"
#include "TempFolder.h"

namespace {

typedef std::map<std::string, std::string> Keys;

#define CHINA "\xD6\xD0\xB9\xFA"
#define HONG_KONG "\xCF\xE3\xB8\xDB"

std::string Joined(const CStringList& names)
{
    std::string text;
    for (POSITION position = names.GetHeadPosition(); position;)
        text += std::string(text.empty() ? "" : "|") + (LPCTSTR)names.GetNext(position);
    return text;
}

std::string Joined(const CStringArray& items)
{
    std::string text;
    for (int i = 0; i < items.GetSize(); ++i)
        text += std::string(i ? "|" : "") + (LPCTSTR)items[i];
    return text;
}

class TVSettingsTest : public testing::Test
{
protected:
    std::string Saved(const char* name) { return m_temp.Read(name); }
    bool Exists(const char* name)
    {
        return GetFileAttributesA(m_temp.FilePath(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    TempFolder m_temp;
};

} // namespace

// The skin name is the one value that differs from its table default: loading makes an empty
// skin name the built-in skin's.
TEST_F(TVSettingsTest, LoadAndSaveWithoutAFileWritesEveryDefault)
{
    CTVSystem system(m_temp.Path().c_str());
    system.LoadSettings();
    ASSERT_TRUE(system.SaveSettings());

    IniText saved(Saved("TVParam.ini"));
    EXPECT_TRUE(saved.crlfOnly);
    EXPECT_EQ((std::vector<std::string>{"Interface", "Channel", "Device", "Record", "Schedule",
                                        "Video", "Storage", "Window", "Asistant", "Runonce",
                                        "SearchMode"}),
              saved.SectionNames());

    char pictures[MAX_PATH] = "";
    SHGetSpecialFolderPathA(NULL, pictures, CSIDL_MYPICTURES, FALSE);
    const std::string videoPath = m_temp.Path().substr(0, 3) + "Video";
    const std::string shutTime = saved.Value("Schedule", "ShutTime");
    CTime parsed;
    EXPECT_TRUE(CIniFile::ParseTime(shutTime.c_str(), parsed)) << shutTime;
    EXPECT_EQ(5, std::count(shutTime.begin(), shutTime.end(), ','));

    const std::map<std::string, Keys> expected = {
        {"Interface", {{"SkinName", "BaseSkin"}}},
        {"Channel", {{"UseFavor", "0"}, {"FMUseFavor", "0"}}},
        {"Device", {{"Standard", "0"}, {"AVStandard", "0"}, {"SVStandard", "0"},
                    {"Country", CHINA}, {"Province", "Shenzhen"}, {"AudioDevice", ""},
                    {"AudioInput", "Line In"}, {"AudioPlayDev", ""}, {"AudioPlayInput", ""},
                    {"ReservePrev", "0"}, {"UseLocality", "0"}, {"MuteAudioInput", "0"}}},
        {"Record", {{"PicPath", pictures}, {"VideoPath", videoPath}, {"SnapBmp", "0"},
                    {"JpgQuality", "100"}, {"RecordScheme", "1"}, {"DisplayQuality", "1"},
                    {"RecordFormat", "4"}, {"FMRecordFormat", "0"}, {"Mpeg4FrameRate", "20"},
                    {"Mpeg4Video", ""}, {"Mpeg4Audio", ""}, {"Mpeg4RecordSize.cx", "640"},
                    {"Mpeg4Recordsize.cy", "480"}, {"TFReserved", "0"}, {"TFTime", "600"}}},
        {"Schedule", {{"EnableShut", "0"}, {"ShutTime", shutTime}, {"SysDefaultLogon", "0"}}},
        {"Video", {{"Brightness", "5020"}, {"Contrast", "2235"}, {"Hue", "5020"},
                   {"Saturation", "4980"}, {"Sharpness", "1"}, {"OverlayBri", "750"},
                   {"OverlayCon", "10000"}, {"OverlayHue", "0"}, {"OverlaySat", "10000"},
                   {"OverlaySha", "5"}, {"UseOverlay", "1"}, {"VideoSize", "2"},
                   {"HightQuality", "1"}, {"HalfRate", "0"}, {"NoiseReduce", "0"},
                   {"ReduceValue", "5"}, {"OverlayDesktop", "0"}}},
        {"Storage", {{"VideoFolder", "Video"}, {"MaxLength", "120"}, {"NoSpace", "1"},
                     {"ExcessLength", "1"}, {"ValidDisk", ""}, {"CurDisk", ""},
                     {"ReservedSpace", "300"}}},
        {"Window", {{"VideoLeftTop", "192,29"}, {"VideoSize", "640,504"}, {"VideoRatio", "1,1"},
                    {"FullScreen", "0"}, {"TopMost", "0"}, {"ControlLeftTop", "269,533"},
                    {"ShowControl", "1"}}},
        {"Asistant", {{"LastChannel", "0"}}},
        {"Runonce", {{"Run", "1"}}},
        {"SearchMode", {{"SearchMode", "0"}}},
    };
    for (const auto& section : expected) {
        SCOPED_TRACE(section.first);
        ASSERT_TRUE(saved.Find(section.first) != nullptr);
        EXPECT_EQ(section.second, saved.Find(section.first)->values);
    }
    EXPECT_FALSE(pictures[0] == 0) << "the picture folder is known";
    EXPECT_FALSE(Exists("mpeg4.txt"));
}

// What the program does not know stays; what it knows is written back as read.
TEST_F(TVSettingsTest, UnknownSectionsAndKeysSurviveARoundTrip)
{
    m_temp.Write("TVParam.ini", "[Extra]\r\nkept=yes, really\r\n"
                                "[Device]\r\nCountry=" HONG_KONG "\r\nFuture=1\r\nVideoSource=2\r\n"
                                "[Interface]\r\nSkinName=Blue\r\n");
    CTVSystem system(m_temp.Path().c_str());
    system.LoadSettings();
    EXPECT_STREQ(HONG_KONG, (LPCTSTR)system.GetSettings().country);
    EXPECT_EQ(2, system.GetSettings().videoSource);
    EXPECT_STREQ("Blue", (LPCTSTR)system.GetSettings().skinName);
    system.GetSettings().videoSource = 1;
    ASSERT_TRUE(system.SaveSettings());

    IniText saved(Saved("TVParam.ini"));
    EXPECT_EQ("Extra", saved.SectionNames()[0]);
    EXPECT_EQ("yes, really", saved.Value("Extra", "kept"));
    EXPECT_EQ("1", saved.Value("Device", "Future"));
    EXPECT_EQ(HONG_KONG, saved.Value("Device", "Country"));
    EXPECT_EQ("2", saved.Value("Device", "VideoSource")) << "never written, kept as read";
    EXPECT_EQ("Blue", saved.Value("Interface", "SkinName"));
    EXPECT_EQ("1", saved.Value("Runonce", "Run"));
}

TEST_F(TVSettingsTest, SavedValuesLoadBackIntoANewObject)
{
    {
        CTVSystem system(m_temp.Path().c_str());
        CTVSettings& s = system.GetSettings();
        s.muteAudioInput = 1;
        s.province = "\xC9\xEE\xDB\xDA";
        s.mpeg4RecordSize.cy = 576;
        s.tfTime = 1800;
        s.shutTime = CTime(2024, 2, 29, 23, 5, 9);
        s.picture[CTVSettings::kSharpness] = 3;
        s.overlay[CTVSettings::kHue] = -90;
        s.videoSize = 1;
        s.videoWindowSize.cx = 800;
        s.validDisk.Add("C:\\");
        s.validDisk.Add("D:\\");
        s.lastChannel = 7;
        ASSERT_TRUE(system.SaveSettings());
    }
    CTVSystem system(m_temp.Path().c_str());
    system.LoadSettings();
    system.LoadSettings();
    const CTVSettings& s = system.GetSettings();
    EXPECT_EQ(1, s.muteAudioInput);
    EXPECT_STREQ("\xC9\xEE\xDB\xDA", (LPCTSTR)s.province);
    EXPECT_EQ(576, s.mpeg4RecordSize.cy);
    EXPECT_EQ(1800, s.tfTime);
    EXPECT_EQ(CTime(2024, 2, 29, 23, 5, 9).GetTime(), s.shutTime.GetTime());
    EXPECT_EQ(3, s.picture[CTVSettings::kSharpness]);
    EXPECT_EQ(-90, s.overlay[CTVSettings::kHue]);
    EXPECT_EQ(1, s.videoSize);
    EXPECT_EQ(800, s.videoWindowSize.cx);
    EXPECT_EQ("C:\\|D:\\", Joined(s.validDisk)) << "read twice, listed once";
    EXPECT_EQ(7, s.lastChannel);
    EXPECT_EQ(1, s.run);
}

// Missing sections and keys, and texts that do not parse, leave the values in force.
TEST_F(TVSettingsTest, MissingAndMalformedKeysKeepTheDefaults)
{
    m_temp.Write("TVParam.ini", "[Window]\r\nVideoLeftTop=5\r\nVideoRatio=16,9\r\n"
                                "[Schedule]\r\nShutTime=2024,13,1,0,0,0\r\n"
                                "[Storage]\r\nValidDisk=\r\n");
    CTVSystem system(m_temp.Path().c_str());
    system.GetSettings().validDisk.Add("E:\\");
    CTime shutTime = system.GetSettings().shutTime;
    system.LoadSettings();
    const CTVSettings& s = system.GetSettings();
    const int picture[] = {5020, 2235, 5020, 4980, 1};
    for (int i = 0; i < CTVSettings::kPictureProperties; ++i)
        EXPECT_EQ(picture[i], s.picture[i]) << i;
    EXPECT_EQ(192, s.videoLeftTop.x);
    EXPECT_EQ(29, s.videoLeftTop.y);
    EXPECT_EQ(16, s.videoRatio.cx);
    EXPECT_EQ(shutTime.GetTime(), s.shutTime.GetTime());
    EXPECT_EQ(0, (int)s.validDisk.GetSize()) << "an empty value is an empty list";
}

TEST_F(TVSettingsTest, FailedSaveKeepsTheOldFiles)
{
    const std::string oldParam = "[Extra]\r\nk=v\r\n";
    const std::string oldBlock("old\0state", 9);
    m_temp.Write("TVParam.ini", oldParam);
    m_temp.Write("mpeg4.txt", oldBlock);
    CTVSystem system(m_temp.Path().c_str());
    system.LoadSettings();
    const BYTE block[] = {'n', 'e', 'w'};
    system.SetMpeg4Block(block, sizeof(block));
    CreateDirectoryA(m_temp.FilePath("TVParam.ini.tmp").c_str(), NULL);
    CreateDirectoryA(m_temp.FilePath("mpeg4.txt.tmp").c_str(), NULL);

    EXPECT_FALSE(system.SaveSettings());
    EXPECT_EQ(oldParam, Saved("TVParam.ini"));
    EXPECT_EQ(oldBlock, Saved("mpeg4.txt"));

    RemoveDirectoryA(m_temp.FilePath("TVParam.ini.tmp").c_str());
    EXPECT_FALSE(system.SaveSettings()) << "mpeg4.txt still cannot be written";
    EXPECT_EQ(oldBlock, Saved("mpeg4.txt"));
}

// The codec state goes back exactly as read, whatever bytes it holds.
TEST_F(TVSettingsTest, Mpeg4BlockRoundTripsByteForByte)
{
    std::string bytes("\x00\x01\r\n\n\x1A\xFF" "end", 10);
    m_temp.Write("mpeg4.txt", bytes);
    CTVSystem system(m_temp.Path().c_str());
    system.LoadSettings();
    ASSERT_TRUE(system.HasMpeg4Block());
    EXPECT_EQ(bytes, std::string(system.GetMpeg4Block().begin(), system.GetMpeg4Block().end()));

    m_temp.Write("mpeg4.txt", "");
    ASSERT_TRUE(system.SaveSettings());
    EXPECT_EQ(bytes, Saved("mpeg4.txt"));
}

// An empty mpeg4.txt holds no codec state, and no state writes no file.
TEST_F(TVSettingsTest, EmptyMpeg4FileIsNoBlock)
{
    m_temp.Write("mpeg4.txt", "");
    CTVSystem system(m_temp.Path().c_str());
    system.LoadSettings();
    EXPECT_FALSE(system.HasMpeg4Block());
    ASSERT_TRUE(system.SaveSettings());
    EXPECT_EQ("", Saved("mpeg4.txt"));

    DeleteFileA(m_temp.FilePath("mpeg4.txt").c_str());
    const BYTE block[] = {1, 2};
    system.SetMpeg4Block(block, sizeof(block));
    system.ClearMpeg4Block();
    ASSERT_TRUE(system.SaveSettings());
    EXPECT_FALSE(Exists("mpeg4.txt"));
}

TEST_F(TVSettingsTest, SkinNamesStartWithTheBuiltInSkin)
{
    m_temp.Write("SkinSet.ini", "[General]\r\nTotal=2\r\nSkin-0=Blue\r\nSkin-1=Red\r\n");
    CTVSystem system(m_temp.Path().c_str());
    system.LoadSettings();
    system.LoadSettings();
    EXPECT_EQ("BaseSkin|Blue|Red", Joined(system.GetSkinNames()));
    EXPECT_STREQ("BaseSkin", (LPCTSTR)system.GetSettings().skinName);

    TempFolder bare;
    CTVSystem plain(bare.Path().c_str());
    plain.GetSettings().skinName = "Red";
    plain.LoadSettings();
    EXPECT_EQ("BaseSkin", Joined(plain.GetSkinNames()));
    EXPECT_STREQ("Red", (LPCTSTR)plain.GetSettings().skinName);
}
