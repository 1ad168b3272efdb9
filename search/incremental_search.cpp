#include "search/incremental_search.h"

#include <algorithm>

namespace {
constexpr int kOpenValue = 64;
constexpr int kNoCount = 65535;
constexpr int kPumpInterval = 100;
}  // namespace

IncrementalSearch::IncrementalSearch(const PlacementTable& table, int freeCellCount, SearchState& state,
                                     std::span<Piece> pieces, SearchHooks& hooks)
    : IncrementalSearch(std::make_shared<const PlacementIndex>(table, freeCellCount), table, state, pieces, hooks) {}

IncrementalSearch::IncrementalSearch(std::shared_ptr<const PlacementIndex> index, const PlacementTable& table,
                                     SearchState& state, std::span<Piece> pieces, SearchHooks& hooks)
    : m_index(std::move(index)),
      m_table(table),
      m_cells(m_index->cells()),
      m_state(state),
      m_pieces(pieces),
      m_hooks(hooks),
      m_pieceSlots(std::clamp(state.pieceCount, 0, std::min(static_cast<int>(pieces.size()), kMaxPieces))) {
    init();
}

void IncrementalSearch::init() {
    const auto placements = static_cast<std::size_t>(m_index->placements());
    const auto cells = static_cast<std::size_t>(m_cells);
    m_blocked.assign(placements, 0);
    m_covered.assign(cells, 0);
    m_count.assign(cells, 0);
    // A step below depth `cells` always covers a further cell, so no search goes deeper.
    m_levels.resize(cells + 1);
    m_state.coveredMask.resize(static_cast<std::size_t>(m_table.wordsPerMask), 0u);
    // Cells already covered when the search starts (none for a fresh search, but the state says which).
    for (int n = 0; n < m_cells; ++n) {
        const auto word = static_cast<std::size_t>(n >> 5);
        if (word < m_state.coveredMask.size() && (m_state.coveredMask[word] >> (n & 31) & 1u) != 0) {
            m_covered[static_cast<std::size_t>(n)] = 1;
            for (const std::int32_t* r = m_index->columnBegin(n); r != m_index->columnEnd(n); ++r)
                ++m_blocked[static_cast<std::size_t>(*r)];
        }
    }
    for (int p = 0; p < m_pieceSlots; ++p)
        if (m_pieces[static_cast<std::size_t>(p)].copies != 0) addPieceRows(p, +1);
}

void IncrementalSearch::run() {
    runWhole(nullptr);
}

void IncrementalSearch::runWhole(Donor* donor) {
    m_donor = donor;
    m_partDepth = 0;
    searchStep(0);
    m_donor = nullptr;
}

void IncrementalSearch::addRow(int placement, int delta) {
    for (const std::uint16_t* c = m_index->rowBegin(placement); c != m_index->rowEnd(placement); ++c)
        m_count[*c] += delta;
}

void IncrementalSearch::addPieceRows(int piece, int delta) {
    const int end = std::min(m_table.endPlacement[static_cast<std::size_t>(piece)], m_index->placements());
    for (int j = m_table.firstPlacement[static_cast<std::size_t>(piece)]; j < end; ++j)
        if (m_blocked[static_cast<std::size_t>(j)] == 0) addRow(j, delta);
}

void IncrementalSearch::cover(int placement) {
    for (const std::uint16_t* c = m_index->rowBegin(placement); c != m_index->rowEnd(placement); ++c) {
        m_covered[*c] = 1;
        for (const std::int32_t* r = m_index->columnBegin(*c); r != m_index->columnEnd(*c); ++r) {
            const std::int32_t row = *r;
            if (m_blocked[static_cast<std::size_t>(row)]++ == 0 &&
                m_pieces[static_cast<std::size_t>(m_index->pieceOf(row))].copies != 0)
                addRow(row, -1);
        }
    }
}

void IncrementalSearch::uncover(int placement) {
    for (const std::uint16_t* c = m_index->rowEnd(placement); c-- != m_index->rowBegin(placement);) {
        m_covered[*c] = 0;
        for (const std::int32_t* r = m_index->columnEnd(*c); r-- != m_index->columnBegin(*c);) {
            const std::int32_t row = *r;
            if (--m_blocked[static_cast<std::size_t>(row)] == 0 &&
                m_pieces[static_cast<std::size_t>(m_index->pieceOf(row))].copies != 0)
                addRow(row, +1);
        }
    }
}

void IncrementalSearch::place(int placement, int piece) {
    cover(placement);
    Piece& p = m_pieces[static_cast<std::size_t>(piece)];
    --p.copies;
    if (p.copies == 0) addPieceRows(piece, -1);
}

