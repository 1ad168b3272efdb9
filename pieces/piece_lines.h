#pragma once

// A piece file's lines from shapes and back: the link chain of a shape, and the line that the standard
// piece sets and the piece designer write.

#include <string>

#include "pieces/polyiamond_shapes.h"

namespace polyiamonds {

// The links of a connected shape: triangle 0 is its first triangle, the others follow in breadth-first
// order, each linked to the earliest triangle it touches. "0R 1O ..." (empty for a single triangle), or
// "?" when the shape is not connected.
std::string linkChain(const Shape& shape);

// A piece file line: the label in columns 1-2, the copies in columns 4-6, the number of triangles in
// column 8, the links from column 10. The shape, connected and of at most 9 triangles, is taken in row
// order (by row, then column): its first triangle is triangle 0. The line does not depend on where the
// shape lies.
std::string pieceLine(const std::string& label, int copies, const Shape& shape);

// The reader puts triangle 0 at the origin pointing down; a line written from a shape whose first
// triangle points up reads as that shape turned half round. This is the shape as it was drawn: turned
// half round when that makes triangle 0 the first in row order and it is not already, so that the line
// of the shape is the line read.
Shape shapeAsDrawn(const Shape& read);

// The shape of a piece's links by the lattice rules: triangle 0 at (0, 0), each later one across edge
// R, O or L of its parent. `links` holds triangleCount - 1 links, each parent earlier than its triangle.
Shape shapeOfLinks(int triangleCount, const PieceLink* links);

// The shape that a piece line describes, read by the same rules; empty for a line that is not a
// well-formed piece line. `copies`, when given, receives the number in columns 4 on.
Shape shapeOfLine(const std::string& line, int* copies = nullptr);

}  // namespace polyiamonds
