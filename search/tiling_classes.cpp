#include "search/tiling_classes.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace {

int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

constexpr std::uint64_t kNoKey = ~std::uint64_t{0};

}  // namespace

std::string tilingCountLines(const TilingCounts& counts) {
    const std::string incomplete = counts.incomplete ? " (onvolledig)" : "";
    return "Verschillende betegelingen: " + std::to_string(counts.distinct) + incomplete +
           "\nUniek op draaien en spiegelen na: " + std::to_string(counts.unique) +
           " (symmetrie van het veld: " + std::to_string(counts.symmetries) + ")" + incomplete + "\n";
}

CellPos latticeSymmetry(int g, CellPos cell) {
    // Centroid coordinates: X in half sides, V in thirds of a row height; a turn by 60 degrees is
    // (X, V) -> ((X - V) / 2, (3X + V) / 2), and X and V always have the same parity.
    int X = cell.x + 1;
    int V = 3 * cell.y + (((cell.x + cell.y) & 1) == 0 ? 1 : 2);
    if (g >= 6) X = -X;
    for (int turn = 0; turn < g % 6; ++turn) {
        const int x2 = (X - V) / 2;
        V = (3 * X + V) / 2;
        X = x2;
    }
    return {X - 1, floorDiv(V, 3)};
}

void poolInterchangeableCopies(std::span<Piece> pieces, const std::vector<int>& slotClasses) {
    const std::size_t slots = std::min(pieces.size(), slotClasses.size());
    for (std::size_t p = 0; p < slots; ++p) {
        const auto first = static_cast<std::size_t>(
            std::find(slotClasses.begin(), slotClasses.end(), slotClasses[p]) - slotClasses.begin());
        if (slotClasses[p] < 0 || first == p) continue;
        pieces[first].copies += pieces[p].copies;
        pieces[p].copies = 0;
    }
}

