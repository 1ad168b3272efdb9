#include "board/board_geometry.h"

#include <algorithm>

namespace {
// The layout's own constants: 1 / 0.866 rather than 2 / sqrt(3), and 0.866 for the row height.
constexpr double kHeightToSide = 1.1547344110854503;
constexpr double kSideToHeight = 0.866;
}  // namespace

CellGeometry cellSizeFor(const Rect& rect, int width, int height, int margin) {
    const int rows = height % 2 != 0 ? height + 1 : height;
    const int byHeight =
        rows > 0 ? static_cast<int>((rect.bottom - rect.top - margin) * kHeightToSide / rows) : 0;
    const int byWidth = width > 0 ? (rect.right - rect.left - margin) / width : 0;
    int side = std::min(byHeight, byWidth);
    if (side % 2 != 0) side -= 1;
    CellGeometry geometry;
    geometry.m_nSide = side;
    geometry.m_nHalfSide = side / 2;
    geometry.m_nTriHeight = static_cast<int>(side * kSideToHeight);
    return geometry;
}

std::array<Point, 3> CellVertices(const CellGeometry& geometry, int margin, int col, int row) {
    const int c = margin / 2;
    const int s = geometry.m_nSide;
    const int h = geometry.m_nTriHeight;
    const int x = c + (col * s) / 2;
    const int y = c + row * h;
    if ((col + row) % 2 == 0) return {Point{x, y}, Point{x + s, y}, Point{x + s / 2, y + h}};
    return {Point{x + s / 2, y}, Point{x, y + h}, Point{x + s, y + h}};
}
