// Inputs the fuzzers found, kept as cases of their own.
#include <gtest/gtest.h>

#include <climits>

#include "tests/view/view_fixture.h"

namespace {

using testsupport::ViewFixture;

// A piece file whose copies run on through column 8 gives a single triangle 2147483647 copies. The
// interrupt then has to end the search although every level would repeat its scan that often.
TEST(FuzzRegression, InterruptEndsASearchWithAHugeCopiesCount) {
    for (const EngineKind engine : {EngineKind::Fast, EngineKind::Reference}) {
        ViewFixture f;
        testsupport::hexagonBoard(f.doc);
        testsupport::writeText(f.file("stukken.tzp"), "   11111111111112111)3  4 ");
        f.view.ReadPieceFile(f.file("stukken.tzp"));
        ASSERT_EQ(f.doc.m_nPieces, 1);
        ASSERT_EQ(f.doc.m_pieces[0].copies, INT_MAX);
        ASSERT_EQ(f.doc.m_pieces[0].triangleCount, 1);
        f.view.m_engineKind = engine;
        f.platform.onPump = [&](long) {
            if (f.view.ViewMode == kSearching && f.view.m_state.solutionCount == 1)
                f.view.ViewMode = kInterruptRequested;
        };
        f.platform.defaultAnswer = MessageAnswer::Yes;
        f.search();
        // One step per depth down to the covered hexagon, and not one more.
        EXPECT_EQ(f.view.m_state.steps, 7);
        EXPECT_EQ(f.view.m_state.solutionCount, 1);
        EXPECT_EQ(f.lastMessage().caption, "Onderbroken");
        EXPECT_EQ(f.doc.m_pieces[0].copies, INT_MAX);
    }
}

// With the counts the pieces dialog allows, the levels still on the stack run their scans to the end
// after an interrupt, each copy again.
TEST(FuzzRegression, EditableCountsStillUnwindEveryRun) {
    for (const EngineKind engine : {EngineKind::Fast, EngineKind::Reference}) {
        ViewFixture f;
        testsupport::hexagonBoard(f.doc);
        f.setPieces({testsupport::monoPiece("M1", kMaxEditableCopies)});
        f.view.m_engineKind = engine;
        f.platform.onPump = [&](long) {
            if (f.view.ViewMode == kSearching && f.view.m_state.solutionCount == 1)
                f.view.ViewMode = kInterruptRequested;
        };
        f.platform.defaultAnswer = MessageAnswer::Yes;
        f.search();
        // Depths 0 .. 6, then depths 1 .. 6 each run their scan 63 - depth + 1 times in all: the
        // run that led to the solution and the repetitions, every one a step that returns at once.
        long expected = 7;
        for (int depth = 0; depth < 6; ++depth) expected += kMaxEditableCopies - depth - 1;
        EXPECT_EQ(f.view.m_state.steps, expected);
        EXPECT_EQ(f.view.m_state.solutionCount, 1);
    }
}

}  // namespace
