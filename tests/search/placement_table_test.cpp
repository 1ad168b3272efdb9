#include <gtest/gtest.h>

#include "search/placement_table.h"
#include "tests/support/hand_pieces.h"

namespace {

struct Built {
    Board board;
    PieceSet pieces;
    FreeCellIndex index;
    PlacementTable table;

    void build() {
        numberFreeCells(index, board);
        buildPlacementTable(table, index, pieces, board.rowLength(), board.m_nHeight);
    }
    std::vector<int> cellsOf(int j) const {
        std::vector<int> cells;
        for (int n = 0; n < 32 * table.wordsPerMask; ++n)
            if ((table.mask(j)[n >> 5] >> (n & 31)) & 1u) cells.push_back(n);
        return cells;
    }
};

TEST(PlacementTable, HexagonWithTheTwoTrianglePieceHoldsSixPlacementsInOrder) {
    Built b;
    testsupport::hexagonBoard(b.board);
    testsupport::setPieces(b.pieces, {testsupport::dominoPiece("D2", 3)});
    b.build();
    EXPECT_EQ(b.table.wordsPerMask, 1);
    ASSERT_EQ(b.table.placementCount, 6);
    const std::vector<PlacementRecord> records = {{0, 0, 0, 0}, {0, 0, 1, 1}, {0, 1, 2, 0},
                                                  {0, 1, 1, 1}, {0, 2, 0, 0}, {0, 2, 2, 0}};
    EXPECT_EQ(b.table.records, records);
    const std::vector<std::vector<int>> covers = {{0, 1}, {4, 5}, {1, 2}, {3, 4}, {0, 3}, {2, 5}};
    for (int j = 0; j < 6; ++j) EXPECT_EQ(b.cellsOf(j), covers[static_cast<std::size_t>(j)]) << j;
    EXPECT_EQ(b.table.masks, (std::vector<std::uint32_t>{0x03, 0x30, 0x06, 0x18, 0x09, 0x24}));
    EXPECT_EQ(b.table.firstPlacement[0], 0);
    EXPECT_EQ(b.table.endPlacement[0], 6);
}

TEST(PlacementTable, SingleTriangleFitsOncePerOpenCellOfItsOwnParity) {
    Built b;
    testsupport::drawBoard(b.board, {".....", ".....", "#####", "#####", "#####", "#####"});
    testsupport::setPieces(b.pieces, {testsupport::monoPiece("M1", 1)});
    b.build();
    ASSERT_EQ(b.table.placementCount, 10);
    for (int j = 0; j < 10; ++j) {
        const PlacementRecord& r = b.table.records[static_cast<std::size_t>(j)];
        const CellPos cell{r.anchorX + (r.orientation == 0 ? 0 : 1), r.anchorY};
        EXPECT_EQ((cell.x + cell.y) % 2, r.orientation) << j;  // (0,0) on even cells, (1,0) on odd
        EXPECT_EQ(b.cellsOf(j), (std::vector<int>{cell.y * 5 + cell.x})) << j;
    }
    // Orientation (1,0) on row 1 starts from anchor -1, which covers column 0.
    EXPECT_EQ(b.table.records[5], (PlacementRecord{0, 1, 0, 0}));
    EXPECT_EQ(b.table.records[7], (PlacementRecord{0, 1, -1, 1}));
    EXPECT_EQ(b.cellsOf(7), (std::vector<int>{5}));
}

TEST(PlacementTable, ThirtyTwoOpenCellsTakeTwoWordsWithTheSecondZero) {
    Built b;
    testsupport::drawBoard(b.board, {"...............", "...............", "#############..",
                                     "###############", "###############", "###############"});
    testsupport::setPieces(b.pieces, {testsupport::dominoPiece("D2", 1)});
    b.build();
    ASSERT_EQ(b.index.freeCellCount, 32);
    EXPECT_EQ(b.table.wordsPerMask, 2);
    ASSERT_GT(b.table.placementCount, 0);
    for (int j = 0; j < b.table.placementCount; ++j) EXPECT_EQ(b.table.mask(j)[1], 0u) << j;
    EXPECT_EQ(b.table.masks.size(), static_cast<std::size_t>(2 * b.table.placementCount));
    // The last Placement is the vertical pair (14,1) over (14,2): open cells 29 and 31.
    EXPECT_EQ(b.cellsOf(b.table.placementCount - 1), (std::vector<int>{29, 31}));
    EXPECT_EQ(wordsPerMaskFor(0), 1);
    EXPECT_EQ(wordsPerMaskFor(31), 1);
    EXPECT_EQ(wordsPerMaskFor(33), 2);
    EXPECT_EQ(wordsPerMaskFor(64), 3);
}

TEST(PlacementTable, ExcludedOrientationsAndPieceRanges) {
    Built b;
    testsupport::hexagonBoard(b.board);
    Piece domino = testsupport::dominoPiece("D2", 1);
    domino.participates[1] = 0;
    Piece nowhere = testsupport::handPiece("XX", 1, {{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}});
    testsupport::setPieces(b.pieces, {domino, nowhere, testsupport::monoPiece("M1", 0)});
    b.build();
    EXPECT_EQ(b.table.records, (std::vector<PlacementRecord>{{0, 0, 0, 0},
                                                             {0, 0, 1, 1},
                                                             {0, 2, 0, 0},
                                                             {0, 2, 2, 0},
                                                             {2, 0, 2, 0},
                                                             {2, 0, 1, 1},
                                                             {2, 0, 3, 1},
                                                             {2, 1, 0, 0},
                                                             {2, 1, 2, 0},
                                                             {2, 1, 1, 1}}));
    EXPECT_EQ(b.table.firstPlacement[0], 0);
    EXPECT_EQ(b.table.endPlacement[0], 4);
    EXPECT_EQ(b.table.firstPlacement[1], 4);  // a piece that fits nowhere has an empty range
    EXPECT_EQ(b.table.endPlacement[1], 4);
    EXPECT_EQ(b.table.firstPlacement[2], 4);  // fitted whatever its copies
    EXPECT_EQ(b.table.endPlacement[2], 10);
}

TEST(PlacementTable, NeverCoversCellsOutsideTheActiveArea) {
    Built b;
    b.board.m_cells.fill(64);  // also every cell outside the area is open
    b.board.m_nWidth = 3;
    b.board.m_nHeight = 6;
    testsupport::setPieces(b.pieces, {testsupport::dominoPiece("D2", 1)});
    b.build();
    ASSERT_EQ(b.index.freeCellCount, 30);
    for (const PlacementRecord& r : b.table.records) {
        for (int t = 0; t < 2; ++t) {
            const CellPos c = b.pieces.m_pieces[0].cells[r.orientation][t];
            EXPECT_TRUE(b.board.inActiveArea(r.anchorX + c.x, r.anchorY + c.y));
        }
    }
    // Every pair of neighbouring cells is one Placement: 4 pairs side by side in each of the 6 rows,
    // and one pair for each up-pointing cell above row 5 with the down-pointing cell below it.
    int vertical = 0;
    for (int y = 0; y + 1 < 6; ++y)
        for (int x = 0; x < 5; ++x) vertical += (x + y) % 2 == 1;  // up-pointing cell above a down one
    EXPECT_EQ(b.table.placementCount, 6 * 4 + vertical);
}

TEST(PlacementTable, EmptyBoardGivesAnEmptyTable) {
    Built b;
    b.board.m_cells.fill(66);
    testsupport::setPieces(b.pieces, {testsupport::dominoPiece("D2", 2), testsupport::monoPiece("M1", 1)});
    b.build();
    EXPECT_EQ(b.table.wordsPerMask, 1);
    EXPECT_EQ(b.table.placementCount, 0);
    EXPECT_TRUE(b.table.masks.empty());
    EXPECT_TRUE(b.table.records.empty());
    EXPECT_EQ(b.table.endPlacement[1], 0);
}

TEST(PlacementTable, RebuildingStartsAfresh) {
    Built b;
    testsupport::hexagonBoard(b.board);
    testsupport::setPieces(b.pieces, {testsupport::dominoPiece("D2", 3)});
    b.build();
    b.build();
    EXPECT_EQ(b.table.placementCount, 6);
    EXPECT_EQ(b.table.records.size(), 6u);
    EXPECT_EQ(b.table.masks.size(), 6u);
}

}  // namespace
