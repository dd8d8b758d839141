#pragma once

#include <gtest/gtest.h>

#include "TVGraph.h"

#include "RendererPicture.h"
#include "SimDeviceSupport.h"

#include <cstdio>
#include <string>

// Dispatches this thread's messages, which the renderer's window needs, until done() holds
// or the time has passed; whether done() held.
template <typename Done>
bool PumpUntil(Done done, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        if (done())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
    }
}

// A graph drawing into a shown top-level window over the prefix's card 0, with the card's
// picture read back from the renderer's window.
class PreviewFixture : public testing::Test
{
protected:
    // The picture fills the video window at the capture size, so no cell is stretched.
    static const int kWidth = 640;
    static const int kHeight = 480;

    void SetUp() override
    {
        // The card's own station list, which a test of another program may have left changed.
        ASSERT_EQ(S_OK, m_card.Run("tv 49750:SIM-1 77250:SIM-2 184250:SIM-3 471250:SIM-4 615250:SIM-5"));
        RECT frame = {0, 0, kWidth, kHeight};
        AdjustWindowRect(&frame, WS_POPUP, FALSE);
        m_window = CreateWindowExA(0, "STATIC", "preview", WS_POPUP | WS_VISIBLE, 40, 40, frame.right - frame.left,
                                   frame.bottom - frame.top, NULL, NULL, GetModuleHandleA(NULL), NULL);
        ASSERT_NE((HWND)NULL, m_window);
        ASSERT_TRUE(m_graph.GetBuilder().MakeGraph()) << CGraphBuilder::GetLastErrorText();
        m_graph.SetOwnerWnd(m_window);
    }

    void TearDown() override
    {
        m_graph.CloseTV();
        DestroyWindow(m_window);
    }

    void StartPreview()
    {
        ASSERT_TRUE(m_graph.BuildPreview());
        ASSERT_TRUE(m_graph.RebuildPreview());
    }

    // Grabs the renderer's window until the picture carries both words and accept() takes
    // them; false when that did not happen within the time.
    template <typename Accept>
    bool WaitForPicture(Accept accept, DWORD timeoutMs = 5000)
    {
        return PumpUntil(
            [&] {
                RendererPicture picture;
                if (!Grab(picture) || !picture.Band(RendererPicture::kIdBand, &m_id) ||
                    !picture.Band(RendererPicture::kFrameBand, &m_frame) || !accept(m_id, m_frame))
                    return false;
                m_picture = picture;
                return true;
            },
            timeoutMs);
    }

    // The renderer's window through its own DC, which the null display driver keeps.
    virtual bool Grab(RendererPicture& picture) { return picture.GrabWindow(RendererPicture::VideoWindow(m_window)); }

    // Frames the card's capture pin has sent since the graph ran.
    DWORD CardFrames()
    {
        std::string state = m_card("state");
        size_t at = state.find("cap_frames=");
        return at == std::string::npos ? 0 : strtoul(state.c_str() + at + 11, NULL, 10);
    }

    HWND m_window = NULL;
    CTVGraph m_graph;
    SimControl m_card{0};
    // The words of the last picture read, and the last picture taken.
    DWORD m_id = 0;
    DWORD m_frame = 0;
    RendererPicture m_picture;
};
