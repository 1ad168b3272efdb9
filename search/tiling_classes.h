#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "pieces/piece.h"
#include "search/free_cell_index.h"
#include "search/placement_table.h"

// The counts puzzle makers give for a search: distinct tilings (copies of a piece, and piece slots of
// the same shape with the same Placements, are interchangeable) and tilings unique up to the Board's
// symmetry. Each solution found weighs 1 / (the number of times the search finds its tiling); the
// unique count is the mean number of tilings that a symmetry leaves in place (Burnside), so the memory
// does not grow with the number of solutions.
struct TilingCounts {
    std::uint64_t distinct = 0;
    std::uint64_t unique = 0;
    int symmetries = 1;       // the size of the Board's symmetry group: 1, 2, 3, 4, 6 or 12
    bool incomplete = false;  // the solutions found are not closed under copy orders and symmetries
};

// What a counter has added up, as a count-only shard hands it to the merge: the solutions, and the
// sums the two counts are made from.
struct TilingSums {
    std::int64_t solutions = 0;
    std::uint64_t classDistinct = 0, classUnique = 0;  // of a search for one tiling per class
    struct Bucket {
        std::uint64_t multiplicity = 1;
        std::uint64_t finds = 0;  // solutions of that multiplicity
        std::uint64_t fixed = 0;  // their symmetries that leave them in place, summed
    };
    std::vector<Bucket> buckets;  // one per multiplicity met; few
};

// The two lines of the counts, as the command-line solver prints them and the window shows them:
// "Verschillende betegelingen: D" and "Uniek op draaien en spiegelen na: U (symmetrie van het veld: G)",
// each ending in " (onvolledig)" where due, and each ending in a newline.
std::string tilingCountLines(const TilingCounts& counts);

// The twelve symmetries of the triangle lattice about the top-left vertex of cell (0, 0): element g
// turns by (g % 6) * 60 degrees, after a mirror in the vertical line when g >= 6. Cells follow the
// Board's rule: (x, y) points down when x + y is even.
CellPos latticeSymmetry(int g, CellPos cell);

// For a search that finds each tiling once: the copies of every class pooled in its first slot, the
// other slots of the class left with none. `slotClasses` as TilingClassCounter::slotClasses gives them.
void poolInterchangeableCopies(std::span<Piece> pieces, const std::vector<int>& slotClasses);

class TilingClassCounter {
  public:
    // `pieces` hold their start copies. The table must outlive the counter's adds, unchanged.
    void prepare(const PlacementTable& table, const FreeCellIndex& index, std::span<const Piece> pieces,
                 int pieceCount);
    // A solution: the Placements chosen, in depth order.
    void add(std::span<const int> placements);
    // `complete`: the search ran to its end and finds every tiling in all its copy orders.
    TilingCounts counts(bool complete) const;
    // The sums added since the last call (solutions left at 0), and the counter's left empty; and sums
    // handed on from elsewhere, added in.
    TilingSums takeSums();
    void addSums(const TilingSums& sums);
    void rebind(const PlacementTable& table) { m_table = &table; }
    int symmetryCount() const { return static_cast<int>(m_cellMaps.size()); }
    // For a search that finds each tiling once: every solution weighs 1.
    void setEachTilingOnce(bool once) { m_eachTilingOnce = once; }
    // For a search that finds one tiling of each symmetry class: a solution stands for its whole class.
    void setOnePerSymmetryClass(bool one) { m_onePerClass = one; }
    // A class of one copy whose every Placement has as many images as the Board has symmetries, or -1.
    // Kept to one Placement of each orbit, it leaves one tiling of each symmetry class to be found. The
    // first of asymmetricSingleClasses().
    int asymmetricSingleClass() const;
    // Every such class, ordered by shape (the sorted cell sets of their Placements).
    std::vector<int> asymmetricSingleClasses() const;
    // Off: add() counts nothing (for measuring what counting costs).
    void setCounting(bool on) { m_counting = on; }
    // Whether Placement j is the least of its images (the orbit's representative).
    bool orbitRepresentative(int j) const;
    // Whether the tiling is the least of its images: the representative of its symmetry class.
    bool canonicalTiling(std::span<const int> placements) const;
    // The class of Placement j's slot (-1: a slot that places nothing).
    int placementClass(int j) const {
        if (m_table == nullptr) return -1;  // not prepared
        const auto slot = static_cast<std::size_t>(m_table->records[static_cast<std::size_t>(j)].piece);
        return slot < m_slotClass.size() ? m_slotClass[slot] : -1;
    }

