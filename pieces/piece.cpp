#include "pieces/piece.h"

#include <algorithm>

std::string labelText(const Piece& piece) {
    std::string text;
    for (char c : piece.label) {
        if (c == '\0') break;
        text += c;
    }
    return text;
}

bool trianglesOverlap(const Piece& piece) {
    const int n = std::clamp(static_cast<int>(piece.triangleCount), 0, kMaxTriangles);
    const CellPos* cells = piece.cells[0];
    for (int t = 1; t < n; ++t)
        if (std::find(cells, cells + t, cells[t]) != cells + t) return true;
    return false;
}
