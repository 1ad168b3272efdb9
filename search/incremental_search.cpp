#include "search/incremental_search.h"

#include <algorithm>
#include <bit>

IncrementalSearch::IncrementalSearch(const PlacementTable& table, int freeCellCount, SearchState& state,
                                     std::span<Piece> pieces, SearchHooks& hooks)
    : m_table(table), m_cells(freeCellCount), m_state(state), m_pieces(pieces), m_hooks(hooks) {
    const int placements = table.placementCount;
    m_pieceOf.assign(placements, 0);
    for (int p = 0; p < kMaxPieces; ++p)
        for (int j = table.firstPlacement[p]; j < table.endPlacement[p]; ++j) m_pieceOf[j] = p;

    // Rows: the set bits of each mask, in increasing order.
    m_rowStart.reserve(placements + 1);
    std::vector<std::int32_t> columnSizes(m_cells + 1, 0);
    for (int j = 0; j < placements; ++j) {
        m_rowStart.push_back(static_cast<std::int32_t>(m_rowCells.size()));
        const std::uint32_t* mask = table.mask(j);
        for (int w = 0; w < table.wordsPerMask; ++w) {
            for (std::uint32_t bits = mask[w]; bits != 0; bits &= bits - 1) {
                const int cell = w * 32 + std::countr_zero(bits);
                m_rowCells.push_back(cell);
                ++columnSizes[cell];
            }
        }
    }
    m_rowStart.push_back(static_cast<std::int32_t>(m_rowCells.size()));

    // Columns: Placements through each cell, in increasing order (a counting sort of the rows).
    m_columnStart.assign(m_cells + 1, 0);
    for (int n = 0; n < m_cells; ++n) m_columnStart[n + 1] = m_columnStart[n] + columnSizes[n];
    m_columnRows.resize(m_rowCells.size());
    std::vector<std::int32_t> fill(m_columnStart.begin(), m_columnStart.end() - 1);
    for (int j = 0; j < placements; ++j)
        for (auto i = m_rowStart[j]; i < m_rowStart[j + 1]; ++i) m_columnRows[fill[m_rowCells[i]]++] = j;

    m_blocked.assign(placements, 0);
    m_covered.assign(m_cells, 0);
    m_count.assign(m_cells, 0);
    // Cells already covered when the search starts (none for a fresh search, but the state says which).
    for (int n = 0; n < m_cells; ++n) {
        const auto word = static_cast<std::size_t>(n >> 5);
        if (word < m_state.coveredMask.size() && (m_state.coveredMask[word] >> (n & 31) & 1u) != 0) {
            m_covered[n] = 1;
            for (auto i = m_columnStart[n]; i < m_columnStart[n + 1]; ++i) ++m_blocked[m_columnRows[i]];
        }
    }
    for (int p = 0; p < m_state.pieceCount && p < kMaxPieces; ++p)
        if (m_pieces[p].copies != 0) addPieceRows(p, +1);
}

void IncrementalSearch::run() {
    searchStep(0);
}

void IncrementalSearch::addRow(int placement, int delta) {
    for (auto i = m_rowStart[placement]; i < m_rowStart[placement + 1]; ++i) m_count[m_rowCells[i]] += delta;
}

void IncrementalSearch::addPieceRows(int piece, int delta) {
    for (int j = m_table.firstPlacement[piece]; j < m_table.endPlacement[piece]; ++j)
        if (m_blocked[j] == 0) addRow(j, delta);
}

void IncrementalSearch::cover(int placement) {
    for (auto i = m_rowStart[placement]; i < m_rowStart[placement + 1]; ++i) {
        const auto cell = m_rowCells[i];
        m_covered[cell] = 1;
        for (auto r = m_columnStart[cell]; r < m_columnStart[cell + 1]; ++r) {
            const auto row = m_columnRows[r];
            if (m_blocked[row]++ == 0 && m_pieces[m_pieceOf[row]].copies != 0)
                addRow(static_cast<int>(row), -1);
        }
    }
}

