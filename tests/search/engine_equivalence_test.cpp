// The incremental engine must behave exactly like the plain one: the same cells chosen, the same
// candidates in the same order, the same hook calls at the same points. These tests run both on many
// random problems and compare the complete sequence of what they tell their hooks.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "pieces/orientations.h"
#include "search/backtracking_search.h"
#include "search/incremental_search.h"

namespace {

struct Problem {
    Board board;
    PieceSet pieces;
    int spareCells = 0;  // > 0: packings
};

// Logs every hook call, and acts like a user at scripted pumps: a key press (steps shown), "next
// first", an interrupt.
class ScriptedHooks : public SearchHooks {
  public:
    ScriptedHooks(SearchState& state, long keyAt, long skipAt, long interruptAt)
        : m_state(state), m_keyAt(keyAt), m_skipAt(skipAt), m_interruptAt(interruptAt) {}

    void pumpMessages() override {
        ++m_pumps;
        log << "pump\n";
        if (m_pumps == m_keyAt) m_state.shownDepth = 0, m_state.showSteps = 1 - m_state.showSteps;
        if (m_pumps == m_skipAt) m_state.skipToNextFirst = 1;
        if (m_pumps == m_interruptAt) m_interrupted = true;
    }
    // A run stops itself after a bounded number of events, at the same point for both engines, so that
    // problems with many solutions stay quick.
    bool interruptRequested() override { return m_interrupted || ++m_events > kEventLimit; }
    void onNewDepth(int depth) override { log << "depth " << depth << "\n"; }
    void drawPlacement(int value, int placement) override {
        log << "draw " << value << " " << placement << "\n";
    }
    void recordSolution(int depth) override {
        ++solutions;
        log << "solution";
        for (int d = 0; d < depth; ++d) log << " " << m_state.chosenPlacement[static_cast<std::size_t>(d)];
        log << "\n";
        pumpMessages();  // the recording pumps too
    }
    void showFirstPieceStatus(int percent, const Piece& piece) override {
        log << "first " << percent << " " << labelText(piece) << "\n";
        pumpMessages();
    }

    std::ostringstream log;
    int solutions = 0;

  private:
    SearchState& m_state;
    static constexpr long kEventLimit = 3000;
    long m_pumps = 0;
    long m_events = 0;
    long m_keyAt, m_skipAt, m_interruptAt;
    bool m_interrupted = false;
};

Problem randomProblem(std::mt19937& random, int maxWidth = 5, int maxHeight = 6, int maxPieces = 5) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    Problem problem;
    Board& board = problem.board;
    board.m_nWidth = pick(3, maxWidth);
    board.m_nHeight = 2 * pick(1, maxHeight / 2);
    const int blockedPercent = pick(0, 40);
    for (int c = 0; c < board.rowLength(); ++c)
        for (int r = 0; r < board.m_nHeight; ++r)
            if (pick(1, 100) <= blockedPercent) board.cell(c, r) = static_cast<std::uint8_t>(pick(65, 69));

    PieceSet& set = problem.pieces;
    set.m_nPieces = pick(1, maxPieces);
    for (int p = 0; p < set.m_nPieces; ++p) {
        Piece piece;
        piece.label[0] = static_cast<char>('A' + p);
        piece.label[1] = '1';
        piece.triangleCount = pick(1, 5);
        for (int j = 0; j + 1 < piece.triangleCount; ++j)
            piece.links[j] = {static_cast<std::uint8_t>(pick(0, j)), static_cast<std::uint8_t>(pick(0, 2))};
        GenerateOrientations(piece);
        piece.colorNumber = p;
        piece.copies = pick(-1, 2);
        if (pick(0, 3) == 0) piece.participates[pick(0, piece.orientationCount - 1)] = 0;
        set.m_pieces[static_cast<std::size_t>(p)] = piece;
    }
    set.m_nPieceTriangles = 1;
    return problem;
}

