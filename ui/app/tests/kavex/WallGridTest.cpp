// The wall's geometry, without windows: whole cells, the grid centred by half the leftover.
#include <gtest/gtest.h>

#include "CWallGrid.h"

namespace {

TEST(WallGrid, StartsAsTwoByTwoCellsOfOnePixel)
{
    CWallGrid grid;
    EXPECT_EQ(2, grid.GetRowCount());
    EXPECT_EQ(2, grid.GetColumnCount());
    CRect cell;
    ASSERT_TRUE(grid.GetCell(3, cell));
    EXPECT_EQ(CRect(1, 1, 2, 2), cell);
    EXPECT_FALSE(grid.GetCell(4, cell));
}

TEST(WallGrid, LaysOutWholeCellsCentredInTheRectangle)
{
    struct Case
    {
        CRect outer;
        int cellWidth, cellHeight;
        CPoint origin;  // the grid's top-left
    } cases[] = {
        {CRect(0, 0, 1024, 768), 256, 192, CPoint(0, 0)},
        {CRect(0, 0, 1366, 768), 341, 192, CPoint(1, 0)},     // 2 pixels left over
        {CRect(0, 0, 1027, 771), 256, 192, CPoint(1, 1)},     // 3 over each way: 1 before
        {CRect(10, 20, 813, 623), 200, 150, CPoint(11, 21)},  // not at the origin
    };
    for (const Case& c : cases) {
        CWallGrid grid;
        grid.Layout(c.outer, 4, 4, TRUE, TRUE);
        EXPECT_EQ(c.cellWidth, grid.GetCellWidth()) << c.outer.Width();
        EXPECT_EQ(c.cellHeight, grid.GetCellHeight()) << c.outer.Height();
        EXPECT_EQ(c.origin, grid.GetGridRect().TopLeft()) << c.outer.Width();
        EXPECT_EQ(CSize(4 * c.cellWidth, 4 * c.cellHeight), grid.GetGridRect().Size());
        // Row by row; every cell's own corners hit it, and the one past the grid does not.
        for (int index = 0; index < 16; index++) {
            CRect cell;
            ASSERT_TRUE(grid.GetCell(index, cell));
            CPoint expected(c.origin.x + index % 4 * c.cellWidth, c.origin.y + index / 4 * c.cellHeight);
            EXPECT_EQ(CRect(expected, CSize(c.cellWidth, c.cellHeight)), cell) << index;
            int hit = -1;
            EXPECT_TRUE(grid.HitTest(cell.TopLeft(), hit));
            EXPECT_EQ(index, hit);
            EXPECT_TRUE(grid.HitTest(CPoint(cell.right - 1, cell.bottom - 1), hit));
            EXPECT_EQ(index, hit);
        }
        const CRect& area = grid.GetGridRect();
        int hit = -1;
        for (CPoint outside : {CPoint(area.left - 1, area.top), CPoint(area.right, area.top),
                               CPoint(area.left, area.bottom), CPoint(area.left, area.top - 1)})
            EXPECT_FALSE(grid.HitTest(outside, hit)) << outside.x << "," << outside.y;
    }
}

TEST(WallGrid, WithoutCentringTheGridStaysAtTheCorner)
{
    CWallGrid grid;
    grid.Layout(CRect(0, 0, 1027, 771), 4, 4, FALSE, TRUE);
    EXPECT_EQ(CPoint(0, 1), grid.GetGridRect().TopLeft());
}

TEST(WallGrid, IndexConversionsKeepToTheGrid)
{
    CWallGrid grid;
    grid.Layout(CRect(0, 0, 800, 600), 4, 4, TRUE, TRUE);
    EXPECT_EQ(16, grid.GetCellCount());
    struct Case
    {
        int index, row, column;
        bool inside;
    } cases[] = {{0, 0, 0, true}, {5, 1, 1, true}, {15, 3, 3, true}, {-1, -1, 3, false},
                 {16, 4, 0, false}, {20, 0, 4, false}};
    for (const Case& c : cases) {
        int row = -9, column = -9, index = -9;
        EXPECT_EQ(c.inside, grid.IndexToRowColumn(c.index, row, column) != FALSE) << c.index;
        EXPECT_EQ(c.inside, grid.RowColumnToIndex(c.row, c.column, index) != FALSE) << c.row << "," << c.column;
        CRect cell;
        EXPECT_EQ(c.inside, grid.GetCell(c.row, c.column, cell) != FALSE);
        if (c.inside) {
            EXPECT_EQ(c.row, row);
            EXPECT_EQ(c.column, column);
            EXPECT_EQ(c.index, index);
        }
    }
}

} // namespace
