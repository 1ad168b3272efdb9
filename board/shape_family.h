#pragma once

// The regions of one kind of Board shape (parallelograms, hexagons or triangles, with or without one
// cell taken out) that have a given number of open cells: each once however it is turned or mirrored,
// named by its least form, in a fixed order.

#include <optional>
#include <string>
#include <vector>

#include "board/board_shape.h"

struct ShapeFamily {
    BoardShape::Kind kind = BoardShape::Kind::Parallelogram;
    bool hole = false;  // one cell more than asked, that cell taken out at every place
};

// "parallelogram", "hexagon" or "triangle", optionally followed by " +hole"; nothing otherwise.
std::optional<ShapeFamily> parseShapeFamily(const std::string& text);

struct FamilyRegion {
    BoardShape shape;    // its least form: A >= B, the least side list; a hole at the centre as
                         // Hole::Centre, elsewhere as Hole::Cell (holeCell is set for both)
    ShapeLayout layout;  // as --make-board lays it out, the hole taken out
    int symmetries = 1;  // the order of the region's symmetry group (with its hole)
};

// Every region of the family with `cells` open cells that fits a Board, each once up to turns and
// mirrors: a region with a hole once for each place of the hole up to the symmetries of the whole
// region (the hole at its least place by row, then column). Ordered by the shape's numbers as its
// words give them: the sizes, then the hole's column and row.
std::vector<FamilyRegion> familyRegions(const ShapeFamily& family, int cells);

// The symmetries of the lattice that map the region onto itself: for each, the image of every cell of
// `region` (in its order), placed as layOutRegion places the region (its smallest row 0 and its
// smallest column 0 or 1).
std::vector<std::vector<CellPos>> regionSelfMaps(const Region& region);
