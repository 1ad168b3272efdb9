#include "cli/search_options.h"

#include <thread>

#include "search/parallel_search.h"
#include "view/trianzoid_view.h"

int searchThreads(const SolveOptions& options) {
    if (options.plainEngine) return 1;
    if (options.threads > 0) return options.threads;
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

void applySearchOptions(CTrianzoidView& view, const SolveOptions& options) {
    view.m_bEachTilingOnce = options.distinct;
    view.m_bOnePerSymmetryClass = options.unique;
    view.m_bCellsMayStayOpen = options.packings;
    view.m_bCountOnly = options.countOnly;
    view.m_classCounting = !options.noCounts;
    view.m_nSolutionLimit = options.solutionLimit;
    view.m_engineKind = options.plainEngine ? EngineKind::Reference : EngineKind::Fast;
    const int threads = searchThreads(options);
    if (threads > 1)
        view.m_engineFactory = [threads](const PlacementTable& table, int cells, SearchState& state,
                                         std::span<Piece> pieces, SearchHooks& hooks) {
            return makeParallelSearch(threads, table, cells, state, pieces, hooks);
        };
}

void printSearchStats(const CTrianzoidView& view, const SolveOptions& options, std::FILE* err) {
    if (!options.stats) return;
    std::fprintf(err, "stappen %lld, oplossingen %lld, threads %d\n", view.m_state.steps,
                 static_cast<long long>(view.m_state.solutionCount), searchThreads(options));
}
