#pragma once

// Shapes of triangles on the lattice of the Board and the pieces, worked out from the lattice alone:
// neighbours, the twelve symmetries (six turns, each plain and mirrored), normal forms and free forms.
// The piece designer, the standard piece sets and the Board shapes build on these.

#include <array>
#include <vector>

#include "pieces/piece.h"

namespace polyiamonds {

// A triangle at column x, row y: apex up when x + y is odd, apex down when it is even.
using Cell = CellPos;
using Shape = std::vector<Cell>;

inline bool pointsUp(Cell c) {
    return ((c.x + c.y) & 1) != 0;
}

// The neighbours across the edges R, O and L (directions 0, 1, 2): (x + m, y), (x, y + m), (x - m, y),
// with m = +1 for an apex-up triangle and -1 for an apex-down one.
std::array<Cell, 3> neighbours(Cell c);

// Three times the centroid of a triangle, in the basis a = one edge to the right, b = one edge down and
// half an edge to the right. The vertices of row boundary j lie at horizontal positions i + j/2: the
// down triangle (x, y) has the vertices (k, y), (k + 1, y), (k, y + 1) with k = (x - y) / 2, the up
// triangle (u, y), (u - 1, y + 1), (u, y + 1) with u = (x + 1 - y) / 2. Down triangles are the points
// = (1, 1) mod 3, up triangles those = (2, 2) mod 3. In this basis the symmetries are integer linear maps.
struct Centroid {
    int i = 0;
    int j = 0;
    friend auto operator<=>(const Centroid&, const Centroid&) = default;
};

int floorDiv(int a, int b);
Centroid centroid(Cell c);
Cell cellOf(Centroid p);

// Symmetry s of the twelve: s / 2 turns of 60 degrees, mirrored left to right first when s is odd.
Centroid applySymmetry(Centroid p, int s);

// The shape sorted by row, then column, and moved so that its first triangle lies in row 0 at column 0
// (apex down) or 1 (apex up). Two shapes are translates of each other exactly when these are equal.
Shape normalise(Shape shape);

// The shape moved so that its smallest row is 0 and its smallest column 0, or 1 where a shift that keeps
// every triangle's direction cannot reach 0; the order of the triangles is kept.
Shape toOrigin(Shape shape);

// The image of a shape under symmetry s, normalised.
Shape transformed(const Shape& shape, int s);

// All distinct images of a shape under the twelve symmetries, normalised, in the order of the symmetries.
std::vector<Shape> images(const Shape& shape);

// The least image: equal for two shapes exactly when one is a turned or mirrored translate of the other.
Shape freeForm(const Shape& shape);

// True when every triangle can be reached from every other across shared edges (an empty shape is not).
bool isConnected(const Shape& shape);

}  // namespace polyiamonds