void IncrementalSearch::unplace(int placement, int piece) {
    Piece& p = m_pieces[static_cast<std::size_t>(piece)];
    ++p.copies;
    if (p.copies == 1) addPieceRows(piece, +1);
    uncover(placement);
}

void IncrementalSearch::togglePlacement(int value, int placement) {
    const std::uint32_t* mask = m_table.mask(placement);
    std::uint32_t* covered = m_state.coveredMask.data();
    for (int w = 0; w < m_table.wordsPerMask; ++w) covered[w] ^= mask[w];
    if (m_state.showSteps == 1) m_hooks.drawPlacement(value, placement);
}

int IncrementalSearch::chooseCell() {
    int best = kNoCount;
    for (int n = 0; n < m_cells; ++n) {
        if (m_covered[static_cast<std::size_t>(n)] != 0) continue;
        const int count = m_count[static_cast<std::size_t>(n)];
        if (count < best) {
            if (count == 0) return -1;
            best = count;
            m_state.bestCell = n;
        }
    }
    if (m_cells == 0 || best == kNoCount) return -2;
    return m_state.bestCell;
}

void IncrementalSearch::searchStep(int a) {
    if (enterStep(a)) tryCandidates(a, 0, m_levels[static_cast<std::size_t>(a)].total);
}

// Everything a step does before its candidates; true when it has candidates to try (collected into
// level `a`).
bool IncrementalSearch::enterStep(int a) {
    ++m_state.steps;
    const int s = m_state.stepCounter;
    m_state.stepCounter = s + 1;
    if (s >= kPumpInterval) {
        m_state.stepCounter = 0;
        m_hooks.pumpMessages();
    }
    if (m_hooks.interruptRequested()) {
        m_state.showSteps = 0;
        return false;
    }
    if (m_donor != nullptr && m_donor->wanted()) donateShallowest(a);
    m_state.currentDepth = a;
    if (a > m_state.shownDepth) {
        m_hooks.onNewDepth(a);
        m_state.shownDepth = a;
        m_state.showSteps = 0;
    }
    if (a >= m_state.totalCopies) {
        m_hooks.recordSolution(a);
        return false;
    }
    const int c = chooseCell();
    if (c == -2) {
        m_hooks.recordSolution(a);
        return false;
    }
    if (c == -1) return false;
    collectCandidates(a, c);
    return true;
}

// The candidates of the step at depth a for cell c, in the order of trying: piece slot by piece slot,
// the live Placements of the piece through c in table order, that run repeated once per remaining copy.
// Every run meets the same state, so one list per piece serves all its runs.
void IncrementalSearch::collectCandidates(int a, int c) {
    Level& level = m_levels[static_cast<std::size_t>(a)];
    level.live.clear();
    level.segments.clear();
    level.total = 0;
    const std::int32_t* columnBegin = m_index->columnBegin(c);
    const std::int32_t* columnEnd = m_index->columnEnd(c);
    const std::int32_t* first = columnBegin;
    for (int p = 0; p < m_pieceSlots; ++p) {
        const int copies = m_pieces[static_cast<std::size_t>(p)].copies;
        first = std::lower_bound(first, columnEnd, m_table.firstPlacement[static_cast<std::size_t>(p)]);
        const std::int32_t* last = std::lower_bound(first, columnEnd, m_table.endPlacement[static_cast<std::size_t>(p)]);
        if (copies < 1) continue;
        const int start = static_cast<int>(level.live.size());
        for (const std::int32_t* it = first; it != last; ++it)
            if (m_blocked[static_cast<std::size_t>(*it)] == 0) level.live.push_back(*it);
        const int size = static_cast<int>(level.live.size()) - start;
        if (size == 0) continue;
        const std::int64_t count = std::int64_t{size} * copies;
        level.segments.push_back({p, start, size, level.total, count});
        level.total += count;
    }
}

void IncrementalSearch::tryCandidates(int a, std::int64_t from, std::int64_t end) {
    Level& level = m_levels[static_cast<std::size_t>(a)];
    level.end = std::min(end, level.total);
    if (from >= level.end) return;
    if (static_cast<std::size_t>(a) >= m_state.chosenPlacement.size())
        m_state.chosenPlacement.resize(static_cast<std::size_t>(a) + 1);
    std::size_t segment = 0;
    while (from >= level.segments[segment].base + level.segments[segment].count) ++segment;
    int k = static_cast<int>((from - level.segments[segment].base) % level.segments[segment].size);
    // level.end is read again after every candidate: a deeper step may have given later ones away.
    for (std::int64_t i = from; i < level.end; ++i) {
        const Segment& s = level.segments[segment];
        level.next = i;
        const int p = s.piece;
        const int j = level.live[static_cast<std::size_t>(s.start + k)];
        if (a == 0) m_hooks.showFirstPieceStatus(100 * p / m_state.pieceCount, m_pieces[static_cast<std::size_t>(p)]);
        togglePlacement(p, j);
        place(j, p);
        m_state.chosenPlacement[static_cast<std::size_t>(a)] = j;
        if (m_state.skipToNextFirst == 0) searchStep(a + 1);
        if (a == 0) m_state.skipToNextFirst = 0;
        unplace(j, p);
        togglePlacement(kOpenValue, j);
        if (++k == s.size) {
            k = 0;
            if (i + 1 == s.base + s.count) ++segment;
        }
    }
}

