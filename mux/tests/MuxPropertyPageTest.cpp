// The multiplexer's property page, created by its CLSID through the prefix's registration
// and driven headless as a property frame drives it: what it shows of the filter, what Apply
// gives back, and which controls it offers while the filter runs, is locked or has no file.
#include "ComRef.h"
#include "MpegMuxInterfaces.h"
#include "muxlib.h"

#include <gtest/gtest.h>

#include <dshow.h>
#include <ocidl.h>
#include <olectl.h>

#include <stdio.h>

#include <string>
#include <vector>

namespace
{

enum
{
    kVersion = 1000,
    kMaker = 1027,
    kSegmentSize = 1045,
    kClearFilename = 1048,
    kFileGroup = 1053,
    kTypeGroup = 1054,
    kPreset = 1055,
    kSyncAudio = 1056,
    kSplitFiles = 1057
};
const int kFileControls[] = {kFileGroup, 1046, kSegmentSize, 1047, kClearFilename, kSplitFiles};
const int kTypeControls[] = {kTypeGroup, kPreset, kSyncAudio};

// A frame's page site that records the status changes it hears of.
class RecordingSite : public IPropertyPageSite
{
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyPageSite)) {
            *out = static_cast<IPropertyPageSite*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs); }
    STDMETHODIMP_(ULONG) Release() override { return InterlockedDecrement(&refs); }
    STDMETHODIMP OnStatusChange(DWORD flags) override
    {
        changes.push_back(flags);
        return S_OK;
    }
    STDMETHODIMP GetLocaleID(LCID* locale) override
    {
        *locale = LOCALE_USER_DEFAULT;
        return S_OK;
    }
    STDMETHODIMP GetPageContainer(IUnknown** container) override
    {
        *container = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP TranslateAccelerator(MSG*) override { return S_FALSE; }

    LONG refs = 1;
    std::vector<DWORD> changes;
};

std::string Text(HWND dialog, int id)
{
    char text[128] = "";
    GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

bool Enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

// The parent is hidden, so the control's own style tells whether it shows.
bool Shown(HWND dialog, int id)
{
    return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

class MuxPropertyPageTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_MpegMultiplexer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                         filter.ReceiveVoid()));
        ASSERT_EQ(S_OK, filter.QueryTo(settings));
        ASSERT_EQ(S_OK, filter.QueryTo(params));
        ASSERT_EQ(S_OK, filter.QueryTo(fileSink));
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_MpegMultiplexerPropertyPage, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_IPropertyPage, page.ReceiveVoid()));
        parent = CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 500, 500, nullptr, nullptr,
                                 nullptr, nullptr);
        ASSERT_TRUE(parent);
        ASSERT_EQ(S_OK, page->SetPageSite(&site));
        IUnknown* object = filter.Get();
        ASSERT_EQ(S_OK, page->SetObjects(1, &object));
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        sprintf(path, "%sgantrix-page-%lu.mpg", folder, GetCurrentProcessId());
    }

    void TearDown() override
    {
        if (dialog)
            page->Deactivate();
        if (page) {
            page->SetObjects(0, nullptr);
            page->SetPageSite(nullptr);
        }
        page.Reset();
        if (filter)
            filter->Stop();
        fileSink.Reset();
        params.Reset();
        settings.Reset();
        filter.Reset();
        DestroyWindow(parent);
        CoUninitialize();
    }

    void Activate()
    {
        RECT rect = {0, 0, 300, 340};
        ASSERT_EQ(S_OK, page->Activate(parent, &rect, FALSE));
        dialog = GetWindow(parent, GW_CHILD);
        ASSERT_TRUE(dialog);
    }

    void Deactivate()
    {
        ASSERT_EQ(S_OK, page->Deactivate());
        dialog = nullptr;
    }

    void Command(int id, int code)
    {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }

    void Click(int id)
    {
        bool checked = IsDlgButtonChecked(dialog, id) == BST_CHECKED;
        CheckDlgButton(dialog, id, checked ? BST_UNCHECKED : BST_CHECKED);
        Command(id, BN_CLICKED);
    }

    void SelectPreset(const char* name)
    {
        HWND combo = GetDlgItem(dialog, kPreset);
        LRESULT item = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
        ASSERT_NE(CB_ERR, item) << name;
        SendMessageW(combo, CB_SETCURSEL, item, 0);
        Command(kPreset, CBN_SELCHANGE);
    }

    void SetFile() { ASSERT_EQ(S_OK, fileSink->SetFileName(std::wstring(path, path + strlen(path)).c_str(), nullptr)); }

    int Param(int id)
    {
        int value = -1;
        EXPECT_EQ(S_OK, params->GetParam(id, &value)) << id;
        return value;
    }

    int MuxType()
    {
        int type = -1;
        EXPECT_EQ(S_OK, settings->GetMuxType(&type));
        return type;
    }

    RecordingSite site;
    CComRef<IBaseFilter> filter;
    CComRef<IMpegMuxSettings> settings;
    CComRef<IMpegMuxParams> params;
    CComRef<IFileSinkFilter> fileSink;
    CComRef<IPropertyPage> page;
    HWND parent = nullptr;
    HWND dialog = nullptr;
    char path[MAX_PATH];
};

