// The device and recording pages of the settings dialog and the MPEG-4 rate dialog over the
// simulated card: what reaches the card at once, and what the settings file keeps after the
// dialog has gone.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "CMpeg4ConfigDlg.h"
#include "CaptureDevice.h"
#include "CSettingsSheetDlg.h"
#include "DialogWatcher.h"
#include "KavexWindowsFixture.h"
#include "PumpMessages.h"
#include "SettingsPageHelpers.h"
#include "XvidSettings.h"

namespace {

std::string CardState(const char* name)
{
    SimControl card(0);
    std::string state = "\n" + card("state");
    std::string key = std::string("\n") + name + "=";
    size_t at = state.find(key);
    if (at == std::string::npos)
        return "";
    at += key.size();
    return state.substr(at, state.find('\n', at) - at);
}

std::vector<std::string> SavedChannelLines()
{
    theTVSystem.SaveChannels();
    CString path = theTVSystem.GetAppDir() + "\\TVChannel.ini";
    std::vector<std::string> channels;
    for (int i = 0;; i++) {
        char key[32], value[256];
        wsprintfA(key, "Channel-%d", i);
        if (GetPrivateProfileStringA("Channel", key, "", value, sizeof(value), path) == 0)
            break;
        channels.push_back(value);
    }
    return channels;
}

int RowOfData(CComboBox& combo, DWORD_PTR data)
{
    for (int i = 0; i < combo.GetCount(); i++)
        if (combo.GetItemData(i) == data)
            return i;
    return -1;
}

// Two countries with regions; only the first is one whose cities have tables to offer.
const char kAddressFile[] =
    "[General]\r\nTotal=2\r\nCountryCode-0=86\r\nCountryCode-1=1\r\n"
    "[中国]\r\nTotal=2\r\nTable-0=深圳\r\nTable-1=北京\r\n"
    "[%s]\r\nTotal=1\r\nTable-0=Elsewhere\r\n"
    "[深圳]\r\nTotal=2\r\nChannel-0=SZ-1,50500,1\r\nChannel-1=SZ-2,186250,1\r\n"
    "[北京]\r\nTotal=1\r\nChannel-0=BJ-1,49750,1\r\n";

class DevicePagesTest : public KavexWindowsTest
{
protected:
    void SetUp() override
    {
        KavexWindowsTest::SetUp();
        const CTVSettings& s = theTVSystem.GetSettings();
        m_kept = {s.country, s.province, s.useLocality, s.reservePrev, s.picPath, s.videoPath, s.snapBmp,
                  s.jpgQuality, s.mpeg4RecordSize, s.recordFormat, s.tfTime, s.tfReserved};
        m_keptStandard = theTVSystem.GetGraph().GetVideoStandard();
    }

    void TearDown() override
    {
        if (m_sheet)
            Close();
        CTVSettings& s = theTVSystem.GetSettings();
        s.country = m_kept.country;
        s.province = m_kept.province;
        s.useLocality = m_kept.useLocality;
        s.reservePrev = m_kept.reservePrev;
        s.picPath = m_kept.picPath;
        s.snapBmp = m_kept.snapBmp;
        s.jpgQuality = m_kept.jpgQuality;
        s.mpeg4RecordSize = m_kept.mpeg4RecordSize;
        theTVSystem.SetRecordFormat(m_kept.recordFormat);
        theTVSystem.SetTFTime(m_kept.tfTime);
        theTVSystem.SetTFReserved(m_kept.tfReserved);
        if (theTVSystem.GetVideoSource() != CTVSystem::kSourceTuner) {
            theTVSystem.SetVideoSource(CTVSystem::kSourceTuner);
            theControlPanel.ApplySource();
        }
        if (theTVSystem.GetGraph().GetVideoStandard() != m_keptStandard)
            theTVSystem.GetGraph().SetVideoStandard(m_keptStandard);
        theTVSystem.RebuildPreview();
        CString address = theTVSystem.GetAppDir() + "\\ChannelAddress.ini";
        DeleteFileA(address);
        WriteProgramFile("TVChannel.ini", kTVChannels);
        theTVSystem.LoadChannels();
        theTVSystem.RestoreChannelSelection();
    }

