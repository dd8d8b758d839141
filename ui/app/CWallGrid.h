#pragma once

#include <afxwin.h>

#include <vector>

// The geometry of a wall of equal cells: whole cells only, the grid centred in its outer
// rectangle by half of what is left over, cells numbered row by row.
class CWallGrid
{
public:
    CWallGrid();

    void Layout(const RECT& rect, int rows, int columns, BOOL centreX, BOOL centreY);

    // The cell under the point (client coordinates); FALSE outside the grid.
    BOOL HitTest(POINT point, int& index) const;
    // A cell's rectangle in the outer rectangle's coordinates; FALSE outside the grid.
    BOOL GetCell(int index, CRect& cell) const;
    BOOL GetCell(int row, int column, CRect& cell) const;
    BOOL IndexToRowColumn(int index, int& row, int& column) const;
    BOOL RowColumnToIndex(int row, int column, int& index) const;

    int GetRowCount() const { return m_rows; }
    int GetColumnCount() const { return m_columns; }
    int GetCellCount() const { return m_rows * m_columns; }
    int GetCellWidth() const { return m_cellWidth; }
    int GetCellHeight() const { return m_cellHeight; }
    const CRect& GetOuterRect() const { return m_outer; }
    const CRect& GetGridRect() const { return m_grid; }

private:
    void BuildCells();

    CRect m_outer;
    CRect m_grid;
    int m_rows;
    int m_columns;
    int m_cellWidth;
    int m_cellHeight;
    std::vector<CRect> m_cells;
};
