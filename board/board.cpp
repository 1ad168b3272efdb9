#include "board/board.h"

void Board::ResetBoard() {
    m_nWidth = 8;
    m_nHeight = 8;
    m_nMargin = 30;
    m_crBackground = {174, 196, 176};
    m_cells.fill(kOpenCell);
}

void Board::ClearBoard() {
    m_cells.fill(kOpenCell);
}

void Board::ClearPieceCells() {
    for (int col = 0; col < rowLength(); ++col)
        for (int row = 0; row < m_nHeight; ++row)
            if (cell(col, row) < kOpenCell) cell(col, row) = kOpenCell;
}

OpenCellCount Board::CountOpenCells() const {
    OpenCellCount count;
    for (int col = 0; col < rowLength(); ++col) {
        for (int row = 0; row < m_nHeight; ++row) {
            if (cell(col, row) != kOpenCell) continue;
            ++count.total;
            ++(pointsDown(col, row) ? count.down : count.up);
        }
    }
    return count;
}
