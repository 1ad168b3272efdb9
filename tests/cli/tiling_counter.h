#pragma once

// An independent count of tilings, for checking the solver's counts: plain recursion over the region's
// cells with the pieces' shape sets, sharing nothing with the program's orientation generator,
// placement table or search. It always covers the first uncovered cell in row order (top row first,
// then left to right); a piece that covers that cell has it as its own first cell, so each image of a
// piece is tried at exactly one position. Copies of one piece are interchangeable here, so every tiling
// is counted once. The pieces come in all their orientations, so the count is the same for every turned
// or mirrored copy of the region; the region is first turned so that its rows are as short as possible,
// which keeps the first-uncovered-cell rule from building long ragged rows.

#include <algorithm>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <vector>

#include "pieces/piece_lines.h"
#include "pieces/standard_piece_sets.h"

namespace tilings {

struct PieceKind {
    std::vector<polyiamonds::Shape> images;  // distinct normal forms, cells sorted by row then column
    int copies = 1;
};

class TilingCounter {
  public:
    static constexpr int kMaxCells = 256;

    TilingCounter(const std::vector<polyiamonds::Cell>& region, std::vector<PieceKind> pieces)
        : m_cells(withShortestRows(region)), m_copies(pieces.size()) {
        std::sort(m_cells.begin(), m_cells.end(),
                  [](auto a, auto b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
        if (m_cells.size() > static_cast<std::size_t>(kMaxCells))
            throw std::invalid_argument("region too large");
        // For every cell, the cover masks of the images whose first triangle lands on it, per piece.
        m_fits.assign(m_cells.size() * pieces.size(), {});
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            m_copies[k] = pieces[k].copies;
            for (std::size_t target = 0; target < m_cells.size(); ++target)
                for (const auto& image : pieces[k].images) {
                    int dx = m_cells[target].x - image.front().x, dy = m_cells[target].y - image.front().y;
                    if ((dx + dy) & 1) continue;  // the shift would turn triangles upside down
                    Mask mask{};
                    bool fits = true;
                    for (auto c : image) {
                        int n = numberOf({c.x + dx, c.y + dy});
                        if (n < 0)
                            fits = false;
                        else
                            mask.w[n >> 6] |= std::uint64_t{1} << (n & 63);
                    }
                    if (fits) m_fits[target * pieces.size() + k].push_back(mask);
                }
        }
    }

    // Tilings that cover every cell of the region exactly, each piece used at most `copies` times.
    std::int64_t count() { return countFrom(Mask{}, 0); }

  private:
    struct Mask {
        std::uint64_t w[kMaxCells / 64];
    };

    static std::vector<polyiamonds::Cell> withShortestRows(const std::vector<polyiamonds::Cell>& region) {
        std::vector<polyiamonds::Cell> best = region;
        std::size_t bestRow = longestRow(region);
        for (int s = 1; s < 12; ++s) {
            std::vector<polyiamonds::Cell> image;
            for (auto c : region)
                image.push_back(polyiamonds::cellOf(polyiamonds::applySymmetry(polyiamonds::centroid(c), s)));
            if (longestRow(image) < bestRow) best = image, bestRow = longestRow(image);
        }
        return best;
    }

    static std::size_t longestRow(const std::vector<polyiamonds::Cell>& cells) {
        std::map<int, std::size_t> perRow;
        std::size_t longest = 0;
        for (auto c : cells) longest = std::max(longest, ++perRow[c.y]);
        return longest;
    }

    int numberOf(polyiamonds::Cell c) const {
        auto at = std::find(m_cells.begin(), m_cells.end(), c);
        return at == m_cells.end() ? -1 : static_cast<int>(at - m_cells.begin());
    }

    std::int64_t countFrom(const Mask& covered, int next) {
        int total = static_cast<int>(m_cells.size());
        while (next < total && ((covered.w[next >> 6] >> (next & 63)) & 1)) ++next;
        if (next == total) return 1;
        std::int64_t tilings = 0;
        std::size_t kinds = m_copies.size();
        for (std::size_t k = 0; k < kinds; ++k) {
            if (m_copies[k] == 0) continue;
            const std::vector<Mask>& fits = m_fits[static_cast<std::size_t>(next) * kinds + k];
            for (const Mask& mask : fits) {
                bool overlaps = false;
                Mask after;
                for (int w = 0; w < kMaxCells / 64; ++w) {
                    overlaps = overlaps || (mask.w[w] & covered.w[w]) != 0;
                    after.w[w] = mask.w[w] | covered.w[w];
                }
                if (overlaps) continue;
                --m_copies[k];
                tilings += countFrom(after, next + 1);
                ++m_copies[k];
            }
        }
        return tilings;
    }

    std::vector<polyiamonds::Cell> m_cells;  // in row order; a cell's index is its bit
    std::vector<int> m_copies;
    std::vector<std::vector<Mask>> m_fits;
};

}  // namespace tilings
