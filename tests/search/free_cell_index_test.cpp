#include <gtest/gtest.h>

#include "search/free_cell_index.h"
#include "tests/support/hand_pieces.h"

namespace {

TEST(FreeCellIndex, NumbersOpenCellsRowByRowLeftToRight) {
    Board board;
    testsupport::drawBoard(board, {"#.#.#", "..#..", "#####", ".....", "#####", "#####"});
    FreeCellIndex index;
    ASSERT_EQ(numberFreeCells(index, board), 11);
    EXPECT_EQ(index.freeCellCount, 11);
    const std::vector<CellPos> expected = {{1, 0}, {3, 0}, {0, 1}, {1, 1}, {3, 1}, {4, 1},
                                           {0, 3}, {1, 3}, {2, 3}, {3, 3}, {4, 3}};
    EXPECT_EQ(index.coordinates, expected);
    for (int n = 0; n < 11; ++n) EXPECT_EQ(index.numberAt(expected[n].x, expected[n].y), n);
    EXPECT_EQ(index.numberAt(0, 0), -1);
    EXPECT_EQ(index.numberAt(2, 1), -1);
    EXPECT_EQ(index.numberAt(4, 5), -1);
}

TEST(FreeCellIndex, HexagonNumbersItsSixCellsInOrder) {
    Board board;
    testsupport::hexagonBoard(board);
    FreeCellIndex index;
    ASSERT_EQ(numberFreeCells(index, board), 6);
    EXPECT_EQ(index.coordinates, (std::vector<CellPos>{{1, 0}, {2, 0}, {3, 0}, {1, 1}, {2, 1}, {3, 1}}));
}

TEST(FreeCellIndex, OnlyTheActiveAreaCountsAndCoveredOrBlockedCellsAreNotOpen) {
    Board board;  // default: W 8, H 8, all 1770 cells open
    FreeCellIndex index;
    EXPECT_EQ(numberFreeCells(index, board), 15 * 8);
    board.cell(0, 0) = 3;   // covered by a piece
    board.cell(1, 0) = 69;  // blocked yellow
    EXPECT_EQ(numberFreeCells(index, board), 15 * 8 - 2);
    EXPECT_EQ(index.numberAt(15, 0), -1);  // outside the active area although open
    EXPECT_EQ(index.coordinates.front(), (CellPos{2, 0}));
}

TEST(FreeCellIndex, NoOpenCellAndSizesBeyondTheArrayAreSafe) {
    Board board;
    board.m_cells.fill(65);
    FreeCellIndex index;
    EXPECT_EQ(numberFreeCells(index, board), 0);
    EXPECT_TRUE(index.coordinates.empty());

    board.m_cells.fill(64);
    board.m_nWidth = 1000;  // a hostile document
    board.m_nHeight = 1000;
    EXPECT_EQ(numberFreeCells(index, board), BOARD_CELLS);
    board.m_nWidth = -5;
    EXPECT_EQ(numberFreeCells(index, board), 0);
}

}  // namespace
