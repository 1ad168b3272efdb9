#include <algorithm>

#include "board/palette.h"
#include "view/trianzoid_view.h"

namespace {

bool insideCellArray(int col, int row) {
    return col >= 0 && col < BOARD_COLUMNS && row >= 0 && row < BOARD_ROWS;
}

bool hasTriangleAt(const Piece& piece, int orientation, int x, int y) {
    const CellPos* cells = piece.cells[orientation];
    return std::find(cells, cells + piece.triangleCount, CellPos{x, y}) != cells + piece.triangleCount;
}

// Drawing is how the Board learns what it shows: the value drawn (a colour it has no colour for shows,
// and is stored, as open); a cell outside the array has nowhere to go.
int storeDrawnValue(Board& board, int col, int row, int value) {
    const int index = value >= 0 && value < kPaletteSize ? value : kOpenCell;
    if (insideCellArray(col, row)) board.cell(col, row) = static_cast<std::uint8_t>(index);
    return index;
}

}  // namespace

void CTrianzoidView::DrawCell(DrawingSurface& dc, int col, int row, int value) {
    const bool noOutline = value < kOpenCell && (ViewMode == kSearching || ViewMode == kShowingSolutions);
    const bool blackAndWhite = ViewMode == kShowingSolutions && !m_bColourSolutions;
    const int index = storeDrawnValue(m_doc, col, row, value);
    if (!dc.showsAnything()) return;
    const auto vertices = CellVertices(m_geometry, m_doc.m_nMargin, col, row);
    const Point points[3] = {vertices[0], vertices[1], vertices[2]};
    dc.triangle(points, blackAndWhite ? kWhite : palette[static_cast<std::size_t>(index)], !noOutline);
}

void CTrianzoidView::DrawEdge(DrawingSurface& dc, Point from, Point to) {
    dc.line(from, to);
    dc.setPixel(to, kBlack);
}

void CTrianzoidView::DrawPiece(DrawingSurface& dc, const Piece& piece, int orientation, int value, int col0,
                               int row0) {
    if (orientation < 0 || orientation >= std::min(piece.orientationCount, kMaxOrientations)) return;
    if (piece.triangleCount < 1 || piece.triangleCount > kMaxTriangles) return;
    const bool shows = dc.showsAnything();
    for (int t = 0; t < piece.triangleCount; ++t) {
        const int x = piece.cells[orientation][t].x;
        const int y = piece.cells[orientation][t].y;
        const int col = col0 + x;
        const int row = row0 + y;
        if (!shows) {
            storeDrawnValue(m_doc, col, row, value);
            continue;
        }
        DrawCell(dc, col, row, value);
        const auto p = CellVertices(m_geometry, m_doc.m_nMargin, col, row);
        // Outer edges only: an edge shared with another triangle of the piece is not drawn.
        if ((col + row) % 2 == 0) {
            if (!hasTriangleAt(piece, orientation, x - 1, y)) DrawEdge(dc, p[0], p[2]);
            if (!hasTriangleAt(piece, orientation, x + 1, y)) DrawEdge(dc, p[1], p[2]);
            if (!hasTriangleAt(piece, orientation, x, y - 1)) DrawEdge(dc, p[0], p[1]);
        } else {
            if (!hasTriangleAt(piece, orientation, x - 1, y)) DrawEdge(dc, p[0], p[1]);
            if (!hasTriangleAt(piece, orientation, x + 1, y)) DrawEdge(dc, p[0], p[2]);
            if (!hasTriangleAt(piece, orientation, x, y + 1)) DrawEdge(dc, p[1], p[2]);
        }
    }
}

void CTrianzoidView::OnDraw(DrawingSurface& dc, const Rect& clientRect) {
    Rect rect = clientRect;
    if (dc.isPrinting()) {
        rect = m_rectPrint;
    } else {
        const bool blackAndWhite = ViewMode == kShowingSolutions && !m_bColourSolutions;
        dc.fillRect(rect, blackAndWhite ? kWhite : m_doc.m_crBackground);
    }
    m_geometry = cellSizeFor(rect, m_doc.m_nWidth, m_doc.m_nHeight, m_doc.m_nMargin);

    if (ViewMode == kSearching) {
        drawPartialTiling(m_state.currentDepth);
        m_state.shownDepth = m_state.currentDepth;
    } else if (ViewMode == kShowingSolutions) {
        ShowSolution(dc, m_nCurrentSolution);
    } else {
        const int rows = m_doc.m_nHeight % 2 != 0 ? m_doc.m_nHeight + 1 : m_doc.m_nHeight;
        for (int col = 0; col < m_doc.rowLength(); ++col)
            for (int row = 0; row < rows; ++row) DrawCell(dc, col, row, m_doc.cell(col, row));
    }

    if (ViewMode == kEditing) m_nReadiness = UpdateReadiness();
}
