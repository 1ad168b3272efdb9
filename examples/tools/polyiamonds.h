#pragma once

// Polyiamonds on the Board's triangle lattice, worked out from the lattice alone: neighbours, the twelve
// symmetries, normal forms, enumeration of the free shapes, and the piece-file link chain of a shape.
// Used by the example generator and by the tests that check the bundled piece files and count tilings
// independently of the program's own orientation and placement code. Header-only so that a test can
// include it without a library of its own.

#include <algorithm>
#include <array>
#include <compare>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace polyiamonds {

// A triangle at column x, row y: apex up when x + y is odd, apex down when it is even.
struct Cell {
    int x = 0;
    int y = 0;
    friend auto operator<=>(const Cell&, const Cell&) = default;
};

using Shape = std::vector<Cell>;

inline bool pointsUp(Cell c) {
    return ((c.x + c.y) & 1) != 0;
}
// The sign m of the lattice rules: +1 apex up, -1 apex down.
inline int sign(Cell c) {
    return pointsUp(c) ? 1 : -1;
}

// The neighbours across the edges R, O and L (directions 0, 1, 2): (x + m, y), (x, y + m), (x - m, y).
inline std::array<Cell, 3> neighbours(Cell c) {
    int m = sign(c);
    return {Cell{c.x + m, c.y}, Cell{c.x, c.y + m}, Cell{c.x - m, c.y}};
}

// Three times the centroid of a triangle, in the basis a = one edge to the right, b = one edge down and
// half an edge to the right. With rows growing downward, the vertices of row boundary j lie at horizontal
// positions i + j/2; the down triangle (x, y) has the vertices (k, y), (k + 1, y), (k, y + 1) with
// k = (x - y) / 2, the up triangle the vertices (u, y), (u - 1, y + 1), (u, y + 1) with u = (x + 1 - y) / 2.
// Summing gives (3k + 1, 3y + 1) and (3u - 1, 3y + 2): down triangles are the points = (1, 1) mod 3, up
// triangles those = (2, 2) mod 3. In this basis the lattice symmetries are integer linear maps.
struct Centroid {
    int i = 0;
    int j = 0;
    friend auto operator<=>(const Centroid&, const Centroid&) = default;
};

inline int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
inline int mod3(int a) {
    return a - 3 * floorDiv(a, 3);
}

inline Centroid centroid(Cell c) {
    if (pointsUp(c)) {
        int u = (c.x + 1 - c.y) / 2;  // exact: x + 1 - y is even
        return {3 * u - 1, 3 * c.y + 2};
    }
    int k = (c.x - c.y) / 2;
    return {3 * k + 1, 3 * c.y + 1};
}

inline Cell cellOf(Centroid p) {
    if (mod3(p.j) == 1) {  // apex down
        int y = (p.j - 1) / 3;
        int k = floorDiv(p.i - 1, 3);
        return {2 * k + y, y};
    }
    int y = floorDiv(p.j - 2, 3);
    int u = floorDiv(p.i + 1, 3);
    return {2 * u - 1 + y, y};
}

// Turning by 60 degrees maps a to b and b to b - a; mirroring left to right maps a to -a and b to b - a.
inline Centroid turn60(Centroid p) {
    return {-p.j, p.i + p.j};
}
inline Centroid mirror(Centroid p) {
    return {-p.i - p.j, p.j};
}

// Symmetry s of the twelve: s / 2 turns of 60 degrees, mirrored first when s is odd.
inline Centroid applySymmetry(Centroid p, int s) {
    if (s & 1) p = mirror(p);
    for (int t = 0; t < s / 2; ++t) p = turn60(p);
    return p;
}

// The shape moved so that its least triangle (by row, then column) lies in row 0 and column 0 or 1,
// keeping every triangle's direction; cells sorted. Two shapes are translates of each other exactly when
// their normal forms are equal.
inline Shape normalise(Shape shape) {
    if (shape.empty()) return shape;
    auto byRow = [](Cell a, Cell b) { return a.y != b.y ? a.y < b.y : a.x < b.x; };
    std::sort(shape.begin(), shape.end(), byRow);
    Cell first = shape.front();
    int dy = first.y;
    // An apex-down first cell goes to (0, 0), an apex-up one to (1, 0): dx + dy is even, so no triangle
    // changes direction.
    int dx = first.x - (pointsUp(first) ? 1 : 0);
    for (Cell& c : shape) c = {c.x - dx, c.y - dy};
    return shape;
}

