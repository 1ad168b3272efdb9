#include <gtest/gtest.h>

#include "tests/view/view_fixture.h"

namespace {

using testsupport::dominoPiece;
using testsupport::readBytes;
using testsupport::readText;

// The view in the middle of a search on the hexagon Board, its files open, with a hand-made table.
struct Recorder : testsupport::ViewFixture {
    Recorder() {
        testsupport::hexagonBoard(doc);
        setPieces({dominoPiece("A1", 1), dominoPiece("B2", 1), dominoPiece("C3", 1)});
        view.m_nSearchRowLength = 5;
        view.m_nSearchHeight = 6;
        view.ViewMode = kSearching;
        view.searchStartTime = clock.current;
        view.m_logFile.create(file("t.opl"));
        view.m_solutionFile.create(file("t.opb"));
        // The first hexagon tiling: A1 on cells 0, 1; B2 on 2, 5; C3 on 3, 4.
        view.m_table.records = {{0, 0, 0, 0}, {1, 2, 2, 0}, {2, 1, 1, 1}};
        view.m_state.chosenPlacement = {0, 1, 2};
    }
    std::string log() {
        view.m_logFile.close();
        return readText(file("t.opl"));
    }
    std::vector<std::uint8_t> opb() {
        view.m_solutionFile.close();
        return readBytes(file("t.opb"));
    }
};

const std::string kBlankRows = "               \r\n               \r\n               \r\n               \r\n";

TEST(RecordSolution, NormalModeDrawsWritesBothFilesAndBeeps) {
    Recorder f;
    f.view.RecordSolution(3);
    EXPECT_EQ(f.view.m_state.solutionCount, 1);
    EXPECT_EQ(f.view.m_nSolutionPieces, 3);
    // Drawing stored the colour numbers into the Board.
    EXPECT_EQ(f.doc.cell(1, 0), 0);
    EXPECT_EQ(f.doc.cell(3, 1), 1);
    EXPECT_EQ(f.doc.cell(2, 1), 2);
    EXPECT_EQ(f.log(), "Oplossing 1\r\n\r\n   A1 A1 B2    \r\n   C3 C3 B2    \r\n" + kBlankRows + "\r\n");
    EXPECT_EQ(f.opb(), (std::vector<std::uint8_t>{3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                  0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,
                                                  2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(f.platform.beeps, (std::vector<BeepSound>{BeepSound::Default}));
    EXPECT_EQ(f.platform.paneHistory0,
              (std::vector<std::string>{"Oplossing 1 na 0:00:00", "Oplossing 1 na 0:00:00",
                                        "Zoeken bezig, aantal oplossingen 1"}));
    EXPECT_EQ(f.platform.pumps, 2);
    EXPECT_EQ(f.platform.keyWaits, 0);
}

TEST(RecordSolution, ElapsedTimeAndGrowingFiles) {
    Recorder f;
    f.clock.current += 3723;
    f.view.RecordSolution(3);
    EXPECT_EQ(f.platform.paneHistory0.front(), "Oplossing 1 na 1:02:03");
    f.clock.current = f.view.searchStartTime + 100 * 3600;
    f.view.RecordSolution(3);
    EXPECT_EQ(f.platform.paneHistory0[3], "Oplossing 2 na 100:00:00");
    EXPECT_EQ(f.opb().size(), 2u * 52);
    EXPECT_NE(f.log().find("Oplossing 2\r\n\r\n"), std::string::npos);
}

// The grid shows the solution's pieces alone. (These cases asserted the colours that earlier drawing
// left in cells the solution does not cover, and a label looked up for them, until that was mended.)
TEST(RecordSolution, GridShowsTheSolutionAloneLabelledByFirstColourNumberMatch) {
    Recorder f;
    f.doc.cell(2, 0) = 1;  // a colour number left by earlier drawing
    f.view.RecordSolution(0);
    EXPECT_EQ(f.opb(), (std::vector<std::uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(f.log(), "Oplossing 1\r\n\r\n               \r\n               \r\n" + kBlankRows + "\r\n");

    f.view.m_logFile.create(f.file("t2.opl"));
    f.view.m_solutionFile.create(f.file("t2.opb"));  // opb() closed the first
    f.doc.m_pieces[1].colorNumber = 0;               // B2 shares A1's colour: prints as A1
    f.doc.m_pieces[2].label[1] = '\0';               // a one-character label
    f.doc.m_pieces[2].colorNumber = 7;
    f.view.RecordSolution(3);
    f.view.m_logFile.close();
    EXPECT_EQ(readText(f.file("t2.opl")),
              "Oplossing 2\r\n\r\n   A1 A1 A1    \r\n   C C A1    \r\n" + kBlankRows + "\r\n");
}

TEST(RecordSolution, LetterModeWritesOneLineAndNothingElse) {
    Recorder f;
    f.view.m_bLetterSolution = true;
    // Slots 0, 2 and 0 in depth order.
    f.view.m_table.records = {{0, 0, 0, 0}, {2, 1, 1, 1}};
    f.view.m_state.chosenPlacement = {0, 1, 0};
    f.view.RecordSolution(3);
    EXPECT_EQ(f.view.m_state.solutionCount, 1);
    EXPECT_EQ(f.view.m_nSolutionPieces, 3);
    f.view.RecordSolution(0);
    EXPECT_EQ(f.log(), "5 ACA\r\n0 \r\n");
    EXPECT_TRUE(f.opb().empty());
    EXPECT_TRUE(f.platform.beeps.empty());
    EXPECT_EQ(f.platform.pumps, 0);
    EXPECT_EQ(f.platform.paneHistory0,
              (std::vector<std::string>{"Oplossing 1 na 0:00:00", "Oplossing 2 na 0:00:00"}));
    EXPECT_EQ(f.doc.cell(1, 0), 64);  // nothing drawn
}

TEST(RecordSolution, LetterModeSlot63IsTheSignBit) {
    Recorder f;
    f.view.m_bLetterSolution = true;
    f.view.m_table.records = {{63, 0, 0, 0}, {26, 0, 0, 0}};
    f.view.m_state.chosenPlacement = {0, 1};
    f.view.RecordSolution(2);
    EXPECT_EQ(f.log(), "-9223372036787666944 \x80[\r\n");
}

TEST(RecordSolution, SoundOffAndWaitingForAKey) {
    {
        Recorder f;
        f.view.m_bSound = false;
        f.view.m_state.waitForKey = true;
        f.platform.keyPresses = {KeyCode::Up};
        f.view.RecordSolution(3);
        EXPECT_TRUE(f.platform.beeps.empty());
        EXPECT_EQ(f.platform.keyWaits, 1);
        EXPECT_EQ(f.view.ViewMode, kSearching);
        EXPECT_EQ(f.platform.paneHistory0,
                  (std::vector<std::string>{"Oplossing 1 na 0:00:00", "Oplossing 1 na 0:00:00, toets iets...",
                                            "Zoeken hervat, aantal oplossingen 1"}));
    }
    {
        Recorder f;
        f.view.m_state.waitForKey = true;
        f.view.m_state.showSteps = 1;
        f.platform.keyPresses = {KeyCode::Escape};
        f.view.RecordSolution(3);
        EXPECT_EQ(f.view.ViewMode, kInterruptRequested);
        EXPECT_EQ(f.platform.panes[0], "Oplossing 1 na 0:00:00, toets iets...");
        EXPECT_EQ(f.view.m_state.showSteps, 0);
    }
}

TEST(SearchWithWaiting, EscapeAtTheSecondSolutionInterrupts) {
    testsupport::ViewFixture f;
    testsupport::hexagonBoard(f.doc);
    f.setPieces({dominoPiece("D2", 3)});
    f.platform.keyPresses = {KeyCode::Left, KeyCode::Escape};
    f.search(true);
    EXPECT_EQ(f.view.m_state.solutionCount, 2);
    EXPECT_EQ(f.platform.keyWaits, 2);
    EXPECT_EQ(f.lastMessage().caption, "Onderbroken");
    EXPECT_EQ(f.lastMessage().text, "Aantal oplossingen 2");
    EXPECT_EQ(readBytes(f.view.m_szSolutionName).size(), 2u * 52);
    EXPECT_EQ(f.doc.m_pieces[0].copies, 3);
}

TEST(SearchWithWaiting, LetterModeSearchNeverWaitsAndLeavesAnEmptySolutionFile) {
    testsupport::ViewFixture f;
    testsupport::hexagonBoard(f.doc);
    f.setPieces({dominoPiece("A1", 1), dominoPiece("B2", 1), dominoPiece("C3", 1)});
    f.view.m_bLetterSolution = true;
    f.search(true);
    EXPECT_EQ(f.view.m_state.solutionCount, 12);
    EXPECT_EQ(f.platform.keyWaits, 0);
    EXPECT_TRUE(readBytes(f.view.m_szSolutionName).empty());
    const std::string log = readText(f.view.m_szLogName);
    EXPECT_NE(log.find("vakjes 6.\r\n\r\n7 ABC\r\n7 ACB\r\n7 ABC\r\n7 ACB\r\n7 BAC\r\n"), std::string::npos);
}

}  // namespace
