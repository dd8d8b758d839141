#include <gtest/gtest.h>

#include <afxwin.h>

#include "DibSection.h"

TEST(CGdiObject, AHandleNoObjectOwnsGetsATemporaryObjectThatLeavesItAlive)
{
    HGDIOBJ stock = GetStockObject(BLACK_BRUSH);
    CBrush* temporary = CBrush::FromHandle((HBRUSH)stock);
    ASSERT_NE(nullptr, temporary);
    EXPECT_EQ(temporary, CGdiObject::FromHandle(stock));
    EXPECT_EQ(nullptr, CGdiObject::FromHandlePermanent(stock));

    HBRUSH own = CreateSolidBrush(RGB(1, 2, 3));
    CBrush* ownTemporary = CBrush::FromHandle(own);
    AfxDeleteTempMaps();
    // The temporary objects are gone, never their handles.
    EXPECT_EQ((DWORD)OBJ_BRUSH, GetObjectType(own));
    EXPECT_NE(nullptr, CBrush::FromHandle(own));
    (void)ownTemporary;
    AfxDeleteTempMaps();
    DeleteObject(own);
}

TEST(CGdiObject, AnObjectOwnsWhatItMadeUntilItEndsOrLetsGo)
{
    HGDIOBJ deleted;
    {
        CPen pen(PS_SOLID, 1, RGB(10, 20, 30));
        deleted = pen.m_hObject;
        ASSERT_NE((HGDIOBJ)NULL, deleted);
        EXPECT_EQ(&pen, CGdiObject::FromHandle(deleted));
        EXPECT_EQ(&pen, CGdiObject::FromHandlePermanent(deleted));
        EXPECT_FALSE(pen.CreatePen(PS_SOLID, 1, 0));  // one handle per object
        LOGPEN logPen;
        ASSERT_TRUE(pen.GetLogPen(&logPen));
        EXPECT_EQ(RGB(10, 20, 30), logPen.lopnColor);
    }
    EXPECT_EQ(0u, (UINT)GetObjectType(deleted));

    HRGN kept;
    {
        CRgn region;
        ASSERT_TRUE(region.CreateRectRgn(0, 0, 10, 10));
        kept = (HRGN)region.Detach();
        EXPECT_EQ(nullptr, CGdiObject::FromHandlePermanent(kept));
    }
    EXPECT_EQ((DWORD)OBJ_REGION, GetObjectType(kept));
    DeleteObject(kept);
}

TEST(CRgn, CombinesAndAnswersWhereItLies)
{
    CRgn left, right, both;
    ASSERT_TRUE(left.CreateRectRgn(0, 0, 10, 10));
    ASSERT_TRUE(right.CreateRectRgn(5, 0, 20, 10));
    ASSERT_TRUE(both.CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(SIMPLEREGION, both.CombineRgn(&left, &right, RGN_AND));
    CRect box;
    both.GetRgnBox(&box);
    EXPECT_EQ(CRect(5, 0, 10, 10), box);
    EXPECT_EQ(NULLREGION, both.CombineRgn(&left, &left, RGN_DIFF));
    EXPECT_TRUE(right.PtInRegion(19, 9));
    EXPECT_FALSE(right.PtInRegion(20, 9));
}

// A memory DC drawing into a 24-bit bitmap, whose pixels read back exactly.
class MemoryDCTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dc.CreateCompatibleDC(NULL));
        ASSERT_TRUE(CreateDibSection24(m_dc, 40, 30, m_bitmap));
        m_old = m_dc.SelectObject(&m_bitmap);
    }
    void TearDown() override
    {
        if (m_old != NULL)
            m_dc.SelectObject(m_old);
    }

    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_old = NULL;
};

