// The peak resident size of the largest problem: the placement table is built, the search runs on the
// given number of threads for the given number of seconds and is then interrupted as by the user.
//   trianzoid-peak-memory [THREADS [SECONDS]]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "bench/largest_problem.h"
#include "platform/headless_platform.h"
#include "search/parallel_search.h"
#include "view/trianzoid_view.h"

int main(int argc, char** argv) {
    const int threads = argc > 1 ? std::atoi(argv[1]) : 2;
    const double seconds = argc > 2 ? std::atof(argv[2]) : 5.0;

    CTrianzoidDoc doc;
    bench::makeLargestProblem(doc);
    HeadlessPlatform platform;
    platform.defaultAnswer = MessageAnswer::Yes;
    SystemClock clock;
    CTrianzoidView view(doc, platform, clock);
    const auto folder = std::filesystem::temp_directory_path() / "trianzoid-peak-memory";
    std::filesystem::create_directories(folder);
    view.m_strOutputDir = folder.string();
    if (threads > 1)
        view.m_engineFactory = [threads](const PlacementTable& table, int cells, SearchState& state,
                                         std::span<Piece> pieces, SearchHooks& hooks) {
            return makeParallelSearch(threads, table, cells, state, pieces, hooks);
        };

    std::size_t placements = 0, tableBytes = 0, indexBytes = 0;
    std::chrono::steady_clock::time_point start;
    platform.onPump = [&](long) {
        if (placements == 0 && view.m_table.placementCount > 0) {
            placements = static_cast<std::size_t>(view.m_table.placementCount);
            tableBytes = view.m_table.masks.capacity() * 4 + view.m_table.records.capacity() * 16;
            // The sparse index of the engine: a piece slot per row, a start per row, and per cell of a row
            // a 16-bit cell number and a 32-bit row number; nine cells a row here.
            indexBytes = placements * (1 + 4 + 9 * (2 + 4)) + 1771 * 4;
            start = std::chrono::steady_clock::now();
        }
        if (placements > 0 &&
            std::chrono::steady_clock::now() - start > std::chrono::duration<double>(seconds))
            view.ViewMode = kInterruptRequested;
    };
    view.m_nReadiness = view.UpdateReadiness();
    view.runSearch(false);
    std::filesystem::remove_all(folder);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf(
        "placements %zu, table %.1f MB, index %.1f MB, threads %d, steps %lld, peak resident %.1f MB\n",
        placements, tableBytes / 1e6, indexBytes / 1e6, threads, view.m_state.steps,
        usage.ru_maxrss / 1024.0);
    return 0;
}
