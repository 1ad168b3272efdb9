#pragma once

#include <cstdint>
#include <map>
#include <span>
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

// The twelve symmetries of the triangle lattice about the top-left vertex of cell (0, 0): element g
// turns by (g % 6) * 60 degrees, after a mirror in the vertical line when g >= 6. Cells follow the
// Board's rule: (x, y) points down when x + y is even.
CellPos latticeSymmetry(int g, CellPos cell);

class TilingClassCounter {
  public:
    // `pieces` hold their start copies. The table and index must outlive the counter's adds.
    void prepare(const PlacementTable& table, const FreeCellIndex& index, std::span<const Piece> pieces,
                 int pieceCount);
    // A solution: the Placements chosen, in depth order.
    void add(std::span<const int> placements);
    // `complete`: the search ran to its end and finds every tiling in all its copy orders.
    TilingCounts counts(bool complete) const;
    int symmetryCount() const { return static_cast<int>(m_placementMaps.size()); }

    // The interchangeable piece slots: class of slot p (-1 for slots that place nothing).
    const std::vector<int>& slotClasses() const { return m_slotClass; }
    // The class of each Placement, and each Placement's first equal one (same class, same cells).
    const std::vector<int>& placementClasses() const { return m_placementClass; }
    const std::vector<int>& canonicalPlacements() const { return m_canonical; }
    // The Board's symmetries as maps of Placements to canonical Placements, identity first.
    const std::vector<std::vector<int>>& placementMaps() const { return m_placementMaps; }
    // How many times the search finds a tiling with these Placements.
    std::uint64_t multiplicity(std::span<const int> placements) const;
    // How many of the Board's symmetries map the tiling onto itself.
    int stabiliser(std::span<const int> placements) const;

  private:
    std::vector<int> m_slotClass;
    std::vector<std::int64_t> m_classCopies;
    std::vector<int> m_placementClass;
    std::vector<int> m_canonical;
    std::vector<std::vector<int>> m_placementMaps;
    std::map<std::uint64_t, std::pair<std::uint64_t, std::uint64_t>> m_sums;  // multiplicity: finds, fixed
    bool m_negativeCopies = false;
    mutable std::vector<int> m_scratch, m_image;
    mutable std::vector<int> m_used;
};
