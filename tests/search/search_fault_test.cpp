// Faults under a running search: the disk filling up, the output folder removed, and the piece file
// removed or changed after it was read. Nothing of this may crash, and nothing may pass for a complete
// record of the search.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "tests/support/view_fixture.h"

namespace {

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

// A disk that is full after `bytes` bytes of every file: the process's file size limit, with the signal
// that exceeding it raises ignored so that the write fails instead.
class DiskFullAfter {
  public:
    explicit DiskFullAfter(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_old.rlim_max};
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~DiskFullAfter() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    DiskFullAfter(const DiskFullAfter&) = delete;
    DiskFullAfter& operator=(const DiskFullAfter&) = delete;
    bool active() const { return m_active; }

  private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

TEST(SearchFaults, DiskFullMidSearchLeavesAValidPrefixThatCanBeBrowsed) {
    HexagonSearch complete;
    complete.search();
    const auto allSolutions = readBytes(complete.view.m_szSolutionName);
    const auto allLog = readText(complete.view.m_szLogName);
    ASSERT_EQ(allSolutions.size(), 12u * 52);

    HexagonSearch f;
    {
        DiskFullAfter full(300);
        ASSERT_TRUE(full.active());
        f.search();
    }
    // Reported at the end, each file by name, and the count still shown.
    ASSERT_EQ(f.platform.messages.size(), 3u);
    EXPECT_EQ(f.platform.messages[0].text, "Fout bij het schrijven van " + f.file("trianzoid0506.opb"));
    EXPECT_EQ(f.platform.messages[1].text, "Fout bij het schrijven van " + f.file("trianzoid0506.opl"));
    EXPECT_EQ(f.platform.messages[2].text, "Aantal oplossingen 12");
    EXPECT_EQ(f.view.ViewMode, kEditing);
    // What reached the disk is the start of what a complete search writes.
    const auto solutions = readBytes(f.view.m_szSolutionName);
    ASSERT_EQ(solutions.size(), 300u);
    EXPECT_TRUE(std::equal(solutions.begin(), solutions.end(), allSolutions.begin()));
    EXPECT_EQ(allLog.substr(0, 300), readText(f.view.m_szLogName));

    // Five whole solutions (260 bytes) are shown; the cut sixth and the rest draw nothing.
    f.view.OnShowSolutions(true);
    for (int i = 0; i < 4; ++i) f.view.OnNextSolution();
    EXPECT_EQ(f.platform.panes[0], "Oplossing 5/12");
    f.view.OnNextSolution();
    f.view.OnLastSolution();
    EXPECT_EQ(f.platform.panes[0], "Oplossing 5/12");
    EXPECT_EQ(f.view.m_nCurrentSolution, 11);
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
    EXPECT_EQ(f.platform.messages[0].text, "Fout bij het schrijven van " + folder + "/trianzoid0506.opb");
    EXPECT_EQ(f.platform.messages[1].text, "Fout bij het schrijven van " + folder + "/trianzoid0506.opl");
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
