#include <gtest/gtest.h>

#include "tests/view/view_fixture.h"

namespace {

TEST(FirstPieceStatus, PanesTwoAndThreeThenAPump) {
    testsupport::ViewFixture f;
    f.view.showFirstPieceStatus(25, std::string("A1"));
    EXPECT_EQ(f.platform.panes[2], "A1");
    EXPECT_EQ(f.platform.panes[3], "25%");
    EXPECT_EQ(f.platform.pumps, 1);
    f.view.showFirstPieceStatus(100, std::string("XYZ"));
    EXPECT_EQ(f.platform.panes[2], "XY");
    EXPECT_EQ(f.platform.panes[3], "100%");
    f.view.showFirstPieceStatus(101, std::string("B\0", 2));
    EXPECT_EQ(f.platform.panes[2], "B");
    EXPECT_EQ(f.platform.panes[3], "");
    f.view.showFirstPieceStatus(0, std::string("Q"));
    EXPECT_EQ(f.platform.panes[3], "0%");
    f.view.showFirstPieceStatus(-1, std::string());
    EXPECT_EQ(f.platform.panes[2], "");
    EXPECT_EQ(f.platform.panes[3], "");
    EXPECT_EQ(f.platform.pumps, 5);

    Piece piece = testsupport::monoPiece("C", 1);  // second character NUL
    static_cast<SearchHooks&>(f.view).showFirstPieceStatus(33, piece);
    EXPECT_EQ(f.platform.panes[2], "C");
    EXPECT_EQ(f.platform.panes[3], "33%");
}

struct HexagonTable : testsupport::ViewFixture {
    HexagonTable() {
        testsupport::hexagonBoard(doc);
        setPieces({testsupport::dominoPiece("A1", 2), testsupport::dominoPiece("B2", 1)});
        doc.m_pieces[1].colorNumber = 40;
        numberFreeCells(view.m_freeCells, doc);
        buildPlacementTable(view.m_table, view.m_freeCells, doc, doc.rowLength(), doc.m_nHeight);
        platform.surface = RecordingSurface(false, true);
    }
};

TEST(DrawPartialTiling, RedrawsThePlacementsOfTheStackAndTheOpenCells) {
    HexagonTable f;
    f.view.ViewMode = kSearching;
    f.doc.cell(3, 1) = 5;   // a colour left from a deeper tiling drawn earlier
    f.doc.cell(4, 4) = 67;  // blocked
    f.view.m_state.chosenPlacement = {0, 11, 3};
    f.view.drawPartialTiling(2);
    // Placement 0 (slot 0, cells 0 and 1) and Placement 11 (slot 1, cells 2 and 5).
    EXPECT_EQ(f.doc.cell(1, 0), 0);
    EXPECT_EQ(f.doc.cell(2, 0), 0);
    EXPECT_EQ(f.doc.cell(3, 0), 40);
    EXPECT_EQ(f.doc.cell(3, 1), 40);
    EXPECT_EQ(f.doc.cell(1, 1), 64);
    EXPECT_EQ(f.doc.cell(2, 1), 64);
    EXPECT_EQ(f.doc.cell(4, 4), 67);
    // Four piece triangles, then the two open cells; blocked cells are not drawn.
    EXPECT_EQ(f.platform.surface.triangles.size(), 6u);
    EXPECT_FALSE(f.platform.surface.triangles[0].outline);
    EXPECT_TRUE(f.platform.surface.triangles[5].outline);

    f.view.drawPartialTiling(0);
    EXPECT_EQ(f.doc.CountOpenCells().total, 6);
    f.view.drawPartialTiling(99);  // never beyond the stack
    EXPECT_EQ(f.doc.CountOpenCells().total, 0);
}

TEST(DrawPlacement, DrawsEachCoveredCellWithTheValue) {
    HexagonTable f;
    static_cast<SearchHooks&>(f.view).drawPlacement(1, 9);  // slot 1's Placement 3: cells 3 and 4
    EXPECT_EQ(f.doc.cell(1, 1), 1);
    EXPECT_EQ(f.doc.cell(2, 1), 1);
    EXPECT_EQ(f.platform.surface.triangles.size(), 2u);
    static_cast<SearchHooks&>(f.view).drawPlacement(64, 9);
    EXPECT_EQ(f.doc.cell(1, 1), 64);
    EXPECT_EQ(f.doc.CountOpenCells().total, 6);
}

}  // namespace
