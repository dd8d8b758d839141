#pragma once

#include <gtest/gtest.h>

#include "TVGraph.h"

// A graph in a new filter graph that draws into a plain test window, closed as the program
// closes it.
class GraphWindowFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        m_window = CreateWindowExA(0, "STATIC", "preview", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240, NULL, NULL,
                                   GetModuleHandleA(NULL), NULL);
        ASSERT_NE((HWND)NULL, m_window);
        ASSERT_TRUE(m_graph.GetBuilder().MakeGraph()) << CGraphBuilder::GetLastErrorText();
        m_graph.SetOwnerWnd(m_window);
    }

    void TearDown() override
    {
        m_graph.CloseTV();
        DestroyWindow(m_window);
    }

    void RunPreview()
    {
        ASSERT_TRUE(m_graph.BuildPreview());
        ASSERT_TRUE(m_graph.RebuildPreview());
    }

    HWND m_window = NULL;
    CTVGraph m_graph;
};