    void Open(int tab)
    {
        m_sheet.reset(new CSettingsSheetDlg(&theControlPanel));
        ASSERT_TRUE(m_sheet->Create(IDD_SETTINGS, &theControlPanel));
        m_sheet->GetTabCtrl().SelectTab(tab);
        m_sheet->ShowWindow(SW_SHOW);
    }

    void Close()
    {
        m_sheet->DestroyWindow();
        m_sheet.reset();
    }

    CWnd& Source() { return m_sheet->GetSourcePage(); }
    CWnd& Record() { return m_sheet->GetRecordPage(); }

    std::unique_ptr<CSettingsSheetDlg> m_sheet;
    struct Kept
    {
        CString country, province;
        int useLocality, reservePrev;
        CString picPath, videoPath;
        int snapBmp, jpgQuality;
        SIZE mpeg4RecordSize;
        int recordFormat;
        long tfTime;
        int tfReserved;
    } m_kept;
    long m_keptStandard = 0;
};

// A new source reaches the crossbar and brings its standards; the source in use changes
// nothing; FM has no standards; a chosen standard reaches the card's decoder.
TEST_F(DevicePagesTest, SourcePageSwitchesTheInputAndListsItsStandards)
{
    Open(2);
    ASSERT_EQ(4, Combo(Source(), IDC_SOURCE).GetCount()) << "three inputs and FM radio";
    CComboBox& standards = Combo(Source(), IDC_VIDEO_STANDARD);
    CTVGraph& graph = theTVSystem.GetGraph();
    std::string tunerRoute = CardState("video_route");
    int tunerRows = standards.GetCount();
    ASSERT_GT(tunerRows, 0);
    EXPECT_EQ(graph.GetVideoStandard(), (long)standards.GetItemData(standards.GetCurSel()));
    EXPECT_EQ(-1, RowOfData(standards, CTVGraph::kNtscMJ)) << "the tuner's list has no line standards";

    Choose(Source(), IDC_SOURCE, 0);
    EXPECT_EQ(CTVSystem::kSourceTuner, theTVSystem.GetVideoSource());
    EXPECT_EQ(tunerRoute, CardState("video_route"));
    EXPECT_EQ(tunerRows, standards.GetCount());

    Choose(Source(), IDC_SOURCE, 1);
    EXPECT_EQ(CTVSystem::kSourceComposite, theTVSystem.GetVideoSource());
    EXPECT_NE(tunerRoute, CardState("video_route"));
    EXPECT_EQ(tunerRows + 3, standards.GetCount());
    for (long standard : {CTVGraph::kNtscM, CTVGraph::kNtscMJ, CTVGraph::kNtsc433})
        EXPECT_GE(RowOfData(standards, standard), 0) << standard;
    EXPECT_EQ(graph.GetVideoStandard(), (long)standards.GetItemData(standards.GetCurSel()));
    EXPECT_TRUE(standards.IsWindowEnabled());

    // One of the tuner's standards and NTSC_M differ in the card's decoder format.
    long lineStandard = graph.GetVideoStandard();
    long other = lineStandard == CTVGraph::kNtscM ? (long)standards.GetItemData(0) : (long)CTVGraph::kNtscM;
    std::string before = CardState("tvformat");
    Choose(Source(), IDC_VIDEO_STANDARD, RowOfData(standards, other));
    EXPECT_EQ(other, graph.GetVideoStandard());
    EXPECT_NE(before, CardState("tvformat"));
    Choose(Source(), IDC_VIDEO_STANDARD, RowOfData(standards, lineStandard));
    EXPECT_EQ(lineStandard, graph.GetVideoStandard());
    EXPECT_EQ(before, CardState("tvformat"));

    Choose(Source(), IDC_SOURCE, 3);
    EXPECT_EQ(CTVSystem::kSourceFm, theTVSystem.GetVideoSource());
    EXPECT_EQ(0, standards.GetCount());
    Choose(Source(), IDC_SOURCE, 0);
    EXPECT_EQ(CTVSystem::kSourceTuner, theTVSystem.GetVideoSource());
    EXPECT_EQ(tunerRoute, CardState("video_route"));
    EXPECT_EQ(tunerRows, standards.GetCount());
}

// The card as its driver may leave it after an input change: picture values other than the
// TV system's.
void ScribbleCardPicture()
{
    CCaptureDevice* capture = theTVSystem.GetGraph().GetCaptureDevice();
    for (int property : {CTVSettings::kBrightness, CTVSettings::kContrast, CTVSettings::kSharpness, CTVSettings::kHue})
        ASSERT_TRUE(SUCCEEDED(capture->SetVideoProcAmp(property, 1234))) << property;
}

std::vector<long> CardPicture()
{
    std::vector<long> values;
    for (int property : {CTVSettings::kBrightness, CTVSettings::kContrast, CTVSettings::kSharpness, CTVSettings::kHue}) {
        ProcAmpValue record = {};
        EXPECT_TRUE(SUCCEEDED(theTVSystem.GetGraph().GetCaptureDevice()->GetVideoProcAmp(property, &record)));
        values.push_back(record.value);
    }
    return values;
}

// The new input gets the TV system's brightness, contrast, sharpness and hue again; the
// source in use is not switched, so the card keeps what it holds.
TEST_F(DevicePagesTest, NewSourceTakesThePictureValues)
{
    std::vector<long> picture = {theTVSystem.GetBrightness(), theTVSystem.GetContrast(), theTVSystem.GetSharpness(),
                                 theTVSystem.GetHue()};
    ASSERT_NE(std::vector<long>(4, 1234), picture);
    Open(2);
    ScribbleCardPicture();
    Choose(Source(), IDC_SOURCE, 0);
    EXPECT_EQ(std::vector<long>(4, 1234), CardPicture()) << "the tuner is the source already";
    Choose(Source(), IDC_SOURCE, 2);
    ASSERT_EQ(CTVSystem::kSourceSVideo, theTVSystem.GetVideoSource());
    EXPECT_EQ(picture, CardPicture());
    ScribbleCardPicture();
    Choose(Source(), IDC_SOURCE, 0);
    EXPECT_EQ(picture, CardPicture());
}

// The cities come from the address file for the two countries that have city tables; with
// the city tables in use a chosen city names the channels; the choices land in the file.
TEST_F(DevicePagesTest, RegionPageFillsCitiesAndNamesChannels)
{
    const CStringList& countries = theTVSystem.GetCountries();
    CString other;
    for (POSITION pos = countries.GetHeadPosition(); pos != NULL && other.IsEmpty();) {
        CString name = countries.GetNext(pos);
        if (name != "中国" && name != "中国广东东南沿海")
            other = name;
    }
    ASSERT_FALSE(other.IsEmpty());
    ASSERT_TRUE(countries.Find("中国") != NULL);
    CString address;
    address.Format(kAddressFile, (LPCTSTR)other);
    WriteProgramFile("ChannelAddress.ini", address);
    theTVSystem.GetSettings().country = other;
    theTVSystem.SetUseLocality(TRUE);
    DialogWatcher boxes;
    boxes.OnlyCaption("Kavex");

    Open(2);
    CComboBox& cities = Combo(Source(), IDC_CITY);
    EXPECT_EQ(0, cities.GetCount()) << "a country without city tables";
    Choose(Source(), IDC_COUNTRY, Combo(Source(), IDC_COUNTRY).FindStringExact(-1, "中国"));
    EXPECT_EQ((std::vector<std::string>{"深圳", "北京"}), Rows(cities));
    EXPECT_EQ(0, cities.GetCurSel());
    std::vector<std::string> named = {"SZ-1,49750,1", "SZ-2,184250,3", "C,471250,1"};
    EXPECT_EQ(named, SavedChannelLines()) << "the first city, within 2000 kHz";
    Choose(Source(), IDC_CITY, 1);
    EXPECT_EQ("BJ-1,49750,1", SavedChannelLines()[0]);
    Choose(Source(), IDC_CITY, 0);
    Tick(Source(), IDC_RESERVE_PREV);
    Close();

    EXPECT_EQ("中国", ParamValue("Device", "Country"));
    EXPECT_EQ("深圳", ParamValue("Device", "Province"));
    EXPECT_EQ("1", ParamValue("Device", "ReservePrev"));
    EXPECT_EQ("1", ParamValue("Device", "UseLocality"));

    // Without the file the list is empty and nothing is said.
    DeleteFileA(theTVSystem.GetAppDir() + "\\ChannelAddress.ini");
    Open(2);
    EXPECT_EQ(0, Combo(Source(), IDC_CITY).GetCount());
    Close();
    EXPECT_TRUE(boxes.Dialogs().empty());
}

// The card's sound device is listed with its inputs; device, input, mixer and port land in
// the file.
TEST_F(DevicePagesTest, SoundPageListsTheCardsDeviceAndStoresTheChoices)
{
    CString device = theTVSystem.GetGraph().GetAudioDeviceName();
    ASSERT_FALSE(device.IsEmpty());
    Open(2);
    CComboBox& devices = Combo(Source(), IDC_AUDIO_DEVICE);
    int row = devices.FindStringExact(-1, device);
    ASSERT_GE(row, 0) << (LPCTSTR)device;
    Choose(Source(), IDC_AUDIO_DEVICE, row);
    CComboBox& inputs = Combo(Source(), IDC_AUDIO_INPUT);
    ASSERT_GT(inputs.GetCount(), 0);
    EXPECT_GE(inputs.GetCurSel(), 0);
    Choose(Source(), IDC_AUDIO_INPUT, inputs.GetCount() - 1);
    std::string input = Rows(inputs).back();
    CComboBox& mixers = Combo(Source(), IDC_MIXER_DEVICE);
    ASSERT_GT(mixers.GetCount(), 0) << "the prefix's mixers";
    Choose(Source(), IDC_MIXER_DEVICE, 0);
    CComboBox& ports = Combo(Source(), IDC_MIXER_PORT);
    std::string port = ports.GetCount() > 0 ? Rows(ports)[ports.GetCurSel()] : "";
    std::string mixer = Rows(mixers)[0];
    Close();

    EXPECT_EQ(std::string(device), ParamValue("Device", "AudioDevice"));
    EXPECT_EQ(input, ParamValue("Device", "AudioInput"));
    EXPECT_EQ(mixer, ParamValue("Device", "AudioPlayDev"));
    EXPECT_EQ(port, ParamValue("Device", "AudioPlayInput"));
}

// Every value of the recording page as the file keeps it, the time-shift values at once, and
// the panel's format label following the page.
TEST_F(DevicePagesTest, RecordPageValuesLandInTheSettingsFile)
{
    TempFolder pictures, videos;
    Open(3);
    Record().GetDlgItem(IDC_SNAP_PATH)->SetWindowText(pictures.Path().c_str());
    Record().GetDlgItem(IDC_VIDEO_PATH)->SetWindowText(videos.Path().c_str());
    Tick(Record(), IDC_SNAP_BMP, FALSE);
    Tick(Record(), IDC_SNAP_JPG);
    EXPECT_TRUE(Record().GetDlgItem(IDC_JPG_QUALITY)->IsWindowEnabled());
    CSliderCtrl* quality = (CSliderCtrl*)Record().GetDlgItem(IDC_JPG_QUALITY);
    quality->SetPos(60);
    Record().SendMessage(WM_HSCROLL, TB_ENDTRACK, (LPARAM)quality->GetSafeHwnd());
    EXPECT_EQ("60", Text(Record(), IDC_JPG_QUALITY_TEXT));
    Tick(Record(), IDC_SCHEME_QUALITY, FALSE);
    Tick(Record(), IDC_SCHEME_CPU);
    Choose(Record(), IDC_DISPLAY_QUALITY, 2);
    Choose(Record(), IDC_RECORD_FORMAT, 3);
    EXPECT_TRUE(Record().GetDlgItem(IDC_MPEG4_CONFIG)->IsWindowVisible());
    Choose(Record(), IDC_RECORD_FORMAT, 1);
    EXPECT_FALSE(Record().GetDlgItem(IDC_MPEG4_CONFIG)->IsWindowVisible());
    Choose(Record(), IDC_TIMESHIFT_LENGTH, 2);
    EXPECT_EQ(1800, theTVSystem.GetTFTime());
    Tick(Record(), IDC_TIMESHIFT_KEEP, !theTVSystem.GetTFReserved());
    int keep = IsDlgButtonChecked(Record().GetSafeHwnd(), IDC_TIMESHIFT_KEEP) == BST_CHECKED;
    EXPECT_EQ(keep, theTVSystem.GetTFReserved());
    Close();

    EXPECT_EQ(0, ParamValue("Record", "PicPath").compare(pictures.Path()));
    EXPECT_EQ(0, _stricmp(videos.Path().c_str(), ParamValue("Record", "VideoPath").c_str()));
    EXPECT_EQ("0", ParamValue("Record", "SnapBmp"));
    EXPECT_EQ("60", ParamValue("Record", "JpgQuality"));
    EXPECT_EQ("0", ParamValue("Record", "RecordScheme"));
    EXPECT_EQ("2", ParamValue("Record", "DisplayQuality"));
    EXPECT_EQ("1", ParamValue("Record", "RecordFormat"));
    EXPECT_EQ("1800", ParamValue("Record", "TFTime"));
    EXPECT_EQ(std::to_string(keep), ParamValue("Record", "TFReserved"));
    CString label;
    theControlPanel.GetDlgItem(IDC_FORMAT_LABEL)->GetWindowText(label);
    EXPECT_STREQ("Mpeg1", label);
    theTVSystem.SetVideoPath(m_kept.videoPath);
}

std::string TreeChoice(HWND browser)
{
    HWND tree = FindWindowExA(browser, NULL, WC_TREEVIEWA, NULL);
    HTREEITEM item = TreeView_GetSelection(tree);
    char text[MAX_PATH] = "";
    TVITEMA data = {};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof(text);
    if (item == NULL || !SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&data))
        return "";
    return text;
}