    // The class of each piece slot (-1: it places nothing); slots of one class are interchangeable.
    const std::vector<int>& slotClasses() const { return m_slotClass; }

    // How many times the search finds a tiling with these Placements.
    std::uint64_t multiplicity(std::span<const int> placements) const;
    // How many of the Board's symmetries map the tiling onto itself.
    int stabiliser(std::span<const int> placements) const;

  private:
    // The key (place in m_allowed) of Placement j's image under symmetry g; ~0 when the image is no
    // Placement of the class. `firstCell` gets the image's lowest cell. While preparing only: it looks
    // the image up in the hash table of keys (m_keySlots).
    std::uint32_t imageKey(int g, int j, int* firstCell) const;
    std::size_t keySlot(int c, const std::uint32_t* mask) const;
    // Whether image g of the solution's Placements is among them; the cells of the solution must carry its
    // tags (tagCells). Of the differences, the least key of an image outside the solution.
    bool imageInTiling(int g, std::span<const int> placements, std::uint32_t* leastOutside) const;
    void tagCells(std::span<const int> placements) const;
    std::uint32_t keyOf(int j) const {
        return static_cast<std::uint32_t>(m_keyOf[static_cast<std::size_t>(j)]);
    }
    bool ofClasses(std::span<const int> placements) const;  // every Placement of a class
    std::uint32_t imageOf(int g, std::uint32_t key) const;

    const PlacementTable* m_table = nullptr;
    std::vector<std::int64_t> m_classCopies;
    // While preparing: one Placement of each key, and the keys in a hash table on their class and cell
    // set (kNoKeyRank: an empty slot).
    std::vector<int> m_keyPlacement;
    std::vector<std::uint32_t> m_keySlots;
    std::vector<int>
        m_cellSet;  // while preparing: per Placement, the rank of its mask among the distinct ones
    std::vector<std::uint64_t> m_allowed;      // (class << 32 | cell set) of every Placement, sorted
    std::vector<std::vector<int>> m_cellMaps;  // the Board's symmetries as maps of open cells, identity first
    // Prepared once, so that a solution is judged without allocating or sorting. A key is the rank of a
    // (class, cell set) in m_allowed, so keys order as the pairs do. Per Placement its key; per symmetry
    // g >= 1 and key, the key of the image and the image's lowest cell; per symmetry, its inverse.
    std::vector<int> m_keyOf;  // -1: a Placement of no class
    std::vector<std::uint32_t> m_imageKey;
    std::vector<std::uint16_t> m_imageCell;
    std::vector<int> m_inverse;
    std::vector<std::vector<int>> m_classSets;  // per class: its cell sets, ascending (the shape)
    // Per open cell: the tag of the solution's Placement that covers it, (generation << 32 | key).
    mutable std::vector<std::uint64_t> m_cellTag;
    mutable std::uint64_t m_generation = 0;
    using Sums = TilingSums::Bucket;
    Sums& sumsOf(std::uint64_t multiplicity);
    std::vector<Sums> m_sums;
    std::size_t m_lastSums = 0;
    bool m_negativeCopies = false;
    bool m_eachTilingOnce = false;
    bool m_singleCopies = false;  // no class has more than one copy: every solution is its tiling once
    bool m_counting = true;
    bool m_onePerClass = false;
    std::uint64_t m_classDistinct = 0, m_classUnique = 0;  // of a search for one tiling per class
    std::vector<int> m_slotClass;
    mutable std::vector<std::uint32_t> m_mask;
    mutable std::vector<int> m_used;
};
