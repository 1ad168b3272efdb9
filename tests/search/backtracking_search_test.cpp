#include <gtest/gtest.h>

#include <algorithm>

#include "search/search_engine.h"
#include "tests/search/search_fixture.h"

namespace {

using searchtest::SearchSetup;
using testsupport::dominoPiece;
using testsupport::monoPiece;
using Solutions = std::vector<std::vector<int>>;

void expectRestored(const SearchSetup& s, const std::vector<int>& copies) {
    for (std::size_t p = 0; p < copies.size(); ++p) EXPECT_EQ(s.pieces.m_pieces[p].copies, copies[p]) << p;
    EXPECT_TRUE(
        std::all_of(s.state.coveredMask.begin(), s.state.coveredMask.end(), [](auto w) { return w == 0; }));
}

TEST(BacktrackingSearch, HexagonWithThreeCopiesFindsEachTilingSixTimesInOrder) {
    SearchSetup s;
    testsupport::hexagonBoard(s.board);
    testsupport::setPieces(s.pieces, {dominoPiece("D2", 3)});
    s.run();
    const Solutions group = {{0, 5, 3}, {0, 5, 3}, {4, 2, 1}, {4, 2, 1}};
    Solutions expected;
    for (int i = 0; i < 3; ++i) expected.insert(expected.end(), group.begin(), group.end());
    EXPECT_EQ(s.hooks.solutions, expected);
    // Two candidates for cell 0, tried once per copy.
    EXPECT_EQ(s.eventCount("first 0% D2"), 6);
    expectRestored(s, {3});
}

TEST(BacktrackingSearch, HexagonWithThreeSlotsOfOneCopyFindsTwelve) {
    SearchSetup s;
    testsupport::hexagonBoard(s.board);
    testsupport::setPieces(s.pieces, {dominoPiece("A ", 1), dominoPiece("B ", 1), dominoPiece("C ", 1)});
    s.run();
    // Slot p owns Placements 6p .. 6p + 5, each slot's six in the order of the single-slot table.
    const Solutions expected = {{0, 11, 15}, {0, 17, 9},  {4, 8, 13}, {4, 14, 7},  {6, 5, 15}, {6, 17, 3},
                                {10, 2, 13}, {10, 14, 1}, {12, 5, 9}, {12, 11, 3}, {16, 2, 7}, {16, 8, 1}};
    EXPECT_EQ(s.hooks.solutions, expected);
    // Progress of the first level: 100 * p / pieceCount.
    EXPECT_EQ(s.eventCount("first 0% A"), 2);
    EXPECT_EQ(s.eventCount("first 33% B"), 2);
    EXPECT_EQ(s.eventCount("first 66% C"), 2);
    expectRestored(s, {1, 1, 1});
}

TEST(BacktrackingSearch, SolutionsWithoutAllCellsOrWithoutAllCopies) {
    {  // no open cell: the first step finds nothing to cover and records a solution of depth 0
        SearchSetup s;
        s.board.m_cells.fill(65);
        testsupport::setPieces(s.pieces, {dominoPiece("D2", 2)});
        s.run();
        EXPECT_EQ(s.hooks.solutions, (Solutions{{}}));
    }
    {  // fewer triangles than cells: a solution as soon as all copies are placed
        SearchSetup s;
        testsupport::hexagonBoard(s.board);
        testsupport::setPieces(s.pieces, {dominoPiece("D2", 1)});
        s.run();
        EXPECT_EQ(s.hooks.solutions, (Solutions{{0}, {4}}));
    }
    {  // more triangles than cells: a solution as soon as the Board is covered, copies left over
        SearchSetup s;
        testsupport::hexagonBoard(s.board);
        testsupport::setPieces(s.pieces, {dominoPiece("D2", 4)});
        s.run();
        ASSERT_EQ(s.hooks.solutions.size(), 48u);  // 4 * 3 * 2 orders of each of the two tilings
        EXPECT_EQ(s.hooks.solutions.front(), (std::vector<int>{0, 5, 3}));
        EXPECT_EQ(s.hooks.solutions.back(), (std::vector<int>{4, 2, 1}));
        expectRestored(s, {4});
    }
    {  // no copies at all: depth 0 is already a solution
        SearchSetup s;
        testsupport::hexagonBoard(s.board);
        testsupport::setPieces(s.pieces, {dominoPiece("D2", 0)});
        s.run();
        EXPECT_EQ(s.hooks.solutions, (Solutions{{}}));
    }
}

TEST(BacktrackingSearch, ChooseCellTakesTheFewestCandidatesAndTheLowestNumberOnTies) {
    SearchSetup s;
    testsupport::hexagonBoard(s.board);
    testsupport::setPieces(s.pieces, {dominoPiece("D2", 3)});
    s.prepare();
    BacktrackingSearch engine = s.engine();
    EXPECT_EQ(engine.chooseCell(), 0);  // all six cells have two candidates
    EXPECT_EQ(s.state.candidateCounts, (std::vector<std::uint16_t>{2, 2, 2, 2, 2, 2}));
    engine.togglePlacement(0, 0);  // cells 0 and 1
    EXPECT_EQ(s.state.coveredMask[0], 0x03u);
    EXPECT_EQ(engine.chooseCell(), 2);  // cells 2 and 3 both have one candidate left
    EXPECT_EQ(s.state.candidateCounts, (std::vector<std::uint16_t>{0, 0, 1, 1, 2, 2}));
    engine.togglePlacement(64, 0);
    engine.togglePlacement(0, 1);  // cells 4 and 5
    EXPECT_EQ(engine.chooseCell(), 2);
    EXPECT_EQ(s.state.candidateCounts, (std::vector<std::uint16_t>{2, 2, 1, 1, 0, 0}));
    engine.togglePlacement(0, 3);  // cells 3 and 4 on top of 4 and 5: exclusive or drops the shared cell 4
    EXPECT_EQ(s.state.coveredMask[0], 0x28u);
}

TEST(BacktrackingSearch, ChooseCellReportsDeadEndsAndACoveredBoard) {
    SearchSetup s;
    // An open cell that no two-triangle piece can reach: (0,0) alone in its corner.
    testsupport::drawBoard(s.board, {".#...", "##...", "#####", "#####", "#####", "#####"});
    testsupport::setPieces(s.pieces, {dominoPiece("D2", 3)});
    s.prepare();
    BacktrackingSearch engine = s.engine();
    EXPECT_EQ(engine.chooseCell(), -1);
    s.run();
    EXPECT_TRUE(s.hooks.solutions.empty());
    EXPECT_EQ(s.eventCount("first"), 0);  // the first step returns without trying any candidate

    SearchSetup full;
    testsupport::hexagonBoard(full.board);
    testsupport::setPieces(full.pieces, {dominoPiece("D2", 3)});
    full.prepare();
    full.state.coveredMask[0] = 0x3F;
    EXPECT_EQ(full.engine().chooseCell(), -2);
}

TEST(BacktrackingSearch, NegativeCopiesCountForCellsButAreNeverPlaced) {
    SearchSetup s;
    testsupport::hexagonBoard(s.board);
    testsupport::setPieces(s.pieces, {dominoPiece("D2", 3), monoPiece("M1", -1)});
    s.prepare();
    EXPECT_EQ(s.state.totalCopies, 2);  // lowered by the negative count
    BacktrackingSearch engine = s.engine();
    EXPECT_EQ(engine.chooseCell(), 0);
    EXPECT_EQ(s.state.candidateCounts, (std::vector<std::uint16_t>{3, 3, 3, 3, 3, 3}));
    engine.run();
    Solutions expected;
    for (int i = 0; i < 3; ++i) {
        expected.push_back({0, 5});
        expected.push_back({0, 5});
        expected.push_back({4, 2});
        expected.push_back({4, 2});
    }
    EXPECT_EQ(s.hooks.solutions, expected);
    expectRestored(s, {3, -1});
}

TEST(BacktrackingSearch, PumpsOnEveryHundredAndFirstStep) {
    SearchSetup s;
    testsupport::drawBoard(s.board,
                           {".........", ".........", ".........", ".........", "#########", "#########"});
    testsupport::setPieces(s.pieces, {dominoPiece("D2", 18)});
    s.prepare();
    s.state.stepCounter = 0;
    s.engine().run();
    ASSERT_GT(s.state.steps, 1000);
    EXPECT_EQ(s.hooks.pumps, s.state.steps / 101);
    EXPECT_EQ(s.state.stepCounter, s.state.steps % 101);
}

TEST(BacktrackingSearch, InterruptUnwindsAndRestoresEveryCounter) {
    SearchSetup s;
    testsupport::drawBoard(s.board,
                           {".........", ".........", ".........", ".........", "#########", "#########"});
    testsupport::setPieces(
        s.pieces, {dominoPiece("D2", 10),
                   testsupport::handPiece("T3", 4, {{{0, 0}, {1, 0}, {2, 0}}, {{1, 0}, {2, 0}, {3, 0}}})});
    s.prepare();
    std::size_t solutionsAtInterrupt = 0;
    long stepsAtInterrupt = 0;
    s.hooks.onPump = [&](long pump) {
        if (pump == 3) {
            s.hooks.interrupt = true;
            solutionsAtInterrupt = s.hooks.solutions.size();
            stepsAtInterrupt = s.state.steps;
        }
    };
    s.engine().run();
    ASSERT_TRUE(s.hooks.interrupt);
    EXPECT_GT(solutionsAtInterrupt, 0u);
    EXPECT_EQ(s.hooks.solutions.size(), solutionsAtInterrupt);  // no solution after the request
    EXPECT_GT(s.state.steps, stepsAtInterrupt);  // the levels on the stack ran their loops to the end
    expectRestored(s, {10, 4});
    EXPECT_EQ(s.state.showSteps, 0);
}

TEST(BacktrackingSearch, InterruptStillShowsEachRemainingFirstCandidate) {
    SearchSetup s;
    testsupport::hexagonBoard(s.board);
    testsupport::setPieces(s.pieces, {dominoPiece("D2", 3)});
    s.prepare();
    s.hooks.onSolution = [&](int) { s.hooks.interrupt = true; };
    s.engine().run();
    EXPECT_EQ(s.hooks.solutions, (Solutions{{0, 5, 3}}));
    EXPECT_EQ(s.eventCount("first 0% D2"), 6);  // every depth-0 candidate is still placed and taken away
    expectRestored(s, {3});
}

TEST(BacktrackingSearch, SkipToNextFirstAbandonsTheCurrentFirstPlacement) {
    SearchSetup s;
    testsupport::hexagonBoard(s.board);
    testsupport::setPieces(s.pieces, {dominoPiece("D2", 3)});
    s.prepare();
    s.hooks.onSolution = [&](int count) {
        if (count == 1) s.state.skipToNextFirst = 1;
    };
    s.engine().run();
    // After the first solution the rest under Placement 0 is abandoned; the search goes on with the
    // next candidate for cell 0 (Placement 4), and then with the further runs of the copies.
    const Solutions expected = {{0, 5, 3}, {4, 2, 1}, {4, 2, 1}, {0, 5, 3}, {0, 5, 3}, {4, 2, 1},
                                {4, 2, 1}, {0, 5, 3}, {0, 5, 3}, {4, 2, 1}, {4, 2, 1}};
    EXPECT_EQ(s.hooks.solutions, expected);
    EXPECT_EQ(s.state.skipToNextFirst, 0);
    expectRestored(s, {3});
}

TEST(BacktrackingSearch, SkipSetBetweenFirstCandidatesPlacesTheNextWithoutDescending) {
    SearchSetup s;
    testsupport::hexagonBoard(s.board);
    testsupport::setPieces(s.pieces, {dominoPiece("D2", 1)});
    s.prepare();
    // The status call before the second depth-0 candidate sets the flag, as a pumped command would.
    struct Hooks : searchtest::RecordingHooks {
        SearchState* target = nullptr;
        int firsts = 0;
        void showFirstPieceStatus(int percent, const Piece& piece) override {
            RecordingHooks::showFirstPieceStatus(percent, piece);
            if (++firsts == 2) target->skipToNextFirst = 1;
        }
    } hooks;
    hooks.state = &s.state;
    hooks.target = &s.state;
    BacktrackingSearch(s.table, s.index.freeCellCount, s.state, s.pieces.m_pieces, hooks).run();
    EXPECT_EQ(hooks.solutions, (Solutions{{0}}));
    EXPECT_EQ(s.state.skipToNextFirst, 0);
}

TEST(BacktrackingSearch, StepsAreDrawnOnlyWhileShownAndANewDepthRedraws) {
    SearchSetup s;
    testsupport::hexagonBoard(s.board);
    testsupport::setPieces(s.pieces, {dominoPiece("D2", 1), dominoPiece("E2", 2)});
    s.prepare();
    s.state.showSteps = 1;
    s.hooks.onSolution = [&](int count) {
        if (count == 1) s.hooks.interrupt = true;
    };
    s.engine().run();
    // Depth 0 places Placement 0 of piece 0 drawn with value 0; depth 1 is new, so it redraws and
    // stops showing steps; from then on nothing is drawn cell by cell.
    ASSERT_GE(s.hooks.events.size(), 3u);
    EXPECT_EQ(s.hooks.events[0], "first 0% D2");
    EXPECT_EQ(s.hooks.events[1], "draw 0 0");
    EXPECT_EQ(s.hooks.events[2], "depth 1");
    EXPECT_EQ(s.eventCount("draw"), 1);

    s.hooks.events.clear();
    s.hooks.interrupt = false;
    s.hooks.onSolution = nullptr;
    s.state.shownDepth = 99;  // nothing new to redraw: keep showing steps
    s.state.showSteps = 1;
    BacktrackingSearch engine = s.engine();
    engine.togglePlacement(1, 7);
    engine.togglePlacement(64, 7);
    EXPECT_EQ(s.hooks.events, (std::vector<std::string>{"draw 1 7", "draw 64 7"}));
}

TEST(BacktrackingSearch, DepthIsNotLimitedToAThousand) {
    // A step entered at depth 1500 (as on a Board of more than a thousand open cells with as many
    // copies) stores its Placements beyond any fixed capacity.
    SearchSetup s;
    testsupport::hexagonBoard(s.board);
    testsupport::setPieces(s.pieces, {dominoPiece("D2", 3)});
    s.prepare();
    s.state.totalCopies = 1502;
    s.state.shownDepth = 1500;
    s.engine().searchStep(1500);
    ASSERT_EQ(s.hooks.solutions.size(), 12u);
    ASSERT_EQ(s.hooks.solutions[0].size(), 1502u);
    EXPECT_EQ(s.hooks.solutions[0][1500], 0);
    EXPECT_EQ(s.hooks.solutions[0][1501], 5);
    EXPECT_EQ(s.hooks.solutions[2][1500], 4);
    EXPECT_EQ(s.hooks.solutions[2][1501], 2);
    EXPECT_EQ(s.state.shownDepth, 1502);
    expectRestored(s, {3});
}

TEST(SearchEngine, BothKindsRunTheReferenceSearch) {
    for (EngineKind kind : {EngineKind::Reference, EngineKind::Fast}) {
        SearchSetup s;
        testsupport::hexagonBoard(s.board);
        testsupport::setPieces(s.pieces, {dominoPiece("D2", 3)});
        s.prepare();
        auto engine =
            makeSearchEngine(kind, s.table, s.index.freeCellCount, s.state, s.pieces.m_pieces, s.hooks);
        ASSERT_NE(engine, nullptr);
        engine->run();
        EXPECT_EQ(s.hooks.solutions.size(), 12u);
    }
}

}  // namespace
