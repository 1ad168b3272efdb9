#pragma once

#include <functional>
#include <memory>
#include <span>

#include "pieces/piece.h"
#include "search/placement_table.h"
#include "search/search_hooks.h"
#include "search/search_state.h"

// A backtracking search over a placement table. Every engine chooses the same cells, tries the
// candidates in the same order and calls the hooks at the same points; they differ only in speed.
class SearchEngine {
  public:
    virtual ~SearchEngine() = default;
    // Runs the whole search from depth 0. The pieces' copies are the counters of copies left and are
    // back at their start values when it returns, finished or interrupted.
    virtual void run() = 0;
};

enum class EngineKind { Reference, Fast };

// `state` must be prepared by the caller (coveredMask of wordsPerMask zero words, counters reset,
// pieceCount and totalCopies set). `pieces` are the 64 slots; their copies change while it runs.
std::unique_ptr<SearchEngine> makeSearchEngine(EngineKind kind, const PlacementTable& table,
                                               int freeCellCount, SearchState& state, std::span<Piece> pieces,
                                               SearchHooks& hooks);

// Makes the engine of a search in place of makeSearchEngine: one on several threads, or one that plays a
// search back from part files. Same arguments as makeSearchEngine after the kind.
using SearchEngineFactory = std::function<std::unique_ptr<SearchEngine>(
    const PlacementTable& table, int freeCellCount, SearchState& state, std::span<Piece> pieces,
    SearchHooks& hooks)>;