void IncrementalSearch::donateShallowest(int depth) {
    for (int d = m_partDepth; d < depth; ++d) {
        Level& level = m_levels[static_cast<std::size_t>(d)];
        const std::int64_t from = level.next + 1;
        if (from >= level.end) continue;
        // Keep the earlier half: it follows what runs now, so the writer needs it first.
        const std::int64_t mid = from + (level.end - from) / 2;
        m_donor->donate(std::span<const std::int32_t>(m_state.chosenPlacement.data(), static_cast<std::size_t>(d)),
                        mid, level.end);
        level.end = mid;
        return;
    }
}

void IncrementalSearch::placePath(std::span<const std::int32_t> path) {
    if (m_state.chosenPlacement.size() < path.size()) m_state.chosenPlacement.resize(path.size());
    for (std::size_t d = 0; d < path.size(); ++d) {
        const int j = path[d];
        const int p = m_index->pieceOf(j);
        togglePlacement(p, j);
        place(j, p);
        m_state.chosenPlacement[d] = j;
    }
}

void IncrementalSearch::removePath(std::span<const std::int32_t> path) {
    for (std::size_t d = path.size(); d-- > 0;) {
        const int j = path[d];
        unplace(j, m_index->pieceOf(j));
        togglePlacement(kOpenValue, j);
    }
}

// Chooses the cell of the step at `depth` (all Placements above it placed) and collects its candidates,
// without calling any hook; false when that step has none to try.
bool IncrementalSearch::collectAt(int a) {
    if (a >= m_state.totalCopies || a >= m_cells) return false;
    const int c = chooseCell();
    if (c < 0) return false;
    collectCandidates(a, c);
    return true;
}

std::pair<int, std::int32_t> IncrementalSearch::candidateAt(int a, std::int64_t i) const {
    const Level& level = m_levels[static_cast<std::size_t>(a)];
    for (const Segment& s : level.segments)
        if (i < s.base + s.count)
            return {s.piece, level.live[static_cast<std::size_t>(s.start + (i - s.base) % s.size)]};
    return {-1, -1};
}

std::int64_t IncrementalSearch::candidateCount(std::span<const std::int32_t> path) {
    placePath(path);
    const int a = static_cast<int>(path.size());
    const std::int64_t total = collectAt(a) ? m_levels[static_cast<std::size_t>(a)].total : 0;
    removePath(path);
    return total;
}

std::int64_t IncrementalSearch::runFirstStep() {
    m_donor = nullptr;
    return enterStep(0) ? m_levels[0].total : 0;
}

std::pair<std::int32_t, std::int64_t> IncrementalSearch::runStepBelow(std::span<const std::int32_t> path,
                                                                      std::int64_t candidate) {
    const int a = static_cast<int>(path.size());
    m_donor = nullptr;
    placePath(path);
    m_state.shownDepth = a;
    m_state.currentDepth = a;
    std::pair<std::int32_t, std::int64_t> result{-1, 0};
    if (collectAt(a) && candidate >= 0 && candidate < m_levels[static_cast<std::size_t>(a)].total) {
        const auto [p, j] = candidateAt(a, candidate);
        if (a == 0) m_hooks.showFirstPieceStatus(100 * p / m_state.pieceCount, m_pieces[static_cast<std::size_t>(p)]);
        togglePlacement(p, j);
        place(j, p);
        if (m_state.chosenPlacement.size() <= static_cast<std::size_t>(a))
            m_state.chosenPlacement.resize(static_cast<std::size_t>(a) + 1);
        m_state.chosenPlacement[static_cast<std::size_t>(a)] = j;
        result = {j, enterStep(a + 1) ? m_levels[static_cast<std::size_t>(a) + 1].total : 0};
        unplace(j, p);
        togglePlacement(kOpenValue, j);
    }
    removePath(path);
    return result;
}

void IncrementalSearch::runPart(std::span<const std::int32_t> path, std::int64_t from, std::int64_t end,
                                Donor* donor) {
    const int a = static_cast<int>(path.size());
    m_donor = donor;
    m_partDepth = a;
    placePath(path);
    m_state.shownDepth = a;
    m_state.currentDepth = a;
    if (collectAt(a)) tryCandidates(a, from, end);
    removePath(path);
    m_donor = nullptr;
}
