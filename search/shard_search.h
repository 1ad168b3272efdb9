#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "search/parallel_search.h"
#include "search/placement_index.h"

// The search cut into a fixed sequence of units, the same on every machine, so that N machines can each
// do every N-th unit (a shard) and their part files can be joined into the files of one run.
//
// The first levels of the tree are expanded breadth first, in order, until there are at least `target`
// parts: every expanded step becomes a unit of its own (its hook calls, recorded while splitting), and
// every candidate below it a part. A step with more candidates than `target` is cut into `target` ranges.
struct SearchUnit {
    bool computed = false;             // the events are known already (an expanded step)
    std::vector<std::int32_t> events;  // of a computed unit
    SearchPart part;                   // of any other unit
};

std::vector<SearchUnit> splitSearch(std::shared_ptr<const PlacementIndex> index, const PlacementTable& table,
                                    const SearchState& state, std::span<const Piece> pieces, int target,
                                    long long& steps);

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
    };
    std::vector<Unit> units;
};

// Plays the units of all parts back on the hooks, in unit order. Stops at the first unit that a part
// did not finish (an interrupted shard), after playing what it has; `incomplete` is then called.
std::unique_ptr<SearchEngine> makePartReplay(std::vector<PartData> parts, SearchState& state,
                                             std::span<Piece> pieces, SearchHooks& hooks,
                                             std::function<void()> incomplete);
