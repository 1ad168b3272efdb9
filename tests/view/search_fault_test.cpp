// Faults under a running search: the disk filling up, the output folder removed, and the piece file
// removed or changed after it was read. Nothing of this may crash, and nothing may pass for a complete
// record of the search.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/view/view_fixture.h"

namespace {

using testsupport::DiskFullAfter;
using testsupport::dominoPiece;
using testsupport::readBytes;
using testsupport::readText;
using testsupport::ViewFixture;

// The hexagon with three one-copy slots of the two-triangle piece: 12 solutions of 3 Placements.
struct HexagonSearch : ViewFixture {
    HexagonSearch() {
        testsupport::hexagonBoard(doc);
        setPieces({dominoPiece("A1", 1), dominoPiece("B2", 1), dominoPiece("C3", 1)});
    }
};

// Changed: a failed write used to be reported only after the whole search, under "Klaar", with a cut
// record in the middle of the file. Now the first failed write stops the search as an interrupt does,
// the files end at their last whole record, and the messages and the summary say why.
TEST(SearchFaults, DiskFullStopsTheSearchAtTheFirstFailedWrite) {
    HexagonSearch complete;
    complete.search();
    const auto allSolutions = readBytes(complete.view.m_szSolutionName);
    const auto allLog = readText(complete.view.m_szLogName);
    ASSERT_EQ(allSolutions.size(), 12u * 52);

    HexagonSearch f;
    f.view.m_solutionFile.setFlushSize(1);  // every solution goes to the disk at once; the log at the end
    {
        DiskFullAfter full(300);
        ASSERT_TRUE(full.active());
        const SearchOutcome outcome = f.search();
        EXPECT_EQ(outcome.end, SearchOutcome::End::WriteFailed);
        EXPECT_EQ(outcome.solutions, 5);
        EXPECT_EQ(outcome.errors.size(), 2u);
    }
    ASSERT_EQ(f.platform.messages.size(), 3u);
    EXPECT_EQ(f.platform.messages[0].text,
              "Fout bij het schrijven van " + f.file("trianzoid0506.opb") + ": bestand te groot");
    EXPECT_EQ(f.platform.messages[1].text,
              "Fout bij het schrijven van " + f.file("trianzoid0506.opl") + ": bestand te groot");
    EXPECT_EQ(f.platform.messages[2].text, "Aantal oplossingen 5");
    EXPECT_EQ(f.platform.messages[2].caption, "Schrijffout");
    EXPECT_EQ(f.view.ViewMode, kEditing);
    EXPECT_LT(f.view.m_state.steps, complete.view.m_state.steps);
    // Five whole solutions (260 bytes), the start of what a complete search writes; the log's 300
    // bytes are cut back to its header and first solution.
    const auto solutions = readBytes(f.view.m_szSolutionName);
    ASSERT_EQ(solutions.size(), 260u);
    EXPECT_TRUE(std::equal(solutions.begin(), solutions.end(), allSolutions.begin()));
    EXPECT_EQ(readText(f.view.m_szLogName), allLog.substr(0, allLog.find("Oplossing 2\r\n")));

    f.view.OnShowSolutions(true);
    f.view.OnLastSolution();
    EXPECT_EQ(f.platform.panes[0], "Oplossing 5/5");
}

TEST(SearchFaults, OutputFolderRemovedDuringTheSearchIsNotSuccess) {
    HexagonSearch f;
    const std::string folder = f.file("uit");
    std::filesystem::create_directory(folder);
    f.view.m_strOutputDir = folder;
    f.platform.onPump = [&](long) {
        if (f.view.m_state.solutionCount == 1) std::filesystem::remove_all(folder);
    };
    f.search();
    ASSERT_EQ(f.platform.messages.size(), 3u);
    EXPECT_EQ(f.platform.messages[0].text,
              "Fout bij het schrijven van " + folder + "/trianzoid0506.opb: map bestaat niet");
    EXPECT_EQ(f.platform.messages[1].text,
              "Fout bij het schrijven van " + folder + "/trianzoid0506.opl: map bestaat niet");
    EXPECT_EQ(f.platform.messages[2].text, "Aantal oplossingen 12");
    EXPECT_EQ(f.platform.messages[2].caption, "Klaar");
    EXPECT_EQ(f.view.ViewMode, kEditing);
    EXPECT_FALSE(f.view.m_solutionFile.isOpen());

    // The display then reports the missing file once.
    f.view.OnShowSolutions(false);
    ASSERT_EQ(f.platform.messages.size(), 4u);
    EXPECT_EQ(f.lastMessage().text, "Oplossingenbestand is er niet");
}

TEST(SearchFaults, TheSearchUsesThePiecesInMemoryWhateverHappensToTheFile) {
    for (const bool removed : {true, false}) {
        ViewFixture f;
        testsupport::hexagonBoard(f.doc);
        const std::string pieceFile = f.file("domino.tzp");
        testsupport::writeText(pieceFile, "A1   1 2 0R\nB2   1 2 0L\nC3   1 2 0O\n");
        f.doc.m_szPieceFile = pieceFile;
        f.view.OnInitialUpdate(f.file("veld.trz"));
        ASSERT_EQ(f.doc.m_nPieces, 3);

        if (removed)
            std::filesystem::remove(pieceFile);
        else
            testsupport::writeText(pieceFile, "kapot\n");
        f.search();
        ASSERT_EQ(f.platform.messages.size(), 1u) << removed;
        EXPECT_EQ(f.lastMessage().text, "Aantal oplossingen 12");
        EXPECT_EQ(f.doc.m_nPieces, 3);
        EXPECT_EQ(readBytes(f.view.m_szSolutionName).size(), 12u * 52);
        EXPECT_NE(readText(f.view.m_szLogName)
                      .find("Trianzoidbestand " + pieceFile +
                            ".\r\nAantal trianzoids 3, "
                            "driehoeken 6, vakjes 6."),
                  std::string::npos);
    }
}

}  // namespace
