#include "search/tiling_classes.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <utility>

namespace {

int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

constexpr std::uint32_t kNoKeyRank = ~std::uint32_t{0};

// The order of two masks as memcmp gives it (byte by byte in memory: the cell-set ranks have always been
// in this order), without a library call: word by word, each read as its bytes in memory order.
int maskOrder(const std::uint32_t* a, const std::uint32_t* b, int words) {
    const auto inMemoryOrder = [](std::uint32_t word) {
        if constexpr (std::endian::native == std::endian::little) return __builtin_bswap32(word);
        return word;
    };
    for (int w = 0; w < words; ++w)
        if (a[w] != b[w]) return inMemoryOrder(a[w]) < inMemoryOrder(b[w]) ? -1 : 1;
    return 0;
}

// A number that orders masks as maskOrder does wherever two of them differ: the place of the first byte
// that is not 0 (a later one is the lesser mask), then that byte and the six after it. Equal numbers
// leave the order to maskOrder.
std::uint64_t orderPrefix(const std::uint32_t* mask, int words) {
    const int bytes = words * 4;
    if (bytes > 255) return 0;  // no room for the place in the number's top byte
    constexpr bool little = std::endian::native == std::endian::little;
    const auto byteAt = [&](int i) -> std::uint64_t {
        return i < bytes ? mask[i >> 2] >> ((little ? i & 3 : 3 - (i & 3)) * 8) & 0xFFu : 0;
    };
    int w = 0;
    while (w < words && mask[w] == 0) ++w;
    const int first =
        w == words ? bytes : w * 4 + (little ? std::countr_zero(mask[w]) : std::countl_zero(mask[w])) / 8;
    std::uint64_t prefix = static_cast<std::uint64_t>(255 - first) << 56;
    for (int i = 0; i < 7; ++i) prefix |= byteAt(first + i) << (48 - 8 * i);
    return prefix;
}

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
        return maskOrder(table.mask(a), table.mask(b), table.wordsPerMask) < 0;
    };

    // Each distinct cell set gets a rank, in the order of the masks (ties in Placement order). Each
    // Placement is sorted as one number: the top of a number made from its mask's first bytes
    // (orderPrefix), which tells most masks apart, above the Placement's own number; only equal tops
    // compare the masks whole. (One word per Placement: the largest tables have hundreds of thousands.)
    const int placementBits = std::bit_width(static_cast<unsigned>(std::max(table.placementCount, 0)));
    const std::uint64_t placementMask = (std::uint64_t{1} << placementBits) - 1;
    const auto placementAt = [&](std::uint64_t entry) { return static_cast<int>(entry & placementMask); };
    std::vector<std::uint64_t> byCells;
    {
        std::size_t activeCount = 0;
        for (int j = 0; j < table.placementCount; ++j) activeCount += active(slotOf(j)) ? 1 : 0;
        byCells.reserve(activeCount);  // sized once: growing by doubling would hold two copies at once
        for (int j = 0; j < table.placementCount; ++j)
            if (active(slotOf(j)))
                byCells.push_back((orderPrefix(table.mask(j), table.wordsPerMask) & ~placementMask) |
                                  static_cast<std::uint64_t>(j));
        std::sort(byCells.begin(), byCells.end(), [&](std::uint64_t a, std::uint64_t b) {
            if ((a ^ b) > placementMask) return a < b;  // the tops differ
            const int order =
                maskOrder(table.mask(placementAt(a)), table.mask(placementAt(b)), table.wordsPerMask);
            return order != 0 ? order < 0 : a < b;
        });
    }
    m_cellSet.assign(static_cast<std::size_t>(table.placementCount), -1);
    int rank = -1;
    for (std::size_t i = 0; i < byCells.size(); ++i) {
        if (i == 0 || maskLess(placementAt(byCells[i - 1]), placementAt(byCells[i]))) ++rank;
        m_cellSet[static_cast<std::size_t>(placementAt(byCells[i]))] = rank;
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
    m_singleCopies =
        std::all_of(m_classCopies.begin(), m_classCopies.end(), [](std::int64_t n) { return n <= 1; });
    m_classSets = std::move(classSets);

    // The keys: the distinct pairs (class, cell set) in order. The Placements sorted by class, stably (by
    // counting), keep the cell-set order within each class, so the pairs come in order; each Placement's
    // cell set becomes the place of its pair, in place (megabytes on the largest Board).
    const auto classOf = [&](int j) {
        return static_cast<std::size_t>(slotClass[static_cast<std::size_t>(slotOf(j))]);
    };
    std::vector<int> byClass(byCells.size());
    {
        std::vector<std::size_t> next(m_classCopies.size() + 1, 0);
        for (std::uint64_t entry : byCells) ++next[classOf(placementAt(entry)) + 1];
        for (std::size_t c = 1; c < next.size(); ++c) next[c] += next[c - 1];
        for (std::uint64_t entry : byCells) {
            const int j = placementAt(entry);
            byClass[next[classOf(j)]++] = j;
        }
    }
    byCells = {};
    const auto pairOf = [&](int j) {
        return static_cast<std::uint64_t>(classOf(j)) << 32 |
               static_cast<std::uint32_t>(m_cellSet[static_cast<std::size_t>(j)]);
    };
    std::size_t keyCount = 0;
    for (std::size_t i = 0; i < byClass.size(); ++i)
        keyCount += i == 0 || pairOf(byClass[i]) != pairOf(byClass[i - 1]) ? 1 : 0;
    m_allowed.assign(keyCount, 0);
    m_keyPlacement.assign(keyCount, -1);
    std::size_t key = 0;
    for (std::size_t i = 0; i < byClass.size(); ++i) {
        const int j = byClass[i];
        const std::uint64_t pair = pairOf(j);
        if (i > 0 && pair != m_allowed[key]) ++key;
        m_allowed[key] = pair;
        m_keyPlacement[key] = j;
        m_cellSet[static_cast<std::size_t>(j)] = static_cast<int>(key);
    }
    byClass = {};
    m_keyOf = std::move(m_cellSet);
    m_cellSet = {};

    // The Board's symmetries: lattice symmetries, followed by the shift that keeps every triangle's
    // direction, that map the open cells onto open cells and each class's Placements onto its own. For
    // each one kept, the image of every key.
    m_mask.assign(words, 0u);
    const int cellCount = index.freeCellCount;
    // The keys in a hash table on their class and cell set (open addressing, at most half full).
    m_keySlots.assign(std::bit_ceil(std::max<std::size_t>(2 * keyCount, 2)), kNoKeyRank);
    for (std::size_t k = 0; k < keyCount; ++k) {
        const int j = m_keyPlacement[k];
        std::size_t slot = keySlot(placementClass(j), table.mask(j));
        while (m_keySlots[slot] != kNoKeyRank) slot = (slot + 1) & (m_keySlots.size() - 1);
        m_keySlots[slot] = static_cast<std::uint32_t>(k);
    }
    // The lattice symmetries that map the open cells onto open cells first, so that the images of all of
    // them take their room at once (growing it symmetry by symmetry held old and new copies together).
    std::vector<std::vector<int>> cellMaps;
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
        if (maps) cellMaps.push_back(std::move(cellMap));
    }
    if (cellMaps.size() > 1) {
        m_imageKey.reserve((cellMaps.size() - 1) * keyCount);
        m_imageCell.reserve((cellMaps.size() - 1) * keyCount);
    }
    for (std::vector<int>& cellMap : cellMaps) {
        m_cellMaps.push_back(std::move(cellMap));
        const int added = static_cast<int>(m_cellMaps.size()) - 1;
        if (added == 0) continue;
        const std::size_t at = m_imageKey.size();
        m_imageKey.resize(at + keyCount);
        m_imageCell.resize(at + keyCount);
        bool maps = true;
        for (std::size_t k = 0; maps && k < keyCount; ++k) {
            int cell = 0;
            const std::uint32_t image = imageKey(added, m_keyPlacement[k], &cell);
            maps = image != kNoKeyRank;
            if (maps) {
                m_imageKey[at + k] = image;
                m_imageCell[at + k] = static_cast<std::uint16_t>(cell);
            }
        }
        if (!maps) {
            m_cellMaps.pop_back();
            m_imageKey.resize(at);
            m_imageCell.resize(at);
        }
    }
    if (m_imageKey.size() < m_imageKey.capacity()) {  // a symmetry of the cells that the pieces do not share
        m_imageKey.shrink_to_fit();
        m_imageCell.shrink_to_fit();
    }
    // The inverse of each symmetry: the one that takes every key back.
    const int symmetries = symmetryCount();
    m_inverse.assign(static_cast<std::size_t>(symmetries), 0);
    for (int g = 1; g < symmetries && keyCount > 0; ++g)
        for (int h = 1; h < symmetries; ++h) {
            bool inverse = true;
            for (std::size_t k = 0; inverse && k < keyCount; ++k)
                inverse = imageOf(h, imageOf(g, static_cast<std::uint32_t>(k))) == k;
            if (inverse) {
                m_inverse[static_cast<std::size_t>(g)] = h;
                break;
            }
        }
    m_cellTag.assign(static_cast<std::size_t>(std::max(cellCount, 0)), 0);
    m_keyPlacement = {};
    m_keySlots = {};
}

