// The solution file removed or cut short while its solutions are shown: the display reports what the
// behaviour prescribes, draws what is still there, and never reads beyond the file.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/view/view_fixture.h"

namespace {

using testsupport::dominoPiece;

// The two tilings of the hexagon by three one-copy slots of the two-triangle piece.
const std::vector<PlacementRecord> kTilingA = {{0, 0, 0, 0}, {1, 2, 2, 0}, {2, 1, 1, 1}};
const std::vector<PlacementRecord> kTilingB = {{0, 2, 0, 0}, {1, 1, 2, 0}, {2, 0, 1, 1}};

struct Browsing : testsupport::ViewFixture {
    // A search of five solutions, A B A B A, shown from its first one.
    Browsing() {
        testsupport::hexagonBoard(doc);
        setPieces({dominoPiece("A1", 1), dominoPiece("B2", 1), dominoPiece("C3", 1)});
        view.m_szSolutionName = file("trianzoid0506.opb");
        OutputFile out;
        out.create(view.m_szSolutionName);
        for (const auto* tiling : {&kTilingA, &kTilingB, &kTilingA, &kTilingB, &kTilingA}) {
            out.writeInt32(3);
            for (const auto& r : *tiling)
                for (std::int32_t v : {r.piece, r.orientation, r.anchorX, r.anchorY}) out.writeInt32(v);
        }
        out.close();
        view.m_state.solutionCount = 5;
        view.m_nSolutionPieces = 3;
        view.OnShowSolutions(true);
    }
    std::vector<int> hexagon() {
        return {doc.cell(1, 0), doc.cell(2, 0), doc.cell(3, 0),
                doc.cell(1, 1), doc.cell(2, 1), doc.cell(3, 1)};
    }
    void clearCells() { doc.Board::ClearPieceCells(); }
};

TEST(BrowsingFaults, FileRemovedWhileShownIsReportedOnceAndTheDisplayStays) {
    Browsing f;
    f.view.OnNextSolution();
    EXPECT_EQ(f.platform.panes[0], "Oplossing 2/5");
    std::filesystem::remove(f.view.m_szSolutionName);
    f.clearCells();

    f.view.OnNextSolution();
    RecordingSurface paint;
    f.view.OnDraw(paint, {0, 0, 640, 480});
    f.view.OnLastSolution();
    ASSERT_EQ(f.platform.messages.size(), 1u);
    EXPECT_EQ(f.lastMessage().text, "Oplossingenbestand is er niet");
    EXPECT_EQ(f.lastMessage().caption, f.view.m_szSolutionName);
    EXPECT_EQ(f.view.ViewMode, kShowingSolutions);
    EXPECT_EQ(f.view.m_nCurrentSolution, 4);
    EXPECT_EQ(f.platform.panes[0], "Oplossing 2/5");
    EXPECT_EQ(f.hexagon(), std::vector<int>(6, 64));
    f.view.OnDoneSolutions();
    EXPECT_EQ(f.view.ViewMode, kEditing);
}

TEST(BrowsingFaults, FileCutShortWhileShownDrawsTheWholeBlocksOnly) {
    // Walked or at computed offsets alike. (A block cut short after the display had indexed the file
    // used to be drawn in part; the file is now looked at afresh, and a block cut short is no solution.)
    for (bool equalLengths : {false, true}) {
        Browsing f;
        f.view.m_bEqualSolutionLengths = equalLengths;
        // Two whole blocks of 52 bytes, then the count and first record of the third.
        std::filesystem::resize_file(f.view.m_szSolutionName, 2 * 52 + 4 + 16 + 7);
        f.clearCells();
        f.view.OnNextSolution();
        EXPECT_EQ(f.platform.panes[0], "Oplossing 2/5");
        EXPECT_EQ(f.hexagon(), (std::vector<int>{0, 1, 1, 0, 2, 2}));

        // The third block and those past the end draw nothing and leave the status as it was.
        f.clearCells();
        f.view.OnNextSolution();
        f.view.OnLastSolution();
        EXPECT_EQ(f.platform.panes[0], "Oplossing 2/5");
        EXPECT_EQ(f.hexagon(), std::vector<int>(6, 64));
        EXPECT_TRUE(f.platform.messages.empty());
    }
}

}  // namespace