struct Run {
    std::string log;
    std::vector<std::uint32_t> coveredMask;
    std::vector<int> copies;
    long long steps;
};

// The fast engine in each of its forms: live-row array; bit sets with the default renumbering; bit sets
// renumbered at every chance, with plain word operations, and counted eight cells at a time (with the
// widest vectors the processor has, and with 256-bit ones) and renumbered by bit extraction where the
// processor has it.
enum class Engine { Plain, LiveRows, BitParallel, FramesScalar, FramesVector, FramesVector256 };

Run runEngine(Engine engine, const Problem& problem, long keyAt, long skipAt, long interruptAt) {
    FreeCellIndex index;
    const int cells = numberFreeCells(index, problem.board);
    PlacementTable table;
    buildPlacementTable(table, index, problem.pieces, problem.board.rowLength(), problem.board.m_nHeight);
    PieceSet pieces = problem.pieces;
    SearchState state;
    state.coveredMask.assign(static_cast<std::size_t>(wordsPerMaskFor(cells)), 0);
    state.candidateCounts.assign(static_cast<std::size_t>(cells), 0);
    state.pieceCount = pieces.m_nPieces;
    for (int p = 0; p < pieces.m_nPieces; ++p)
        state.totalCopies += pieces.m_pieces[static_cast<std::size_t>(p)].copies;
    state.spareCells = problem.spareCells;
    ScriptedHooks hooks(state, keyAt, skipAt, interruptAt);
    std::span<Piece> slots(pieces.m_pieces);
    if (engine == Engine::Plain) {
        BacktrackingSearch(table, cells, state, slots, hooks).run();
    } else {
        IncrementalSearch::Form form;
        form.bitParallel = engine != Engine::LiveRows;
        form.vectorBits = engine == Engine::FramesScalar ? 0 : engine == Engine::FramesVector256 ? 256 : 512;
        form.bitExtract = engine != Engine::FramesScalar;
        if (engine == Engine::FramesScalar || engine == Engine::FramesVector ||
            engine == Engine::FramesVector256)
            form.frameWords = 2;
        IncrementalSearch(table, cells, state, slots, hooks, form).run();
    }
    Run run{hooks.log.str(), state.coveredMask, {}, state.steps};
    for (const Piece& piece : pieces.m_pieces) run.copies.push_back(piece.copies);
    return run;
}

void expectSameBehaviour(const Problem& problem, long keyAt, long skipAt, long interruptAt, int seed) {
    const Run plain = runEngine(Engine::Plain, problem, keyAt, skipAt, interruptAt);
    for (Engine engine : {Engine::LiveRows, Engine::BitParallel, Engine::FramesScalar, Engine::FramesVector,
                          Engine::FramesVector256}) {
        const Run fast = runEngine(engine, problem, keyAt, skipAt, interruptAt);
        ASSERT_EQ(plain.log, fast.log) << "seed " << seed;
        EXPECT_EQ(plain.coveredMask, fast.coveredMask) << "seed " << seed;
        EXPECT_EQ(plain.copies, fast.copies) << "seed " << seed;
        EXPECT_EQ(plain.steps, fast.steps) << "seed " << seed;
        // Whatever happened, the counters are back where they started.
        for (std::size_t p = 0; p < plain.copies.size(); ++p)
            EXPECT_EQ(fast.copies[p], problem.pieces.m_pieces[p].copies) << "seed " << seed;
        for (auto word : fast.coveredMask) EXPECT_EQ(word, 0u) << "seed " << seed;
    }
}

TEST(EngineEquivalence, RandomProblemsUndisturbed) {
    for (int seed = 1; seed <= 200; ++seed) {
        std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
        expectSameBehaviour(randomProblem(random), -1, -1, -1, seed);
    }
}

