#include "search/shard_search.h"

#include <algorithm>

#include "search/incremental_search.h"
#include "search/search_events.h"

namespace {

// count * i / slots without overflow, for counts of any size (every copy of a piece is a candidate).
std::int64_t share(std::int64_t count, std::int64_t i, std::int64_t slots) {
    return count / slots * i + count % slots * i / slots;
}

class Planner {
  public:
    Planner(std::shared_ptr<const PlacementIndex> index, const PlacementTable& table,
            const SearchState& state, std::span<const Piece> pieces, int shardIndex, int shardCount,
            const std::function<bool()>& interrupted)
        : m_pieces(pieces.begin(), pieces.end()),
          m_state(workState(state, table, index->cells())),
          m_recorder(m_state, m_pieces),
          m_engine(std::move(index), table, m_state, m_pieces, m_recorder),
          m_residue(shardIndex - 1),
          m_count(shardCount),
          m_interrupted(interrupted) {}

    ShardPlan run(int unitCount) {
        for (std::int64_t slot = m_residue; slot < unitCount; slot += m_count)
            m_plan.units.push_back({static_cast<int>(slot), {}, 0, false, {}});
        if (!m_plan.units.empty() && !stopped()) {
            const std::int64_t count = m_engine.runFirstStep();
            take(0);
            std::vector<std::int32_t> path;
            if (count > 0) cover(path, 0, count, 0, unitCount);
        }
        m_plan.steps = m_state.steps;
        return std::move(m_plan);
    }

  private:
    static SearchState workState(const SearchState& state, const PlacementTable& table, int cells) {
        SearchState work;
        work.pieceCount = state.pieceCount;
        work.totalCopies = state.totalCopies;
        work.eachTilingOnce = state.eachTilingOnce;
        work.spareCells = state.spareCells;
        work.coveredMask.assign(static_cast<std::size_t>(table.wordsPerMask), 0u);
        work.chosenPlacement.assign(static_cast<std::size_t>(cells) + 1, 0);
        return work;
    }

    bool stopped() {
        if (!m_plan.interrupted && m_interrupted && m_interrupted()) m_plan.interrupted = true;
        return m_plan.interrupted;
    }
    // The shard's unit of `slot`, if it has that slot.
    ShardUnit* unitOf(std::int64_t slot) {
        if (slot % m_count != m_residue) return nullptr;
        return &m_plan.units[static_cast<std::size_t>(slot / m_count)];
    }
    // Whether any of slots [a, b) is the shard's.
    bool owns(std::int64_t a, std::int64_t b) const {
        return a + ((m_residue - a) % m_count + m_count) % m_count < b;
    }
    // The step just run goes to the start of `slot`.
    void take(std::int64_t slot) {
        if (ShardUnit* unit = unitOf(slot)) {
            unit->events.insert(unit->events.end(), m_recorder.m_events.begin(), m_recorder.m_events.end());
            ++unit->steps;
        }
        m_recorder.m_events.clear();
    }
    void leaf(const std::vector<std::int32_t>& path, std::int64_t slot, std::int64_t from, std::int64_t end) {
        if (ShardUnit* unit = unitOf(slot)) {
            unit->searched = true;
            unit->part.path = path;
            unit->part.from = from;
            unit->part.end = end;
            unit->part.unit = unit->unit;
        }
    }
    // Slots [a, b) share out candidates [from, end) of the step reached by `path`.
    void cover(std::vector<std::int32_t>& path, std::int64_t from, std::int64_t end, std::int64_t a,
               std::int64_t b) {
        const std::int64_t slots = b - a;
        const std::int64_t count = end - from;
        if (count >= slots) {
            for (std::int64_t i = ((m_residue - a) % m_count + m_count) % m_count; i < slots; i += m_count)
                leaf(path, a + i, from + share(count, i, slots), from + share(count, i + 1, slots));
            return;
        }
        for (std::int64_t j = 0; j < count; ++j) {
            const std::int64_t first = a + slots * j / count;
            const std::int64_t last = a + slots * (j + 1) / count;
            if (!owns(first, last)) continue;
            if (last - first == 1) {
                leaf(path, first, from + j, from + j + 1);
                continue;
            }
            if (stopped()) return;
            const auto [placement, below] = m_engine.runStepBelow(path, from + j);
            take(first);
            if (below == 0) continue;
            path.push_back(placement);
            cover(path, 0, below, first, last);
            path.pop_back();
        }
    }

    std::vector<Piece> m_pieces;
    SearchState m_state;
    EventRecorder m_recorder;
    IncrementalSearch m_engine;
    std::int64_t m_residue;
    std::int64_t m_count;
    const std::function<bool()>& m_interrupted;
    ShardPlan m_plan;
};

}  // namespace

ShardPlan planShard(std::shared_ptr<const PlacementIndex> index, const PlacementTable& table,
                    const SearchState& state, std::span<const Piece> pieces, int shardIndex, int shardCount,
                    int unitCount, const std::function<bool()>& interrupted) {
    if (shardCount < 1 || shardIndex < 1 || shardIndex > shardCount) return {};
    return Planner(std::move(index), table, state, pieces, shardIndex, shardCount, interrupted)
        .run(unitCount);
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
