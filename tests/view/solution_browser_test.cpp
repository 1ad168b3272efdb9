#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "tests/view/view_fixture.h"
#include "view/command_ids.h"

namespace {

using testsupport::dominoPiece;
using testsupport::monoPiece;

std::vector<std::uint8_t>& operator<<(std::vector<std::uint8_t>& bytes, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(u >> shift));
    return bytes;
}

std::vector<std::uint8_t>& operator<<(std::vector<std::uint8_t>& bytes, const PlacementRecord& r) {
    return bytes << r.piece << r.orientation << r.anchorX << r.anchorY;
}

// The two tilings of the hexagon by three slots, as Placement records.
const std::vector<PlacementRecord> kTilingA = {{0, 0, 0, 0}, {1, 2, 2, 0}, {2, 1, 1, 1}};
const std::vector<PlacementRecord> kTilingB = {{0, 2, 0, 0}, {1, 1, 2, 0}, {2, 0, 1, 1}};

// The colour numbers of the hexagon's six open cells, in cell-number order.
std::vector<int> hexagonCells(const CTrianzoidDoc& doc) {
    return {doc.cell(1, 0), doc.cell(2, 0), doc.cell(3, 0), doc.cell(1, 1), doc.cell(2, 1), doc.cell(3, 1)};
}

struct Browser : testsupport::ViewFixture {
    Browser() {
        testsupport::hexagonBoard(doc);
        setPieces({dominoPiece("A1", 1), dominoPiece("B2", 1), dominoPiece("C3", 1)});
        view.m_szSolutionName = file("trianzoid0506.opb");
    }
    // A solution file of the given blocks, as a search of `count` solutions left it.
    void writeSolutions(const std::vector<std::vector<PlacementRecord>>& blocks) {
        std::vector<std::uint8_t> bytes;
        for (const auto& block : blocks) {
            bytes << static_cast<std::int32_t>(block.size());
            for (const auto& r : block) bytes << r;
        }
        testsupport::writeBytes(view.m_szSolutionName, bytes);
        view.m_state.solutionCount = static_cast<int>(blocks.size());
    }
    void clearCells() { doc.Board::ClearPieceCells(); }
};

TEST(SolutionBrowser, PagesThroughFiveSolutionsWithBeepsAtBothEnds) {
    Browser f;
    f.writeSolutions({kTilingA, kTilingB, kTilingA, kTilingB, kTilingA});
    f.view.OnShowSolutions(false);
    EXPECT_EQ(f.view.ViewMode, kShowingSolutions);
    EXPECT_FALSE(f.view.m_bColourSolutions);
    EXPECT_EQ(f.platform.invalidations, 1);
    EXPECT_EQ(f.platform.panes[0], "Oplossing 1/5");
    EXPECT_EQ(hexagonCells(f.doc), (std::vector<int>{0, 0, 1, 2, 2, 1}));

    f.clearCells();
    f.view.OnLastSolution();
    EXPECT_EQ(f.platform.panes[0], "Oplossing 5/5");
    EXPECT_EQ(hexagonCells(f.doc), (std::vector<int>{0, 0, 1, 2, 2, 1}));
    f.view.OnPreviousSolution();
    EXPECT_EQ(f.platform.panes[0], "Oplossing 4/5");
    EXPECT_EQ(hexagonCells(f.doc), (std::vector<int>{0, 1, 1, 0, 2, 2}));
    f.view.OnNextSolution();
    EXPECT_TRUE(f.platform.beeps.empty());

    const std::size_t shown = f.platform.paneHistory0.size();
    f.clearCells();
    f.view.OnNextSolution();  // at the last: beep, and the last is drawn again
    EXPECT_EQ(f.platform.beeps, (std::vector<BeepSound>{BeepSound::Exclamation}));
    EXPECT_EQ(f.view.m_nCurrentSolution, 4);
    EXPECT_EQ(f.platform.paneHistory0.size(), shown + 1);
    EXPECT_EQ(f.platform.panes[0], "Oplossing 5/5");
    EXPECT_EQ(hexagonCells(f.doc), (std::vector<int>{0, 0, 1, 2, 2, 1}));

    f.view.OnFirstSolution();
    EXPECT_EQ(f.platform.panes[0], "Oplossing 1/5");
    f.view.OnPreviousSolution();
    EXPECT_EQ(f.platform.beeps.size(), 2u);
    EXPECT_EQ(f.platform.panes[0], "Oplossing 1/5");
    EXPECT_EQ(f.view.m_nCurrentSolution, 0);

    f.view.m_bSound = false;
    f.view.OnPreviousSolution();
    f.view.OnLastSolution();
    f.view.OnNextSolution();
    EXPECT_EQ(f.platform.beeps.size(), 2u);
    EXPECT_TRUE(f.platform.messages.empty());
}

