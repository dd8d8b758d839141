// The graph's Overlay Mixer forwards over the mixer stand-in, and the MPEG-4 codec's settings
// dialog of the compression-dialog library stand-in, answered as a user would.
#include <gtest/gtest.h>

#include "GraphWindowFixture.h"

#include "ClassOverride.h"
#include "CodecClassIds.h"
#include "DialogWatcher.h"
#include "FinishesWithin.h"
#include "Framewise.h"
#include "TestDeviceCategory.h"

#include <memory>

namespace
{

// The Overlay Mixer stand-in belongs to the overlay variant of the prefix; here it is the
// class of this process only.
const char kOverlayModule[] = "C:\\sim\\filters\\simovmix.ax";
const char kCodecKey[] = "Software\\GNU\\XviD";

class TVGraphOverlayCodecTest : public GraphWindowFixture
{
protected:
    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(CoInitialize(NULL));
        GraphWindowFixture::SetUp();
    }

    void TearDown() override
    {
        GraphWindowFixture::TearDown();
        m_overlay.reset();
        CoUninitialize();
    }

    void RunPreviewWithOverlayMixer()
    {
        m_overlay.reset(new ClassOverride(CLSID_OverlayMixerFilter, kOverlayModule));
        ASSERT_TRUE(m_overlay->Registered());
        ASSERT_TRUE(m_graph.BuildPreview());
        ASSERT_TRUE(m_graph.RebuildPreview());
        ASSERT_TRUE(m_graph.IsOverlayInUse());
    }

    std::unique_ptr<ClassOverride> m_overlay;
};

// The dialog's auto-close switch for the test's scope: absent, so that the dialog waits for the
// test's answer, or a given time; the prefix's value comes back afterwards.
class FramewiseAutoClose
{
public:
    explicit FramewiseAutoClose(const DWORD* ms)
    {
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Sim\\framewise", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &m_key,
                        NULL);
        DWORD size = sizeof(m_saved);
        m_had = RegQueryValueExA(m_key, kValue, NULL, NULL, (BYTE*)&m_saved, &size) == ERROR_SUCCESS;
        Set(ms);
    }
    ~FramewiseAutoClose()
    {
        Set(m_had ? &m_saved : NULL);
        RegCloseKey(m_key);
    }

private:
    void Set(const DWORD* ms)
    {
        if (ms)
            RegSetValueExA(m_key, kValue, 0, REG_DWORD, (const BYTE*)ms, sizeof(*ms));
        else
            RegDeleteValueA(m_key, kValue);
    }

    static constexpr const char* kValue = "AutoCloseMs";
    HKEY m_key = NULL;
    DWORD m_saved = 0;
    bool m_had = false;
};

DWORD CodecValue(const char* name)
{
    DWORD value = 0, size = sizeof(value);
    if (RegGetValueA(HKEY_CURRENT_USER, kCodecKey, name, RRF_RT_REG_DWORD, NULL, &value, &size) != ERROR_SUCCESS)
        return 0xFFFFFFFF;
    return value;
}

} // namespace

