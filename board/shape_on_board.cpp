#include "board/shape_on_board.h"

#include <algorithm>
#include <cstdlib>

namespace {

void fillRegion(Board& board, const ShapeLayout& layout, int dx, int dy, std::uint8_t blocked) {
    for (int col = 0; col < board.rowLength(); ++col)
        for (int row = 0; row < board.m_nHeight; ++row) board.cell(col, row) = blocked;
    for (CellPos c : layout.region) board.cell(c.x + dx, c.y + dy) = kOpenCell;
}

}  // namespace

void makeShapeBoard(Board& board, const ShapeLayout& layout) {
    board.m_nWidth = layout.width;
    board.m_nHeight = layout.height;
    fillRegion(board, layout, 0, 0, kFirstBlockedCell);
}

void placeShapeCentred(Board& board, const ShapeLayout& layout, std::uint8_t blocked) {
    int columns = 0, rows = 0;
    for (CellPos c : layout.region) columns = std::max(columns, c.x + 1), rows = std::max(rows, c.y + 1);
    board.m_nWidth = std::clamp(static_cast<int>(board.m_nWidth), layout.width, BOARD_COLUMNS / 2 + 1);
    board.m_nHeight = std::clamp(static_cast<int>(board.m_nHeight), layout.height, BOARD_ROWS);
    // The offset nearest the centre that keeps every triangle's direction (dx + dy even); (0, 0), the
    // layout's own place, always fits.
    const int freeColumns = board.rowLength() - columns, freeRows = board.m_nHeight - rows;
    int bestX = 0, bestY = 0, bestDistance = -1;
    for (int dy = 0; dy <= freeRows; ++dy)
        for (int dx = 0; dx <= freeColumns; ++dx) {
            if ((dx + dy) & 1) continue;
            const int distance = std::abs(2 * dx - freeColumns) + 2 * std::abs(2 * dy - freeRows);
            if (bestDistance < 0 || distance < bestDistance) bestX = dx, bestY = dy, bestDistance = distance;
        }
    fillRegion(board, layout, bestX, bestY, blocked);
}