TEST(SolutionBrowser, OneSolutionBeepsBothWays) {
    Browser f;
    f.writeSolutions({kTilingB});
    f.view.OnShowSolutions(true);
    EXPECT_TRUE(f.view.m_bColourSolutions);
    f.view.OnNextSolution();
    f.view.OnPreviousSolution();
    EXPECT_EQ(f.platform.beeps.size(), 2u);
    EXPECT_EQ(f.platform.panes[0], "Oplossing 1/1");
}

TEST(SolutionBrowser, EnteringAndLeavingFollowTheMode) {
    Browser f;
    f.writeSolutions({kTilingA});
    f.view.OnNextSolution();  // not showing: nothing
    EXPECT_TRUE(f.platform.paneHistory0.empty());
    f.view.m_state.solutionCount = 0;
    f.view.OnShowSolutions(false);  // no solutions: stays editing
    EXPECT_EQ(f.view.ViewMode, kEditing);
    f.view.m_state.solutionCount = 1;
    f.view.ViewMode = kSearching;
    f.view.OnShowSolutions(false);
    EXPECT_EQ(f.view.ViewMode, kSearching);
    f.view.ViewMode = kEditing;

    f.view.OnShowSolutions(false);
    f.doc.cell(0, 0) = 68;
    f.view.OnDoneSolutions();
    EXPECT_EQ(f.view.ViewMode, kEditing);
    EXPECT_EQ(hexagonCells(f.doc), (std::vector<int>(6, 64)));
    EXPECT_EQ(f.doc.cell(0, 0), 68);  // blocked cells stay
    EXPECT_EQ(f.platform.invalidations, 2);
    EXPECT_TRUE(f.view.commandState(Cmd::ShowSolutionsColour).enabled);
}

TEST(SolutionBrowser, MissingFileIsReportedOncePerEntry) {
    Browser f;
    f.writeSolutions({kTilingA, kTilingB});
    std::filesystem::remove(f.view.m_szSolutionName);
    f.view.OnShowSolutions(false);
    ASSERT_EQ(f.platform.messages.size(), 1u);
    EXPECT_EQ(f.lastMessage().text, "Oplossingenbestand is er niet");
    EXPECT_EQ(f.lastMessage().caption, f.view.m_szSolutionName);
    EXPECT_EQ(f.lastMessage().buttons, MessageButtons::Ok);
    EXPECT_EQ(f.lastMessage().icon, MessageIcon::Exclamation);
    // Repaints (each one after the box closes) and paging do not repeat it.
    RecordingSurface paint;
    for (int i = 0; i < 3; ++i) f.view.OnDraw(paint, {0, 0, 640, 480});
    f.view.OnNextSolution();
    EXPECT_EQ(f.platform.messages.size(), 1u);
    EXPECT_EQ(f.view.ViewMode, kShowingSolutions);
    EXPECT_TRUE(f.platform.paneHistory0.empty());
    // A new entry reports it again.
    f.view.OnDoneSolutions();
    f.view.OnShowSolutions(true);
    EXPECT_EQ(f.platform.messages.size(), 2u);
}

