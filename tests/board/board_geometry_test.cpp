#include <gtest/gtest.h>

#include "board/board_geometry.h"
#include "board/palette.h"

namespace {

TEST(CellSize, DefaultBoardIn640By480) {
    const CellGeometry g = cellSizeFor({0, 0, 640, 480}, 8, 8, 30);
    EXPECT_EQ(g.m_nSide, 64);
    EXPECT_EQ(g.m_nHalfSide, 32);
    EXPECT_EQ(g.m_nTriHeight, 55);
}

TEST(CellSize, OddValueIsReducedAndTiesTakeTheValue) {
    // By width 71, by height 80: S = 70.
    const int width = 10;
    const CellGeometry odd = cellSizeFor({0, 0, 71 * width + 30, 1000}, width, 8, 30);
    EXPECT_EQ(odd.m_nSide, 70);
    // Equal by width and by height (both 64).
    const CellGeometry equal = cellSizeFor({0, 0, 64 * 8 + 30, 480}, 8, 8, 30);
    EXPECT_EQ(equal.m_nSide, 64);
}

TEST(CellSize, OddHeightUsesOneRowMore) {
    const CellGeometry seven = cellSizeFor({0, 0, 10000, 480}, 8, 7, 30);
    const CellGeometry eight = cellSizeFor({0, 0, 10000, 480}, 8, 8, 30);
    EXPECT_EQ(seven.m_nSide, eight.m_nSide);
}

TEST(CellSize, RectangleSmallerThanTheMarginGivesNoUsableSize) {
    const CellGeometry g = cellSizeFor({0, 0, 20, 20}, 8, 8, 30);
    EXPECT_LE(g.m_nTriHeight, 0);
}

TEST(CellVertices, DefaultBoardIn640By480) {
    const CellGeometry g = cellSizeFor({0, 0, 640, 480}, 8, 8, 30);
    EXPECT_EQ(CellVertices(g, 30, 0, 0), (std::array<Point, 3>{Point{15, 15}, Point{79, 15}, Point{47, 70}}));
    EXPECT_EQ(CellVertices(g, 30, 1, 0),
              (std::array<Point, 3>{Point{79, 15}, Point{47, 70}, Point{111, 70}}));
    EXPECT_EQ(CellVertices(g, 30, 0, 1),
              (std::array<Point, 3>{Point{47, 70}, Point{15, 125}, Point{79, 125}}));
}

TEST(Palette, FixedEntries) {
    EXPECT_EQ(palette[0], (Rgb{255, 255, 0}));
    EXPECT_EQ(palette[13], (Rgb{128, 128, 139}));
    EXPECT_EQ(palette[41], (Rgb{75, 0, 130}));
    EXPECT_EQ(palette[63], (Rgb{250, 240, 230}));
    EXPECT_EQ(palette[64], (Rgb{255, 255, 255}));
    EXPECT_EQ(palette[65], (Rgb{136, 136, 136}));
    EXPECT_EQ(palette[8], palette[61]);
    EXPECT_EQ(palette[61], palette[67]);
    EXPECT_EQ(palette[2], palette[33]);
    EXPECT_EQ(palette[1], palette[66]);
    EXPECT_EQ(palette[3], palette[68]);
    EXPECT_EQ(palette[0], palette[69]);
}

}  // namespace
