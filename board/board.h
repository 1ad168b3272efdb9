#pragma once

#include <array>
#include <cstdint>

#include "platform/colour.h"

inline constexpr int BOARD_COLUMNS = 59;
inline constexpr int BOARD_ROWS = 30;
inline constexpr int BOARD_CELLS = BOARD_COLUMNS * BOARD_ROWS;

// Cell values: 0 .. 63 covered by the piece of that colour number, 64 open, 65 .. 69 blocked.
inline constexpr std::uint8_t kOpenCell = 64;
inline constexpr std::uint8_t kFirstBlockedCell = 65;
inline constexpr std::uint8_t kLastBlockedCell = 69;

struct OpenCellCount {
    int total = 0;
    int down = 0;  // col + row even
    int up = 0;    // col + row odd
};

// The region to tile: rows of 2W - 1 triangles, H rows, stored column by column in a fixed 59 x 30 array.
struct Board {
    std::int32_t m_nWidth = 8;
    std::int32_t m_nHeight = 8;
    std::int32_t m_nMargin = 30;
    std::array<std::uint8_t, BOARD_CELLS> m_cells{};
    Rgb m_crBackground{174, 196, 176};

    Board() { ResetBoard(); }

    int rowLength() const { return 2 * m_nWidth - 1; }
    static bool pointsDown(int col, int row) { return (col + row) % 2 == 0; }
    std::uint8_t& cell(int col, int row) { return m_cells[static_cast<std::size_t>(col * BOARD_ROWS + row)]; }
    std::uint8_t cell(int col, int row) const {
        return m_cells[static_cast<std::size_t>(col * BOARD_ROWS + row)];
    }
    bool inActiveArea(int col, int row) const {
        return col >= 0 && col < rowLength() && row >= 0 && row < m_nHeight;
    }

    // The Board part of a new document: W 8, H 8, margin 30, default background, every cell open.
    void ResetBoard();
    // Every one of the 1770 cells open.
    void ClearBoard();
    // Covered cells of the active area open again; blocked cells and the rest untouched.
    void ClearPieceCells();
    OpenCellCount CountOpenCells() const;
};
