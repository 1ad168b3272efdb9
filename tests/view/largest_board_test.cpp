// The largest Board (row length 59, 30 rows, every cell open) with the largest piece set (64 pieces of
// nine triangles): drawn, edited at its four corners, its readiness computed and searched for a while.
#include <gtest/gtest.h>

#include "tests/support/largest_piece_set.h"
#include "tests/view/view_fixture.h"

namespace {

using testsupport::ViewFixture;

Point centreOf(const CTrianzoidView& view, const CTrianzoidDoc& doc, int col, int row) {
    const auto v = CellVertices(view.m_geometry, doc.m_nMargin, col, row);
    return {(v[0].x + v[1].x + v[2].x) / 3, (v[0].y + v[1].y + v[2].y) / 3};
}

TEST(LargestBoard, DrawsEditsAndSearchesWithSixtyFourNineTrianglePieces) {
    ViewFixture f;
    f.doc.m_nWidth = 30;
    f.doc.m_nHeight = 30;
    testsupport::writeText(f.file("grootste.tzp"), testsupport::largestPieceFileText());
    f.view.ReadPieceFile(f.file("grootste.tzp"));
    ASSERT_TRUE(f.platform.messages.empty());
    ASSERT_EQ(f.doc.m_nPieces, 64);
    EXPECT_EQ(f.doc.m_nPieceTriangles, 576);

    RecordingSurface screen;
    f.view.OnDraw(screen, {0, 0, 1280, 960});
    EXPECT_EQ(screen.triangles.size(), 1770u);
    EXPECT_EQ(f.platform.panes[0], "Nog 1194 driehoeken over");

    for (const auto& [col, row] : {std::pair{0, 0}, {58, 0}, {0, 29}, {58, 29}})
        f.view.OnLButtonUp(0, centreOf(f.view, f.doc, col, row));
    for (const auto& [col, row] : {std::pair{0, 0}, {58, 0}, {0, 29}, {58, 29}})
        EXPECT_EQ(f.doc.cell(col, row), kFirstBlockedCell) << col << "," << row;
    EXPECT_EQ(f.doc.CountOpenCells().total, 1766);
    EXPECT_EQ(f.platform.panes[0], "Nog 1190 driehoeken over");
    EXPECT_EQ(f.platform.panes[1], "Par. = 0");  // two down-pointing and two up-pointing corners

    // Searched until the second pump, about 100 steps, then interrupted.
    f.platform.defaultAnswer = MessageAnswer::Yes;
    f.platform.onPump = [&, pumps = 0](long) mutable {
        if (f.view.ViewMode == kSearching && ++pumps == 2) f.view.ViewMode = kInterruptRequested;
    };
    f.view.runSearch(false);
    EXPECT_EQ(f.lastMessage().caption, "Onderbroken");
    EXPECT_GE(f.view.m_state.steps, 100);
    EXPECT_EQ(f.view.ViewMode, kEditing);
    EXPECT_EQ(f.doc.CountOpenCells().total, 1766);
    for (int p = 0; p < 64; ++p) ASSERT_EQ(f.doc.m_pieces[static_cast<std::size_t>(p)].copies, 1);
    EXPECT_EQ(testsupport::readBytes(f.view.m_szSolutionName).size() % (4 + 16 * 64), 0u);
}

}  // namespace