// The user in the folder browser: chooses the folder and presses OK once the tree shows it
// chosen. A fresh browser may still be filling its tree, so the choice is repeated until it
// holds; the browser is cancelled when it never does.
std::vector<std::function<void(HWND)>> PickFolder(const std::string& folder)
{
    auto done = std::make_shared<bool>(false);
    std::string leaf = folder.substr(folder.rfind('\\') + 1);
    std::vector<std::function<void(HWND)>> steps(300, [=](HWND browser) {
        if (*done)
            return;
        if (_stricmp(TreeChoice(browser).c_str(), leaf.c_str()) == 0) {
            *done = true;
            PostMessageA(browser, WM_COMMAND, IDOK, 0);
        } else {
            SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, (LPARAM)folder.c_str());
        }
    });
    steps.push_back([=](HWND browser) {
        if (!*done)
            PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
    });
    return steps;
}

std::string CommonValue(const char* name)
{
    char value[MAX_PATH] = "";
    DWORD size = sizeof(value);
    if (SHGetValueA(HKEY_LOCAL_MACHINE, kCommonKey, name, NULL, value, &size) != ERROR_SUCCESS)
        return "missing";
    return value;
}

// The browse buttons: a chosen snapshot folder is in the registry at once, a chosen record
// folder becomes the record folder when the page stores; a cancelled browser changes nothing.
TEST_F(DevicePagesTest, BrowsedFoldersFillThePage)
{
    TempFolder root;
    std::string snaps = root.FilePath("Snaps"), clips = root.FilePath("Clips");
    ASSERT_TRUE(CreateDirectoryA(snaps.c_str(), NULL));
    ASSERT_TRUE(CreateDirectoryA(clips.c_str(), NULL));
    CString videoPath = theTVSystem.GetVideoPath();
    // The key the installation makes; the program writes its values only.
    HKEY common;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kCommonKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &common, NULL));
    RegCloseKey(common);
    Open(3);
    // The browser starts at the folder the edit holds.
    Record().GetDlgItem(IDC_SNAP_PATH)->SetWindowText(root.Path().c_str());
    ASSERT_TRUE(RunModal("选择文件夹", [&] { Press(Record(), IDC_BROWSE_SNAP); }, PickFolder(snaps)));
    EXPECT_EQ(0, _stricmp(snaps.c_str(), Text(Record(), IDC_SNAP_PATH).c_str())) << Text(Record(), IDC_SNAP_PATH);
    EXPECT_EQ(0, _stricmp(snaps.c_str(), CommonValue("SnapPath").c_str())) << CommonValue("SnapPath");

    ASSERT_TRUE(RunModal("选择文件夹", [&] { Press(Record(), IDC_BROWSE_VIDEO); }, PickFolder(clips)));
    EXPECT_EQ(0, _stricmp(clips.c_str(), Text(Record(), IDC_VIDEO_PATH).c_str())) << Text(Record(), IDC_VIDEO_PATH);
    EXPECT_STREQ(videoPath, theTVSystem.GetVideoPath());

    ASSERT_TRUE(RunModal("选择文件夹", [&] { Press(Record(), IDC_BROWSE_SNAP); },
                         {[](HWND browser) { PostMessageA(browser, WM_COMMAND, IDCANCEL, 0); }}));
    EXPECT_EQ(0, _stricmp(snaps.c_str(), Text(Record(), IDC_SNAP_PATH).c_str()));
    Close();
    EXPECT_EQ(0, _stricmp(snaps.c_str(), theTVSystem.GetPicPath()));
    EXPECT_EQ(0, _stricmp(clips.c_str(), theTVSystem.GetVideoPath()));
    theTVSystem.SetVideoPath(videoPath);
    CTVSystem::WriteSnapPath(m_kept.picPath);
}

