// Documents that did not come from this program as it saves them: written on a system with its own
// paths. They open, draw and search without harm.
#include <gtest/gtest.h>

#include <utility>

#include "board/document_image.h"
#include "tests/view/view_fixture.h"

namespace {

using testsupport::ViewFixture;

TEST(ForeignDocuments, AWindowsPathOpensDrawsAndSearches) {
    CTrianzoidDoc source;
    source.m_nWidth = 30;
    source.m_nHeight = 30;
    source.cell(0, 0) = kFirstBlockedCell;
    source.cell(1, 0) = 3;  // saved while a solution was shown
    source.m_szPieceFile = "C:\\PUZZELS\\DOMINO.TZP";
    source.m_nPieces = 3;
    source.m_nPieceTriangles = 6;

    ViewFixture f;
    testsupport::writeText(f.file("domino.tzp"), "A1   1 2 0R\r\nB2   1 2 0L\r\nC3   1 2 0O\r\n");
    ASSERT_TRUE(loadDocumentImage(f.doc, documentImage(source)));
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
