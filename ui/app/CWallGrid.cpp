#include "CWallGrid.h"

CWallGrid::CWallGrid() : m_outer(0, 0, 0, 0), m_grid(0, 0, 0, 0), m_rows(2), m_columns(2), m_cellWidth(1), m_cellHeight(1)
{
    m_grid.SetRect(0, 0, m_columns * m_cellWidth, m_rows * m_cellHeight);
    BuildCells();
}

void CWallGrid::Layout(const RECT& rect, int rows, int columns, BOOL centreX, BOOL centreY)
{
    if (rows < 1 || columns < 1)
        return;
    m_outer = rect;
    m_rows = rows;
    m_columns = columns;
    m_cellWidth = m_outer.Width() / columns;
    m_cellHeight = m_outer.Height() / rows;
    m_grid.SetRect(m_outer.left, m_outer.top, m_outer.left + columns * m_cellWidth,
                   m_outer.top + rows * m_cellHeight);
    m_grid.OffsetRect(centreX ? (m_outer.Width() - m_grid.Width()) / 2 : 0,
                      centreY ? (m_outer.Height() - m_grid.Height()) / 2 : 0);
    BuildCells();
}

void CWallGrid::BuildCells()
{
    // The cells sit in the grid, so that what is drawn in a cell is what a click there hits.
    m_cells.clear();
    for (int r = 0; r < m_rows; r++) {
        for (int c = 0; c < m_columns; c++) {
            CRect cell(c * m_cellWidth, r * m_cellHeight, (c + 1) * m_cellWidth, (r + 1) * m_cellHeight);
            cell.OffsetRect(m_grid.left, m_grid.top);
            m_cells.push_back(cell);
        }
    }
}

BOOL CWallGrid::HitTest(POINT point, int& index) const
{
    if (!m_grid.PtInRect(point) || m_cellWidth <= 0 || m_cellHeight <= 0)
        return FALSE;
    index = (point.y - m_grid.top) / m_cellHeight * m_columns + (point.x - m_grid.left) / m_cellWidth;
    return TRUE;
}

BOOL CWallGrid::GetCell(int index, CRect& cell) const
{
    if (index < 0 || index >= (int)m_cells.size())
        return FALSE;
    cell = m_cells[index];
    return TRUE;
}

BOOL CWallGrid::GetCell(int row, int column, CRect& cell) const
{
    int index;
    return RowColumnToIndex(row, column, index) && GetCell(index, cell);
}

BOOL CWallGrid::IndexToRowColumn(int index, int& row, int& column) const
{
    if (index < 0 || index >= GetCellCount())
        return FALSE;
    row = index / m_columns;
    column = index % m_columns;
    return TRUE;
}

BOOL CWallGrid::RowColumnToIndex(int row, int column, int& index) const
{
    if (row < 0 || row >= m_rows || column < 0 || column >= m_columns)
        return FALSE;
    index = row * m_columns + column;
    return TRUE;
}
