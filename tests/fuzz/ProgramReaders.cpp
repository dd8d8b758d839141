#include "ProgramReaders.h"

#include <stdlib.h>

#include <memory>
#include <string>

#include "CAccelManager.h"
#include "CDib.h"
#include "CSkin.h"
#include "FolderPaths.h"
#include "ReaderFuzzResources.h"
#include "SkinSwitch.h"
#include "Tickwell.h"
#include "VideoProfiles.h"

namespace {

std::string Number(long long value)
{
    return std::to_string(value) + " ";
}

// --- Kavex's shortcut table ---------------------------------------------------------------

std::string Describe(const CAccelManager& accel)
{
    std::string text;
    for (int i = 0; i < accel.GetGroupCount(); ++i)
        text += "group " + std::string(accel.GetGroupName(i)) + "\n";
    for (const CAccelManager::Command& command : accel.GetCommands())
        text += Number(command.group) + Number(command.id) + (LPCTSTR)command.name + "|" +
                (LPCTSTR)command.comment + "\n";
    for (const CAccelManager::Binding& binding : accel.GetBindings())
        text += Number(binding.fVirt) + Number(binding.key) + Number(binding.command) +
                Number(binding.reserved) + (LPCTSTR)CAccelManager::KeyText(binding) + "\n";
    return text;
}

// --- the skins ----------------------------------------------------------------------------

// A panel with a control of every id the program's skins dress.
class CFuzzPanel : public CDialog
{
public:
    CFuzzPanel() : CDialog(IDD_FUZZ_PANEL) {}
    void OnOK() override {}
    void OnCancel() override {}
};

// As the program switches a skin: the element file from the folder, the resource module its
// skin list names beside this program. The skinned panel is then painted once.
FuzzReader::Result LoadSkin(const CString& elementFile, const char* dll)
{
    CFuzzPanel panel;
    if (!panel.Create(IDD_FUZZ_PANEL, NULL))
        return FuzzReader::kRefused;
    panel.SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    CSkin* skin = NULL;
    BOOL loaded = SwitchSkin(skin, &panel, elementFile, GetModuleDir(NULL) + "\\" + dll);
    ::RedrawWindow(panel.m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    if (skin) {
        skin->Detach();
        delete skin;
    }
    panel.DestroyWindow();
    return loaded ? FuzzReader::kLoaded : FuzzReader::kRefused;
}

// --- the encoder profiles -----------------------------------------------------------------

const DWORD kNtsc = 0x807;
const DWORD kPal = 0x7F0;

// A driver catalogue of two profiles: MPEG-1 and MPEG-4 streams, NTSC and PAL rates and sizes.
void FillCatalogue(VideoProfileCatalogue& c)
{
    c.driverProfileCount = 2;
    strcpy(c.driverProfiles[0].name, "mp1");
    strcpy(c.driverProfiles[1].name, "mp4");
    c.streamCount = 2;
    c.streams[0].compressMode = 0;
    c.streams[0].sequence = 1;
    c.streams[0].head.mask = 0x3;
    c.streams[1].compressMode = 4;
    c.streams[1].sequence = 1;
    c.streams[1].mpeg4Mode = 1;
    c.streams[1].head.mask = 0x13;
    c.frameRateCount = 2;
    c.frameRates[0].frameRate = 30000;
    c.frameRates[0].tvStandard = kNtsc;
    c.frameRates[0].head.mask = 0x9;
    c.frameRates[1].frameRate = 25025;
    c.frameRates[1].tvStandard = kPal;
    c.frameRates[1].head.mask = 0x9;
    c.resolutionCount = 2;
    const DWORD sizes[2][5] = {{720, 480, kNtsc, 8000000, 1000000}, {352, 288, kPal, 4000000, 500000}};
    for (int i = 0; i < 2; ++i) {
        ResolutionSettingRow& r = c.resolutions[i];
        r.width = sizes[i][0];
        r.height = sizes[i][1];
        r.tvStandard = sizes[i][2];
        r.maxBitrate = sizes[i][3];
        r.minBitrate = sizes[i][4];
        r.head.mask = 0x203;
    }
}

const char kVideoProfiles[] =
    "// profiles added to the driver's\r\n"
    "[StreamSetting]\r\nname=mp1\r\ndesc=MPEG-1 system stream\r\ncompress_mode=0\r\nsequence=1\r\n"
    "gop_size=15\r\nrescfg=sif\r\nfpscfg=ntsc\r\nctlcfg=rate\r\n\r\n"
    "[StreamSetting]\r\nname=mp4\r\ncompress_mode=4\r\nsequence=1\r\nmpeg4_mode=1\r\nrescfg=cif\r\n\r\n"
    "[FrameRateSetting]\r\nname=ntsc\r\nframe_rate=30000\r\ntv_standard=NTSC\r\nctlcfg=rate\r\n\r\n"
    "[FrameRateSetting]\r\nname=pal\r\nframe_rate=25025\r\ntv_standard=PAL\r\nrescfg=cif\r\n\r\n"
    "[ResolutionSetting]\r\nname=sif\r\nwidth=720\r\nheight=480\r\ntv_standard=NTSC\r\nctlcfg=rate\r\n\r\n"
    "[ResolutionSetting]\r\nname=cif\r\nwidth=352\r\nheight=288\r\ntv_standard=PAL\r\n"
    "h_sub_window=0\r\nv_sub_window=0\r\n\r\n"
    "[BitrateSetting]\r\nname=rate\r\ntarget_bitrate=4000000\r\npeak_bitrate=6000000\r\n"
    "vbv_buffer=112\r\nconverge_speed=50\r\nlambda=100\r\nQ=8\r\nQMin=2\r\nQMax=31\r\n";

BOOL CopyBeside(const char* from, const CString& to)
{
    return CopyFileA(GetModuleDir(NULL) + "\\" + from, to, FALSE);
}

} // namespace

FuzzReader::Result LoadAccelTable(const CString& folder, const CString& scratch)
{
    CAccelManager accel;
    if (!accel.Load(InFolder(folder, "Accel.txt")))
        return FuzzReader::kRefused;
    std::string read = Describe(accel);
    for (const CAccelManager::Binding& binding : accel.GetBindings())
        accel.FindCommandNameByKeyText(CAccelManager::KeyText(binding));
    accel.SetOwner(GetDesktopWindow());
    accel.Build();
    if (!accel.Save(scratch))
        return FuzzReader::kRefused;
    CAccelManager again;
    if (!again.Load(scratch) || Describe(again) != read)
        return FuzzReader::kLostOnSave;
    return FuzzReader::kLoaded;
}

FuzzReader::Result LoadPanelSkin(const CString& folder, const CString&)
{
    return LoadSkin(InFolder(folder, "Skin.ini"), "Vellumpack.dll");
}

FuzzReader::Result LoadColorSkin(const CString& folder, const CString&)
{
    return LoadSkin(InFolder(folder, "ColorSkin.ini"), "Chromabin.dll");
}

// A skin's loose bitmap through the image class, drawn once and turned to the other depths.
FuzzReader::Result LoadSkinBitmap(const CString& folder, const CString&)
{
    CDib dib;
    if (!dib.Load(InFolder(folder, "B1000U.bmp")))
        return FuzzReader::kRefused;
    CDC screen;
    screen.Attach(::GetDC(NULL));
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    CBitmap canvas;
    canvas.CreateCompatibleBitmap(&screen, 64, 64);
    CBitmap* old = memory.SelectObject(&canvas);
    dib.Draw(&memory, 0, 0);
    memory.SelectObject(old);
    ::ReleaseDC(NULL, screen.Detach());
    CDib copy;
    copy.Copy(dib);
    copy.ChangeBitDepth(8);
    copy.FlipVertical();
    return FuzzReader::kLoaded;
}

// As Kavex opens its schedule at start-up, then every item read.
FuzzReader::Result LoadSchedule(const CString& folder, const CString&)
{
    if (!Timing_Initialize(InFolder(folder, "Rec.rec"), 128))
        return FuzzReader::kRefused;
    for (HTIMINGITEM item = Timing_GetFirstItem(0); item; item = Timing_GetNextItem(0, item)) {
        _tagTimingParam timing;
        _tagExcuteParam execute;
        Timing_GetItemTimingParam(item, &timing);
        Timing_GetItemExcuteParam(item, &execute, sizeof(execute));
    }
    Timing_Uninitialize();
    return FuzzReader::kLoaded;
}

// As the capture box reads the file against its driver's catalogue, then asks for every
// profile's combinations.
FuzzReader::Result LoadVideoProfileFile(const CString& folder, const CString&)
{
    std::unique_ptr<VideoProfileCatalogue> catalogue(new VideoProfileCatalogue());
    std::unique_ptr<VideoProfileSet> set(new VideoProfileSet());
    FillCatalogue(*catalogue);
    CVideoProfiles* reader = OpenVideoProfileFile(InFolder(folder, "video_profiles.txt"));
    if (!reader)
        return FuzzReader::kRefused;
    ParseVideoProfileFile(reader, catalogue.get(), set.get());
    BOOL loaded = GetVideoProfileStatus(reader, NULL) == kProfileOk;
    CloseVideoProfileFile(reader);
    for (int profile = 0; profile < 2; ++profile) {
        for (DWORD standard : {kNtsc, kPal}) {
            BuildProfileCombinations(catalogue.get(), profile, standard);
            free(catalogue->combinations);
            catalogue->combinations = NULL;
        }
    }
    return loaded ? FuzzReader::kLoaded : FuzzReader::kRefused;
}

void WriteProgramSeeds(const CString& folder)
{
    CAccelManager accel;
    accel.AddGroup("Channels");
    accel.AddGroup("\xC2\xBC\xCF\xF1");
    static const struct { DWORD group; WORD id; const char* name; BYTE fVirt; WORD key; } kCommands[] = {
        {0, 32771, "Next channel", FVIRTKEY, VK_UP},
        {0, 32772, "Previous channel", FVIRTKEY, VK_DOWN},
        {0, 32773, "Mute", FVIRTKEY | FCONTROL, 'M'},
        {1, 32774, "\xC2\xBC\xCF\xF1", FVIRTKEY | FCONTROL | FSHIFT, 'R'},
        {1, 32775, "Snapshot", FVIRTKEY | FALT, VK_F12},
    };
    for (const auto& c : kCommands) {
        accel.AddCommand(c.group, c.id, c.name, "");
        accel.AddKey(c.fVirt, c.key, c.id);
    }
    accel.Save(InFolder(folder, "Accel.txt"));

    CopyBeside("Skin.ini", InFolder(folder, "Skin.ini"));
    CopyBeside("ColorSkin.ini", InFolder(folder, "ColorSkin.ini"));
    CopyBeside("Skins\\One\\B1000U.bmp", InFolder(folder, "B1000U.bmp"));

    // Items in the future, so that nothing starts while the copies are read.
    Timing_Initialize(InFolder(folder, "Rec.rec"), 128);
    for (int i = 0; i < 3; ++i) {
        _tagTimingParam timing = {2037, 5, 6 + i, 8, 0, 0, 3600, i != 2, i == 2 ? 0x15 : 0, 0};
        _tagExcuteParam execute = {};
        execute.size = sizeof(execute);
        execute.length = 3600;
        execute.channel = i + 1;
        execute.frequency = 49750;
        Timing_InsertItem(0, timing, &execute);
    }
    Timing_Uninitialize();

    HANDLE file = CreateFileA(InFolder(folder, "video_profiles.txt"), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written = 0;
    WriteFile(file, kVideoProfiles, sizeof(kVideoProfiles) - 1, &written, NULL);
    CloseHandle(file);
}
