#include "search/tiling_classes.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace {

int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

std::vector<int> cellsOf(const PlacementTable& table, int j) {
    std::vector<int> cells;
    const std::uint32_t* mask = table.mask(j);
    for (int w = 0; w < table.wordsPerMask; ++w)
        for (std::uint32_t bits = mask[w]; bits != 0; bits &= bits - 1)
            cells.push_back(w * 32 + std::countr_zero(bits));
    return cells;
}

}  // namespace

CellPos latticeSymmetry(int g, CellPos cell) {
    // Centroid coordinates: X in half sides, V in sixths of a row height times 2, so that a turn by
    // 60 degrees is (X, V) -> ((X - V) / 2, (3X + V) / 2) with X and V always of the same parity.
    int X = cell.x + 1;
    int V = 3 * cell.y + (((cell.x + cell.y) & 1) == 0 ? 1 : 2);
    if (g >= 6) X = -X;
    for (int turn = 0; turn < g % 6; ++turn) {
        const int x2 = (X - V) / 2;
        const int v2 = (3 * X + V) / 2;
        X = x2;
        V = v2;
    }
    return {X - 1, floorDiv(V, 3)};
}

void TilingClassCounter::prepare(const PlacementTable& table, const FreeCellIndex& index,
                                 std::span<const Piece> pieces, int pieceCount) {
    *this = TilingClassCounter{};
    pieceCount =
        std::clamp(pieceCount, 0, static_cast<int>(std::min(pieces.size(), std::size_t{kMaxPieces})));
    const int placementCount = table.placementCount;
    std::vector<std::vector<int>> cells(static_cast<std::size_t>(placementCount));
    for (int j = 0; j < placementCount; ++j) cells[static_cast<std::size_t>(j)] = cellsOf(table, j);

    // Slots whose Placements cover the same cell sets are interchangeable.
    std::vector<std::vector<std::vector<int>>> classKeys;
    m_slotClass.assign(static_cast<std::size_t>(pieceCount), -1);
    for (int p = 0; p < pieceCount; ++p) {
        const Piece& piece = pieces[static_cast<std::size_t>(p)];
        if (piece.copies < 0) m_negativeCopies = true;
        if (piece.copies <= 0) continue;
        std::vector<std::vector<int>> key;
        for (int j = table.firstPlacement[static_cast<std::size_t>(p)];
             j < table.endPlacement[static_cast<std::size_t>(p)]; ++j)
            key.push_back(cells[static_cast<std::size_t>(j)]);
        std::sort(key.begin(), key.end());
        key.erase(std::unique(key.begin(), key.end()), key.end());
        auto found = std::find(classKeys.begin(), classKeys.end(), key);
        int c = static_cast<int>(found - classKeys.begin());
        if (found == classKeys.end()) {
            classKeys.push_back(std::move(key));
            m_classCopies.push_back(0);
        }
        m_slotClass[static_cast<std::size_t>(p)] = c;
        m_classCopies[static_cast<std::size_t>(c)] += piece.copies;
    }

    std::map<std::pair<int, std::vector<int>>, int> byCells;
    m_placementClass.assign(static_cast<std::size_t>(placementCount), -1);
    m_canonical.assign(static_cast<std::size_t>(placementCount), -1);
    for (int j = 0; j < placementCount; ++j) {
        const int piece = table.records[static_cast<std::size_t>(j)].piece;
        const int c = piece >= 0 && piece < pieceCount ? m_slotClass[static_cast<std::size_t>(piece)] : -1;
        m_placementClass[static_cast<std::size_t>(j)] = c;
        if (c < 0) continue;
        m_canonical[static_cast<std::size_t>(j)] =
            byCells.try_emplace({c, cells[static_cast<std::size_t>(j)]}, j).first->second;
    }

    // The Board's symmetries: lattice symmetries, followed by the shift that keeps every triangle's
    // direction, that map the open cells onto open cells and each class's Placements onto its own.
    const int cellCount = index.freeCellCount;
    for (int g = 0; g < 12; ++g) {
        if (cellCount == 0 && g > 0) break;
        std::vector<CellPos> image(static_cast<std::size_t>(cellCount));
        for (int n = 0; n < cellCount; ++n)
            image[static_cast<std::size_t>(n)] =
                latticeSymmetry(g, index.coordinates[static_cast<std::size_t>(n)]);
        std::vector<int> cellMap(static_cast<std::size_t>(cellCount), -1);
        bool maps = true;
        if (cellCount > 0) {
            const CellPos lowest = *std::min_element(image.begin(), image.end(), [](CellPos a, CellPos b) {
                return a.y != b.y ? a.y < b.y : a.x < b.x;
            });
            const int dx = index.coordinates[0].x - lowest.x;
            const int dy = index.coordinates[0].y - lowest.y;
            maps = ((dx + dy) & 1) == 0;
            for (int n = 0; maps && n < cellCount; ++n) {
                const int x = image[static_cast<std::size_t>(n)].x + dx;
                const int y = image[static_cast<std::size_t>(n)].y + dy;
                maps = x >= 0 && x < BOARD_COLUMNS && y >= 0 && y < BOARD_ROWS && index.numberAt(x, y) >= 0;
                if (maps) cellMap[static_cast<std::size_t>(n)] = index.numberAt(x, y);
            }
        }
        std::vector<int> placementMap(static_cast<std::size_t>(placementCount), -1);
        for (int j = 0; maps && j < placementCount; ++j) {
            const int c = m_placementClass[static_cast<std::size_t>(j)];
            if (c < 0) continue;
            std::vector<int> mapped;
            for (int n : cells[static_cast<std::size_t>(j)])
                mapped.push_back(cellMap[static_cast<std::size_t>(n)]);
            std::sort(mapped.begin(), mapped.end());
            auto found = byCells.find({c, mapped});
            maps = found != byCells.end();
            if (maps) placementMap[static_cast<std::size_t>(j)] = found->second;
        }
        if (maps) m_placementMaps.push_back(std::move(placementMap));
    }
}

