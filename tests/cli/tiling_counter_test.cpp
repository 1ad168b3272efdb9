// The independent counter that the solver's counts are checked against must itself be right: known
// counts from the puzzle literature and from hand enumeration.
#include "tests/cli/tiling_counter.h"

#include <gtest/gtest.h>

namespace {

using polyiamonds::Cell;

std::vector<tilings::PieceKind> freeSet(int size, int copies = 1) {
    std::vector<tilings::PieceKind> kinds;
    for (const auto& shape : polyiamonds::freePolyiamonds(size))
        kinds.push_back({polyiamonds::images(shape), copies});
    return kinds;
}

// Row y holds columns y .. y + 2a - 1: a parallelogram a triangles wide and b rows high.
std::vector<Cell> parallelogram(int a, int b) {
    std::vector<Cell> region;
    for (int y = 0; y < b; ++y)
        for (int x = y; x < y + 2 * a; ++x) region.push_back({x, y});
    return region;
}

TEST(TilingCounter, SmallRegionsCountedByHand) {
    // The six triangles around one corner: the two-triangle piece tiles it in exactly two ways.
    std::vector<Cell> hexagon{{1, 0}, {2, 0}, {3, 0}, {1, 1}, {2, 1}, {3, 1}};
    EXPECT_EQ(tilings::TilingCounter(hexagon, freeSet(2, 3)).count(), 2);
    // Fewer copies than needed: no tiling.
    EXPECT_EQ(tilings::TilingCounter(hexagon, freeSet(2, 2)).count(), 0);
    // Single triangles fill any region in exactly one way (copies are interchangeable).
    EXPECT_EQ(tilings::TilingCounter(hexagon, freeSet(1, 6)).count(), 1);
    // A row of four triangles, down-up-down-up: the ends have one neighbour each, so one tiling.
    EXPECT_EQ(tilings::TilingCounter(parallelogram(2, 1), freeSet(2, 2)).count(), 1);
    // The 2 x 2 rhombus: its acute corners (0, 0) and (4, 1) each touch one triangle, which forces the
    // remaining pairs too: one tiling by diamonds.
    EXPECT_EQ(tilings::TilingCounter(parallelogram(2, 2), freeSet(2, 4)).count(), 1);
}

TEST(TilingCounter, HexiamondRhombusHas156EssentiallyDifferentSolutions) {
    // The 12 hexiamonds fill the 6 x 6 rhombus in 156 ways up to its symmetries; the rhombus has four
    // symmetries and no solution is symmetric, so 624 tilings in all.
    EXPECT_EQ(tilings::TilingCounter(parallelogram(6, 6), freeSet(6)).count(), 624);
}

TEST(TilingCounter, CheckerboardImpossibleRegionHasNoTiling) {
    // Three tetriamonds in a 3 x 2 parallelogram: as many up as down triangles, but the big triangle
    // has two more of one kind.
    EXPECT_EQ(tilings::TilingCounter(parallelogram(3, 2), freeSet(4)).count(), 0);
}

}  // namespace