std::uint32_t TilingClassCounter::imageKey(int g, int j, int* firstCell) const {
    const int c = placementClass(j);
    if (c < 0) return kNoKeyRank;
    const std::vector<int>& cellMap = m_cellMaps[static_cast<std::size_t>(g)];
    const std::uint32_t* mask = m_table->mask(j);
    const int words = m_table->wordsPerMask;
    int lowest = std::numeric_limits<int>::max();
    for (int w = 0; w < words; ++w)
        for (std::uint32_t bits = mask[w]; bits != 0; bits &= bits - 1) {
            const int n = cellMap[static_cast<std::size_t>(w * 32 + std::countr_zero(bits))];
            m_mask[static_cast<std::size_t>(n >> 5)] |= 1u << (n & 31);
            lowest = std::min(lowest, n);
        }
    *firstCell = lowest;
    std::uint32_t key = kNoKeyRank;
    if (lowest >= 0 && !m_keySlots.empty()) {
        for (std::size_t slot = keySlot(c, m_mask.data()); m_keySlots[slot] != kNoKeyRank;
             slot = (slot + 1) & (m_keySlots.size() - 1)) {
            const std::uint32_t k = m_keySlots[slot];
            if (static_cast<int>(m_allowed[k] >> 32) == c &&
                std::equal(m_mask.begin(), m_mask.end(), m_table->mask(m_keyPlacement[k]))) {
                key = k;
                break;
            }
        }
    }
    std::fill(m_mask.begin(), m_mask.end(), 0u);
    return key;
}

