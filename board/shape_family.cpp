#include "board/shape_family.h"

#include <algorithm>
#include <array>
#include <sstream>

#include "board/board.h"
#include "pieces/polyiamond_shapes.h"

namespace {

bool byRowThenColumn(CellPos a, CellPos b) {
    return a.y != b.y ? a.y < b.y : a.x < b.x;
}

// The least of the side list's twelve turns and mirrors (a turn of 60 degrees shifts the list by one,
// a mirror reverses it).
std::array<int, 6> leastSides(const std::array<int, 6>& sides) {
    std::array<int, 6> least = sides;
    for (int mirror = 0; mirror < 2; ++mirror)
        for (int shift = 0; shift < 6; ++shift) {
            std::array<int, 6> form{};
            for (int i = 0; i < 6; ++i)
                form[static_cast<std::size_t>(i)] =
                    sides[static_cast<std::size_t>(mirror == 0 ? (i + shift) % 6 : (shift - i + 6) % 6)];
            least = std::min(least, form);
        }
    return least;
}

// The shapes of the kind, without a hole, that have exactly `cells` cells, in their least forms.
std::vector<BoardShape> shapesOfKind(BoardShape::Kind kind, int cells) {
    std::vector<BoardShape> shapes;
    auto add = [&](std::vector<int> sizes) {
        BoardShape shape;
        shape.kind = kind;
        shape.sizes = std::move(sizes);
        shapes.push_back(shape);
    };
    switch (kind) {
        case BoardShape::Kind::Parallelogram:  // 2AB cells
            for (int b = 1; 2 * b * b <= cells; ++b)
                if (cells % (2 * b) == 0) add({cells / (2 * b), b});
            break;
        case BoardShape::Kind::Triangle:  // N * N cells
            for (int n = 1; n * n <= cells; ++n)
                if (n * n == cells) add({n});
            break;
        case BoardShape::Kind::Hexagon:
            // A triangle of side n = A + B + C less the corners A, E and C; A, B, C and D fix the other
            // two. Bounded as a hexagon that fits a Board is: n at most its row length, B + C its rows.
            for (int a = 1; a < BOARD_COLUMNS; ++a)
                for (int b = 1; a + b < BOARD_COLUMNS && b < BOARD_ROWS; ++b)
                    for (int c = 1; a + b + c <= BOARD_COLUMNS && b + c <= BOARD_ROWS; ++c)
                        for (int d = 1; d < a + b; ++d) {
                            const int e = a + b - d, f = b + c - e, n = a + b + c;
                            if (f < 1 || n * n - a * a - e * e - c * c != cells) continue;
                            const std::array<int, 6> sides{a, b, c, d, e, f};
                            if (leastSides(sides) == sides) add({a, b, c, d, e, f});
                        }
            break;
    }
    return shapes;
}

}  // namespace

std::optional<ShapeFamily> parseShapeFamily(const std::string& text) {
    std::istringstream words(text);
    std::string kind, hole, more;
    words >> kind >> hole >> more;
    ShapeFamily family;
    if (kind == "parallelogram")
        family.kind = BoardShape::Kind::Parallelogram;
    else if (kind == "hexagon")
        family.kind = BoardShape::Kind::Hexagon;
    else if (kind == "triangle")
        family.kind = BoardShape::Kind::Triangle;
    else
        return std::nullopt;
    if (!more.empty() || (!hole.empty() && hole != "+hole")) return std::nullopt;
    family.hole = !hole.empty();
    return family;
}

std::vector<std::vector<CellPos>> regionSelfMaps(const Region& region) {
    std::vector<CellPos> sorted = polyiamonds::toOrigin(region);
    std::sort(sorted.begin(), sorted.end());
    std::vector<std::vector<CellPos>> maps;
    for (int s = 0; s < 12; ++s) {
        polyiamonds::Shape image;
        for (CellPos c : region)
            image.push_back(polyiamonds::cellOf(polyiamonds::applySymmetry(polyiamonds::centroid(c), s)));
        image = polyiamonds::toOrigin(std::move(image));
        std::vector<CellPos> imageSorted = image;
        std::sort(imageSorted.begin(), imageSorted.end());
        if (imageSorted == sorted) maps.push_back(std::move(image));
    }
    return maps;
}

std::vector<FamilyRegion> familyRegions(const ShapeFamily& family, int cells) {
    std::vector<FamilyRegion> regions;
    if (cells < 1) return regions;
    for (const BoardShape& whole : shapesOfKind(family.kind, cells + (family.hole ? 1 : 0))) {
        const ShapeLayout layout = layOutShape(whole);
        if (!layout.error.empty()) continue;  // does not fit a Board
        if (!family.hole) {
            regions.push_back({whole, layout, static_cast<int>(regionSelfMaps(layout.region).size())});
            continue;
        }
        // One hole for each class of cells under the region's symmetries: the least of its class.
        const auto maps = regionSelfMaps(layout.region);
        for (std::size_t i = 0; i < layout.region.size(); ++i) {
            CellPos least = layout.region[i];
            for (const auto& map : maps) least = std::min(least, map[i], byRowThenColumn);
            if (least != layout.region[i]) continue;
            FamilyRegion region;
            region.shape = whole;
            // The cell at the centre is named as --make-board names it; its place still orders it.
            region.shape.hole =
                centreCell(layout.region) == least ? BoardShape::Hole::Centre : BoardShape::Hole::Cell;
            region.shape.holeCell = least;
            region.layout = layOutShape(region.shape);
            region.symmetries = static_cast<int>(regionSelfMaps(region.layout.region).size());
            regions.push_back(std::move(region));
        }
    }
    std::sort(regions.begin(), regions.end(), [](const FamilyRegion& a, const FamilyRegion& b) {
        if (a.shape.sizes != b.shape.sizes) return a.shape.sizes < b.shape.sizes;
        return a.shape.holeCell < b.shape.holeCell;  // by column, then row, as "hole X,Y" reads
    });
    return regions;
}
