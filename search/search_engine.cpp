#include "search/search_engine.h"

#include "search/backtracking_search.h"

std::unique_ptr<SearchEngine> makeSearchEngine(EngineKind kind, const PlacementTable& table,
                                               int freeCellCount, SearchState& state, std::span<Piece> pieces,
                                               SearchHooks& hooks) {
    switch (kind) {
        case EngineKind::Reference:
        case EngineKind::Fast:
            break;
    }
    return std::make_unique<BacktrackingSearch>(table, freeCellCount, state, pieces, hooks);
}