void TilingClassCounter::prepare(const PlacementTable& table, const FreeCellIndex& index,
                                 std::span<const Piece> pieces, int pieceCount) {
    *this = TilingClassCounter{};
    m_table = &table;
    pieceCount =
        std::clamp(pieceCount, 0, static_cast<int>(std::min<std::size_t>(pieces.size(), kMaxPieces)));
    const auto words = static_cast<std::size_t>(table.wordsPerMask);
    auto slotOf = [&](int j) { return table.records[static_cast<std::size_t>(j)].piece; };
    auto active = [&](int p) {
        return p >= 0 && p < pieceCount && pieces[static_cast<std::size_t>(p)].copies > 0;
    };
    auto maskLess = [&](int a, int b) {
        return std::memcmp(table.mask(a), table.mask(b), words * sizeof(std::uint32_t)) < 0;
    };

    // Each distinct cell set gets a rank, in the order of the masks.
    // Sized once: the largest tables have hundreds of thousands of Placements, and growing by doubling
    // would hold two copies at once.
    int activeCount = 0;
    for (int j = 0; j < table.placementCount; ++j) activeCount += active(slotOf(j)) ? 1 : 0;
    m_byCells.reserve(static_cast<std::size_t>(activeCount));
    for (int j = 0; j < table.placementCount; ++j)
        if (active(slotOf(j))) m_byCells.push_back(j);
    // Ties in Placement order; std::sort, not stable_sort, so that no temporary buffer is taken.
    std::sort(m_byCells.begin(), m_byCells.end(), [&](int a, int b) {
        const int order = std::memcmp(table.mask(a), table.mask(b), words * sizeof(std::uint32_t));
        return order != 0 ? order < 0 : a < b;
    });
    m_cellSet.assign(static_cast<std::size_t>(table.placementCount), -1);
    int rank = -1;
    for (std::size_t i = 0; i < m_byCells.size(); ++i) {
        if (i == 0 || maskLess(m_byCells[i - 1], m_byCells[i])) ++rank;
        m_cellSet[static_cast<std::size_t>(m_byCells[i])] = rank;
    }

    // Slots whose Placements cover the same cell sets are interchangeable: one class.
    std::vector<std::vector<int>> classSets;
    std::vector<int> slotClass(static_cast<std::size_t>(pieceCount), -1);
    for (int p = 0; p < pieceCount; ++p) {
        const Piece& piece = pieces[static_cast<std::size_t>(p)];
        if (piece.copies < 0) m_negativeCopies = true;
        if (piece.copies <= 0) continue;
        std::vector<int> sets;
        for (int j = table.firstPlacement[static_cast<std::size_t>(p)];
             j < table.endPlacement[static_cast<std::size_t>(p)]; ++j)
            sets.push_back(m_cellSet[static_cast<std::size_t>(j)]);
        std::sort(sets.begin(), sets.end());
        sets.erase(std::unique(sets.begin(), sets.end()), sets.end());
        const auto found = std::find(classSets.begin(), classSets.end(), sets);
        const auto c = static_cast<std::size_t>(found - classSets.begin());
        if (found == classSets.end()) {
            classSets.push_back(std::move(sets));
            m_classCopies.push_back(0);
        }
        slotClass[static_cast<std::size_t>(p)] = static_cast<int>(c);
        m_classCopies[c] += piece.copies;
    }
    m_slotClass = slotClass;
    m_placementClass.assign(static_cast<std::size_t>(table.placementCount), -1);
    m_allowed.reserve(m_byCells.size());
    for (int j : m_byCells) {
        const int c = slotClass[static_cast<std::size_t>(slotOf(j))];
        m_placementClass[static_cast<std::size_t>(j)] = c;
        m_allowed.push_back(static_cast<std::uint64_t>(c) << 32 |
                            static_cast<std::uint32_t>(m_cellSet[static_cast<std::size_t>(j)]));
    }
    std::sort(m_allowed.begin(), m_allowed.end());
    m_allowed.erase(std::unique(m_allowed.begin(), m_allowed.end()), m_allowed.end());
    m_allowed.shrink_to_fit();

    // The Board's symmetries: lattice symmetries, followed by the shift that keeps every triangle's
    // direction, that map the open cells onto open cells and each class's Placements onto its own.
    m_mask.assign(words, 0u);
    const int cellCount = index.freeCellCount;
    for (int g = 0; g < 12 && (g == 0 || cellCount > 0); ++g) {
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
        if (!maps) continue;
        m_cellMaps.push_back(std::move(cellMap));
        const int added = static_cast<int>(m_cellMaps.size()) - 1;
        for (std::size_t i = 0; maps && i < m_byCells.size(); ++i)
            maps = imageKey(added, m_byCells[i]) != kNoKey;
        if (!maps) m_cellMaps.pop_back();
    }
}

std::uint64_t TilingClassCounter::imageKey(int g, int j) const {
    const int c = m_placementClass[static_cast<std::size_t>(j)];
    if (c < 0) return kNoKey;
    const std::vector<int>& cellMap = m_cellMaps[static_cast<std::size_t>(g)];
    const std::uint32_t* mask = m_table->mask(j);
    const int words = m_table->wordsPerMask;
    for (int w = 0; w < words; ++w)
        for (std::uint32_t bits = mask[w]; bits != 0; bits &= bits - 1) {
            const int n = cellMap[static_cast<std::size_t>(w * 32 + std::countr_zero(bits))];
            m_mask[static_cast<std::size_t>(n >> 5)] |= 1u << (n & 31);
        }
    const auto bytes = static_cast<std::size_t>(words) * sizeof(std::uint32_t);
    const auto found = std::lower_bound(m_byCells.begin(), m_byCells.end(), 0, [&](int k, int) {
        return std::memcmp(m_table->mask(k), m_mask.data(), bytes) < 0;
    });
    std::uint64_t key = kNoKey;
    if (found != m_byCells.end() && std::memcmp(m_table->mask(*found), m_mask.data(), bytes) == 0) {
        key = static_cast<std::uint64_t>(c) << 32 |
              static_cast<std::uint32_t>(m_cellSet[static_cast<std::size_t>(*found)]);
        if (!std::binary_search(m_allowed.begin(), m_allowed.end(), key)) key = kNoKey;
    }
    std::fill(m_mask.begin(), m_mask.end(), 0u);
    return key;
}