// The piece normal form used by the piece files' orientations: smallest y 0, smallest x 0 or 1.
inline Shape toOrigin(Shape shape) {
    if (shape.empty()) return shape;
    int minX = shape[0].x, minY = shape[0].y;
    for (Cell c : shape) minX = std::min(minX, c.x), minY = std::min(minY, c.y);
    int dx = ((minX + minY) & 1) ? minX - 1 : minX;
    for (Cell& c : shape) c = {c.x - dx, c.y - minY};
    return shape;
}

inline Shape transformed(const Shape& shape, int s) {
    Shape out;
    for (Cell c : shape) out.push_back(cellOf(applySymmetry(centroid(c), s)));
    return normalise(out);
}

// All distinct images of a shape under the twelve symmetries, in normal form.
inline std::vector<Shape> images(const Shape& shape) {
    std::set<Shape> seen;
    std::vector<Shape> out;
    for (int s = 0; s < 12; ++s) {
        Shape image = transformed(shape, s);
        if (seen.insert(image).second) out.push_back(image);
    }
    return out;
}

// The least image: equal for two shapes exactly when one is a turned or mirrored translate of the other.
inline Shape freeForm(const Shape& shape) {
    auto all = images(shape);
    return *std::min_element(all.begin(), all.end());
}

// Every free polyiamond of n triangles, as free forms in increasing order. Grows each shape of n - 1
// triangles by one neighbouring triangle in every possible way.
inline std::vector<Shape> freePolyiamonds(int n) {
    std::set<Shape> level{freeForm({Cell{0, 0}})};
    for (int size = 2; size <= n; ++size) {
        std::set<Shape> next;
        for (const Shape& shape : level)
            for (Cell c : shape)
                for (Cell d : neighbours(c)) {
                    if (std::find(shape.begin(), shape.end(), d) != shape.end()) continue;
                    Shape grown = shape;
                    grown.push_back(d);
                    next.insert(freeForm(grown));
                }
        level = std::move(next);
    }
    if (n < 1) return {};
    return {level.begin(), level.end()};
}

// The piece file's links of a connected shape: triangle 0 is the shape's first cell, the others follow in
// breadth-first order, each linked to the earliest triangle it touches. Returns "0R 1O ..." (empty for a
// single triangle), or "?" when the shape is not connected.
inline std::string linkChain(const Shape& shape) {
    static const char letters[] = "ROL";
    std::vector<Cell> order{shape.front()};
    std::string links;
    for (std::size_t head = 0; head < order.size(); ++head) {
        auto around = neighbours(order[head]);
        for (int d = 0; d < 3; ++d) {
            Cell c = around[static_cast<std::size_t>(d)];
            bool inShape = std::find(shape.begin(), shape.end(), c) != shape.end();
            bool placed = std::find(order.begin(), order.end(), c) != order.end();
            if (!inShape || placed) continue;
            if (!links.empty()) links += ' ';
            links += static_cast<char>('0' + head);
            links += letters[d];
            order.push_back(c);
        }
    }
    return order.size() == shape.size() ? links : "?";
}

// A piece file line: label in columns 1-2, copies in columns 4-6, n in column 8, links from column 10.
inline std::string pieceLine(const std::string& label, int copies, const Shape& shape) {
    char head[16];
    std::snprintf(head, sizeof head, "%-2.2s %3d %d", label.c_str(), copies, static_cast<int>(shape.size()));
    std::string line = head;
    std::string links = linkChain(shape);
    if (!links.empty()) line += ' ' + links;
    return line;
}

// The shape that a piece line describes, by the lattice rules: triangle 0 at (0, 0), each later one across
// edge R, O or L of its parent. Returns an empty shape for a line that is not a well-formed piece line.
inline Shape shapeOfLine(const std::string& line, int* copies = nullptr) {
    if (line.size() < 8 || line[7] < '1' || line[7] > '9') return {};
    int n = line[7] - '0';
    if (copies) *copies = std::atoi(line.c_str() + 3);
    Shape shape{Cell{0, 0}};
    for (int j = 0; j + 1 < n; ++j) {
        std::size_t at = 9 + 3 * static_cast<std::size_t>(j);
        if (line.size() < at + 2) return {};
        int parent = line[at] - '0';
        const char* letters = "ROLrol";
        const char* found = std::strchr(letters, line[at + 1]);
        if (parent < 0 || parent > j || line[at + 1] == '\0' || found == nullptr) return {};
        int d = static_cast<int>(found - letters) % 3;
        shape.push_back(neighbours(shape[static_cast<std::size_t>(parent)])[static_cast<std::size_t>(d)]);
    }
    return shape;
}

}  // namespace polyiamonds