TEST_F(TVGraphOverlayCodecTest, OverlayControlsAndColourKeyGoThroughTheMixerWhileItShowsThePicture)
{
    RunPreviewWithOverlayMixer();
    EXPECT_TRUE(m_graph.SetOverlayColorKey(RGB(16, 0, 16)));
    COLORREF key = 0;
    ASSERT_TRUE(m_graph.GetOverlayColorKey(&key));
    EXPECT_EQ(RGB(16, 0, 16), key);
    long value = 0;
    ASSERT_TRUE(m_graph.GetOverlayProperty(0, &value));
    EXPECT_EQ(750, value) << "the kept brightness, applied by the rebuild";
    long minimum = 0, maximum = 0, standard = 0;
    ASSERT_TRUE(m_graph.GetOverlayPropertyRange(1, &minimum, &maximum, &standard));
    EXPECT_EQ(20000, maximum);
    BOOL letterbox = TRUE;
    ASSERT_TRUE(m_graph.IsLetterbox(&letterbox));
    EXPECT_FALSE(letterbox);

    ASSERT_TRUE(m_graph.SetUseOverlay(FALSE));
    ASSERT_NE(nullptr, m_graph.GetBuilder().FindWrapper("Overlay Mixer")) << "made, though not in use";
    letterbox = 7;
    EXPECT_FALSE(m_graph.IsLetterbox(&letterbox));
    EXPECT_EQ(7, letterbox) << "the mixer is not asked";
    EXPECT_FALSE(m_graph.GetOverlayProperty(0, &value));
    EXPECT_FALSE(m_graph.GetOverlayPropertyRange(1, &minimum, &maximum, &standard));
    EXPECT_EQ(100, maximum);

    EXPECT_TRUE(m_graph.RemoveOverlayMixer());
    EXPECT_EQ(nullptr, m_graph.GetBuilder().FindWrapper("Overlay Mixer"));
    EXPECT_FALSE(m_graph.GetOverlayColorKey(&key));
}

TEST_F(TVGraphOverlayCodecTest, CodecDialogIsShownOverTheParentAndItsAnswerKept)
{
    const CTestDeviceCategory::Device codec[] = {{L"TestVcm-XviD", L"XviD MPEG-4 Codec", &CLSID_AVIDec}};
    CTestDeviceCategory devices(CLSID_VideoCompressorCategory, codec, 1);
    ASSERT_HRESULT_SUCCEEDED(devices.Result());
    RegDeleteKeyA(HKEY_CURRENT_USER, kCodecKey);
    FramewiseAutoClose waits(NULL);
    DialogWatcher watcher;

    watcher.PressId(IDCANCEL);
    EXPECT_EQ(0, m_graph.ShowMpeg4CodecDialog(m_window, TRUE));
    EXPECT_EQ(0xFFFFFFFF, CodecValue("rc_bitrate")) << "nothing kept on Cancel";
    watcher.PressId(IDOK);
    EXPECT_EQ(0, m_graph.ShowMpeg4CodecDialog(m_window, TRUE));
    EXPECT_EQ(0, m_graph.ShowMpeg4CodecDialog(m_window, FALSE));

    std::vector<ShownDialog> shown = watcher.Dialogs();
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ("Framewise Codec Settings", shown[0].caption);
    EXPECT_EQ(m_window, shown[0].owner);
    EXPECT_EQ(IDCANCEL, shown[0].pressed);
    EXPECT_EQ(IDOK, shown[1].pressed);
    EXPECT_EQ(1u, CodecValue("mode")) << "the codec's defaults, saved on OK";
    EXPECT_EQ(1100000u, CodecValue("rc_bitrate"));
    EXPECT_EQ(85u, CodecValue("quality"));
    EXPECT_EQ(7u, CodecValue("quant"));
    EXPECT_EQ(0u, CodecValue("fourcc_used"));
    EXPECT_EQ(nullptr, m_graph.GetBuilder().FindWrapper("XviD MPEG-4 Codec")) << "the codec goes again";
    RegDeleteKeyA(HKEY_CURRENT_USER, kCodecKey);
}

// The prefix makes the dialog end by itself at once, as Cancel, so that nothing waits for a
// button that nobody presses.
TEST(FramewiseDialogTest, AutoCloseEndsTheDialogAsCancelWithoutSaving)
{
    const DWORD now = 0;
    FramewiseAutoClose autoClose(&now);
    RegDeleteKeyA(HKEY_CURRENT_USER, kCodecKey);
    int result = 0;
    EXPECT_TRUE(FinishesWithin(30000, [&result] { result = XD_ShowVCMDialog(NULL); }));
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(0xFFFFFFFF, CodecValue("rc_bitrate"));
}