TEST(SolutionBrowser, EmptyFileOfALetterModeSearchShowsNothing) {
    Browser f;
    testsupport::writeBytes(f.view.m_szSolutionName, {});
    f.view.m_state.solutionCount = 4;
    f.view.ShowStatus("vooraf");
    f.view.OnShowSolutions(true);
    f.view.OnLastSolution();
    EXPECT_EQ(f.platform.panes[0], "vooraf");
    EXPECT_EQ(hexagonCells(f.doc), (std::vector<int>(6, 64)));
    EXPECT_TRUE(f.platform.messages.empty());
}

TEST(SolutionBrowser, HostileRecordsAreSkipped) {
    Browser f;
    f.setPieces({dominoPiece("A1", 1)});  // one slot now, three orientations
    f.writeSolutions({{{0, 0, 0, 0},
                       {1, 0, 1, 1},
                       {-1, 0, 1, 1},
                       {63, 0, 1, 1},
                       {0, 3, 1, 1},
                       {0, -1, 1, 1},
                       {0, 0, 1000000, 1},
                       {0, 0, 1, -5},
                       {0, 0, INT_MIN, INT_MAX},
                       {0, 0, INT_MAX, 0},
                       {0, 0, 3, 0},     // reaches column 5, outside the row of 5
                       {0, 2, -1, 0},    // covers (0,1): blocked, and drawing would make it open later
                       {0, 0, 1, 1}}});  // the one other drawable record
    f.view.OnShowSolutions(true);
    EXPECT_EQ(hexagonCells(f.doc), (std::vector<int>{0, 0, 64, 64, 0, 0}));
    EXPECT_EQ(f.doc.cell(0, 1), 65);
    EXPECT_EQ(f.platform.panes[0], "Oplossing 1/1");
    f.view.OnDoneSolutions();
    EXPECT_EQ(f.doc.cell(0, 1), 65);
}

TEST(SolutionBrowser, DamagedCountsDrawNothing) {
    for (std::int32_t count : {-1, INT_MIN, 1000000000, kMaxSolutionPlacements + 1}) {
        Browser f;
        std::vector<std::uint8_t> bytes;
        bytes << count << kTilingA[0] << kTilingA[1];
        testsupport::writeBytes(f.view.m_szSolutionName, bytes);
        f.view.m_state.solutionCount = 1;
        f.view.OnShowSolutions(false);
        EXPECT_EQ(hexagonCells(f.doc), (std::vector<int>(6, 64))) << count;
        EXPECT_TRUE(f.platform.paneHistory0.empty()) << count;
    }
    {  // a block cut short
        Browser f;
        std::vector<std::uint8_t> bytes;
        bytes << 3 << kTilingA[0];
        testsupport::writeBytes(f.view.m_szSolutionName, bytes);
        f.view.m_state.solutionCount = 1;
        f.view.OnShowSolutions(false);
        EXPECT_EQ(hexagonCells(f.doc), (std::vector<int>(6, 64)));
    }
    {  // damage in the middle: the solutions before it are still shown
        Browser f;
        std::vector<std::uint8_t> bytes;
        bytes << 3 << kTilingA[0] << kTilingA[1] << kTilingA[2] << -7 << 3 << kTilingB[0];
        testsupport::writeBytes(f.view.m_szSolutionName, bytes);
        f.view.m_state.solutionCount = 3;
        f.view.OnShowSolutions(false);
        EXPECT_EQ(f.platform.panes[0], "Oplossing 1/3");
        f.clearCells();
        f.view.OnNextSolution();
        EXPECT_EQ(hexagonCells(f.doc), (std::vector<int>(6, 64)));
        EXPECT_EQ(f.platform.panes[0], "Oplossing 1/3");
    }
}

