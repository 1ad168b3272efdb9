// The regions of a shape family: against every side list, turn and hole place tried by brute force,
// each region is there exactly once.
#include <gtest/gtest.h>

#include <set>

#include "board/shape_family.h"
#include "pieces/polyiamond_shapes.h"

TEST(ShapeFamily, EachRegionOnceUpToTurnsAndMirrors) {
    for (const char* text :
         {"parallelogram", "parallelogram +hole", "hexagon", "hexagon +hole", "triangle +hole"}) {
        const ShapeFamily family = *parseShapeFamily(text);
        const int cells = 24, whole = cells + (family.hole ? 1 : 0);
        std::set<polyiamonds::Shape> expected, found;  // free forms
        std::vector<Region> all;
        for (int a = 1; a <= whole; ++a)
            for (int b = 1; b <= whole; ++b) {
                if (family.kind == BoardShape::Kind::Parallelogram) all.push_back(parallelogramRegion(a, b));
                if (family.kind == BoardShape::Kind::Triangle && b == 1) all.push_back(triangleRegion(a));
                for (int c = 1; family.kind == BoardShape::Kind::Hexagon && c <= whole; ++c)
                    for (int d = 1, e = a + b - 1; d < a + b; ++d, --e)
                        if (c + d > a && (a + b + c) * (a + b + c) - a * a - e * e - c * c == whole)
                            all.push_back(hexagonRegion({a, b, c, d, e, c + d - a}));
            }
        for (const Region& region : all) {
            if (static_cast<int>(region.size()) != whole) continue;
            for (std::size_t hole = 0; hole < (family.hole ? region.size() : 1); ++hole) {
                Region open = region;
                if (family.hole) open.erase(open.begin() + static_cast<std::ptrdiff_t>(hole));
                expected.insert(polyiamonds::freeForm(open));
            }
        }
        const auto regions = familyRegions(family, cells);
        for (const FamilyRegion& region : regions) found.insert(polyiamonds::freeForm(region.layout.region));
        EXPECT_EQ(found.size(), regions.size()) << text;  // none twice
        EXPECT_EQ(found, expected) << text;
    }
}
