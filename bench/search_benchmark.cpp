// The search on bundled examples, each as the command-line solver runs it: the table is built, every
// solution is written to both files (in a temporary folder), with the plain engine, the fast engine on one
// thread and the fast engine on two. Counters: search steps and solutions.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "bench/example_document.h"
#include "platform/headless_platform.h"
#include "platform/null_surface.h"
#include "search/parallel_search.h"
#include "view/trianzoid_view.h"

namespace {

// Without a window, as the command-line solver runs: nothing that is drawn is kept.
class BlindPlatform : public HeadlessPlatform {
  public:
    DrawingSurface& clientSurface() override { return m_blind; }

  private:
    NullSurface m_blind;
};

struct Result {
    long long steps = 0;
    int solutions = 0;
};

Result solveExample(const std::string& name, EngineKind kind, int threads) {
    CTrianzoidDoc doc;
    BlindPlatform platform;
    platform.defaultAnswer = MessageAnswer::Yes;
    loadExample(doc, name, platform);
    SystemClock clock;
    CTrianzoidView view(doc, platform, clock);
    const auto folder = std::filesystem::temp_directory_path() / "trianzoid-bench";
    std::filesystem::create_directories(folder);
    view.m_strOutputDir = folder.string();
    view.m_engineKind = kind;
    if (threads > 1)
        view.m_engineFactory = [threads](const PlacementTable& table, int cells, SearchState& state,
                                         std::span<Piece> pieces, SearchHooks& hooks) {
            return makeParallelSearch(threads, table, cells, state, pieces, hooks);
        };
    view.m_nReadiness = view.UpdateReadiness();
    view.runSearch(false);
    return {view.m_state.steps, static_cast<int>(view.m_state.solutionCount)};
}

void searchExample(benchmark::State& state, const std::string& name, EngineKind kind, int threads) {
    Result result;
    for (auto _ : state) result = solveExample(name, kind, threads);
    state.counters["steps"] = static_cast<double>(result.steps);
    state.counters["solutions"] = result.solutions;
}

BENCHMARK_CAPTURE(searchExample, hexiamonds_6x6_plain, "hexiamonds-6x6.trz", EngineKind::Reference, 1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(searchExample, hexiamonds_6x6_fast, "hexiamonds-6x6.trz", EngineKind::Fast, 1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(searchExample, hexiamonds_6x6_fast_2threads, "hexiamonds-6x6.trz", EngineKind::Fast, 2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(searchExample, hexiamonds_4x9_fast, "hexiamonds-4x9.trz", EngineKind::Fast, 1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(searchExample, hexiamonds_4x9_fast_2threads, "hexiamonds-4x9.trz", EngineKind::Fast, 2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
// Seconds a run, a few runs each: what a second thread gains on a search of some length.
BENCHMARK_CAPTURE(searchExample, spare_cells_large_fast, "hexiamonds-spare-cells-large.trz", EngineKind::Fast,
                  1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK_CAPTURE(searchExample, spare_cells_large_fast_2threads, "hexiamonds-spare-cells-large.trz",
                  EngineKind::Fast, 2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
