#include <gtest/gtest.h>

#include <filesystem>

#include "platform/headless_platform.h"
#include "tests/view/view_fixture.h"
#include "view/trianzoid_view.h"

namespace {

class Readiness : public ::testing::Test {
  protected:
    // A piece set of `triangles` single triangles as one piece with that many copies.
    void setPieces(int triangles) {
        doc.m_nPieces = 1;
        doc.m_nPieceTriangles = triangles;
        doc.m_pieces[0].triangleCount = 1;
        doc.m_pieces[0].copies = triangles;
    }
    CTrianzoidDoc doc;
    HeadlessPlatform platform;
    testsupport::FakeClock clock;
    CTrianzoidView view{doc, platform, clock};
};

TEST_F(Readiness, NoPieceSet) {
    EXPECT_EQ(view.UpdateReadiness(), -1);
    EXPECT_EQ(platform.panes[0], "Aantal beschikbare driehoeken: 120");
    EXPECT_EQ(platform.panes[1], "Par. = 0");
    doc.cell(0, 0) = 65;  // a down-pointing cell
    EXPECT_EQ(view.UpdateReadiness(), -1);
    EXPECT_EQ(platform.panes[0], "Aantal beschikbare driehoeken: 119");
    EXPECT_EQ(platform.panes[1], "Par. = 1");
}

TEST_F(Readiness, TextsBySurplusAndShortage) {
    const std::pair<int, std::string> cases[] = {
        {120, "Zoeken kan starten"},   {119, "Nog 1 driehoek over"},    {118, "Nog 2 driehoeken over"},
        {121, "1 driehoek te weinig"}, {122, "2 driehoeken te weinig"},
    };
    for (const auto& [triangles, text] : cases) {
        setPieces(triangles);
        EXPECT_EQ(view.UpdateReadiness(), 0) << triangles;
        EXPECT_EQ(platform.panes[0], text);
    }
}

TEST_F(Readiness, ZeroCopiesOrAFaultyFileCountAsNoPieceSet) {
    setPieces(10);
    doc.m_pieces[0].copies = 0;
    EXPECT_EQ(view.UpdateReadiness(), -1);
    setPieces(10);
    doc.m_nPieceTriangles = 0;
    EXPECT_EQ(view.UpdateReadiness(), -1);
    EXPECT_EQ(platform.panes[0], "Aantal beschikbare driehoeken: 120");
}

TEST_F(Readiness, EveryCellBlocked) {
    doc.m_cells.fill(65);
    setPieces(7);
    EXPECT_EQ(view.UpdateReadiness(), 0);
    EXPECT_EQ(platform.panes[0], "7 driehoeken te weinig");
    EXPECT_EQ(platform.panes[1], "Par. = 0");
    setPieces(1);
    view.UpdateReadiness();
    EXPECT_EQ(platform.panes[0], "1 driehoek te weinig");
}

TEST_F(Readiness, ResultIsTheParityImbalance) {
    setPieces(117);
    doc.cell(0, 0) = 65;
    doc.cell(2, 0) = 65;
    doc.cell(4, 0) = 65;  // three down-pointing cells
    EXPECT_EQ(view.UpdateReadiness(), 3);
    EXPECT_EQ(platform.panes[0], "Zoeken kan starten");
    EXPECT_EQ(platform.panes[1], "Par. = 3");
}

}  // namespace

// Changed: a piece whose links lay two triangles on one place, read as it stands, was searched as if
// it covered them all. It is never searched, and the status bar says why before the search is asked.
TEST(OverlappingPiece, IsNamedWithItsLineAndNeverSearched) {
    testsupport::ViewFixture f;
    testsupport::hexagonBoard(f.doc);
    testsupport::writeText(f.file("stukken.tzp"), "A1   1 2 0R\n3A   1 3 0R 0R\nT1   1 4 0R 1O 1O\n");
    f.view.ReadPieceFile(f.file("stukken.tzp"));
    EXPECT_EQ(f.platform.panes[0], "Trianzoid 3A (regel 2) heeft driehoekjes op dezelfde plaats");
    EXPECT_EQ(f.search().refusal, SearchOutcome::Refusal::BadPiece);
    EXPECT_EQ(f.lastMessage().text + f.lastMessage().caption, f.platform.panes[0] + "Oei");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.dir.path()), {}), 1);  // the piece file
    f.doc.m_pieces[1].copies = 0;  // a piece that is not placed does not count
    f.view.refreshReadiness();
    EXPECT_EQ(f.platform.panes[0], "Trianzoid T1 (regel 3) heeft driehoekjes op dezelfde plaats");
}
