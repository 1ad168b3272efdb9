#include "search/backtracking_search.h"

#include <algorithm>

#include "board/board.h"
#include "search/cover_mask.h"

namespace {
constexpr int kPumpInterval = 100;
}  // namespace

BacktrackingSearch::BacktrackingSearch(const PlacementTable& table, int freeCellCount, SearchState& state,
                                       std::span<Piece> pieces, SearchHooks& hooks)
    : m_table(table),
      m_freeCellCount(freeCellCount),
      m_state(state),
      m_pieces(pieces),
      m_hooks(hooks),
      m_pieceSlots(std::clamp(state.pieceCount, 0, std::min(static_cast<int>(pieces.size()), kMaxPieces))),
      m_spare(std::max(state.spareCells, 0)) {
    m_state.candidateCounts.resize(static_cast<std::size_t>(std::max(freeCellCount, 0)));
    m_state.coveredMask.resize(static_cast<std::size_t>(table.wordsPerMask), 0u);
}

void BacktrackingSearch::searchStep(int a) {
    const int s = m_state.stepCounter;
    m_state.stepCounter = s + 1;
    ++m_state.steps;
    if (s >= kPumpInterval) {
        m_state.stepCounter = 0;
        m_hooks.pumpMessages();
    }
    if (m_hooks.interruptRequested()) {
        m_state.showSteps = 0;
        return;
    }
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
        return;
    }
    int c = chooseCell();
    if (c == -2) {
        m_hooks.recordSolution(placed);
        return;
    }
    if (c == -1) {
        if (m_spare == 0) return;
        c = m_emptyCell;  // it has no candidates: it can only stay open
        m_state.bestCell = c;
    }

    if (m_state.chosenPlacement.size() <= static_cast<std::size_t>(placed))
        m_state.chosenPlacement.resize(static_cast<std::size_t>(placed) + 1);
    const int words = m_table.wordsPerMask;
    for (int p = 0; p < m_pieceSlots; ++p) {
        Piece& piece = m_pieces[static_cast<std::size_t>(p)];
        if (piece.copies < 1) continue;
        // The scan runs once per remaining copy (the count is read again after each run and is back at
        // its value each time): this is what counts every order of identical copies.
        // Scanned once, each tiling is found once whatever the copies.
        for (int run = 0; run < (m_state.eachTilingOnce ? 1 : piece.copies); ++run) {
            bool placedAny = false;
            for (int j = m_table.firstPlacement[static_cast<std::size_t>(p)];
                 j < m_table.endPlacement[static_cast<std::size_t>(p)]; ++j) {
                const std::uint32_t* mask = m_table.mask(j);
                if (!maskHasBit(mask, c)) continue;
                if (masksOverlap(mask, m_state.coveredMask.data(), words)) continue;
                placedAny = true;
                if (a == 0) m_hooks.showFirstPieceStatus(100 * p / m_state.pieceCount, piece);
                togglePlacement(p, j);
                --piece.copies;
                m_state.chosenPlacement[static_cast<std::size_t>(placed)] = j;
                if (m_state.skipToNextFirst == 0) searchStep(a + 1);
                if (a == 0) m_state.skipToNextFirst = 0;
                ++piece.copies;
                togglePlacement(kOpenCell, j);
            }
            // A run that found no candidate leaves everything as it was, so every further run would
            // find none either; stopping here only spares a huge copies count from spinning unseen.
            if (!placedAny) break;
            // After an interrupt the remaining runs only place and take away again. For the counts the
            // pieces dialog allows they run to their end; a count only a piece file can give (billions)
            // would keep an interrupted search from ever ending.
            if (piece.copies > kMaxEditableCopies && m_hooks.interruptRequested()) break;
        }
    }
    // The last candidate of a packing step: the cell stays open.
    if (m_spare > 0) {
        toggleOpenCell(c);
        --m_spare;
        ++m_openCells;
        if (m_state.skipToNextFirst == 0) searchStep(a + 1);
        if (a == 0) m_state.skipToNextFirst = 0;
        ++m_spare;
        --m_openCells;
        toggleOpenCell(c);
    }
}

int BacktrackingSearch::chooseCell() {
    std::fill(m_state.candidateCounts.begin(), m_state.candidateCounts.end(), std::uint16_t{0});
    const int words = m_table.wordsPerMask;
    const std::uint32_t* covered = m_state.coveredMask.data();
    for (int p = 0; p < m_pieceSlots; ++p) {
        // Any count but 0 makes the piece's Placements count, also a negative one.
        if (m_pieces[static_cast<std::size_t>(p)].copies == 0) continue;
        for (int j = m_table.firstPlacement[static_cast<std::size_t>(p)];
             j < m_table.endPlacement[static_cast<std::size_t>(p)]; ++j) {
            const std::uint32_t* mask = m_table.mask(j);
            if (masksOverlap(mask, covered, words)) continue;
            forEachSetBit(mask, words,
                          [&](int n) { ++m_state.candidateCounts[static_cast<std::size_t>(n)]; });
        }
    }
    int best = kNoCount;
    for (int n = 0; n < m_freeCellCount; ++n) {
        if (maskHasBit(covered, n)) continue;
        const int count = m_state.candidateCounts[static_cast<std::size_t>(n)];
        if (count < best) {
            if (count == 0) {
                m_emptyCell = n;
                return -1;
            }
            best = count;
            m_state.bestCell = n;
        }
    }
    if (m_freeCellCount == 0 || best == kNoCount) return -2;
    return m_state.bestCell;
}

void BacktrackingSearch::toggleOpenCell(int cell) {
    m_state.coveredMask[static_cast<std::size_t>(cell >> 5)] ^= std::uint32_t{1} << (cell & 31);
}

void BacktrackingSearch::togglePlacement(int value, int j) {
    const std::uint32_t* mask = m_table.mask(j);
    for (int w = 0; w < m_table.wordsPerMask; ++w)
        m_state.coveredMask[static_cast<std::size_t>(w)] ^= mask[w];
    if (m_state.showSteps == 1) m_hooks.drawPlacement(value, j);
}
