#include <gtest/gtest.h>

#include "board/palette.h"
#include "platform/headless_platform.h"
#include "tests/view/view_fixture.h"
#include "view/trianzoid_view.h"

namespace {

class ViewDrawing : public ::testing::Test {
  protected:
    void layOut() {
        RecordingSurface screen;
        view.OnDraw(screen, {0, 0, 640, 480});
    }
    CTrianzoidDoc doc;
    HeadlessPlatform platform;
    testsupport::FakeClock clock;
    CTrianzoidView view{doc, platform, clock};
    RecordingSurface dc;
};

TEST_F(ViewDrawing, RepaintFillsTheBackgroundAndDrawsEveryCellOfTheActiveArea) {
    doc.cell(3, 2) = 66;
    view.OnDraw(dc, {0, 0, 640, 480});
    ASSERT_EQ(dc.fills.size(), 1u);
    EXPECT_EQ(dc.fills[0].colour, (Rgb{174, 196, 176}));
    ASSERT_EQ(dc.triangles.size(), 120u);
    EXPECT_EQ(view.m_geometry.m_nSide, 64);
    // Column by column: cell (3, 2) is the 3 * 8 + 2 = 26th triangle.
    EXPECT_EQ(dc.triangles[26].fill, (Rgb{255, 0, 0}));
    EXPECT_TRUE(dc.triangles[26].outline);
    EXPECT_EQ(dc.triangles[0].vertices[0], (Point{15, 15}));
    // In editing mode the repaint also updates the readiness.
    EXPECT_EQ(platform.panes[0], "Aantal beschikbare driehoeken: 119");
    EXPECT_EQ(platform.panes[1], "Par. = 1");
    EXPECT_EQ(view.m_nReadiness, -1);
}

TEST_F(ViewDrawing, PrintingUsesThePageRectangleAndNoBackground) {
    RecordingSurface page(true);
    view.m_rectPrint = {0, 0, 1280, 960};
    view.OnDraw(page, {0, 0, 640, 480});
    EXPECT_TRUE(page.fills.empty());
    EXPECT_EQ(view.m_geometry.m_nSide, cellSizeFor({0, 0, 1280, 960}, 8, 8, 30).m_nSide);
}

TEST_F(ViewDrawing, OddHeightDrawsOneRowMore) {
    doc.m_nHeight = 7;
    view.OnDraw(dc, {0, 0, 640, 480});
    EXPECT_EQ(dc.triangles.size(), 15u * 8u);
}

TEST_F(ViewDrawing, DrawCellStoresTheValueAndChoosesOutlineAndColour) {
    layOut();
    view.DrawCell(dc, 2, 3, 5);
    EXPECT_EQ(doc.cell(2, 3), 5);
    EXPECT_TRUE(dc.triangles.back().outline);  // editing: every cell outlined
    EXPECT_EQ(dc.triangles.back().fill, palette[5]);

    view.ViewMode = kSearching;
    view.DrawCell(dc, 2, 3, 7);
    EXPECT_FALSE(dc.triangles.back().outline);  // covered cells during a search have no outline
    view.DrawCell(dc, 2, 3, 64);
    EXPECT_TRUE(dc.triangles.back().outline);

    view.ViewMode = kShowingSolutions;
    view.m_bColourSolutions = false;
    view.DrawCell(dc, 2, 3, 9);
    EXPECT_EQ(dc.triangles.back().fill, kWhite);  // black and white
    EXPECT_FALSE(dc.triangles.back().outline);
    view.DrawCell(dc, 2, 4, 66);
    EXPECT_EQ(dc.triangles.back().fill, kWhite);
    EXPECT_EQ(doc.cell(2, 4), 66);
    view.m_bColourSolutions = true;
    view.DrawCell(dc, 2, 3, 9);
    EXPECT_EQ(dc.triangles.back().fill, palette[9]);
}

TEST_F(ViewDrawing, DrawPieceDrawsOuterEdgesEndingInBlackPixels) {
    layOut();
    Piece two;
    two.triangleCount = 2;
    two.orientationCount = 1;
    two.cells[0][0] = {0, 0};  // down
    two.cells[0][1] = {1, 0};  // up, sharing a slanted edge
    view.ViewMode = kShowingSolutions;
    view.m_bColourSolutions = true;
    view.DrawPiece(dc, two, 0, 12, 2, 0);
    EXPECT_EQ(doc.cell(2, 0), 12);
    EXPECT_EQ(doc.cell(3, 0), 12);
    ASSERT_EQ(dc.triangles.size(), 2u);
    // Down cell: left edge P0-P2 and top edge P0-P1 (its right neighbour is part of the piece);
    // up cell: right edge P0-P2 and bottom edge P1-P2.
    ASSERT_EQ(dc.lines.size(), 4u);
    ASSERT_EQ(dc.pixels.size(), 4u);
    for (std::size_t i = 0; i < dc.lines.size(); ++i) {
        EXPECT_EQ(dc.pixels[i].at, dc.lines[i].to);
        EXPECT_EQ(dc.pixels[i].colour, kBlack);
    }
    const auto down = CellVertices(view.m_geometry, 30, 2, 0);
    EXPECT_EQ(dc.lines[0].from, down[0]);
    EXPECT_EQ(dc.lines[0].to, down[2]);
    EXPECT_EQ(dc.lines[1].from, down[0]);
    EXPECT_EQ(dc.lines[1].to, down[1]);
}

TEST_F(ViewDrawing, DrawPieceAcceptsAnchorColumnMinusOne) {
    layOut();
    Piece single;
    single.triangleCount = 1;
    single.orientationCount = 2;
    single.cells[1][0] = {1, 0};
    view.DrawPiece(dc, single, 1, 3, -1, 1);
    EXPECT_EQ(doc.cell(0, 1), 3);
}

TEST_F(ViewDrawing, DrawPieceIgnoresAnOrientationThePieceDoesNotHave) {
    layOut();
    Piece single;
    single.triangleCount = 1;
    single.orientationCount = 2;
    view.DrawPiece(dc, single, 2, 3, 0, 0);
    view.DrawPiece(dc, single, -1, 3, 0, 0);
    EXPECT_TRUE(dc.triangles.empty());
}

// A run without a window draws into a surface that shows nothing; the Board must still learn every
// value, the same as on screen, since the log's pictures are printed from it.
TEST_F(ViewDrawing, ASurfaceThatShowsNothingStillStoresEveryValue) {
    struct Blind : RecordingSurface {
        bool showsAnything() const override { return false; }
    } blind;
    layOut();
    Piece three;
    three.triangleCount = 3;
    three.orientationCount = 1;
    three.cells[0][0] = {0, 0};
    three.cells[0][1] = {1, 0};
    three.cells[0][2] = {2, 0};
    view.ViewMode = kSearching;
    view.DrawPiece(dc, three, 0, 7, 1, 1);
    const CTrianzoidDoc shown = doc;
    doc = CTrianzoidDoc{};
    view.DrawPiece(blind, three, 0, 7, 1, 1);
    view.DrawCell(blind, 5, 2, 99);  // no colour for it: stored as open
    EXPECT_EQ(doc.cell(1, 1), 7);
    EXPECT_EQ(doc.cell(3, 1), 7);
    EXPECT_EQ(doc.cell(5, 2), kOpenCell);
    for (int col = 0; col < 6; ++col) EXPECT_EQ(doc.cell(col, 1), shown.cell(col, 1)) << col;
    EXPECT_TRUE(blind.triangles.empty());
    EXPECT_TRUE(blind.lines.empty());
}

}  // namespace
