#include "board/region_shapes.h"

#include <cstdint>

using polyiamonds::Centroid;

namespace {

// An equiangular hexagon: a triangle of side n, apex up, with the corner triangles of sides top,
// bottomLeft and bottomRight cut off. Row y of the triangle holds the 2y + 1 columns c - y .. c + y.
Region cutTriangle(int n, int top, int bottomLeft, int bottomRight) {
    const int c = 31;  // odd: the apex (c, 0) points up
    Region region;
    for (int y = top; y < n; ++y) {
        const int fromBottom = n - 1 - y;
        for (int i = 0; i <= 2 * y; ++i) {
            // Inside a bottom corner triangle of side k: 2 * (rows from the bottom) + (cells from the
            // side) < 2k - 1.
            if (2 * fromBottom + i < 2 * bottomLeft - 1 || 2 * fromBottom + (2 * y - i) < 2 * bottomRight - 1)
                continue;
            region.push_back({c - y + i, y});
        }
    }
    return region;
}

// The centre of the region in the basis of the centroids (a = one edge to the right, b = one edge down
// and half an edge to the right), as whole edges (k, l) and remainders (ru, rv) out of `whole`.
struct CentrePoint {
    int k = 0, l = 0;
    std::int64_t ru = 0, rv = 0, whole = 1;
};

std::optional<CentrePoint> centreOf(const Region& region) {
    if (region.empty()) return std::nullopt;
    std::int64_t sumI = 0, sumJ = 0;
    for (CellPos c : region) {
        const Centroid p = polyiamonds::centroid(c);
        sumI += p.i, sumJ += p.j;
    }
    // The centre is (sumI, sumJ) / (3 * cells) edges.
    CentrePoint point;
    point.whole = 3 * static_cast<std::int64_t>(region.size());
    auto split = [&](std::int64_t sum, int& whole, std::int64_t& rest) {
        std::int64_t q = sum / point.whole;
        if (sum % point.whole < 0) --q;
        whole = static_cast<int>(q);
        rest = sum - q * point.whole;
    };
    split(sumI, point.k, point.ru);
    split(sumJ, point.l, point.rv);
    return point;
}

}  // namespace

Region parallelogramRegion(int a, int b) {
    Region region;
    for (int y = 0; y < b; ++y)
        for (int x = y; x < y + 2 * a; ++x) region.push_back({x, y});
    return region;
}

bool hexagonCloses(const std::array<int, 6>& s) {
    for (int side : s)
        if (side < 1) return false;
    return s[0] + s[1] == s[3] + s[4] && s[1] + s[2] == s[4] + s[5];
}

Region hexagonRegion(const std::array<int, 6>& s) {
    return cutTriangle(s[0] + s[1] + s[2], s[0], s[4], s[2]);
}

Region triangleRegion(int n) {
    return cutTriangle(n, 0, 0, 0);
}

std::optional<CellPos> centreCell(const Region& region) {
    auto point = centreOf(region);
    if (!point || point->ru == 0 || point->rv == 0 || point->ru + point->rv == point->whole)
        return std::nullopt;  // on an edge or a corner
    // The parallelogram of whole edges (k, l) holds an apex-down triangle below its diagonal and an
    // apex-up one above it.
    const bool down = point->ru + point->rv < point->whole;
    const int offset = down ? 1 : 2;
    return polyiamonds::cellOf({3 * point->k + offset, 3 * point->l + offset});
}

std::optional<std::array<CellPos, 6>> cellsAroundCentre(const Region& region) {
    auto point = centreOf(region);
    if (!point || point->ru != 0 || point->rv != 0) return std::nullopt;
    const int i = 3 * point->k, j = 3 * point->l;
    return std::array<CellPos, 6>{
        polyiamonds::cellOf({i + 1, j + 1}), polyiamonds::cellOf({i - 2, j + 1}),
        polyiamonds::cellOf({i + 1, j - 2}), polyiamonds::cellOf({i - 1, j - 1}),
        polyiamonds::cellOf({i - 1, j + 2}), polyiamonds::cellOf({i + 2, j - 1}),
    };
}