std::uint64_t TilingClassCounter::multiplicity(std::span<const int> placements) const {
    if (m_eachTilingOnce) return 1;
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
    for (int j : placements)
        if (j < 0 || j >= static_cast<int>(m_placementClass.size()) ||
            m_placementClass[static_cast<std::size_t>(j)] < 0)
            return 1;  // not a tiling of the classes: only the identity is counted
    auto keys = [&](int g, std::vector<std::uint64_t>& out) {
        out.clear();
        for (int j : placements) out.push_back(imageKey(g, j));
        std::sort(out.begin(), out.end());
    };
    keys(0, m_tiling);
    int fixed = 1;
    for (int g = 1; g < symmetryCount(); ++g) {
        keys(g, m_image);
        fixed += m_image == m_tiling;
    }
    return fixed;
}

int TilingClassCounter::asymmetricSingleClass() const {
    for (std::size_t c = 0; c < m_classCopies.size(); ++c) {
        if (m_classCopies[c] != 1) continue;
        bool asymmetric = true;
        std::vector<std::uint64_t> images;
        for (std::size_t i = 0; asymmetric && i < m_byCells.size(); ++i) {
            const int j = m_byCells[i];
            if (m_placementClass[static_cast<std::size_t>(j)] != static_cast<int>(c)) continue;
            images.clear();
            for (int g = 0; g < symmetryCount(); ++g) images.push_back(imageKey(g, j));
            std::sort(images.begin(), images.end());
            asymmetric = std::adjacent_find(images.begin(), images.end()) == images.end();
        }
        if (asymmetric) return static_cast<int>(c);
    }
    return -1;
}

bool TilingClassCounter::orbitRepresentative(int j) const {
    const std::uint64_t own = imageKey(0, j);
    for (int g = 1; g < symmetryCount(); ++g)
        if (imageKey(g, j) < own) return false;
    return true;
}

bool TilingClassCounter::canonicalTiling(std::span<const int> placements) const {
    for (int j : placements)
        if (j < 0 || j >= static_cast<int>(m_placementClass.size()) ||
            m_placementClass[static_cast<std::size_t>(j)] < 0)
            return true;
    auto keys = [&](int g, std::vector<std::uint64_t>& out) {
        out.clear();
        for (int j : placements) out.push_back(imageKey(g, j));
        std::sort(out.begin(), out.end());
    };
    keys(0, m_tiling);
    for (int g = 1; g < symmetryCount(); ++g) {
        keys(g, m_image);
        if (m_image < m_tiling) return false;
    }
    return true;
}

void TilingClassCounter::add(std::span<const int> placements) {
    if (m_onePerClass) {
        // One tiling of its class: the class has (symmetries / stabiliser) distinct tilings.
        m_classDistinct += static_cast<std::uint64_t>(std::max(symmetryCount(), 1) / stabiliser(placements));
        ++m_classUnique;
        return;
    }
    auto& sums = m_sums[multiplicity(placements)];
    ++sums.first;
    sums.second += static_cast<std::uint64_t>(stabiliser(placements));
}

TilingCounts TilingClassCounter::counts(bool complete) const {
    TilingCounts result;
    result.symmetries = std::max(symmetryCount(), 1);
    result.incomplete = !complete || m_negativeCopies;
    result.distinct = m_classDistinct;
    result.unique = m_classUnique;
    for (const auto& [m, sums] : m_sums) {
        result.distinct += sums.first / m;
        result.unique += sums.second / m / static_cast<std::uint64_t>(result.symmetries);
    }
    return result;
}