// A snapshot folder that cannot be made ends as the user's picture folder.
TEST_F(DevicePagesTest, UnmakeableSnapshotFolderFallsBackToPictures)
{
    char pictures[MAX_PATH] = "";
    ASSERT_TRUE(SHGetSpecialFolderPathA(NULL, pictures, CSIDL_MYPICTURES, TRUE));
    Open(3);
    Record().GetDlgItem(IDC_SNAP_PATH)->SetWindowText("C:\\no such folder\\nor this one");
    Close();
    EXPECT_STREQ(pictures, theTVSystem.GetPicPath());
    EXPECT_TRUE(GetFileAttributesA(pictures) & FILE_ATTRIBUTE_DIRECTORY);
}

// 720 x 576 needs a 25-frame standard: under NTSC the message comes and the size stays.
TEST_F(DevicePagesTest, LargestMpeg4SizeOnlyUnderA25FrameStandard)
{
    theTVSystem.SetRecordFormat(CTVGraph::kRecordMpeg4);
    CTVGraph& graph = theTVSystem.GetGraph();
    ASSERT_TRUE(graph.Is50HzStandard()) << "the card starts on a PAL standard";
    DialogWatcher boxes;
    boxes.OnlyCaption("Kavex");
    Open(3);
    EXPECT_TRUE(Record().GetDlgItem(IDC_MPEG4_SIZE)->IsWindowVisible());
    Choose(Record(), IDC_MPEG4_SIZE, 1);
    EXPECT_EQ(352, theTVSystem.GetMpeg4RecordSize().cx);
    EXPECT_EQ(288, theTVSystem.GetMpeg4RecordSize().cy);
    Choose(Record(), IDC_MPEG4_SIZE, 4);
    EXPECT_EQ(720, theTVSystem.GetMpeg4RecordSize().cx);
    EXPECT_EQ(576, theTVSystem.GetMpeg4RecordSize().cy);
    EXPECT_TRUE(boxes.Dialogs().empty());

    Choose(Record(), IDC_MPEG4_SIZE, 1);
    graph.SetVideoStandard(CTVGraph::kNtscM);
    ASSERT_FALSE(graph.Is50HzStandard());
    Choose(Record(), IDC_MPEG4_SIZE, 4);
    EXPECT_EQ(352, theTVSystem.GetMpeg4RecordSize().cx);
    EXPECT_EQ(288, theTVSystem.GetMpeg4RecordSize().cy);
    EXPECT_EQ(1, Combo(Record(), IDC_MPEG4_SIZE).GetCurSel());
    std::vector<ShownDialog> shown = boxes.Dialogs();
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("当前制式下不允许使用该尺寸!", shown[0].text);
}

