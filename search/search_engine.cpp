#include "search/search_engine.h"

#include "search/backtracking_search.h"
#include "search/incremental_search.h"

std::unique_ptr<SearchEngine> makeSearchEngine(EngineKind kind, const PlacementTable& table,
                                               int freeCellCount, SearchState& state, std::span<Piece> pieces,
                                               SearchHooks& hooks) {
    if (kind == EngineKind::Reference)
        return std::make_unique<BacktrackingSearch>(table, freeCellCount, state, pieces, hooks);
    return std::make_unique<IncrementalSearch>(table, freeCellCount, state, pieces, hooks);
}
