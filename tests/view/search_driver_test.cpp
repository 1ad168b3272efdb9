#include <gtest/gtest.h>

#include <filesystem>

#include "tests/view/view_fixture.h"
#include "view/command_ids.h"

namespace {

using testsupport::dominoPiece;
using testsupport::monoPiece;
using testsupport::readBytes;
using testsupport::readText;
using testsupport::ViewFixture;

const char* const kBlankRow = "               \r\n";

// The grid of one hexagon solution: the labels of open cells 0 .. 5, two characters each.
std::string hexagonGrid(const std::string& labels) {
    std::string grid = "   ";
    for (int c = 0; c < 3; ++c) grid += labels.substr(static_cast<std::size_t>(2 * c), 2) + " ";
    grid += "   \r\n   ";
    for (int c = 3; c < 6; ++c) grid += labels.substr(static_cast<std::size_t>(2 * c), 2) + " ";
    grid += "   \r\n";
    for (int row = 2; row < 6; ++row) grid += kBlankRow;
    return grid;
}

struct HexagonSearch : ViewFixture {
    HexagonSearch() {
        clock.tick = 1;
        testsupport::hexagonBoard(doc);
        setPieces({dominoPiece("A1", 1), dominoPiece("B2", 1), dominoPiece("C3", 1)});
    }
};

TEST(SearchDriver, HexagonSearchWritesBothFilesExactly) {
    HexagonSearch f;
    f.search();
    EXPECT_EQ(f.view.ViewMode, kEditing);
    EXPECT_EQ(f.view.m_state.solutionCount, 12);
    EXPECT_EQ(f.view.m_szLogName, f.file("trianzoid0506.opl"));
    EXPECT_EQ(f.view.m_szSolutionName, f.file("trianzoid0506.opb"));

    const std::vector<std::string> grids = {"A1A1B2C3C3B2", "A1A1C3B2B2C3", "A1B2B2A1C3C3", "A1C3C3A1B2B2",
                                            "B2B2A1C3C3A1", "B2B2C3A1A1C3", "B2A1A1B2C3C3", "B2C3C3B2A1A1",
                                            "C3C3A1B2B2A1", "C3C3B2A1A1B2", "C3A1A1C3B2B2", "C3B2B2C3A1A1"};
    std::string expected =
        "Start zoeken (3-6) op 16-12-1999 14:05:09.\r\n"
        "Trianzoidbestand stukken.tzp.\r\nAantal trianzoids 3, driehoeken 6, vakjes 6.\r\n\r\n";
    for (std::size_t k = 0; k < grids.size(); ++k)
        expected += "Oplossing " + std::to_string(k + 1) + "\r\n\r\n" + hexagonGrid(grids[k]) + "\r\n";
    expected += "\r\n\r\nKlaar. Duur: 0:00:13, aantal oplossingen 12, op 16-12-1999 14:05:22";
    EXPECT_EQ(readText(f.view.m_szLogName), expected);
    // The layout of one block, written out.
    EXPECT_NE(expected.find("Oplossing 1\r\n\r\n   A1 A1 B2    \r\n   C3 C3 B2    \r\n               \r\n"),
              std::string::npos);
    EXPECT_EQ(f.view.m_strSearchSummary,
              "Klaar. Duur: 0:00:13, aantal oplossingen 12, op 16-12-1999 14:05:22");

    const auto opb = readBytes(f.view.m_szSolutionName);
    ASSERT_EQ(opb.size(), 12u * (4 + 16 * 3));
    // Solution 1 places Placements 0, 11 and 15: slot 0 orientation 0 at (0,0), slot 1 orientation 2
    // at (2,0), slot 2 orientation 1 at (1,1).
    const std::vector<std::uint8_t> first = {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                             0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,
                                             2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    EXPECT_EQ(std::vector<std::uint8_t>(opb.begin(), opb.begin() + 52), first);

    ASSERT_EQ(f.platform.messages.size(), 1u);
    EXPECT_EQ(f.lastMessage().text, "Aantal oplossingen 12");
    EXPECT_EQ(f.lastMessage().caption, "Klaar");
    EXPECT_EQ(f.lastMessage().buttons, MessageButtons::Ok);
    EXPECT_EQ(f.lastMessage().icon, MessageIcon::None);
    EXPECT_EQ(f.platform.beeps.size(), 12u);
}

TEST(SearchDriver, StatusAndStateAroundTheSearch) {
    HexagonSearch f;
    f.search();
    const auto& history = f.platform.paneHistory0;
    auto at = [&](const std::string& text) {
        return std::find(history.begin(), history.end(), text) - history.begin();
    };
    EXPECT_LT(at("Bezig met passen en meten rotaties"), at("Zoeken bezig, aantal oplossingen 0"));
    EXPECT_LT(at("Zoeken bezig, aantal oplossingen 0"), at("Oplossing 1 na 0:00:01"));
    EXPECT_LT(at("Oplossing 1 na 0:00:01"), at("Zoeken bezig, aantal oplossingen 1"));
    EXPECT_NE(at("Oplossing 10 na 0:00:10"), static_cast<long>(history.size()));
    // Panes 2 and 3 are blank after the search; the pieces are back to their copies and the Board open.
    EXPECT_EQ(f.platform.panes[2], "");
    EXPECT_EQ(f.platform.panes[3], "");
    for (int p = 0; p < 3; ++p) EXPECT_EQ(f.doc.m_pieces[static_cast<std::size_t>(p)].copies, 1);
    EXPECT_EQ(f.doc.CountOpenCells().total, 6);
    EXPECT_EQ(f.doc.cell(0, 0), 65);
    // Every buffer of the search is released.
    EXPECT_TRUE(f.view.m_table.masks.empty());
    EXPECT_TRUE(f.view.m_table.records.empty());
    EXPECT_TRUE(f.view.m_state.coveredMask.empty());
    EXPECT_TRUE(f.view.m_state.candidateCounts.empty());
    EXPECT_GE(f.platform.invalidations, 2);
}

TEST(SearchDriver, FileNamesFollowTheBoardSize) {
    EXPECT_EQ(solutionFilePath("", 15, 8, "opl"), "trianzoid1508.opl");
    EXPECT_EQ(solutionFilePath("", 5, 6, "opb"), "trianzoid0506.opb");
    EXPECT_EQ(solutionFilePath("uit", 9, 8, "opb"), "uit/trianzoid0908.opb");

    ViewFixture f;
    // One open cell and one triangle. (This test searched a set of no copies, whose readiness refuses
    // it, and took the empty path for a solution; the driver now refuses such a search.)
    f.setPieces({monoPiece("M1", 1)});
    f.setBoard({"#########", "#########", "#########", "#########", "#########", "#########", "#########",
                "#.#######"});
    f.search();
    EXPECT_TRUE(std::filesystem::exists(f.file("trianzoid0908.opl")));
    EXPECT_EQ(readText(f.file("trianzoid0908.opl")).substr(0, 44),
              "Start zoeken (5-8) op 16-12-1999 14:05:09.\r\n");
    EXPECT_EQ(readBytes(f.file("trianzoid0908.opb")).size(), 20u);

    // A faulty piece file read after a good one leaves no piece set: nothing is searched, although the
    // readiness last drawn allowed it, and the search commands are greyed out.
    f.view.m_nReadiness = 0;
    f.view.m_state.solutionCount = 0;
    std::filesystem::remove(f.file("trianzoid0908.opb"));
    testsupport::writeText(f.file("kapot.tzp"), "A1   1 4 0R 9O\n");
    f.view.ReadPieceFile(f.file("kapot.tzp"));
    EXPECT_FALSE(f.view.commandState(Cmd::Search).enabled);
    f.view.runSearch(false);
    EXPECT_FALSE(std::filesystem::exists(f.file("trianzoid0908.opb")));
    EXPECT_EQ(f.view.m_state.solutionCount, 0);
    // A good one enables them at once, before any repaint.
    testsupport::writeText(f.file("goed.tzp"), "M1   1 1\n");
    f.view.ReadPieceFile(f.file("goed.tzp"));
    EXPECT_EQ(f.platform.panes[0], "Zoeken kan starten");
    EXPECT_TRUE(f.view.commandState(Cmd::Search).enabled);
}

TEST(CheckerboardTest, RunningValueAddsWhenTheImbalanceExceedsIt) {
    ViewFixture f;
    Piece three = testsupport::handPiece("T3", 1, {{{0, 0}, {2, 0}, {4, 0}}});  // three down-pointing
    EXPECT_EQ(three.parityImbalance, 3);
    f.setPieces({three});
    EXPECT_EQ(f.view.checkerboardTest(3), 0);

    Piece two = testsupport::handPiece("T2", 1, {{{0, 0}, {2, 0}}});
    f.setPieces({two, monoPiece("M1", 1)});
    EXPECT_EQ(f.view.checkerboardTest(1), 2);  // 1 -> 3 -> 2
    f.doc.m_pieces[0].copies = 0;
    EXPECT_EQ(f.view.checkerboardTest(1), 0);
    f.doc.m_pieces[0].copies = -4;  // no copies when the count is not positive
    EXPECT_EQ(f.view.checkerboardTest(1), 0);
}

TEST(CheckerboardTest, HugeCopyCountsGiveWhatStepByStepGives) {
    ViewFixture f;
    f.setPieces({monoPiece("M1", 0)});
    auto stepByStep = [](int a, int b, long long copies) {
        for (long long i = 0; i < copies; ++i) a = b > a ? a + b : a - b;
        return a;
    };
    for (int b = 0; b <= 9; ++b) {
        f.doc.m_pieces[0].parityImbalance = b;
        for (int a = -1; a <= 25; ++a) {
            for (int copies = 0; copies <= 40; ++copies) {
                f.doc.m_pieces[0].copies = copies;
                ASSERT_EQ(f.view.checkerboardTest(a), stepByStep(a, b, copies))
                    << a << " " << b << " " << copies;
            }
        }
    }
    f.doc.m_pieces[0].parityImbalance = 1;
    f.doc.m_pieces[0].copies = 2000000000;
    EXPECT_EQ(f.view.checkerboardTest(0), 0);
    f.doc.m_pieces[0].copies = 2000000001;
    EXPECT_EQ(f.view.checkerboardTest(0), 1);
    f.doc.m_pieces[0].copies = 2147483647;
    EXPECT_EQ(f.view.checkerboardTest(1700), stepByStep(1700 % 2, 1, 1));
}

struct ImbalancedBoard : ViewFixture {
    // One more down-pointing open cell than up-pointing ones; pieces of imbalance 2 and 1.
    ImbalancedBoard() {
        setBoard({"#...#", "#####", "#####", "#####", "#####", "#####"});
        setPieces({testsupport::handPiece("T2", 1, {{{0, 0}, {2, 0}}}), monoPiece("M1", 1)});
    }
};

TEST(CheckerboardTest, NoStartsNothing) {
    ImbalancedBoard f;
    f.platform.answers = {MessageAnswer::No};
    const SearchOutcome outcome = f.search();
    EXPECT_FALSE(outcome.started());
    EXPECT_EQ(outcome.refusal, SearchOutcome::Refusal::Checkerboard);
    EXPECT_EQ(f.view.m_nReadiness, 1);
    ASSERT_EQ(f.platform.messages.size(), 1u);
    EXPECT_EQ(f.lastMessage().text, "Volgens de dambordmethode is een oplossing onmogelijk\nToch doorgaan?");
    EXPECT_EQ(f.lastMessage().caption, "Dit lukt nooit");
    EXPECT_EQ(f.lastMessage().buttons, MessageButtons::YesNo);
    EXPECT_EQ(f.lastMessage().icon, MessageIcon::Exclamation);
    EXPECT_EQ(f.view.ViewMode, kEditing);
    EXPECT_FALSE(std::filesystem::exists(f.file("trianzoid0506.opl")));
}

TEST(CheckerboardTest, YesSearchesAnyway) {
    ImbalancedBoard f;
    f.platform.answers = {MessageAnswer::Yes};
    const SearchOutcome outcome = f.search();
    EXPECT_EQ(outcome.end, SearchOutcome::End::Finished);
    EXPECT_EQ(outcome.refusal, SearchOutcome::Refusal::None);
    ASSERT_EQ(f.platform.messages.size(), 2u);
    EXPECT_EQ(f.lastMessage().text, "Aantal oplossingen 0");
    EXPECT_EQ(f.lastMessage().caption, "Klaar");
    EXPECT_TRUE(std::filesystem::exists(f.file("trianzoid0506.opl")));
}

TEST(SearchDriver, SearchCommandsDuringASearchOnlySwitchWaitingAndCancelTheSkip) {
    HexagonSearch f;
    f.platform.onPump = [&](long) {
        if (f.view.ViewMode != kSearching || f.view.m_state.solutionCount != 3) return;
        f.view.m_state.skipToNextFirst = 1;
        f.view.OnCommand(Cmd::SearchSpecial);  // runs runSearch(true) inside the search
    };
    f.search(false);
    EXPECT_TRUE(f.view.m_state.waitForKey);
    EXPECT_EQ(f.view.m_state.solutionCount, 12);  // the skip was cancelled again
    // The command arrived in the pump before the third solution's wait, so from that one on each waited.
    EXPECT_EQ(f.platform.keyWaits, 10);
    ASSERT_EQ(f.platform.messages.size(), 1u);
}

TEST(SearchDriver, SearchModesStayDuringASearchAndTheCountsOfTheLastOneAreShown) {
    HexagonSearch f;  // three slots of one shape: 12 solutions, 2 tilings, 1 up to the hexagon's symmetry
    auto state = [&](int id) { return f.view.commandState(id); };
    EXPECT_FALSE(state(Cmd::TilingCounts).enabled);  // no search yet
    // One per symmetry class implies each tiling once; switching that off switches both off.
    f.view.OnCommand(Cmd::OnePerSymmetryClass);
    EXPECT_TRUE(state(Cmd::EachTilingOnce).checked && state(Cmd::OnePerSymmetryClass).checked);
    f.view.OnCommand(Cmd::EachTilingOnce);
    EXPECT_FALSE(f.view.m_bEachTilingOnce || f.view.m_bOnePerSymmetryClass);
    bool greyed = false;
    f.platform.onPump = [&](long) {
        if (f.view.ViewMode != kSearching) return;
        greyed = !state(Cmd::EachTilingOnce).enabled && !state(Cmd::TilingCounts).enabled;
        f.view.OnCommand(Cmd::CellsMayStayOpen);  // ignored
    };
    f.search();
    EXPECT_TRUE(greyed && !f.view.m_bCellsMayStayOpen);
    f.view.OnShowSolutions(true);  // also while the solutions are shown
    f.view.OnCommand(Cmd::TilingCounts);
    const std::string counts =
        "\nVerschillende betegelingen: 2\nUniek op draaien en spiegelen na: 1 (symmetrie van het veld: 12)";
    EXPECT_EQ(f.lastMessage().text, "Aantal oplossingen 12" + counts);
    EXPECT_EQ(f.lastMessage().caption, "Tellingen");
    f.view.OnDoneSolutions();
    f.view.OnCommand(Cmd::EachTilingOnce);
    f.search();
    f.view.OnCommand(Cmd::TilingCounts);
    EXPECT_EQ(f.lastMessage().text, "Aantal oplossingen 2" + counts);
}

TEST(SearchDriver, NextFirstAbandonsTheRestUnderTheFirstPlacement) {
    ViewFixture f;
    testsupport::hexagonBoard(f.doc);
    f.setPieces({dominoPiece("D2", 3)});
    bool chosen = false;
    f.platform.onPump = [&](long) {
        if (f.view.m_state.solutionCount == 1 && !chosen && f.view.commandState(Cmd::NextFirst).enabled) {
            chosen = true;
            f.view.OnCommand(Cmd::NextFirst);
        }
    };
    f.search();
    // Solutions 2 and 3 of the full run lie under the abandoned first Placement.
    EXPECT_EQ(f.view.m_state.solutionCount, 11);
    const auto opb = readBytes(f.view.m_szSolutionName);
    ASSERT_EQ(opb.size(), 11u * 52);
    EXPECT_EQ(opb[52 + 4], 0);  // solution 2 starts with Placement 4: orientation 2 at (0,0)
    EXPECT_EQ(opb[52 + 8], 2);
}

TEST(SearchDriver, InterruptFromAPumpUnwindsAndReportsOnderbroken) {
    ViewFixture f;
    f.setBoard({".........", ".........", ".........", ".........", ".........", ".........", "#########",
                "#########"});
    f.setPieces({dominoPiece("D2", 9),
                 testsupport::handPiece("T3", 6, {{{0, 0}, {1, 0}, {2, 0}}, {{1, 0}, {2, 0}, {3, 0}}})});
    int solutionsAtInterrupt = -1;
    f.platform.onPump = [&](long) {
        if (f.view.ViewMode == kSearching && f.view.m_state.solutionCount >= 2 && solutionsAtInterrupt < 0) {
            solutionsAtInterrupt = f.view.m_state.solutionCount;
            f.view.OnCommand(Cmd::Interrupt);
        }
    };
    const SearchOutcome outcome = f.search();
    EXPECT_EQ(outcome.end, SearchOutcome::End::Interrupted);
    EXPECT_EQ(outcome.solutions, solutionsAtInterrupt);
    ASSERT_GE(solutionsAtInterrupt, 2);
    EXPECT_EQ(f.view.m_state.solutionCount, solutionsAtInterrupt);
    EXPECT_EQ(f.view.ViewMode, kEditing);
    EXPECT_EQ(f.doc.m_pieces[0].copies, 9);
    EXPECT_EQ(f.doc.m_pieces[1].copies, 6);
    EXPECT_EQ(f.doc.CountOpenCells().total, 54);  // the pieces are cleared from the Board
    EXPECT_EQ(f.lastMessage().caption, "Onderbroken");
    EXPECT_EQ(f.lastMessage().text, "Aantal oplossingen " + std::to_string(solutionsAtInterrupt));
    const std::string log = readText(f.view.m_szLogName);
    EXPECT_NE(log.find("\r\n\r\nOnderbroken. Duur: 0:00:00, aantal oplossingen " +
                       std::to_string(solutionsAtInterrupt) + ", op 16-12-1999 14:05:09"),
              std::string::npos);
    EXPECT_EQ(readBytes(f.view.m_szSolutionName).size(),
              static_cast<std::size_t>(solutionsAtInterrupt) * (4 + 16 * 15));
}

TEST(SearchDriver, EscapeCharacterInterruptsOnlyWhileSearching) {
    ViewFixture f;
    f.view.OnChar(27);
    EXPECT_EQ(f.view.ViewMode, kEditing);
    f.view.ViewMode = kSearching;
    f.view.OnChar('q');
    EXPECT_EQ(f.view.ViewMode, kSearching);
    f.view.OnChar(27);
    EXPECT_EQ(f.view.ViewMode, kInterruptRequested);
    f.view.ViewMode = kShowingSolutions;
    f.view.OnChar(27);
    EXPECT_EQ(f.view.ViewMode, kShowingSolutions);
}

TEST(SearchDriver, KeyDuringTheSearchRedrawsAtTheNextStepAndShowsSteps) {
    ViewFixture f;
    f.view.m_state.shownDepth = 4;
    f.view.OnKeyDown();  // not searching: nothing
    EXPECT_EQ(f.view.m_state.shownDepth, 4);
    f.view.ViewMode = kSearching;
    f.view.OnKeyDown();
    EXPECT_EQ(f.view.m_state.shownDepth, 0);
    EXPECT_EQ(f.view.m_state.showSteps, 1);
    f.view.OnKeyDown();
    EXPECT_EQ(f.view.m_state.showSteps, 0);

    ViewFixture g;
    g.platform.surface = RecordingSurface(false, true);
    testsupport::hexagonBoard(g.doc);
    g.setPieces({dominoPiece("D2", 3)});
    std::size_t trianglesAtKey = 0;
    bool pressed = false;
    g.platform.onPump = [&](long) {
        if (g.view.ViewMode == kSearching && g.view.m_state.solutionCount == 4 && !pressed) {
            pressed = true;
            g.view.OnKeyDown();
            trianglesAtKey = g.platform.surface.triangles.size();
        }
    };
    g.search();
    ASSERT_TRUE(pressed);
    // The redraw at the next new depth draws the whole Board again and stops showing single steps.
    EXPECT_GE(g.platform.surface.triangles.size(), trianglesAtKey + 6);
    EXPECT_EQ(g.view.m_state.showSteps, 0);
}

// Changed: the messages name the reason and the full path of the folder, the missing folder shows at
// the lock file made first, and the files are made aside, so an earlier log stays as it was when the
// solution file cannot be made. Afterwards the status bar shows the Board's readiness again.
TEST(SearchDriver, CreationFailuresStopBeforeTheSearch) {
    {  // the folder does not exist: the lock file cannot be made
        ViewFixture f;
        testsupport::hexagonBoard(f.doc);
        f.setPieces({dominoPiece("D2", 3)});
        f.view.m_strOutputDir = f.file("missing");
        EXPECT_EQ(f.search().refusal, SearchOutcome::Refusal::CannotWrite);
        ASSERT_EQ(f.platform.messages.size(), 1u);
        EXPECT_EQ(f.lastMessage().text,
                  "Bestand niet te schrijven: map bestaat niet\nMap: " + f.file("missing"));
        EXPECT_EQ(f.lastMessage().caption, f.file("missing/trianzoid0506.lock"));
        EXPECT_EQ(f.lastMessage().icon, MessageIcon::Exclamation);
        EXPECT_EQ(f.view.ViewMode, kEditing);
        EXPECT_EQ(f.platform.panes[0], "Zoeken kan starten");
        f.view.m_strOutputDir = "nog-niet";  // relative: the message gives the whole path
        f.search();
        EXPECT_EQ(f.lastMessage().text, "Bestand niet te schrijven: map bestaat niet\nMap: " +
                                            (std::filesystem::current_path() / "nog-niet").string());
        EXPECT_TRUE(f.view.m_table.records.empty());
        EXPECT_TRUE(f.view.m_state.coveredMask.empty());
    }
    {  // a folder stands where the solution file should be
        ViewFixture f;
        testsupport::hexagonBoard(f.doc);
        f.setPieces({dominoPiece("D2", 3)});
        std::filesystem::create_directory(f.file("trianzoid0506.opb"));
        testsupport::writeText(f.file("trianzoid0506.opl"), "oud");
        EXPECT_EQ(f.search().refusal, SearchOutcome::Refusal::CannotWrite);
        ASSERT_EQ(f.platform.messages.size(), 1u);
        EXPECT_EQ(f.lastMessage().text,
                  "Bestand niet te schrijven: er staat een map met die naam\nMap: " + f.dir.path().string());
        EXPECT_EQ(f.platform.panes[0], "Zoeken kan starten");
        EXPECT_EQ(f.lastMessage().caption, f.file("trianzoid0506.opb"));
        EXPECT_EQ(f.view.ViewMode, kEditing);
        EXPECT_FALSE(f.view.m_logFile.isOpen());
        EXPECT_EQ(readText(f.file("trianzoid0506.opl")), "oud");  // untouched
        EXPECT_EQ(f.view.m_state.solutionCount, 0);
        // Nothing is left but what was there.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.dir.path()), {}), 2);
    }
    {  // another search writes the same files in the folder
        ViewFixture f;
        testsupport::hexagonBoard(f.doc);
        f.setPieces({dominoPiece("D2", 3)});
        OutputLock other;
        ASSERT_EQ(other.acquire(f.file("trianzoid0506.lock")), OutputLock::Result::Locked);
        const SearchOutcome outcome = f.search();
        EXPECT_EQ(outcome.refusal, SearchOutcome::Refusal::OutputInUse);
        ASSERT_EQ(outcome.errors.size(), 1u);
        EXPECT_EQ(f.lastMessage().text, "Zoeken in deze map al bezig (trianzoid0506)");
    }
}

// Changed: the files are made aside and put in place when the search starts, so a link under a file's
// name is replaced like any earlier file instead of being written through; write errors are shown by
// SearchFaults.DiskFullStopsTheSearchAtTheFirstFailedWrite. Interrupted while it is prepared, the
// search leaves the earlier files as they were.
TEST(SearchDriver, EarlierFilesStayUntilTheSearchStarts) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    HexagonSearch f;
    std::filesystem::create_symlink("/dev/full", f.file("trianzoid0506.opb"));
    testsupport::writeText(f.file("trianzoid0506.opl"), "oud");
    f.platform.onPump = [&](long) {
        if (f.view.m_bPreparingSearch) f.view.ViewMode = kInterruptRequested;
    };
    f.search();
    EXPECT_TRUE(f.platform.messages.empty());
    EXPECT_EQ(f.view.ViewMode, kEditing);
    EXPECT_EQ(readText(f.file("trianzoid0506.opl")), "oud");
    EXPECT_TRUE(std::filesystem::is_symlink(f.file("trianzoid0506.opb")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.dir.path()), {}), 2);

    f.platform.onPump = nullptr;
    f.search();
    EXPECT_EQ(f.lastMessage().text, "Aantal oplossingen 12");
    EXPECT_EQ(readBytes(f.file("trianzoid0506.opb")).size(), 12u * 52);
}

TEST(SearchDriver, LongDurationsInTheSummary) {
    ViewFixture f;
    testsupport::hexagonBoard(f.doc);
    f.setPieces({dominoPiece("D2", 1)});
    f.platform.onPump = [&](long) { f.clock.current = 945353109 + 3725; };
    f.search();
    EXPECT_NE(readText(f.view.m_szLogName)
                  .find("Klaar. Duur: 1:02:05, aantal oplossingen 2, op 16-12-1999 15:07:14"),
              std::string::npos);
}

}  // namespace