TEST(EngineEquivalence, RandomProblemsWithKeysSkipsAndInterrupts) {
    for (int seed = 1; seed <= 200; ++seed) {
        std::mt19937 random(static_cast<std::mt19937::result_type>(seed * 7919));
        const Problem problem = randomProblem(random);
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
        expectSameBehaviour(problem, pick(1, 20), pick(1, 30), pick(0, 3) == 0 ? pick(1, 60) : -1, seed);
    }
}

// Boards of a few hundred cells: tables of many words, renumbered several times down a path, and
// counted eight cells at a time over more live words than a byte count holds.
TEST(EngineEquivalence, LargerRandomProblems) {
    for (int seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(static_cast<std::mt19937::result_type>(seed * 104729));
        expectSameBehaviour(randomProblem(random, 8, 8, 12), -1, -1, -1, seed);
    }
}

// Wide open boards with thousands of Placements: near the top of the tree a cell is counted over more
// live words than one round of byte counts can hold.
TEST(EngineEquivalence, WideOpenBoards) {
    for (int seed = 1; seed <= 3; ++seed) {
        std::mt19937 random(static_cast<std::mt19937::result_type>(seed * 7919));
        Problem problem = randomProblem(random, 3, 2, 12);
        problem.board.m_nWidth = 9;
        problem.board.m_nHeight = 16;
        for (int c = 0; c < problem.board.rowLength(); ++c)
            for (int r = 0; r < problem.board.m_nHeight; ++r) problem.board.cell(c, r) = 64;
        for (int p = 0; p < problem.pieces.m_nPieces; ++p)
            problem.pieces.m_pieces[static_cast<std::size_t>(p)].copies = 2;
        expectSameBehaviour(problem, -1, -1, -1, seed);
    }
}

// Packings of random problems whose pieces leave cells over, with keys, skips and interrupts.
TEST(EngineEquivalence, PackingsLeaveCellsOpen) {
    int packings = 0;
    for (int seed = 1; seed <= 300 && packings < 120; ++seed) {
        std::mt19937 random(static_cast<std::mt19937::result_type>(seed * 31337));
        Problem problem = randomProblem(random);
        int triangles = 0;
        for (const Piece& piece : problem.pieces.m_pieces)
            triangles += std::max(piece.copies, 0) * piece.triangleCount;
        problem.spareCells = problem.board.CountOpenCells().total - triangles;
        if (problem.spareCells <= 0) continue;
        ++packings;
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
        if (seed % 2 == 0)
            expectSameBehaviour(problem, -1, -1, -1, seed);
        else
            expectSameBehaviour(problem, pick(1, 20), pick(1, 30), pick(0, 3) == 0 ? pick(1, 60) : -1, seed);
    }
    EXPECT_EQ(packings, 120);
}

TEST(EngineEquivalence, TheHexagonExampleAndSpareCells) {
    Problem hexagon;
    hexagon.board.m_cells.fill(65);
    for (auto [c, r] : {std::pair{1, 0}, {2, 0}, {3, 0}, {1, 1}, {2, 1}, {3, 1}})
        hexagon.board.cell(c, r) = 64;
    hexagon.pieces.m_nPieces = 1;
    Piece two;
    two.triangleCount = 2;
    two.links[0] = {0, 0};
    GenerateOrientations(two);
    two.copies = 3;
    hexagon.pieces.m_pieces[0] = two;
    expectSameBehaviour(hexagon, -1, -1, -1, 0);

    Problem parallelogram;
    parallelogram.board.m_nWidth = 3;
    parallelogram.board.m_nHeight = 4;
    parallelogram.pieces.m_nPieces = 2;
    two.copies = 2;
    parallelogram.pieces.m_pieces[0] = two;
    Piece three;
    three.triangleCount = 3;
    three.links[0] = {0, 0};
    three.links[1] = {1, 2};
    GenerateOrientations(three);
    three.copies = 2;
    parallelogram.pieces.m_pieces[1] = three;
    expectSameBehaviour(parallelogram, -1, -1, -1, 0);
}

}  // namespace
