#include "search/shard_search.h"

#include <algorithm>
#include <list>

#include "search/incremental_search.h"
#include "search/search_events.h"

namespace {

// The parts for candidates 0 .. count - 1 below `path`: one each, or `target` ranges when there are more.
void addParts(std::list<SearchUnit>& units, std::list<SearchUnit>::iterator before,
              const std::vector<std::int32_t>& path, std::int64_t count, int target, int& parts) {
    const std::int64_t pieces = std::min<std::int64_t>(count, target);
    for (std::int64_t i = 0; i < pieces; ++i) {
        SearchUnit unit;
        unit.part.path = path;
        unit.part.from = count * i / pieces;
        unit.part.end = count * (i + 1) / pieces;
        units.insert(before, std::move(unit));
        ++parts;
    }
}

}  // namespace

std::vector<SearchUnit> splitSearch(std::shared_ptr<const PlacementIndex> index, const PlacementTable& table,
                                    const SearchState& state, std::span<const Piece> pieces, int target,
                                    long long& steps) {
    std::vector<Piece> own(pieces.begin(), pieces.end());
    SearchState split;
    split.pieceCount = state.pieceCount;
    split.totalCopies = state.totalCopies;
    split.eachTilingOnce = state.eachTilingOnce;
    split.coveredMask.assign(static_cast<std::size_t>(table.wordsPerMask), 0u);
    split.chosenPlacement.assign(static_cast<std::size_t>(index->cells()) + 1, 0);
    EventRecorder recorder(split, own);
    IncrementalSearch engine(index, table, split, own, recorder);

    std::list<SearchUnit> units;
    int parts = 0;
    const std::int64_t first = engine.runFirstStep();
    units.push_back({true, recorder.m_events, {}});
    addParts(units, units.end(), {}, first, target, parts);

    for (std::size_t depth = 0; parts < target; ++depth) {
        bool expanded = false;
        for (auto it = units.begin(); it != units.end() && parts < target; ++it) {
            if (it->computed || it->part.path.size() != depth || it->part.end - it->part.from != 1) continue;
            recorder.m_events.clear();
            const auto [placement, count] = engine.runStepBelow(it->part.path, it->part.from);
            std::vector<std::int32_t> path = it->part.path;
            path.push_back(placement);
            it->computed = true;
            it->events = recorder.m_events;
            --parts;
            addParts(units, std::next(it), path, count, target, parts);
            expanded = true;
        }
        if (!expanded) break;
    }
    steps = split.steps;
    std::vector<SearchUnit> result;
    result.reserve(units.size());
    for (SearchUnit& unit : units) {
        unit.part.unit = static_cast<int>(result.size());
        result.push_back(std::move(unit));
    }
    return result;
}

namespace {

class PartReplay : public SearchEngine {
  public:
    PartReplay(std::vector<PartData> parts, SearchState& state, std::span<Piece> pieces, SearchHooks& hooks,
               std::function<void()> incomplete)
        : m_parts(std::move(parts)),
          m_state(state),
          m_pieces(pieces),
          m_hooks(hooks),
          m_incomplete(std::move(incomplete)) {
        std::sort(m_parts.begin(), m_parts.end(),
                  [](const PartData& a, const PartData& b) { return a.shardIndex < b.shardIndex; });
    }

    void run() override {
        if (m_parts.empty()) return;
        const int count = m_parts.front().shardCount;
        std::vector<std::size_t> next(m_parts.size(), 0);
        for (int unit = 0; unit < m_parts.front().unitCount; ++unit) {
            const auto shard = static_cast<std::size_t>(unit % count);
            const PartData& part = m_parts[shard];
            std::size_t& at = next[shard];
            const bool present = at < part.units.size() && part.units[at].unit == unit;
            if (present && !replayEvents(part.units[at].events, m_state, m_pieces, m_hooks)) return;
            if (!present || !part.units[at].finished) {
                if (m_incomplete) m_incomplete();
                return;
            }
            ++at;
            if (unit % 64 == 0) m_hooks.pumpMessages();
            if (m_hooks.interruptRequested()) return;
        }
        for (const PartData& part : m_parts) m_state.steps += part.steps;
    }

  private:
    std::vector<PartData> m_parts;
    SearchState& m_state;
    std::span<Piece> m_pieces;
    SearchHooks& m_hooks;
    std::function<void()> m_incomplete;
};

}  // namespace

std::unique_ptr<SearchEngine> makePartReplay(std::vector<PartData> parts, SearchState& state,
                                             std::span<Piece> pieces, SearchHooks& hooks,
                                             std::function<void()> incomplete) {
    return std::make_unique<PartReplay>(std::move(parts), state, pieces, hooks, std::move(incomplete));
}
