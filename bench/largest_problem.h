#pragma once

#include <algorithm>

#include "board/trianzoid_doc.h"
#include "pieces/orientations.h"

namespace bench {

// The largest problem a document can hold: row length 59, 30 rows, every cell open, and 64 pieces of
// nine triangles, each with twelve distinct orientations that all take part, one copy each.
inline void makeLargestProblem(CTrianzoidDoc& doc) {
    doc.m_nWidth = 30;
    doc.m_nHeight = 30;
    doc.m_cells.fill(kOpenCell);
    // The most compact nine-triangle shape without any symmetry (twelve orientations) among a fixed
    // series of pseudo-random link lists: a compact shape fits at the most anchors.
    Piece piece;
    int bestArea = 1 << 30;
    unsigned seed = 12345;
    auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    for (int attempt = 0; attempt < 3000; ++attempt) {
        Piece candidate;
        candidate.triangleCount = 9;
        for (int t = 0; t < 8; ++t)
            candidate.links[t] = {static_cast<std::uint8_t>(next(static_cast<unsigned>(t) + 1)),
                                  static_cast<std::uint8_t>(next(3))};
        if (GenerateOrientations(candidate) != 12) continue;
        int width = 0, height = 0;
        bool distinct = true;
        for (int t = 0; t < 9; ++t) {
            width = std::max(width, candidate.cells[0][t].x + 1);
            height = std::max(height, candidate.cells[0][t].y + 1);
            for (int u = 0; u < t; ++u)
                distinct = distinct && !(candidate.cells[0][t] == candidate.cells[0][u]);
        }
        if (distinct && width * height < bestArea) {
            bestArea = width * height;
            piece = candidate;
        }
    }
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
