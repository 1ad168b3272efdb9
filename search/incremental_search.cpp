#include "search/incremental_search.h"

#include <algorithm>
#include <bit>

#include "board/board.h"
#include "search/incremental_search_bits.h"
#include "search/processor_features.h"

namespace {

constexpr int kPumpInterval = 100;

}  // namespace

IncrementalSearch::IncrementalSearch(const PlacementTable& table, int freeCellCount, SearchState& state,
                                     std::span<Piece> pieces, SearchHooks& hooks, Form form)
    : IncrementalSearch(std::make_shared<const PlacementIndex>(table, freeCellCount), table, state, pieces,
                        hooks, form) {}

IncrementalSearch::IncrementalSearch(std::shared_ptr<const PlacementIndex> index, const PlacementTable& table,
                                     SearchState& state, std::span<Piece> pieces, SearchHooks& hooks,
                                     Form form)
    : m_index(std::move(index)),
      m_table(table),
      m_cells(m_index->cells()),
      m_state(state),
      m_pieces(pieces),
      m_hooks(hooks),
      m_pieceSlots(std::clamp(state.pieceCount, 0, std::min(static_cast<int>(pieces.size()), kMaxPieces))) {
    init(form);
}

void IncrementalSearch::init(Form form) {
    const int placements = m_index->placements();
    const auto cells = static_cast<std::size_t>(m_cells);
    m_covered.assign(cells, 0);
    m_count.assign(cells, 0);
    m_counts = m_count.data();
    m_dead.assign(static_cast<std::size_t>(placements), 1);
    m_frameWords = std::max(form.frameWords, 2);
    m_bits = form.bitParallel && m_index->hasColumnBits() && m_cells <= 512;
    // (Where the processor has none of these, the portable forms run.)
    const ProcessorFeatures& processor = processorFeatures();
    m_hardwarePopcount = processor.popcnt;
    m_vectorPopcount = form.vectorBits >= 512 && processor.avx512vpopcntdq;
    m_wideCount = form.vectorBits >= 256 && !m_vectorPopcount && processor.avx2;
    m_bitExtract = form.bitExtract && processor.fastBitExtract;
    m_compressRows = m_vectorPopcount && processor.avx512bw && processor.avx512vbmi2;
    m_liveWords.assign(static_cast<std::size_t>(m_index->rowWords()), 0);
    m_cellCounts.assign(static_cast<std::size_t>(m_index->columnStride()), 0);
    m_rowsBefore.assign(static_cast<std::size_t>(m_index->rowWords()) + 1, 0);
    m_rowWords = m_index->rowWords();
    m_livePitch = (static_cast<std::size_t>(m_rowWords) + 7) / 8 * 8;
    m_rows.clear();
    m_rows.reserve(static_cast<std::size_t>(placements));
    // A step below depth `cells` always covers a further cell, so no search goes deeper.
    m_levels.resize(cells + 1);
    m_liveEnd.assign(cells + 2, 0);
    m_placed = 0;
    m_spare = std::max(m_state.spareCells, 0);
    m_openCells = 0;
    m_path.assign(cells + 1, 0);
    m_state.coveredMask.resize(static_cast<std::size_t>(m_table.wordsPerMask), 0u);

    // Cells already covered when the search starts (none for a fresh search, but the state says which).
    for (int n = 0; n < m_cells; ++n) {
        const auto word = static_cast<std::size_t>(n >> 5);
        m_covered[static_cast<std::size_t>(n)] =
            word < m_state.coveredMask.size() && (m_state.coveredMask[word] >> (n & 31) & 1u) != 0;
    }
    for (int j = 0; j < placements; ++j) {
        const int p = m_index->pieceOf(j);
        if (p >= m_pieceSlots || m_pieces[static_cast<std::size_t>(p)].copies == 0) continue;
        bool open = true;
        for (const std::uint16_t* c = m_index->rowBegin(j); c != m_index->rowEnd(j); ++c)
            open = open && m_covered[*c] == 0;
        if (!open) continue;
        m_dead[static_cast<std::size_t>(j)] = 0;
        m_rows.push_back(j);
        for (const std::uint16_t* c = m_index->rowBegin(j); c != m_index->rowEnd(j); ++c) ++m_count[*c];
    }
    m_live = static_cast<std::int32_t>(m_rows.size());
    if (m_bits) {
        m_liveBits.assign((cells + 2) * m_livePitch, 0);
        for (std::int32_t row : m_rows)
            m_liveBits[static_cast<std::size_t>(row >> 6)] |= std::uint64_t{1} << (row & 63);
        // A deeper frame has at most half the words of the one before it.
        m_frames.resize(static_cast<std::size_t>(std::bit_width(static_cast<unsigned>(m_rowWords))) + 1);
        m_frameAt.assign(cells + 2, 0);
        m_deadGroup.resize(static_cast<std::size_t>(placements));
        for (int j = 0; j < placements; ++j)
            m_deadGroup[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(
                m_index->rowBegin(j) != m_index->rowEnd(j) ? *m_index->rowBegin(j) / 8 : 0);
        Frame& whole = m_frames[0];
        whole.words = m_rowWords;
        whole.columnData = m_index->columnBits();
        whole.cellData = m_index->cellBits();
        whole.cellStride = static_cast<std::size_t>(m_index->cellStride());
        whole.rows.resize(static_cast<std::size_t>(placements));
        whole.pieces.resize(static_cast<std::size_t>(placements));
        for (int j = 0; j < placements; ++j) {
            whole.rows[static_cast<std::size_t>(j)] = j;
            whole.pieces[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(m_index->pieceOf(j));
        }
        for (int p = 0; p < kMaxPieces; ++p) {
            whole.pieceBegin[static_cast<std::size_t>(p)] =
                m_table.firstPlacement[static_cast<std::size_t>(p)];
            whole.pieceEnd[static_cast<std::size_t>(p)] = m_table.endPlacement[static_cast<std::size_t>(p)];
        }
    }
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

void IncrementalSearch::kill(std::int32_t row) {
    m_dead[static_cast<std::size_t>(row)] = 1;
    for (const std::uint16_t* c = m_index->rowBegin(row); c != m_index->rowEnd(row); ++c) --m_count[*c];
}

// The functions of a step are inlined into it: a step that finds a dead end does little else than call
// them, and their calls took a few per cent of a search.
[[gnu::always_inline]] inline void IncrementalSearch::placeBits(int placement, int piece) {
    const int frameIndex = m_frameAt[static_cast<std::size_t>(m_placed)];
    const Frame& frame = m_frames[static_cast<std::size_t>(frameIndex)];
    const std::uint64_t* from = liveSet(m_placed);
    std::uint64_t* to = m_liveBits.data() + static_cast<std::size_t>(m_placed + 1) * m_livePitch;
    // A cell left without rows is most often one beside the piece just placed: the count looks first where
    // this Placement last left one.
    m_lastPlacement = placement;
    m_firstGroup = m_deadGroup[static_cast<std::size_t>(placement)];
    const bool pieceDone = m_pieces[static_cast<std::size_t>(piece)].copies == 0;
    // The vector forms clear the piece's rows in the same pass.
    const int first = pieceDone ? frame.pieceBegin[static_cast<std::size_t>(piece)] : 0;
    const int end = pieceDone ? frame.pieceEnd[static_cast<std::size_t>(piece)] : 0;
    if (m_vectorPopcount) {
        clearOverlapsVector(frame, placement, first, end, from, to);
        ++m_placed;
        m_frameAt[static_cast<std::size_t>(m_placed)] = frameIndex;
        return;
    }
    if (m_wideCount) {
        clearOverlapsWide(frame, placement, first, end, from, to);
        ++m_placed;
        m_frameAt[static_cast<std::size_t>(m_placed)] = frameIndex;
        return;
    }
    clearOverlaps(frame, placement, from, to);
    if (pieceDone) {
        // The rows of a piece are one run of the frame: whole words, and the bits at either end.
        for (int j = first; j < end;) {
            const int word = j >> 6;
            const int upTo = std::min(end, (word + 1) * 64);
            const int bits = upTo - j;
            const std::uint64_t run =
                bits == 64 ? ~std::uint64_t{0} : ((std::uint64_t{1} << bits) - 1) << (j & 63);
            to[word] &= ~run;
            j = upTo;
        }
    }
    ++m_placed;
    m_frameAt[static_cast<std::size_t>(m_placed)] = frameIndex;
}

[[gnu::always_inline]] inline void IncrementalSearch::place(int placement, int piece) {
    Piece& p = m_pieces[static_cast<std::size_t>(piece)];
    --p.copies;
    // The bit-set form reads the covered cells from the state's mask.
    if (m_bits) {
        placeBits(placement, piece);
        return;
    }
    const std::uint16_t* first = m_index->rowBegin(placement);
    const std::uint16_t* last = m_index->rowEnd(placement);
    for (const std::uint16_t* c = first; c != last; ++c) m_covered[*c] = 1;
    const bool pieceDone = p.copies == 0;

    // Only the mask words that the placed piece occupies can overlap (its cells are ascending).
    const int wordFrom = first == last ? 0 : *first >> 5;
    const int wordTo = first == last ? -1 : *(last - 1) >> 5;
    const std::uint32_t* placed = m_table.mask(placement);
    const auto stride = static_cast<std::size_t>(m_table.wordsPerMask);
    const std::uint32_t* masks = m_table.masks.data();
    killLiveRows([&](std::int32_t row) {
        bool dies = pieceDone && m_index->pieceOf(row) == piece;
        const std::uint32_t* mask = masks + static_cast<std::size_t>(row) * stride;
        for (int w = wordFrom; w <= wordTo && !dies; ++w) dies = (mask[w] & placed[w]) != 0;
        return dies;
    });
}

template <class Dies>
void IncrementalSearch::killLiveRows(Dies dies) {
    m_liveEnd[static_cast<std::size_t>(m_placed++)] = m_live;
    std::int32_t i = 0;
    std::int32_t end = m_live;
    while (i < end) {
        const std::int32_t row = m_rows[static_cast<std::size_t>(i)];
        if (dies(row)) {
            kill(row);
            m_rows[static_cast<std::size_t>(i)] = m_rows[static_cast<std::size_t>(--end)];
            m_rows[static_cast<std::size_t>(end)] = row;
        } else {
            ++i;
        }
    }
    m_live = end;
}

[[gnu::always_inline]] inline void IncrementalSearch::unplace(int placement, int piece) {
    if (m_bits) {
        --m_placed;
        ++m_pieces[static_cast<std::size_t>(piece)].copies;
        return;
    }
    restoreLayer();
    ++m_pieces[static_cast<std::size_t>(piece)].copies;
    for (const std::uint16_t* c = m_index->rowBegin(placement); c != m_index->rowEnd(placement); ++c)
        m_covered[*c] = 0;
}

// The rows killed by the last layer come back to life.
void IncrementalSearch::restoreLayer() {
    const std::int32_t end = m_liveEnd[static_cast<std::size_t>(--m_placed)];
    for (std::int32_t i = m_live; i < end; ++i) {
        const std::int32_t row = m_rows[static_cast<std::size_t>(i)];
        m_dead[static_cast<std::size_t>(row)] = 0;
        for (const std::uint16_t* c = m_index->rowBegin(row); c != m_index->rowEnd(row); ++c) ++m_count[*c];
    }
    m_live = end;
}

// A cell left open: a layer that kills the live rows through it.
void IncrementalSearch::placeOpenCell(int cell) {
    if (m_bits) {
        const int frameIndex = m_frameAt[static_cast<std::size_t>(m_placed)];
        const Frame& frame = m_frames[static_cast<std::size_t>(frameIndex)];
        const auto words = static_cast<std::size_t>(frame.words);
        const std::uint64_t* from = liveSet(m_placed);
        std::uint64_t* to = m_liveBits.data() + static_cast<std::size_t>(m_placed + 1) * m_livePitch;
        const std::uint64_t* column = frame.cell(cell);
        for (std::size_t w = 0; w < words; ++w) to[w] = from[w] & ~column[w];
        m_firstGroup = cell / 8;
        m_lastPlacement = -1;
        ++m_placed;
        m_frameAt[static_cast<std::size_t>(m_placed)] = frameIndex;
        return;
    }
    m_covered[static_cast<std::size_t>(cell)] = 1;
    const auto stride = static_cast<std::size_t>(m_table.wordsPerMask);
    const std::uint32_t* masks = m_table.masks.data() + (cell >> 5);
    const std::uint32_t bit = std::uint32_t{1} << (cell & 31);
    killLiveRows(
        [&](std::int32_t row) { return (masks[static_cast<std::size_t>(row) * stride] & bit) != 0; });
}

void IncrementalSearch::unplaceOpenCell(int cell) {
    if (m_bits) {
        --m_placed;
        return;
    }
    restoreLayer();
    m_covered[static_cast<std::size_t>(cell)] = 0;
}

void IncrementalSearch::enterValue(int depth, std::int32_t value) {
    if (value < 0) {
        const int cell = -1 - value;
        m_state.coveredMask[static_cast<std::size_t>(cell >> 5)] ^= std::uint32_t{1} << (cell & 31);
        placeOpenCell(cell);
        --m_spare;
        ++m_openCells;
    } else {
        const int p = m_index->pieceOf(value);
        togglePlacement(p, value);
        place(value, p);
        m_state.chosenPlacement[static_cast<std::size_t>(depth - m_openCells)] = value;
    }
    m_path[static_cast<std::size_t>(depth)] = value;
}

void IncrementalSearch::leaveValue(std::int32_t value) {
    if (value < 0) {
        const int cell = -1 - value;
        ++m_spare;
        --m_openCells;
        unplaceOpenCell(cell);
        m_state.coveredMask[static_cast<std::size_t>(cell >> 5)] ^= std::uint32_t{1} << (cell & 31);
    } else {
        unplace(value, m_index->pieceOf(value));
        togglePlacement(kOpenCell, value);
    }
}

void IncrementalSearch::togglePlacement(int value, int placement) {
    const std::uint32_t* mask = m_table.mask(placement);
    std::uint32_t* covered = m_state.coveredMask.data();
    for (int w = 0; w < m_table.wordsPerMask; ++w) covered[w] ^= mask[w];
    if (m_state.showSteps == 1) m_hooks.drawPlacement(value, placement);
}

[[gnu::always_inline]] inline int IncrementalSearch::chooseCell() {
    if (m_bits) {
        if (m_vectorPopcount) return chooseCellBitsVector();
        if (m_wideCount) return chooseCellBitsWide();
        return m_hardwarePopcount ? chooseCellBitsPopcount() : chooseCellBitsPortable();
    }
    int best = kNoCount;
    for (int n = 0; n < m_cells; ++n) {
        if (m_covered[static_cast<std::size_t>(n)] != 0) continue;
        const int count = m_counts[n];
        if (count < best) {
            if (count == 0) return -1;
            best = count;
            m_state.bestCell = n;
        }
    }
    if (m_cells == 0 || best == kNoCount) return -2;
    return m_state.bestCell;
}

[[gnu::always_inline]] inline void IncrementalSearch::searchStep(int a) {
    if (enterStep(a)) tryCandidates(a, 0, m_levels[static_cast<std::size_t>(a)].total);
}

// Everything a step does before its candidates; true when it has candidates to try (collected into
// level `a`).
[[gnu::always_inline]] inline bool IncrementalSearch::enterStep(int a) {
    ++m_state.steps;
    const int s = m_state.stepCounter;
    m_state.stepCounter = s + 1;
    if (s >= kPumpInterval) {
        m_state.stepCounter = 0;
        m_hooks.pumpMessages();
    }
    if (m_hooks.interruptRequested()) {
        m_state.showSteps = 0;
        m_interrupted = true;
        return false;
    }
    if (m_donor != nullptr && m_donor->wanted()) donateShallowest(a);
    // The Placements on the path: the steps above, but for the cells left open.
    const int placed = a - m_openCells;
    m_state.currentDepth = placed;
    if (placed > m_state.shownDepth) {
        m_hooks.onNewDepth(placed);
        m_state.shownDepth = placed;
        m_state.showSteps = 0;
    }
    if (placed >= m_state.totalCopies) {
        m_hooks.recordSolution(placed);
        return false;
    }
    const int c = stepCell();
    if (c == -2) {
        m_hooks.recordSolution(placed);
        return false;
    }
    if (c == -1) return false;
    collectCandidates(a, c);
    return true;
}

[[gnu::always_inline]] inline int IncrementalSearch::stepCell() {
    int c = chooseCell();
    if (c != -1 || m_spare == 0) return c;
    // A cell that nothing can cover: it can only stay open.
    c = emptyOpenCell();
    if (c >= 0) m_state.bestCell = c;
    return c;
}

// The lowest uncovered cell without live rows, or -1.
int IncrementalSearch::emptyOpenCell() const {
    if (!m_bits) {
        for (int n = 0; n < m_cells; ++n)
            if (m_covered[static_cast<std::size_t>(n)] == 0 && m_counts[n] == 0) return n;
        return -1;
    }
    const std::uint64_t* live = liveSet(m_placed);
    const Frame& frame = frameOf(m_placed);
    const auto words = static_cast<std::size_t>(frame.words);
    const std::uint32_t* covered = m_state.coveredMask.data();
    for (int n = 0; n < m_cells; ++n) {
        if ((covered[n >> 5] >> (n & 31) & 1u) != 0) continue;
        const std::uint64_t* column = frame.cell(n);
        std::size_t w = 0;
        while (w < words && (live[w] & column[w]) == 0) ++w;
        if (w == words) return n;
    }
    return -1;
}

// The candidates of a step: those that place a piece, then, while cells may stay open, leaving it open.
void IncrementalSearch::collectCandidates(int a, int c) {
    collectPieceCandidates(a, c);
    Level& level = m_levels[static_cast<std::size_t>(a)];
    level.pieceTotal = level.total;
    level.cell = c;
    if (m_spare > 0) ++level.total;
}

// The candidates of the step at depth a for cell c, in the order of trying: piece slot by piece slot,
// the live Placements of the piece through c in table order, that run repeated once per remaining copy.
// Every run meets the same state, so one list per piece serves all its runs.
void IncrementalSearch::collectPieceCandidates(int a, int c) {
    Level& level = m_levels[static_cast<std::size_t>(a)];
    level.live.clear();
    level.segments.clear();
    level.total = 0;
    if (m_bits) {
        // A step with candidates renumbers its live rows once they fill half its frame's words or less:
        // its whole subtree then works on the fewer words.
        const Frame& current = frameOf(m_placed);
        if (current.words >= m_frameWords) {
            const std::uint64_t* live = liveSet(m_placed);
            const int rows = m_hardwarePopcount ? incremental::rowCountPopcount(live, current.words)
                                                : incremental::rowCount(live, current.words);
            if ((rows + 63) / 64 * 2 <= current.words) makeFrame(m_placed);
        }
        // The live rows through c, ascending: table order.
        const std::uint64_t* live = liveSet(m_placed);
        const Frame& frame = frameOf(m_placed);
        const std::uint64_t* column = frame.cell(c);
        // The words with candidates first, without a branch: most have none.
        std::uint16_t* words = m_liveWords.data();
        int wordCount = 0;
        for (int w = 0; w < frame.words; ++w) {
            words[wordCount] = static_cast<std::uint16_t>(w);
            wordCount += (live[w] & column[w]) != 0 ? 1 : 0;
        }
        // The piece and its copies are looked up once per run of its rows. (A piece's rows die with its
        // last copy; only a count below 0, which a damaged piece file could give, leaves rows that count
        // for the choice of cell but are never tried.)
        int piece = -1;
        int runs = 0;
        for (int i = 0; i < wordCount; ++i) {
            const int w = words[i];
            for (std::uint64_t bits = live[w] & column[w]; bits != 0; bits &= bits - 1) {
                const auto bit = static_cast<std::size_t>(w * 64 + std::countr_zero(bits));
                const std::int32_t row = frame.rows[bit];
                const int p = frame.pieces[bit];
                if (p != piece) {
                    piece = p;
                    const int copies = m_pieces[static_cast<std::size_t>(p)].copies;
                    runs = copies < 1 ? 0 : m_state.eachTilingOnce ? 1 : copies;
                    if (runs != 0)
                        level.segments.push_back({p, static_cast<int>(level.live.size()), 0, level.total, 0});
                }
                if (runs == 0) continue;
                level.live.push_back(row);
                Segment& s = level.segments.back();
                ++s.size;
                s.count += runs;
                level.total += runs;
            }
        }
        return;
    }
    const std::int32_t* row = m_index->columnBegin(c);
    const std::int32_t* end = m_index->columnEnd(c);
    while (row != end) {
        const int p = m_index->pieceOf(*row);
        const int copies = m_pieces[static_cast<std::size_t>(p)].copies;
        const int start = static_cast<int>(level.live.size());
        for (; row != end && m_index->pieceOf(*row) == p; ++row)
            if (copies >= 1 && m_dead[static_cast<std::size_t>(*row)] == 0) level.live.push_back(*row);
        const int size = static_cast<int>(level.live.size()) - start;
        if (size == 0) continue;
        const std::int64_t count = std::int64_t{size} * (m_state.eachTilingOnce ? 1 : copies);
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
    if (from < level.pieceTotal) tryPieceCandidates(a, from);
    if (level.pieceTotal < level.total && level.pieceTotal < level.end) {
        level.next = level.pieceTotal;
        tryOpenCell(a, level.cell);
    }
}

void IncrementalSearch::tryOpenCell(int a, int cell) {
    const bool upkeep = !m_interrupted;
    m_state.coveredMask[static_cast<std::size_t>(cell >> 5)] ^= std::uint32_t{1} << (cell & 31);
    if (upkeep) placeOpenCell(cell);
    --m_spare;
    ++m_openCells;
    m_path[static_cast<std::size_t>(a)] = -1 - cell;
    if (m_state.skipToNextFirst == 0) searchStep(a + 1);
    if (a == 0) m_state.skipToNextFirst = 0;
    ++m_spare;
    --m_openCells;
    if (upkeep) unplaceOpenCell(cell);
    m_state.coveredMask[static_cast<std::size_t>(cell >> 5)] ^= std::uint32_t{1} << (cell & 31);
}

void IncrementalSearch::tryPieceCandidates(int a, std::int64_t from) {
    Level& level = m_levels[static_cast<std::size_t>(a)];
    const int placed = a - m_openCells;
    std::size_t segment = 0;
    while (from >= level.segments[segment].base + level.segments[segment].count) ++segment;
    const std::int64_t into = from - level.segments[segment].base;
    int k = into == 0 ? 0 : static_cast<int>(into % level.segments[segment].size);
    // level.end is read again after every candidate: a deeper step may have given later ones away.
    for (std::int64_t i = from; i < std::min(level.end, level.pieceTotal); ++i) {
        const Segment& s = level.segments[segment];
        level.next = i;
        const int p = s.piece;
        const int j = level.live[static_cast<std::size_t>(s.start + k)];
        if (a == 0)
            m_hooks.showFirstPieceStatus(100 * p / m_state.pieceCount, m_pieces[static_cast<std::size_t>(p)]);
        // Once interrupted, every further step returns at once without looking at the counts, so the
        // unwinding skips their upkeep (the costly part on a large Board) but keeps every hook call.
        const bool upkeep = !m_interrupted;
        togglePlacement(p, j);
        if (upkeep) place(j, p);
        m_state.chosenPlacement[static_cast<std::size_t>(placed)] = j;
        m_path[static_cast<std::size_t>(a)] = j;
        if (m_state.skipToNextFirst == 0) searchStep(a + 1);
        if (a == 0) m_state.skipToNextFirst = 0;
        if (upkeep) unplace(j, p);
        togglePlacement(kOpenCell, j);
        if (++k == s.size) {
            k = 0;
            // An interrupted search stops repeating the scan for a count only a piece file can give.
            if (m_pieces[static_cast<std::size_t>(p)].copies > kMaxEditableCopies &&
                m_hooks.interruptRequested())
                i = s.base + s.count - 1;
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
        m_donor->donate(std::span<const std::int32_t>(m_path.data(), static_cast<std::size_t>(d)), mid,
                        level.end);
        level.end = mid;
        return;
    }
}

void IncrementalSearch::placePath(std::span<const std::int32_t> path) {
    if (m_state.chosenPlacement.size() < path.size()) m_state.chosenPlacement.resize(path.size());
    for (std::size_t d = 0; d < path.size(); ++d) enterValue(static_cast<int>(d), path[d]);
}

void IncrementalSearch::removePath(std::span<const std::int32_t> path) {
    for (std::size_t d = path.size(); d-- > 0;) leaveValue(path[d]);
}

// Chooses the cell of the step at `depth` (all Placements above it placed) and collects its candidates,
// without calling any hook; false when that step has none to try.
bool IncrementalSearch::collectAt(int a) {
    if (a - m_openCells >= m_state.totalCopies || a >= m_cells) return false;
    const int c = stepCell();
    if (c < 0) return false;
    collectCandidates(a, c);
    return true;
}

std::pair<int, std::int32_t> IncrementalSearch::candidateAt(int a, std::int64_t i) const {
    const Level& level = m_levels[static_cast<std::size_t>(a)];
    if (i >= level.pieceTotal) return {-1, i < level.total ? -1 - level.cell : -1};
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
    m_state.shownDepth = a - m_openCells;
    m_state.currentDepth = a - m_openCells;
    std::pair<std::int32_t, std::int64_t> result{-1, 0};
    if (collectAt(a) && candidate >= 0 && candidate < m_levels[static_cast<std::size_t>(a)].total) {
        const auto [p, j] = candidateAt(a, candidate);
        if (a == 0 && p >= 0)
            m_hooks.showFirstPieceStatus(100 * p / m_state.pieceCount, m_pieces[static_cast<std::size_t>(p)]);
        if (m_state.chosenPlacement.size() <= static_cast<std::size_t>(a))
            m_state.chosenPlacement.resize(static_cast<std::size_t>(a) + 1);
        enterValue(a, j);
        result = {j, enterStep(a + 1) ? m_levels[static_cast<std::size_t>(a) + 1].total : 0};
        leaveValue(j);
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
    m_state.shownDepth = a - m_openCells;
    m_state.currentDepth = a - m_openCells;
    if (collectAt(a)) tryCandidates(a, from, end);
    removePath(path);
    m_donor = nullptr;
}
