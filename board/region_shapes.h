#pragma once

// Regions of the Board's lattice in the shapes that puzzles are made of: parallelograms, equiangular
// hexagons and triangles, and the cells at a region's centre.

#include <array>
#include <optional>
#include <vector>

#include "pieces/polyiamond_shapes.h"

using Region = std::vector<CellPos>;

// A parallelogram of a unit edges along the rows (2a cells a row) and b rows, its left side slanting down
// to the right: row y holds the columns y .. y + 2a - 1, each row starting with an apex-down triangle.
Region parallelogramRegion(int a, int b);

// Whether six sides (in unit edges, from the top side clockwise, each at least 1) close to a hexagon:
// top + upper right = bottom + lower left, and upper right + lower right = lower left + upper left.
bool hexagonCloses(const std::array<int, 6>& sides);

// An equiangular hexagon with these sides (which close): a triangle of side top + upper right + lower
// right, apex up, with its three corners cut off.
Region hexagonRegion(const std::array<int, 6>& sides);

// A triangle of side n, apex up: row y holds 2y + 1 cells.
Region triangleRegion(int n);

// The cell in which the region's centre (the mean of its cells' centroids) lies, nothing when the
// centre lies on an edge or a corner.
std::optional<CellPos> centreCell(const Region& region);

// The six cells around the region's centre when that is a corner of cells, nothing otherwise.
std::optional<std::array<CellPos, 6>> cellsAroundCentre(const Region& region);
