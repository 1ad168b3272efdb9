// The cost of one search step of a packing (cells may stay open) against one of the ordinary search, on
// the fast engine alone: no files, the solutions only counted. A packing search of a bundled spare-cells
// Board runs for hours, so every case stops after a fixed number of steps; the counter per_step is the
// time of one step.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/example_document.h"
#include "search/incremental_search.h"

namespace {

class CountingHooks : public SearchHooks {
  public:
    CountingHooks(const SearchState& state, long long stepLimit) : m_state(state), m_stepLimit(stepLimit) {}
    void pumpMessages() override {}
    bool interruptRequested() override { return m_state.steps >= m_stepLimit; }
    void onNewDepth(int) override {}
    void drawPlacement(int, int) override {}
    void recordSolution(int) override { ++solutions; }
    void showFirstPieceStatus(int, const Piece&) override {}
    long long solutions = 0;

  private:
    const SearchState& m_state;
    long long m_stepLimit;
};

void searchSteps(benchmark::State& state, const std::string& name, bool packing, long long stepLimit) {
    CTrianzoidDoc doc;
    HeadlessPlatform platform;
    loadExample(doc, name, platform);
    FreeCellIndex index;
    const int cells = numberFreeCells(index, doc);
    PlacementTable table;
    buildPlacementTable(table, index, doc, doc.rowLength(), doc.m_nHeight);
    int triangles = 0;
    for (int p = 0; p < doc.m_nPieces; ++p)
        triangles += doc.m_pieces[p].copies * doc.m_pieces[p].triangleCount;

    long long steps = 0, solutions = 0;
    for (auto _ : state) {
        SearchState search;
        search.coveredMask.assign(static_cast<std::size_t>(table.wordsPerMask), 0u);
        search.chosenPlacement.assign(static_cast<std::size_t>(cells) + 1, 0);
        search.pieceCount = doc.m_nPieces;
        for (int p = 0; p < doc.m_nPieces; ++p) search.totalCopies += doc.m_pieces[p].copies;
        search.spareCells = packing ? cells - triangles : 0;
        CountingHooks hooks(search, stepLimit);
        IncrementalSearch(table, cells, search, doc.m_pieces, hooks).run();
        steps += search.steps;
        solutions = hooks.solutions;
    }
    state.counters["steps"] = static_cast<double>(steps) / static_cast<double>(state.iterations());
    state.counters["solutions"] = static_cast<double>(solutions);
    state.counters["per_step"] = benchmark::Counter(
        static_cast<double>(steps), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

constexpr long long kSteps = 3'000'000;
constexpr long long kAll = 1LL << 62;

BENCHMARK_CAPTURE(searchSteps, spare_cells_ordinary, "hexiamonds-spare-cells.trz", false, kAll)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(searchSteps, spare_cells_packings, "hexiamonds-spare-cells.trz", true, kSteps)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(searchSteps, spare_cells_large_ordinary, "hexiamonds-spare-cells-large.trz", false, kAll)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(searchSteps, spare_cells_large_packings, "hexiamonds-spare-cells-large.trz", true, kSteps)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(searchSteps, hexiamonds_6x6_ordinary, "hexiamonds-6x6.trz", false, kAll)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
