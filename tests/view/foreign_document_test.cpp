// Documents that did not come from this program as it saves them: cut short, or written on a system
// with the other byte order and its own paths. They open, draw and search without harm.
#include <gtest/gtest.h>

#include <utility>

#include "board/document_image.h"
#include "tests/view/view_fixture.h"

namespace {

using testsupport::ViewFixture;

TEST(ForeignDocuments, ACutDocumentKeepsTheRestOfTheNewBoard) {
    CTrianzoidDoc source;
    source.m_nWidth = 5;
    source.m_nHeight = 6;
    for (int col = 0; col < 9; ++col) source.cell(col, 0) = kFirstBlockedCell;
    auto image = documentImage(source);
    image.resize(12 + 4 * BOARD_ROWS);  // the sizes and the first four columns

    ViewFixture f;
    loadDocumentImage(f.doc, image);
    RecordingSurface screen;
    f.view.OnDraw(screen, {0, 0, 640, 480});
    EXPECT_EQ(screen.triangles.size(), 9u * 6);
    EXPECT_EQ(f.platform.panes[0], "Aantal beschikbare driehoeken: 50");
}

TEST(ForeignDocuments, OtherByteOrderAndAWindowsPathOpenDrawAndSearch) {
    CTrianzoidDoc source;
    source.cell(0, 0) = kFirstBlockedCell;
    source.cell(1, 0) = 3;  // saved while a solution was shown
    source.m_szPieceFile = "C:\\PUZZELS\\DOMINO.TZP";
    source.m_nPieces = 3;
    source.m_nPieceTriangles = 6;
    auto image = documentImage(source);
    for (std::size_t offset : {0, 4, 8, 2046, 2050}) {
        std::swap(image[offset], image[offset + 3]);
        std::swap(image[offset + 1], image[offset + 2]);
    }

    ViewFixture f;
    testsupport::writeText(f.file("domino.tzp"), "A1   1 2 0R\r\nB2   1 2 0L\r\nC3   1 2 0O\r\n");
    loadDocumentImage(f.doc, image);
    // 8 read the other way round is 2^27: the largest Board; the margin 30 becomes the largest margin.
    EXPECT_EQ(f.doc.rowLength(), 59);
    EXPECT_EQ(f.doc.m_nHeight, 30);
    EXPECT_EQ(f.doc.m_nMargin, 400);
    EXPECT_EQ(f.doc.m_nPieces, 64);
    f.view.OnInitialUpdate(f.file("veld.trz"));
    EXPECT_TRUE(f.platform.messages.empty());
    EXPECT_EQ(f.doc.m_szPieceFile, f.file("domino.tzp"));
    EXPECT_EQ(f.doc.m_nPieces, 3);
    EXPECT_EQ(f.doc.m_nPieceTriangles, 6);

    RecordingSurface screen;
    f.view.OnDraw(screen, {0, 0, 1280, 960});
    EXPECT_EQ(screen.triangles.size(), 1770u);
    EXPECT_EQ(f.platform.panes[0], "Nog 1762 driehoeken over");
    EXPECT_EQ(f.platform.panes[1], "Par. = 0");

    f.platform.onPump = [&](long) {
        if (f.view.m_state.solutionCount == 1) f.view.ViewMode = kInterruptRequested;
    };
    f.view.runSearch(false);
    ASSERT_EQ(f.platform.messages.size(), 1u);
    EXPECT_EQ(f.lastMessage().caption, "Onderbroken");
    EXPECT_EQ(f.lastMessage().text, "Aantal oplossingen 1");
    EXPECT_EQ(f.view.m_szSolutionName, f.file("trianzoid5930.opb"));
    EXPECT_EQ(testsupport::readText(f.view.m_szLogName).substr(0, 21), "Start zoeken (30-30) ");
    EXPECT_EQ(f.doc.cell(1, 0), kOpenCell);  // the covered cell is open again after the search
}

}  // namespace
