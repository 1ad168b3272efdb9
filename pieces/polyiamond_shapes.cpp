#include "pieces/polyiamond_shapes.h"

#include <algorithm>
#include <set>

namespace polyiamonds {

namespace {

int mod3(int a) {
    return a - 3 * floorDiv(a, 3);
}

// Turning by 60 degrees maps a to b and b to b - a; mirroring left to right maps a to -a and b to b - a.
Centroid turn60(Centroid p) {
    return {-p.j, p.i + p.j};
}
Centroid mirror(Centroid p) {
    return {-p.i - p.j, p.j};
}

}  // namespace

std::array<Cell, 3> neighbours(Cell c) {
    const int m = pointsUp(c) ? 1 : -1;
    return {Cell{c.x + m, c.y}, Cell{c.x, c.y + m}, Cell{c.x - m, c.y}};
}

int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

Centroid centroid(Cell c) {
    if (pointsUp(c)) {
        const int u = (c.x + 1 - c.y) / 2;  // exact: x + 1 - y is even
        return {3 * u - 1, 3 * c.y + 2};
    }
    const int k = (c.x - c.y) / 2;
    return {3 * k + 1, 3 * c.y + 1};
}

Cell cellOf(Centroid p) {
    if (mod3(p.j) == 1) {  // apex down
        const int y = floorDiv(p.j - 1, 3);
        const int k = floorDiv(p.i - 1, 3);
        return {2 * k + y, y};
    }
    const int y = floorDiv(p.j - 2, 3);
    const int u = floorDiv(p.i + 1, 3);
    return {2 * u - 1 + y, y};
}

Centroid applySymmetry(Centroid p, int s) {
    if (s & 1) p = mirror(p);
    for (int t = 0; t < s / 2; ++t) p = turn60(p);
    return p;
}

Shape normalise(Shape shape) {
    if (shape.empty()) return shape;
    std::sort(shape.begin(), shape.end(), [](Cell a, Cell b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
    const Cell first = shape.front();
    // dx + dy even, so that no triangle changes direction.
    const int dy = first.y, dx = first.x - (pointsUp(first) ? 1 : 0);
    for (Cell& c : shape) c = {c.x - dx, c.y - dy};
    return shape;
}

Shape toOrigin(Shape shape) {
    if (shape.empty()) return shape;
    int minX = shape[0].x, minY = shape[0].y;
    for (Cell c : shape) minX = std::min(minX, c.x), minY = std::min(minY, c.y);
    const int dx = ((minX + minY) & 1) ? minX - 1 : minX;
    for (Cell& c : shape) c = {c.x - dx, c.y - minY};
    return shape;
}

Shape transformed(const Shape& shape, int s) {
    Shape out;
    out.reserve(shape.size());
    for (Cell c : shape) out.push_back(cellOf(applySymmetry(centroid(c), s)));
    return normalise(std::move(out));
}

std::vector<Shape> images(const Shape& shape) {
    std::set<Shape> seen;
    std::vector<Shape> out;
    for (int s = 0; s < 12; ++s) {
        Shape image = transformed(shape, s);
        if (seen.insert(image).second) out.push_back(std::move(image));
    }
    return out;
}

Shape freeForm(const Shape& shape) {
    auto all = images(shape);
    return *std::min_element(all.begin(), all.end());
}

bool isConnected(const Shape& shape) {
    if (shape.empty()) return false;
    std::set<Cell> left(shape.begin() + 1, shape.end());
    std::vector<Cell> reached{shape.front()};
    for (std::size_t head = 0; head < reached.size(); ++head)
        for (Cell d : neighbours(reached[head]))
            if (left.erase(d) != 0) reached.push_back(d);
    return left.empty();
}

}  // namespace polyiamonds
