#pragma once

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
};