TEST_F(MuxPropertyPageTest, ListsThePresetsAndAppliesTheChoicesToTheFilter)
{
    PROPPAGEINFO info = {};
    ASSERT_EQ(S_OK, page->GetPageInfo(&info));
    EXPECT_STREQ(L"Muxer", info.pszTitle);
    EXPECT_GT(info.size.cx, 0);
    CoTaskMemFree(info.pszTitle);

    ASSERT_EQ(S_OK, settings->LoadPreset(MUX_PRESET_DVD_MPEG1));
    ASSERT_EQ(S_OK, params->SetParam(MUX_PARAM_SEGMENT_SIZE, 650));
    Activate();
    const struct
    {
        const char* name;
        int id;
    } presets[] = {{"MPEG 1", 0}, {"VCD", 1},  {"MPEG 2", 2}, {"SVCD", 3},  {"DVD MPEG2", 4},   {"DVD MPEG1", 13},
                   {"MPEG TS", 5}, {"DVB", 8}, {"MMV", 9},    {"DVHS", 10}, {"ATSC", 11},       {"ATSC-HI", 12},
                   {"HDV HD1", 18}, {"HDV HD2", 19}};
    HWND combo = GetDlgItem(dialog, kPreset);
    ASSERT_EQ(14, SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < 14; ++i) {
        char name[32] = "";
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
        EXPECT_STREQ(presets[i].name, name) << i;
        EXPECT_EQ(presets[i].id, SendMessageW(combo, CB_GETITEMDATA, i, 0)) << i;
    }
    EXPECT_EQ(5, SendMessageW(combo, CB_GETCURSEL, 0, 0)) << "the filter's own preset";
    EXPECT_EQ("650", Text(dialog, kSegmentSize));
    EXPECT_EQ("Stelvark", Text(dialog, kMaker));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, kSplitFiles));
    EXPECT_EQ(S_FALSE, page->IsPageDirty());
    EXPECT_TRUE(site.changes.empty());

    SelectPreset("ATSC");
    EXPECT_EQ(S_OK, page->IsPageDirty());
    ASSERT_FALSE(site.changes.empty());
    EXPECT_EQ(static_cast<DWORD>(PROPPAGESTATUS_DIRTY), site.changes.back());
    SetDlgItemTextA(dialog, kSegmentSize, "700");
    Command(kSegmentSize, EN_KILLFOCUS);
    Click(kSplitFiles);
    Click(kSyncAudio);
    EXPECT_EQ(MUX_PRESET_DVD_MPEG1, MuxType()) << "nothing reaches the filter before Apply";

    ASSERT_EQ(S_OK, page->Apply());
    EXPECT_EQ(S_FALSE, page->IsPageDirty());
    EXPECT_EQ(MUX_PRESET_ATSC, MuxType());
    EXPECT_EQ(700, Param(MUX_PARAM_SEGMENT_SIZE)) << "after the preset, which has its own size";
    EXPECT_EQ(1, Param(MUX_PARAM_SPLIT_FILES));
    EXPECT_EQ(1, Param(MUX_PARAM_SYNC_AUDIO));
}

// An unchanged number leaves the page clean; a preset id no row has selects nothing.
TEST_F(MuxPropertyPageTest, OnlyChangesMakeThePageDirty)
{
    Activate();
    std::string shown = Text(dialog, kSegmentSize);
    Command(kSegmentSize, EN_KILLFOCUS);
    EXPECT_EQ(S_FALSE, page->IsPageDirty());
    EXPECT_TRUE(site.changes.empty());
    SetDlgItemTextA(dialog, kSegmentSize, (shown + "1").c_str());
    Command(kSegmentSize, EN_KILLFOCUS);
    EXPECT_EQ(S_OK, page->IsPageDirty());
}

