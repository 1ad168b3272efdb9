#include "solutions/solution_records.h"

#include <algorithm>

bool placementFitsBoard(const CTrianzoidDoc& doc, const PlacementRecord& r) {
    const int pieces = std::clamp(static_cast<int>(doc.m_nPieces), 0, kMaxPieces);
    if (r.piece < 0 || r.piece >= pieces) return false;
    const Piece& piece = doc.m_pieces[static_cast<std::size_t>(r.piece)];
    if (r.orientation < 0 ||
        r.orientation >= std::min(static_cast<int>(piece.orientationCount), kMaxOrientations))
        return false;
    if (piece.triangleCount < 1 || piece.triangleCount > kMaxTriangles) return false;
    const std::int64_t rowLength = std::clamp(doc.rowLength(), 0, BOARD_COLUMNS);
    const std::int64_t height = std::clamp(static_cast<int>(doc.m_nHeight), 0, BOARD_ROWS);
    for (int t = 0; t < piece.triangleCount; ++t) {
        const std::int64_t col = std::int64_t{r.anchorX} + piece.cells[r.orientation][t].x;
        const std::int64_t row = std::int64_t{r.anchorY} + piece.cells[r.orientation][t].y;
        if (col < 0 || col >= rowLength || row < 0 || row >= height) return false;
        if (doc.cell(static_cast<int>(col), static_cast<int>(row)) > kOpenCell) return false;
    }
    return true;
}