// Parses the solution file the way its layout is written down: a count, then that many records.
std::vector<std::vector<PlacementRecord>> parseSolutions(const std::vector<std::uint8_t>& bytes) {
    auto int32At = [&](std::size_t at) {
        return static_cast<std::int32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                         static_cast<std::uint32_t>(bytes[at + 3]) << 24);
    };
    std::vector<std::vector<PlacementRecord>> blocks;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const int n = int32At(at);
        at += 4;
        std::vector<PlacementRecord> block;
        for (int i = 0; i < n; ++i, at += 16)
            block.push_back({int32At(at), int32At(at + 4), int32At(at + 8), int32At(at + 12)});
        blocks.push_back(block);
    }
    return blocks;
}

// Paging shows each solution's pieces alone: eight triangles for six cells give solutions of different
// lengths; four triangles leave cells open, which the solution before may have covered (they used to
// keep its colours; the window is then drawn afresh).
TEST(SolutionBrowser, EachSolutionShowsItsOwnPiecesAlone) {
    for (const bool spare : {false, true}) {
        testsupport::ViewFixture f;
        testsupport::hexagonBoard(f.doc);
        f.platform.defaultAnswer = MessageAnswer::Yes;
        if (spare)
            f.setPieces({dominoPiece("D2", 2)});
        else
            f.setPieces({dominoPiece("D2", 3), monoPiece("M1", 2)});
        f.search();
        const auto blocks = parseSolutions(testsupport::readBytes(f.view.m_szSolutionName));
        ASSERT_EQ(static_cast<int>(blocks.size()), f.view.m_state.solutionCount);
        std::set<std::size_t> lengths;
        for (const auto& block : blocks) lengths.insert(block.size());
        ASSERT_EQ(lengths, (spare ? std::set<std::size_t>{2} : std::set<std::size_t>{3, 4}));
        EXPECT_EQ(f.view.m_bEqualSolutionLengths, spare);  // unequal lengths: the display walks the file

        f.view.OnShowSolutions(true);
        for (std::size_t k = 0; k < blocks.size(); ++k) {
            const int invalidations = f.platform.invalidations;
            if (k > 0) f.view.OnNextSolution();
            EXPECT_EQ(f.platform.panes[0],
                      "Oplossing " + std::to_string(k + 1) + "/" + std::to_string(blocks.size()));
            // Exactly the cells that solution k covers hold its pieces' colour numbers.
            std::vector<int> expected(6, 64);
            for (const PlacementRecord& r : blocks[k]) {
                const Piece& piece = f.doc.m_pieces[static_cast<std::size_t>(r.piece)];
                for (int t = 0; t < piece.triangleCount; ++t) {
                    const int x = r.anchorX + piece.cells[r.orientation][t].x;
                    const int y = r.anchorY + piece.cells[r.orientation][t].y;
                    expected[static_cast<std::size_t>(y * 3 + x - 1)] = piece.colorNumber;
                }
            }
            EXPECT_EQ(hexagonCells(f.doc), expected) << k;
            if (k > 0 && !spare) {
                EXPECT_EQ(f.platform.invalidations, invalidations) << k;
            }
        }
        if (spare) {
            EXPECT_GT(f.platform.invalidations, static_cast<int>(blocks.size()) / 2);
        }
    }
}

TEST(SolutionBrowser, RepaintShowsTheCurrentSolutionOnThePaintSurface) {
    Browser f;
    f.writeSolutions({kTilingA, kTilingB});
    f.view.OnShowSolutions(false);
    f.view.OnNextSolution();
    f.clearCells();
    RecordingSurface paint;
    f.view.OnDraw(paint, {0, 0, 640, 480});
    EXPECT_EQ(hexagonCells(f.doc), (std::vector<int>{0, 1, 1, 0, 2, 2}));
    EXPECT_EQ(paint.triangles.size(), 6u);
    for (const auto& t : paint.triangles) EXPECT_EQ(t.fill, kWhite);  // black and white
}

}  // namespace