TEST_F(MuxPropertyPageTest, TheVersionLineIsTheModulesFileVersion)
{
    HMODULE module = GetModuleHandleW(L"Gantrix.ax");
    ASSERT_TRUE(module);
    WCHAR file[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(module, file, MAX_PATH), 0u);
    DWORD handle = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(file, &handle));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(file, 0, static_cast<DWORD>(block.size()), block.data()));
    VS_FIXEDFILEINFO* version = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&version), &size));
    char want[64];
    sprintf(want, "Version %d.%02d.%02d.%02d", HIWORD(version->dwFileVersionMS), LOWORD(version->dwFileVersionMS),
            HIWORD(version->dwFileVersionLS), LOWORD(version->dwFileVersionLS));

    Activate();
    EXPECT_EQ(want, Text(dialog, kVersion));
}

// Stopped with a file: everything offered. Lock 2 takes it all away, lock 1 gives it back
// while running, and without a lock a running filter offers nothing.
TEST_F(MuxPropertyPageTest, ThePageLockOverridesTheFiltersState)
{
    SetFile();
    const struct
    {
        int lock;
        bool running;
        bool enabled;
    } rows[] = {{0, false, true}, {2, false, false}, {1, true, true}, {0, true, false}, {2, true, false}};
    for (const auto& row : rows) {
        ASSERT_EQ(S_OK, params->SetParam(MUX_PARAM_PAGE_LOCK, row.lock));
        ASSERT_EQ(S_OK, row.running ? filter->Run(0) : filter->Stop());
        Activate();
        for (int id : kTypeControls)
            EXPECT_EQ(row.enabled, Enabled(dialog, id)) << "lock " << row.lock << ", control " << id;
        for (int id : kFileControls)
            EXPECT_EQ(row.enabled, Enabled(dialog, id)) << "lock " << row.lock << ", control " << id;
        Deactivate();
    }
}

// Apply while running: the filter refuses the preset and sync-audio, and the page says
// nothing of it; it is clean again all the same.
TEST_F(MuxPropertyPageTest, ApplyingWhileRunningFailsSilentlyAndCleansThePage)
{
    ASSERT_EQ(S_OK, filter->Run(0));
    Activate();
    int before = MuxType();
    SelectPreset("SVCD");
    Click(kSyncAudio);
    EXPECT_EQ(S_OK, page->Apply());
    EXPECT_EQ(S_FALSE, page->IsPageDirty());
    EXPECT_EQ(before, MuxType());
    EXPECT_EQ(0, Param(MUX_PARAM_SYNC_AUDIO));
}

TEST_F(MuxPropertyPageTest, WithoutFileControlsTheirControlsAreHidden)
{
    SetFile();
    ASSERT_EQ(S_OK, params->SetParam(MUX_PARAM_FILE_CONTROLS, 0));
    Activate();
    for (int id : kFileControls)
        EXPECT_FALSE(Shown(dialog, id)) << id;
    for (int id : kTypeControls)
        EXPECT_TRUE(Shown(dialog, id) && Enabled(dialog, id)) << id;
}

TEST_F(MuxPropertyPageTest, ClearingTheFileNameBringsTheOutputPinBack)
{
    SetFile();
    CComRef<IPin> output;
    EXPECT_EQ(VFW_E_NOT_FOUND, filter->FindPin(L"Output", output.Receive()));
    Activate();
    EXPECT_TRUE(Enabled(dialog, kSegmentSize));
    EXPECT_TRUE(Enabled(dialog, kClearFilename));

    Command(kClearFilename, BN_CLICKED);
    EXPECT_EQ(S_OK, filter->FindPin(L"Output", output.Receive()));
    for (int id : kFileControls)
        EXPECT_FALSE(Enabled(dialog, id)) << id;
    EXPECT_TRUE(Enabled(dialog, kPreset));
    LPOLESTR name = nullptr;
    ASSERT_EQ(S_OK, fileSink->GetCurFile(&name, nullptr));
    EXPECT_STREQ(L"", name);
    CoTaskMemFree(name);
    EXPECT_EQ(S_FALSE, page->IsPageDirty());
}

// The page works only through the filter's own interfaces.
TEST_F(MuxPropertyPageTest, AnObjectWithoutTheInterfacesIsRefused)
{
    CComRef<IUnknown> other;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                     other.ReceiveVoid()));
    IUnknown* object = other.Get();
    EXPECT_EQ(E_NOINTERFACE, page->SetObjects(1, &object));
    RECT rect = {0, 0, 300, 340};
    EXPECT_EQ(E_UNEXPECTED, page->Activate(parent, &rect, FALSE));
}

} // namespace
