#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "pieces/piece.h"

// The pieces of the document: the file they were read from, how many were read, and the 64 slots.
// Only slots 0 .. m_nPieces - 1 are valid.
struct PieceSet {
    std::string m_szPieceFile;  // empty: no piece file
    std::int32_t m_nPieces = 0;
    std::int32_t m_nPieceTriangles = 0;
    std::array<Piece, kMaxPieces> m_pieces{};
    // The line of the piece file each slot was read from (from 1); 0 for pieces made otherwise.
    std::array<std::int32_t, kMaxPieces> m_pieceLines{};
};

// The line a message names for slot `p`: where the reader found it, else its place in the set.
inline int pieceLine(const PieceSet& pieces, int p) {
    const std::int32_t line = pieces.m_pieceLines[static_cast<std::size_t>(p)];
    return line > 0 ? line : p + 1;
}

// The triangles of every copy a search places: the slots in use, counts below 1 placing nothing.
inline std::int64_t placedTriangles(const PieceSet& pieces) {
    std::int64_t triangles = 0;
    for (int p = 0; p < std::clamp(static_cast<int>(pieces.m_nPieces), 0, kMaxPieces); ++p) {
        const Piece& piece = pieces.m_pieces[static_cast<std::size_t>(p)];
        if (piece.copies > 0) triangles += std::int64_t{piece.copies} * piece.triangleCount;
    }
    return triangles;
}