// Where the hash table of keys starts looking for a class and cell set.
std::size_t TilingClassCounter::keySlot(int c, const std::uint32_t* mask) const {
    std::uint64_t hash = static_cast<std::uint64_t>(c) * 0x9E3779B97F4A7C15u;
    for (int w = 0; w < m_table->wordsPerMask; ++w) {
        hash = (hash ^ mask[w]) * 0xFF51AFD7ED558CCDu;
        hash ^= hash >> 32;
    }
    return static_cast<std::size_t>(hash) & (m_keySlots.size() - 1);
}

std::uint64_t TilingClassCounter::multiplicity(std::span<const int> placements) const {
    if (m_eachTilingOnce || m_singleCopies) return 1;
    m_used.assign(m_classCopies.size(), 0);
    for (int j : placements) {
        const int c = m_table != nullptr && j >= 0 && j < m_table->placementCount ? placementClass(j) : -1;
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

bool TilingClassCounter::ofClasses(std::span<const int> placements) const {
    if (m_table == nullptr) return false;  // not prepared: no classes
    for (int j : placements)
        if (j < 0 || j >= static_cast<int>(m_keyOf.size()) || m_keyOf[static_cast<std::size_t>(j)] < 0)
            return false;
    return true;
}

void TilingClassCounter::tagCells(std::span<const int> placements) const {
    ++m_generation;
    const int words = m_table->wordsPerMask;
    for (int j : placements) {
        const std::uint64_t tag = m_generation << 32 | keyOf(j);
        const std::uint32_t* mask = m_table->mask(j);
        for (int w = 0; w < words; ++w)
            for (std::uint32_t bits = mask[w]; bits != 0; bits &= bits - 1)
                m_cellTag[static_cast<std::size_t>(w * 32 + std::countr_zero(bits))] = tag;
    }
}

// Placements of a solution never share a cell, so image g of a Placement is in the solution exactly when
// the solution's Placement on the image's lowest cell has the image's key; and as g maps distinct
// Placements to distinct ones, the image of the solution is the solution when every image is in it.
bool TilingClassCounter::imageInTiling(int g, std::span<const int> placements,
                                       std::uint32_t* leastOutside) const {
    const std::size_t at = static_cast<std::size_t>(g - 1) * m_allowed.size();
    const std::uint64_t generation = m_generation << 32;
    bool inside = true;
    for (int j : placements) {
        const std::uint32_t image = m_imageKey[at + keyOf(j)];
        if (m_cellTag[m_imageCell[at + keyOf(j)]] == (generation | image)) continue;
        inside = false;
        if (leastOutside == nullptr) break;
        *leastOutside = std::min(*leastOutside, image);
    }
    return inside;
}

int TilingClassCounter::stabiliser(std::span<const int> placements) const {
    if (!ofClasses(placements)) return 1;  // not a tiling of the classes: only the identity is counted
    tagCells(placements);
    int fixed = 1;
    for (int g = 1; g < symmetryCount(); ++g) fixed += imageInTiling(g, placements, nullptr);
    return fixed;
}

std::vector<int> TilingClassCounter::asymmetricSingleClasses() const {
    std::vector<int> classes;
    std::vector<std::uint32_t> images;
    for (std::size_t c = 0; c < m_classCopies.size(); ++c) {
        if (m_classCopies[c] != 1) continue;
        bool asymmetric = true;
        for (std::size_t k = 0; asymmetric && k < m_allowed.size(); ++k) {
            if (m_allowed[k] >> 32 != c) continue;
            images.assign(1, static_cast<std::uint32_t>(k));
            for (int g = 1; g < symmetryCount(); ++g)
                images.push_back(imageOf(g, static_cast<std::uint32_t>(k)));
            std::sort(images.begin(), images.end());
            asymmetric = std::adjacent_find(images.begin(), images.end()) == images.end();
        }
        if (asymmetric) classes.push_back(static_cast<int>(c));
    }
    std::sort(classes.begin(), classes.end(), [&](int a, int b) {
        return m_classSets[static_cast<std::size_t>(a)] < m_classSets[static_cast<std::size_t>(b)];
    });
    return classes;
}

int TilingClassCounter::asymmetricSingleClass() const {
    const std::vector<int> classes = asymmetricSingleClasses();
    return classes.empty() ? -1 : classes.front();
}

bool TilingClassCounter::orbitRepresentative(int j) const {
    if (j < 0 || j >= static_cast<int>(m_keyOf.size()) || m_keyOf[static_cast<std::size_t>(j)] < 0)
        return true;
    for (int g = 1; g < symmetryCount(); ++g)
        if (imageOf(g, keyOf(j)) < keyOf(j)) return false;
    return true;
}

// A tiling is its class's representative when no image is less, comparing the sorted lists of keys. Two
// equal-sized sets that differ first differ at the least key of their symmetric difference, so image g
// is less exactly when its least key outside the tiling is less than the tiling's least key outside the
// image (the tiling's keys whose image under the inverse of g is outside the tiling).
bool TilingClassCounter::canonicalTiling(std::span<const int> placements) const {
    if (!ofClasses(placements)) return true;
    tagCells(placements);
    const std::uint64_t generation = m_generation << 32;
    for (int g = 1; g < symmetryCount(); ++g) {
        std::uint32_t imageOutside = kNoKeyRank;
        if (imageInTiling(g, placements, &imageOutside)) continue;
        const std::size_t at =
            static_cast<std::size_t>(m_inverse[static_cast<std::size_t>(g)] - 1) * m_allowed.size();
        std::uint32_t tilingOutside = kNoKeyRank;
        for (int j : placements)
            if (m_cellTag[m_imageCell[at + keyOf(j)]] != (generation | m_imageKey[at + keyOf(j)]))
                tilingOutside = std::min(tilingOutside, keyOf(j));
        if (imageOutside < tilingOutside) return false;
    }
    return true;
}

std::uint32_t TilingClassCounter::imageOf(int g, std::uint32_t key) const {
    return g == 0 ? key : m_imageKey[static_cast<std::size_t>(g - 1) * m_allowed.size() + key];
}

void TilingClassCounter::add(std::span<const int> placements) {
    if (!m_counting) return;
    if (m_onePerClass) {
        // One tiling of its class: the class has (symmetries / stabiliser) distinct tilings.
        m_classDistinct += static_cast<std::uint64_t>(std::max(symmetryCount(), 1) / stabiliser(placements));
        ++m_classUnique;
        return;
    }
    Sums& sums = sumsOf(multiplicity(placements));
    ++sums.finds;
    sums.fixed += static_cast<std::uint64_t>(stabiliser(placements));
}

TilingClassCounter::Sums& TilingClassCounter::sumsOf(std::uint64_t m) {
    if (m_lastSums >= m_sums.size() || m_sums[m_lastSums].multiplicity != m) {
        m_lastSums = 0;
        while (m_lastSums < m_sums.size() && m_sums[m_lastSums].multiplicity != m) ++m_lastSums;
        if (m_lastSums == m_sums.size()) m_sums.push_back({m, 0, 0});
    }
    return m_sums[m_lastSums];
}

TilingSums TilingClassCounter::takeSums() {
    TilingSums taken;
    taken.classDistinct = std::exchange(m_classDistinct, 0);
    taken.classUnique = std::exchange(m_classUnique, 0);
    taken.buckets = std::exchange(m_sums, {});
    m_lastSums = 0;
    return taken;
}

void TilingClassCounter::addSums(const TilingSums& sums) {
    m_classDistinct += sums.classDistinct;
    m_classUnique += sums.classUnique;
    for (const Sums& bucket : sums.buckets) {
        if (bucket.multiplicity == 0) continue;  // never made by a counter: no weight to divide by
        Sums& own = sumsOf(bucket.multiplicity);
        own.finds += bucket.finds;
        own.fixed += bucket.fixed;
    }
}

TilingCounts TilingClassCounter::counts(bool complete) const {
    TilingCounts result;
    result.symmetries = std::max(symmetryCount(), 1);
    result.incomplete = !complete || m_negativeCopies;
    result.distinct = m_classDistinct;
    result.unique = m_classUnique;
    for (const Sums& sums : m_sums) {
        result.distinct += sums.finds / sums.multiplicity;
        result.unique += sums.fixed / sums.multiplicity / static_cast<std::uint64_t>(result.symmetries);
    }
    return result;
}