std::uint64_t TilingClassCounter::multiplicity(std::span<const int> placements) const {
    m_used.assign(m_classCopies.size(), 0);
    for (int j : placements) {
        const int c = j >= 0 && j < static_cast<int>(m_placementClass.size())
                          ? m_placementClass[static_cast<std::size_t>(j)]
                          : -1;
        if (c >= 0) ++m_used[static_cast<std::size_t>(c)];
    }
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t m = 1;
    for (std::size_t c = 0; c < m_used.size(); ++c)
        for (int k = 0; k < m_used[c]; ++k) {
            const auto factor = static_cast<std::uint64_t>(std::max<std::int64_t>(m_classCopies[c] - k, 1));
            m = m > kMax / factor ? kMax : m * factor;
        }
    return m;
}

int TilingClassCounter::stabiliser(std::span<const int> placements) const {
    auto canonicalSorted = [&](const std::vector<int>& map, std::vector<int>& out) {
        out.clear();
        for (int j : placements)
            out.push_back(j >= 0 && j < static_cast<int>(map.size()) ? map[static_cast<std::size_t>(j)] : -1);
        std::sort(out.begin(), out.end());
    };
    canonicalSorted(m_canonical, m_scratch);
    int fixed = 0;
    for (const auto& map : m_placementMaps) {
        canonicalSorted(map, m_image);
        fixed += m_image == m_scratch;
    }
    return fixed;
}

void TilingClassCounter::add(std::span<const int> placements) {
    auto& sums = m_sums[multiplicity(placements)];
    ++sums.first;
    sums.second += static_cast<std::uint64_t>(stabiliser(placements));
}

TilingCounts TilingClassCounter::counts(bool complete) const {
    TilingCounts result;
    result.symmetries = std::max(symmetryCount(), 1);
    result.incomplete = !complete || m_negativeCopies;
    for (const auto& [m, sums] : m_sums) {
        result.distinct += sums.first / m;
        result.unique += sums.second / m / static_cast<std::uint64_t>(result.symmetries);
    }
    return result;
}
