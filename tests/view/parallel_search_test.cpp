// A search on several threads must write exactly the files of the search on one: the same solutions,
// numbers and order, and the same grids, which show each solution's pieces alone.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <list>
#include <random>
#include <thread>

#include "pieces/orientations.h"
#include "search/incremental_search.h"
#include "search/parallel_search.h"
#include "search/part_file.h"
#include "search/search_events.h"
#include "search/shard_search.h"
#include "tests/view/view_fixture.h"

namespace {

using testsupport::readBytes;
using testsupport::ViewFixture;

Piece chainPiece(const std::string& label, int copies, const std::vector<PieceLink>& links) {
    Piece piece;
    piece.label[0] = label[0];
    piece.label[1] = label[1];
    piece.triangleCount = static_cast<int>(links.size()) + 1;
    for (std::size_t t = 0; t < links.size(); ++t) piece.links[t] = links[t];
    GenerateOrientations(piece);
    piece.copies = copies;
    return piece;
}

struct Files {
    std::vector<std::uint8_t> opb;
    std::vector<std::uint8_t> opl;
    std::int64_t solutions = 0;
    long long steps = 0;
};

// One search of the problem in `setUp` on `threads` threads (1: the single-threaded engine).
template <class SetUp>
Files searchWith(int threads, const SetUp& setUp, std::function<void(ViewFixture&)> during = {}) {
    ViewFixture f;
    setUp(f);
    f.platform.defaultAnswer = MessageAnswer::Yes;  // whatever the checkerboard test says
    if (threads > 1)
        f.view.m_engineFactory = [threads](const PlacementTable& table, int cells, SearchState& state,
                                           std::span<Piece> pieces, SearchHooks& hooks) {
            return makeParallelSearch(threads, table, cells, state, pieces, hooks);
        };
    if (during) during(f);
    f.search();
    return {readBytes(f.view.m_szSolutionName), readBytes(f.view.m_szLogName), f.view.m_state.solutionCount,
            f.view.m_state.steps};
}

// 36 open cells and pieces of 11 triangles in all: every solution leaves cells uncovered.
void spareTriangles(ViewFixture& f) {
    f.setBoard({".........", ".........", ".........", "........."});
    f.setPieces(
        {chainPiece("A1", 3, {{0, 0}}), chainPiece("B2", 1, {{0, 0}, {1, 1}}), chainPiece("C3", 2, {})});
}

// An exact cover with repeated copies and pieces of one, two and four triangles.
void exactCover(ViewFixture& f) {
    f.setBoard({"#.....#", ".......", "#.....#"});
    f.setPieces({chainPiece("T4", 1, {{0, 0}, {1, 1}, {2, 0}}), chainPiece("P4", 1, {{0, 0}, {1, 2}, {2, 0}}),
                 chainPiece("Q4", 1, {{0, 0}, {1, 1}, {1, 2}}), chainPiece("D2", 2, {{0, 0}}),
                 chainPiece("M1", 1, {})});
}

TEST(ParallelSearch, ThreadsWriteTheFilesOfOneThreadByteForByte) {
    const auto letters = [](ViewFixture& f) {
        exactCover(f);
        f.view.m_bLetterSolution = true;
    };
    const auto moreTriangles = [](ViewFixture& f) {
        exactCover(f);
        f.doc.m_pieces[4].copies = 2;  // more triangles than cells: solutions with copies left over
    };
    const auto packings = [](ViewFixture& f) {
        exactCover(f);
        f.doc.m_pieces[3].copies = 1;  // two cells left over
        f.view.m_bCellsMayStayOpen = f.view.m_bOnePerSymmetryClass = true;
    };
    for (const auto& setUp : std::vector<std::function<void(ViewFixture&)>>{
             spareTriangles, exactCover, letters, moreTriangles, packings}) {
        const Files one = searchWith(1, setUp);
        ASSERT_GT(one.solutions, 40);
        for (int threads : {2, 3}) {
            const Files many = searchWith(threads, setUp);
            EXPECT_EQ(many.opb, one.opb) << threads;
            EXPECT_EQ(many.opl, one.opl) << threads;
            EXPECT_EQ(many.solutions, one.solutions);
            EXPECT_EQ(many.steps, one.steps);
        }
    }
}

// Solution n's grid shows solution n alone: the cells it leaves open are blank, also where earlier
// solutions and redraws coloured them. (This test asserted those stale colours until they were mended.)
TEST(ParallelSearch, SpareTrianglesGridsShowOnlyTheirOwnPieces) {
    const Files one = searchWith(1, spareTriangles);
    const std::string log(one.opl.begin(), one.opl.end());
    int grids = 0;
    for (std::size_t at = log.find("Oplossing "); at != std::string::npos;
         at = log.find("Oplossing ", at + 1)) {
        const std::size_t end = log.find("\r\n\r\n", log.find("\r\n\r\n", at) + 4);
        const std::string grid = log.substr(at, end - at);
        int labelled = 0;
        for (const char* label : {"A1", "B2", "C3"})
            for (std::size_t k = grid.find(label); k != std::string::npos; k = grid.find(label, k + 1))
                ++labelled;
        EXPECT_EQ(labelled, 11) << grid;
        ++grids;
    }
    EXPECT_EQ(grids, one.solutions);
}

TEST(ParallelSearch, InterruptedRunLeavesAPrefixOfTheSolutions) {
    const Files whole = searchWith(1, exactCover);
    const Files cut = searchWith(2, exactCover, [](ViewFixture& f) {
        // Every solution pumps twice; stop after the 20th.
        f.platform.onPump = [&f](long) {
            if (f.view.m_state.solutionCount == 20) f.view.ViewMode = kInterruptRequested;
        };
    });
    EXPECT_EQ(cut.solutions, 20);
    const std::size_t block = cut.opb.size() / 20;
    ASSERT_EQ(cut.opb.size(), 20 * block);
    EXPECT_TRUE(std::equal(cut.opb.begin(), cut.opb.end(), whole.opb.begin()));

    const std::string wholeLog(whole.opl.begin(), whole.opl.end());
    const std::string cutLog(cut.opl.begin(), cut.opl.end());
    const std::size_t solutionsEnd = wholeLog.find("Oplossing 21\r\n");
    EXPECT_EQ(cutLog.substr(0, solutionsEnd), wholeLog.substr(0, solutionsEnd));
    EXPECT_EQ(cutLog.substr(solutionsEnd),
              "\r\n\r\nOnderbroken. Duur: 0:00:00, aantal oplossingen 20, op 16-12-1999 14:05:09");
}

// A search that goes on and on with hardly an event: more diamonds than the 126 cells hold never make a
// solution, the tilings of the rest are past counting, and only the first levels of depth are news. The
// worker holds its events back to hand them on in batches; these few must still reach the window while
// the search runs.
TEST(ParallelSearch, AFewEventsReachTheWindowWhileTheSearchGoesOn) {
    long pumpsUntilDepth = -1;
    searchWith(
        1,
        [](ViewFixture& f) {
            f.setBoard(std::vector<std::string>(6, std::string(21, '.')));
            f.setPieces({chainPiece("D2", 70, {{0, 0}})});
            // One worker beside the window: its part is the whole search, which does not end here.
            f.view.m_engineFactory = [](const PlacementTable& table, int cells, SearchState& state,
                                        std::span<Piece> pieces, SearchHooks& hooks) {
                return makeParallelSearch(1, table, cells, state, pieces, hooks);
            };
        },
        [&pumpsUntilDepth](ViewFixture& f) {
            // The window pumps every 20 ms while it waits; give up after some 20 seconds.
            f.platform.onPump = [&f, &pumpsUntilDepth](long pumps) {
                if (f.view.ViewMode != kSearching) return;
                if (f.view.m_state.shownDepth >= 1) pumpsUntilDepth = pumps;
                if (f.view.m_state.shownDepth >= 1 || pumps > 1000) f.view.ViewMode = kInterruptRequested;
            };
        });
    EXPECT_GE(pumpsUntilDepth, 0) << "the search was given up before any depth reached the window";
}

// The table and the starting state of the problem in `f`.
struct Problem {
    FreeCellIndex cellIndex;
    int cells;
    PlacementTable table;
    std::shared_ptr<const PlacementIndex> index;
    SearchState state;
    explicit Problem(ViewFixture& f) : cells(numberFreeCells(cellIndex, f.doc)) {
        buildPlacementTable(table, cellIndex, f.doc, f.doc.rowLength(), f.doc.m_nHeight);
        index = std::make_shared<const PlacementIndex>(table, cells);
        state.pieceCount = f.doc.m_nPieces;
        for (int p = 0; p < f.doc.m_nPieces; ++p) state.totalCopies += f.doc.m_pieces[p].copies;
        state.chosenPlacement.assign(cells + 1, 0);
    }
};

// The runner itself: the parts given away between threads, played back, make the hook calls of the
// whole search that the files depend on.
// Also as a packing, with two cells left over: a part's path then holds the cells left open above it.
void partsGivenAwayMatchTheWholeSearch(bool packing) {
    ViewFixture f;
    exactCover(f);
    if (packing) f.doc.m_pieces[3].copies = 1;
    FreeCellIndex index;
    const int cells = numberFreeCells(index, f.doc);
    PlacementTable table;
    buildPlacementTable(table, index, f.doc, f.doc.rowLength(), f.doc.m_nHeight);
    SearchState state;
    state.pieceCount = f.doc.m_nPieces;
    for (int p = 0; p < f.doc.m_nPieces; ++p) state.totalCopies += f.doc.m_pieces[p].copies;
    state.chosenPlacement.assign(cells + 1, 0);
    state.spareCells = packing ? 2 : 0;

    struct Log : EventRecorder {
        using EventRecorder::EventRecorder;
        std::string text;
        // Appended piece by piece: GCC 12 at -O3 misreads "d" + std::string (-Wrestrict).
        void add(char event, int n) {
            text += event;
            text += std::to_string(n);
            text += ' ';
        }
        void onNewDepth(int depth) override { add('d', depth); }
        void recordSolution(int depth) override { add('s', depth); }
        void showFirstPieceStatus(int percent, const Piece&) override { add('f', percent); }
    };
    SearchState wholeState = state;
    Log whole(wholeState, f.doc.m_pieces);
    IncrementalSearch(table, cells, wholeState, f.doc.m_pieces, whole).run();

    struct Player : PartConsumer {
        SearchState& state;
        std::span<Piece> pieces;
        int placements;
        Log log;
        Player(SearchState& s, std::span<Piece> p, int j) : state(s), pieces(p), placements(j), log(s, p) {}
        bool consume(int, std::span<const std::int32_t> events) override {
            EXPECT_TRUE(eventsValid(events, placements, 5, 17));
            return replayEvents(events, state, pieces, log);
        }
        bool keepGoing() override { return true; }
    } player(state, f.doc.m_pieces, table.placementCount);
    PartRunner runner(std::make_shared<const PlacementIndex>(table, cells), table, state, f.doc.m_pieces, 3);
    SearchPart all;
    all.whole = true;
    EXPECT_TRUE(runner.run({all}, player));
    EXPECT_EQ(player.log.text, whole.text);
    EXPECT_EQ(runner.steps(), wholeState.steps);

    // Giving work away at every single step, on one thread so that it happens every time: the parts,
    // each run after the one that gave it away and before that one's earlier gifts, make the same search.
    struct Part {
        std::vector<std::int32_t> path;
        std::int64_t from, end;
    };
    std::list<Part> parts;
    std::list<Part>::iterator current;
    struct Generous : IncrementalSearch::Donor {
        std::list<Part>& parts;
        std::list<Part>::iterator& current;
        Generous(std::list<Part>& p, std::list<Part>::iterator& c) : parts(p), current(c) {}
        bool wanted() override { return true; }
        void donate(std::span<const std::int32_t> path, std::int64_t from, std::int64_t end) override {
            parts.insert(std::next(current), Part{{path.begin(), path.end()}, from, end});
        }
    } generous(parts, current);
    SearchState partState = state;
    partState.shownDepth = 0;
    EventRecorder recorder(partState, f.doc.m_pieces);
    IncrementalSearch engine(table, cells, partState, f.doc.m_pieces, recorder);
    parts.push_back({{}, -1, -1});
    SearchState replayState = state;
    replayState.shownDepth = 0;
    Log replayed(replayState, f.doc.m_pieces);
    for (current = parts.begin(); current != parts.end(); ++current) {
        recorder.m_events.clear();
        if (current->from < 0)
            engine.runWhole(&generous);
        else
            engine.runPart(current->path, current->from, current->end, &generous);
        replayEvents(recorder.m_events, replayState, f.doc.m_pieces, replayed);
    }
    EXPECT_EQ(replayed.text, whole.text);
    EXPECT_EQ(partState.steps, wholeState.steps);
    EXPECT_GT(parts.size(), 100u);
}

TEST(ParallelSearch, PartsGivenAwayPlayedBackInOrderMatchTheWholeSearch) {
    partsGivenAwayMatchTheWholeSearch(false);
    partsGivenAwayMatchTheWholeSearch(true);
}

// A writer far slower than the search (20 copies of one triangle on 20 cells: a solution at nearly every
// step; the writer takes a microsecond a value) must not let the threads pile up events: for two seconds, in
// a child process whose address space is limited, the resident size grows by less than 48 MB (it grew by
// hundreds when only parts that were not being written waited).
TEST(ParallelSearch, EventsHeldForASlowWriterStayBounded) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's own memory hides the search's";
#endif
    const pid_t child = fork();
    if (child == 0) {
        rusage before{}, after{};
        getrusage(RUSAGE_SELF, &before);
        const rlimit limit{rlim_t{1} << 30, rlim_t{1} << 30};
        setrlimit(RLIMIT_AS, &limit);
        ViewFixture f;
        f.setBoard({"#########", ".........", ".........", "#...#####"});
        f.setPieces({chainPiece("1A", 20, {})});
        Problem problem(f);
        struct Slow : PartConsumer {
            std::chrono::steady_clock::time_point end =
                std::chrono::steady_clock::now() + std::chrono::seconds(2);
            bool consume(int, std::span<const std::int32_t> events) override {
                std::this_thread::sleep_for(std::chrono::microseconds(events.size()));
                return keepGoing();
            }
            bool keepGoing() override { return std::chrono::steady_clock::now() < end; }
        } slow;
        PartRunner runner(problem.index, problem.table, problem.state, f.doc.m_pieces, 2);
        runner.run({SearchPart{{}, 0, 0, true, 0}}, slow);
        getrusage(RUSAGE_SELF, &after);
        const bool bounded = after.ru_maxrss - before.ru_maxrss < 48 * 1024;
        _exit(problem.cells == 21 && runner.steps() > 100000 && bounded ? 0 : 1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// Shards of any number, each planning only the steps above its own units, together make the whole
// search: their units played back in order give its hook calls (with the Placements) and its steps. A shard's
// planning is a small share of the search (it was the whole tree once units outnumbered steps), and stops
// when asked.
TEST(ShardSearch, ShardsOfAnyNumberReplayTheWholeSearch) {
    // Also a packing, two cells left over; and every solution of the parts passes the merge's check.
    const auto packing = +[](ViewFixture& f) {
        exactCover(f);
        f.doc.m_pieces[3].copies = 1;
    };
    for (auto setUp : {exactCover, spareTriangles, packing}) {
        ViewFixture f;
        setUp(f);
        Problem problem(f);
        auto& [cellIndex, cells, table, index, state] = problem;
        state.spareCells = setUp == packing ? 2 : 0;
        const SolutionRule rule{cells, state.totalCopies, 0, state.spareCells};
        SearchState wholeState = state;
        EventRecorder whole(wholeState, f.doc.m_pieces);
        IncrementalSearch(table, cells, wholeState, f.doc.m_pieces, whole).run();
        for (int shards : {1, 2, 7, 300}) {
            std::vector<PartData> parts;
            for (int k = 1; k <= shards; ++k) {
                const ShardPlan plan =
                    planShard(index, table, state, f.doc.m_pieces, k, shards, 64 * shards, {});
                EXPECT_LT(plan.steps, wholeState.steps / 4) << shards;
                SearchState partState = state;
                EventRecorder recorder(partState, f.doc.m_pieces);
                IncrementalSearch engine(index, table, partState, f.doc.m_pieces, recorder);
                PartData& part = parts.emplace_back(PartData{k, shards, 64 * shards, true, 0, {}});
                for (const ShardUnit& unit : plan.units) {
                    recorder.m_events = unit.events;
                    if (unit.searched) engine.runPart(unit.part.path, unit.part.from, unit.part.end, nullptr);
                    part.units.push_back({unit.unit, recorder.m_events, true, false, {}});
                    part.steps += unit.steps;
                }
                part.steps += partState.steps;
            }
            SearchState replayState = state;
            EventRecorder replayed(replayState, f.doc.m_pieces);
            makePartReplay(parts, replayState, f.doc.m_pieces, replayed, [] { ADD_FAILURE(); })->run();
            EXPECT_EQ(replayed.m_events, whole.m_events) << shards;
            EXPECT_EQ(replayState.steps, wholeState.steps) << shards;
            for (const PartData& part : parts) EXPECT_TRUE(partSolutionsValid(part, table, f.doc, rule));
        }
        // A part's solution of one Placement leaves more cells open than may stay open.
        const PartData one{1, 1, 1, true, 0, {{0, {kSolutionEvent, 1, 0}, true, false, {}}}};
        EXPECT_FALSE(partSolutionsValid(one, table, f.doc, rule));
        int asked = 0;
        const auto third = [&] { return ++asked > 2; };
        EXPECT_TRUE(planShard(index, table, state, f.doc.m_pieces, 1, 2, 128, third).interrupted);
    }
}

}  // namespace
