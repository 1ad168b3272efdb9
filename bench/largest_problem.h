#pragma once

#include "board/trianzoid_doc.h"
#include "pieces/orientations.h"

namespace bench {

// The largest problem a document can hold: row length 59, 30 rows, every cell open, and 64 pieces of
// nine triangles, each with twelve distinct orientations that all take part, one copy each.
inline void makeLargestProblem(CTrianzoidDoc& doc) {
    doc.m_nWidth = 30;
    doc.m_nHeight = 30;
    doc.m_cells.fill(kOpenCell);
    // A chain of nine triangles without any symmetry: links (parent, direction 0 R / 1 O / 2 L).
    Piece piece;
    piece.triangleCount = 9;
    const std::uint8_t directions[8] = {2, 1, 0, 2, 0, 2, 1, 0};
    for (int t = 0; t < 8; ++t) piece.links[t] = {static_cast<std::uint8_t>(t), directions[t]};
    GenerateOrientations(piece);
    piece.copies = 1;
    doc.m_nPieces = 64;
    doc.m_nPieceTriangles = 64 * 9;
    doc.m_szPieceFile = "grootste.tzp";
    for (int p = 0; p < 64; ++p) {
        doc.m_pieces[static_cast<std::size_t>(p)] = piece;
        doc.m_pieces[static_cast<std::size_t>(p)].label[0] = static_cast<char>('0' + p / 10);
        doc.m_pieces[static_cast<std::size_t>(p)].label[1] = static_cast<char>('0' + p % 10);
        doc.m_pieces[static_cast<std::size_t>(p)].colorNumber = p;
    }
}

}  // namespace bench