void TypeRate(HWND dialog, const char* text)
{
    SetDlgItemTextA(dialog, IDC_MPEG4_RATE, text);
}

std::string Rate(HWND dialog)
{
    char text[32] = "";
    GetDlgItemTextA(dialog, IDC_MPEG4_RATE, text, sizeof(text));
    return text;
}

int SliderMax(HWND dialog)
{
    return (int)SendDlgItemMessageA(dialog, IDC_MPEG4_SLIDER, TBM_GETRANGEMAX, 0, 0);
}

void ChooseMode(HWND dialog, int row)
{
    SendDlgItemMessageA(dialog, IDC_MPEG4_MODE, CB_SETCURSEL, row, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_MPEG4_MODE, CBN_SELCHANGE), (LPARAM)GetDlgItem(dialog, IDC_MPEG4_MODE));
}

// The edit is clamped in both modes, the mode swaps the slider's range and value, OK stores
// the three values, and "默认" writes the encoder's defaults at once.
TEST_F(DevicePagesTest, Mpeg4DialogClampsSwapsAndStores)
{
    ASSERT_TRUE(theXvidSettings.SetMode(0));
    ASSERT_TRUE(theXvidSettings.SetBitrate(2000));
    ASSERT_TRUE(theXvidSettings.SetQuant(5));
    struct Seen
    {
        int mode = -1, max = 0;
        std::string rate;
    };
    std::vector<Seen> seen;
    auto look = [&](HWND dialog) {
        seen.push_back({(int)SendDlgItemMessageA(dialog, IDC_MPEG4_MODE, CB_GETCURSEL, 0, 0), SliderMax(dialog), Rate(dialog)});
    };
    CMpeg4ConfigDlg dialog(&theControlPanel);
    ASSERT_TRUE(RunModal("MPEG4配置", [&] { dialog.DoModal(); },
                         {look,
                          [&](HWND d) { TypeRate(d, "0"); look(d); },
                          [&](HWND d) { TypeRate(d, "20000"); look(d); },
                          [&](HWND d) { ChooseMode(d, 1); look(d); },
                          [&](HWND d) { TypeRate(d, "50"); look(d); },
                          [&](HWND d) { ChooseMode(d, 0); look(d); ChooseMode(d, 1); },
                          [&](HWND d) { PostMessageA(d, WM_COMMAND, IDOK, 0); }}));
    std::vector<std::string> rates;
    for (const Seen& s : seen)
        rates.push_back(std::to_string(s.mode) + " " + std::to_string(s.max) + " " + s.rate);
    EXPECT_EQ((std::vector<std::string>{"0 10000 2000", "0 10000 1", "0 10000 10000", "1 31 5", "1 31 31",
                                        "0 10000 10000"}),
              rates);
    EXPECT_EQ(2u, theXvidSettings.GetMode());
    EXPECT_EQ(10000u, theXvidSettings.GetBitrate());
    EXPECT_EQ(31u, theXvidSettings.GetQuant());

    ASSERT_TRUE(theXvidSettings.SetMode(0));
    ASSERT_TRUE(theXvidSettings.SetBitrate(3000));
    CMpeg4ConfigDlg again(&theControlPanel);
    DWORD modeAtDefault = 0, quantAtDefault = 0;
    seen.clear();
    ASSERT_TRUE(RunModal("MPEG4配置", [&] { again.DoModal(); },
                         {[&](HWND d) {
                              SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_MPEG4_DEFAULT, BN_CLICKED),
                                           (LPARAM)GetDlgItem(d, IDC_MPEG4_DEFAULT));
                              modeAtDefault = theXvidSettings.GetMode();
                              quantAtDefault = theXvidSettings.GetQuant();
                              look(d);
                          },
                          [&](HWND d) { PostMessageA(d, WM_COMMAND, IDCANCEL, 0); }}));
    EXPECT_EQ(2u, modeAtDefault);
    EXPECT_EQ(7u, quantAtDefault);
    EXPECT_EQ(1100u, theXvidSettings.GetBitrate());
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(1, seen[0].mode);
    EXPECT_EQ("7", seen[0].rate);
}

// Holds the dialog open on its device page for a while, to be looked at on a display
// (scripts/screenshot with --gtest_also_run_disabled_tests).
TEST_F(DevicePagesTest, DISABLED_ShowsTheDevicePages)
{
    for (int tab : {2, 3, 7}) {
        Open(tab);
        m_sheet->SetWindowPos(NULL, 150, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        PumpMessagesUntil([] { return false; }, 7000);
        Close();
    }
}

} // namespace
