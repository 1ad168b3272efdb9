#pragma once

#include <array>

#include "platform/drawing_surface.h"

// The size of the triangles as last laid out: side S (even), S / 2 and the row height h.
struct CellGeometry {
    int m_nSide = 0;
    int m_nHalfSide = 0;
    int m_nTriHeight = 0;
};

// Sizes the triangles so that a Board of W, H (H + 1 when odd) and the margin fits the rectangle.
CellGeometry cellSizeFor(const Rect& rect, int width, int height, int margin);

// The three vertices of cell (col, row): a down-pointing cell P0 top left, P1 top right, P2 bottom;
// an up-pointing cell P0 top, P1 bottom left, P2 bottom right.
std::array<Point, 3> CellVertices(const CellGeometry& geometry, int margin, int col, int row);