void IncrementalSearch::uncover(int placement) {
    for (auto i = m_rowStart[placement + 1]; i-- > m_rowStart[placement];) {
        const auto cell = m_rowCells[i];
        m_covered[cell] = 0;
        for (auto r = m_columnStart[cell + 1]; r-- > m_columnStart[cell];) {
            const auto row = m_columnRows[r];
            if (--m_blocked[row] == 0 && m_pieces[m_pieceOf[row]].copies != 0)
                addRow(static_cast<int>(row), +1);
        }
    }
}

void IncrementalSearch::place(int placement, int piece) {
    cover(placement);
    Piece& p = m_pieces[piece];
    --p.copies;
    if (p.copies == 0) addPieceRows(piece, -1);
}

void IncrementalSearch::unplace(int placement, int piece) {
    Piece& p = m_pieces[piece];
    if (p.copies == 0) {
        ++p.copies;
        addPieceRows(piece, +1);
    } else {
        ++p.copies;
    }
    uncover(placement);
}

void IncrementalSearch::togglePlacement(int value, int placement) {
    const std::uint32_t* mask = m_table.mask(placement);
    for (int w = 0; w < m_table.wordsPerMask; ++w) m_state.coveredMask[w] ^= mask[w];
    if (m_state.showSteps == 1) m_hooks.drawPlacement(value, placement);
}

int IncrementalSearch::chooseCell() {
    int best = 65535;
    for (int n = 0; n < m_cells; ++n) {
        if (m_covered[n] != 0) continue;
        const int count = m_count[n];
        if (count < best) {
            if (count == 0) return -1;
            best = count;
            m_state.bestCell = n;
        }
    }
    if (m_cells == 0 || best == 65535) return -2;
    return m_state.bestCell;
}

void IncrementalSearch::searchStep(int a) {
    ++m_state.steps;
    const int s = m_state.stepCounter;
    m_state.stepCounter = s + 1;
    if (s >= 100) {
        m_state.stepCounter = 0;
        m_hooks.pumpMessages();
    }
    if (m_hooks.interruptRequested()) {
        m_state.showSteps = 0;
        return;
    }
    m_state.currentDepth = a;
    if (a > m_state.shownDepth) {
        m_hooks.onNewDepth(a);
        m_state.shownDepth = a;
        m_state.showSteps = 0;
    }
    if (a >= m_state.totalCopies) {
        m_hooks.recordSolution(a);
        return;
    }
    const int c = chooseCell();
    if (c == -2) {
        m_hooks.recordSolution(a);
        return;
    }
    if (c == -1) return;

    const auto columnBegin = m_columnRows.begin() + m_columnStart[c];
    const auto columnEnd = m_columnRows.begin() + m_columnStart[c + 1];
    if (static_cast<std::size_t>(a) >= m_state.chosenPlacement.size()) m_state.chosenPlacement.resize(a + 1);
    for (int p = 0; p < m_state.pieceCount; ++p) {
        Piece& piece = m_pieces[p];
        if (piece.copies < 1) continue;
        const auto first = std::lower_bound(columnBegin, columnEnd, m_table.firstPlacement[p]);
        const auto last = std::lower_bound(first, columnEnd, m_table.endPlacement[p]);
        // The scan runs once per copy left, each copy a candidate of its own.
        // Every run meets the same state, so a run that finds nothing ends the repetitions (a huge
        // count from a piece file must not spin).
        for (int run = 0; run < piece.copies; ++run) {
            bool found = false;
            for (auto it = first; it != last; ++it) {
                const int j = *it;
                if (m_blocked[j] != 0) continue;
                found = true;
                if (a == 0) m_hooks.showFirstPieceStatus(100 * p / m_state.pieceCount, piece);
                togglePlacement(p, j);
                place(j, p);
                m_state.chosenPlacement[a] = j;
                if (m_state.skipToNextFirst == 0) searchStep(a + 1);
                if (a == 0) m_state.skipToNextFirst = 0;
                unplace(j, p);
                togglePlacement(64, j);
            }
            if (!found) break;
            // An interrupted search stops repeating the scan for a count only a piece file can give.
            if (piece.copies > kMaxEditableCopies && m_hooks.interruptRequested()) break;
        }
    }
}
