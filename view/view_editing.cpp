#include <algorithm>
#include <cstdint>

#include "board/document_image.h"
#include "board/shape_on_board.h"
#include "view/trianzoid_view.h"

namespace {

std::int64_t cross(Point a, Point b, Point p) {
    return std::int64_t{b.x - a.x} * (p.y - a.y) - std::int64_t{b.y - a.y} * (p.x - a.x);
}

// Exact point-in-triangle test with the edges included: a point on an edge shared by two cells is
// in both, and the caller's scan order gives it to the lower column.
bool inTriangle(const std::array<Point, 3>& t, Point p) {
    const auto d0 = cross(t[0], t[1], p);
    const auto d1 = cross(t[1], t[2], p);
    const auto d2 = cross(t[2], t[0], p);
    const bool hasNegative = d0 < 0 || d1 < 0 || d2 < 0;
    const bool hasPositive = d0 > 0 || d1 > 0 || d2 > 0;
    return !(hasNegative && hasPositive);
}

}  // namespace

void CTrianzoidView::PaintCellMirrored(DrawingSurface& dc, int col, int row, int rowLength, int height,
                                       unsigned nFlags, int value) {
    auto paint = [&](int c, int r) {
        if (m_doc.inActiveArea(c, r)) DrawCell(dc, c, r, value);
    };
    paint(col, row);
    if (nFlags & MK_CONTROL) {
        paint(rowLength - 1 - col, row);
        paint(col, height - 1 - row);
        paint(rowLength - 1 - col, height - 1 - row);
    }
}

void CTrianzoidView::OnLButtonUp(unsigned nFlags, Point point) {
    if (ViewMode != kEditing) return;
    const int h = m_geometry.m_nTriHeight;
    if (h <= 0) return;  // no Board on screen
    const int margin = m_doc.m_nMargin;
    const int rowLength = m_doc.rowLength();
    const int height = m_doc.m_nHeight;
    const int row = (point.y - margin / 2) / h;
    if (row < 0 || row >= height) return;

    int col = -1;
    for (int c = 0; c < rowLength; ++c) {
        if (inTriangle(CellVertices(m_geometry, margin, c, row), point)) {
            col = c;
            break;
        }
    }
    if (col < 0) return;

    m_bModified = true;
    const int value = m_doc.cell(col, row) == kOpenCell ? kFirstBlockedCell + m_nFillColour : kOpenCell;
    DrawingSurface& dc = m_platform.clientSurface();
    PaintCellMirrored(dc, col, row, rowLength, height, nFlags, value);
    if (nFlags & MK_SHIFT) {
        // The anchor may lie outside the active area (it survives size changes, New and Open): the
        // rectangle is clipped to the active area.
        const int firstCol = std::max(0, std::min(col, s_nLastColumn));
        const int lastCol = std::min(rowLength - 1, std::max(col, s_nLastColumn));
        const int firstRow = std::max(0, std::min(row, s_nLastRow));
        const int lastRow = std::min(height - 1, std::max(row, s_nLastRow));
        for (int c = firstCol; c <= lastCol; ++c)
            for (int r = firstRow; r <= lastRow; ++r)
                PaintCellMirrored(dc, c, r, rowLength, height, nFlags, value);
    }
    m_nReadiness = UpdateReadiness();
    s_nLastColumn = col;
    s_nLastRow = row;
}

FieldData CTrianzoidView::fieldData() const {
    return {m_doc.rowLength(), m_doc.m_nHeight, m_doc.m_nMargin};
}

void CTrianzoidView::applyFieldData(const FieldData& data) {
    // The dialog has checked the ranges; clamping here only keeps a careless caller inside the array.
    const int rowLength = std::clamp(data.rowLength, 5, BOARD_COLUMNS);
    const int rows = std::clamp(data.rows, 5, BOARD_ROWS);
    const auto before = documentImage(m_doc);
    m_doc.m_nWidth = (rowLength + 1) / 2;
    m_doc.m_nHeight = rows % 2 != 0 ? rows + 1 : rows;
    m_doc.m_nMargin = std::clamp(data.marginPixels, 2, 400);
    markModifiedIfChanged(before);
    m_platform.invalidateView();
}

void CTrianzoidView::OnFieldData(const std::function<bool(FieldData&)>& runDialog) {
    if (ViewMode != kEditing) return;
    FieldData data = fieldData();
    if (runDialog(data)) applyFieldData(data);
}

bool CTrianzoidView::applyBoardShape(const ShapeLayout& layout) {
    if (ViewMode != kEditing || !layout.error.empty()) return false;
    placeShapeCentred(m_doc, layout, static_cast<std::uint8_t>(kFirstBlockedCell + m_nFillColour));
    m_bModified = true;
    refreshReadiness();
    m_platform.invalidateView();
    return true;
}

void CTrianzoidView::OnBackgroundColour() {
    if (ViewMode != kEditing) return;
    if (auto colour = m_platform.chooseColour(kBlack)) {
        if (!(m_doc.m_crBackground == *colour)) m_bModified = true;
        m_doc.m_crBackground = *colour;
        m_platform.invalidateView();
    }
}

void CTrianzoidView::markModifiedIfChanged(const std::vector<std::uint8_t>& storedBefore) {
    if (documentImage(m_doc) != storedBefore) m_bModified = true;
}

void CTrianzoidView::ClearPieceCells() {
    if (ViewMode == kEditing) m_doc.ClearPieceCells();
}

std::vector<CellPos> CTrianzoidView::forgetCoveredCells() {
    std::vector<CellPos> covered;
    forgetCoveredCells(covered);
    return covered;
}

void CTrianzoidView::openCoveredCells() {
    const int rowLength = std::clamp(m_doc.rowLength(), 0, BOARD_COLUMNS);
    const int height = std::clamp(static_cast<int>(m_doc.m_nHeight), 0, BOARD_ROWS);
    // A covered cell holds a colour number, below the open value; the values from it up stay.
    for (int col = 0; col < rowLength; ++col) {
        std::uint8_t* column = &m_doc.cell(col, 0);
        for (int row = 0; row < height; ++row) column[row] = std::max(column[row], kOpenCell);
    }
}

void CTrianzoidView::forgetCoveredCells(std::vector<CellPos>& covered) {
    covered.clear();
    const int rowLength = std::clamp(m_doc.rowLength(), 0, BOARD_COLUMNS);
    const int height = std::clamp(static_cast<int>(m_doc.m_nHeight), 0, BOARD_ROWS);
    for (int col = 0; col < rowLength; ++col)
        for (int row = 0; row < height; ++row)
            if (m_doc.cell(col, row) < kOpenCell) {
                m_doc.cell(col, row) = kOpenCell;
                covered.push_back(CellPos{col, row});
            }
}
