#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "search/parallel_search.h"
#include "search/placement_index.h"
#include "search/tiling_classes.h"

// The search cut into a fixed sequence of `unitCount` units, the same on every machine, so that N
// machines can each do every N-th unit (a shard) and their part files can be joined into the files of
// one run.
//
// The units are slots handed down the tree: the candidates of a step share out its slots, in order and
// as evenly as their numbers allow. A candidate with one slot is that slot's unit; one with more is
// expanded (its step run and recorded, at the start of its first slot) and its own candidates share out
// its slots in turn; a step with at least as many candidates as slots gives each slot a range of them.
// The tree is thus cut only as deep as the number of units needs, and a shard expands only the steps
// above its own slots: a few hundred steps at most, whatever the number of shards.
//
// In a packing search (state.spareCells > 0) leaving a step's cell open is its last candidate, shared
// out like any other: the paths of the units then hold the cells left open as the engine names them
// (-1 - n for cell n).
struct ShardUnit {
    int unit = 0;
    std::vector<std::int32_t> events;  // of the steps expanded at its start, recorded while planning
    long long steps = 0;               // those steps
    bool searched = false;             // `part` is to be searched after the events; else nothing more
    SearchPart part;
};

struct ShardPlan {
    std::vector<ShardUnit> units;  // the shard's units, ascending
    long long steps = 0;           // every step run while planning, counted or not
    bool interrupted = false;      // `interrupted` said so: the plan is incomplete
};

// The units of shard `shardIndex` (1 .. shardCount) out of `unitCount`. `interrupted` is asked before
// every step the planning runs.
ShardPlan planShard(std::shared_ptr<const PlacementIndex> index, const PlacementTable& table,
                    const SearchState& state, std::span<const Piece> pieces, int shardIndex, int shardCount,
                    int unitCount, const std::function<bool()>& interrupted);

// Unit u belongs to shard u mod N + 1.
inline bool unitOfShard(std::size_t unit, int shardIndex, int shardCount) {
    return static_cast<int>(unit % static_cast<std::size_t>(shardCount)) == shardIndex - 1;
}

// What a shard found, unit by unit, in the order of the search; and the reverse, a search played back
// from the part files of all shards.
struct PartData {
    int shardIndex = 0;  // 1 .. shardCount
    int shardCount = 0;
    int unitCount = 0;
    bool completed = false;
    long long steps = 0;
    // Per unit of this shard that was started: its events, and whether it was finished.
    struct Unit {
        int unit = 0;
        std::vector<std::int32_t> events;
        bool finished = false;
        bool counted = false;  // a count-only part: `counts` holds the unit's solutions, `events` none
        TilingSums counts;
    };
    std::vector<Unit> units;
};

// Plays the units of all parts back on the hooks, in unit order. Stops at the first unit that a part
// did not finish (an interrupted shard), after playing what it has; `incomplete` is then called.
std::unique_ptr<SearchEngine> makePartReplay(std::vector<PartData> parts, SearchState& state,
                                             std::span<Piece> pieces, SearchHooks& hooks,
                                             std::function<void()> incomplete);