TEST_F(MemoryDCTest, SelectingGivesBackTheObjectThatWasIn)
{
    // A new memory DC holds the stock one-pixel bitmap, which no object owns.
    ASSERT_NE(nullptr, m_old);
    EXPECT_EQ(nullptr, CGdiObject::FromHandlePermanent(m_old->m_hObject));
    EXPECT_EQ(&m_bitmap, m_dc.GetCurrentBitmap());
    CBrush red(RGB(255, 0, 0));
    CBrush* before = m_dc.SelectObject(&red);
    ASSERT_NE(nullptr, before);
    EXPECT_EQ(&red, m_dc.SelectObject(before));
    EXPECT_EQ(&m_dc, CDC::FromHandle(m_dc.m_hDC));
}

TEST_F(MemoryDCTest, FlatFillsAndThreeDimensionalFramesLandOnTheirPixels)
{
    m_dc.FillSolidRect(0, 0, 40, 30, RGB(1, 2, 3));
    m_dc.Draw3dRect(CRect(10, 10, 20, 20), RGB(255, 255, 255), RGB(128, 128, 128));
    EXPECT_EQ(RGB(255, 255, 255), m_dc.GetPixel(10, 10));
    EXPECT_EQ(RGB(255, 255, 255), m_dc.GetPixel(18, 10));
    EXPECT_EQ(RGB(255, 255, 255), m_dc.GetPixel(10, 18));
    EXPECT_EQ(RGB(128, 128, 128), m_dc.GetPixel(19, 10));
    EXPECT_EQ(RGB(128, 128, 128), m_dc.GetPixel(10, 19));
    EXPECT_EQ(RGB(128, 128, 128), m_dc.GetPixel(19, 19));
    EXPECT_EQ(RGB(1, 2, 3), m_dc.GetPixel(15, 15));
    EXPECT_EQ(RGB(1, 2, 3), m_dc.GetPixel(20, 20));
    // FillSolidRect leaves the DC's background colour as it was.
    EXPECT_EQ(RGB(255, 255, 255), m_dc.GetBkColor());
}

TEST_F(MemoryDCTest, APointFontIsSizedInTenthsOfAPointOfTheDC)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "Arial", &m_dc));
    LOGFONT logFont;
    ASSERT_TRUE(font.GetLogFont(&logFont));
    // 12 points at the DC's pixels per inch, as a character height.
    EXPECT_EQ(-MulDiv(m_dc.GetDeviceCaps(LOGPIXELSY), 12, 72), logFont.lfHeight);
    EXPECT_STREQ("Arial", logFont.lfFaceName);
}

TEST(CRect, FollowsTheSystemsRectangleRules)
{
    CRect rect(10, 20, 30, 60);
    EXPECT_EQ(20, rect.Width());
    EXPECT_EQ(40, rect.Height());
    EXPECT_EQ(CPoint(20, 40), rect.CenterPoint());
    EXPECT_TRUE(rect.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(rect.PtInRect(CPoint(30, 20)));  // right and bottom are outside
    EXPECT_EQ(CRect(15, 20, 30, 40), rect & CRect(15, 0, 50, 40));
    EXPECT_TRUE((rect & CRect(40, 0, 50, 10)).IsRectEmpty());
    CRect flipped(30, 60, 10, 20);
    EXPECT_TRUE(flipped.IsRectEmpty());
    flipped.NormalizeRect();
    EXPECT_EQ(rect, flipped);
    rect.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(CRect(11, 22, 27, 56), rect);
    rect.MoveToXY(0, 0);
    EXPECT_EQ(CRect(0, 0, 16, 34), rect);
    EXPECT_EQ(CSize(16, 34), rect.Size());
}

TEST(CPoint, ReadsSignedCoordinatesFromAMessage)
{
    // A mouse message left of and above a window carries negative 16-bit coordinates.
    CPoint point((LPARAM)MAKELPARAM(-5, -7));
    EXPECT_EQ(-5, point.x);
    EXPECT_EQ(-7, point.y);
    EXPECT_EQ(CSize(3, 4), CPoint(8, 11) - CPoint(5, 7));
    EXPECT_EQ(CPoint(6, 9), CPoint(1, 2) + CSize(5, 7));
}
