#pragma once

// A Board shape in words, as trianzoid-solve --make-board and "Veld > Vorm..." take it:
//   parallelogram AxB | hexagon A,B,C,D,E,F | triangle N
// optionally followed by "hole" (the cell at the centre), "hexhole" (the six cells round the centre) or
// "hole X,Y" (that cell of the Board that --make-board writes).

#include <string>
#include <vector>

#include "board/region_shapes.h"

struct BoardShape {
    enum class Kind { Parallelogram, Hexagon, Triangle };
    enum class Hole { None, Centre, AroundCentre, Cell };
    Kind kind = Kind::Parallelogram;
    std::vector<int> sizes;  // A and B; the six sides; N
    Hole hole = Hole::None;
    CellPos holeCell;  // for Hole::Cell
};

struct ParsedBoardShape {
    BoardShape shape;
    std::string error;  // in Dutch; empty when the text was read
};

ParsedBoardShape parseBoardShape(const std::string& text);

// The shape written as parseBoardShape reads it.
std::string boardShapeText(const BoardShape& shape);

// The open cells of a shape on the smallest Board that holds it (row length odd and at least 5, an even
// number of rows, at least 6), at its top left; the hole taken out.
struct ShapeLayout {
    Region region;
    int width = 0;      // W: rows of 2W - 1 cells
    int height = 0;     // H
    std::string error;  // in Dutch: the shape does not fit a Board, or its hole does not exist
};

ShapeLayout layOutShape(const BoardShape& shape);

// Any region laid out in the same way.
ShapeLayout layOutRegion(Region region);
