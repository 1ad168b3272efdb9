#pragma once

#include <compare>
#include <cstdint>
#include <string>

inline constexpr int kMaxPieces = 64;
inline constexpr int kMaxTriangles = 9;
inline constexpr int kMaxOrientations = 12;

// A triangle position on the lattice: x + y odd is apex-up, x + y even apex-down; rows grow downward.
struct CellPos {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const CellPos&, const CellPos&) = default;
    friend auto operator<=>(const CellPos&, const CellPos&) = default;  // by x, then y
};

// The link of one triangle to an earlier one: parent index and direction 0 = R, 1 = O, 2 = L.
struct PieceLink {
    std::uint8_t parent = 0;
    std::uint8_t direction = 0;
};

// One piece slot: a line of the piece file with all its distinct orientations.
struct Piece {
    char label[2] = {' ', ' '};         // not terminated
    std::int32_t colorNumber = 0;       // palette index 0 .. 63
    std::int32_t copies = 0;            // copies to place; the search's counter of copies left
    std::int32_t orientationCount = 0;  // 1 .. 12
    std::int32_t triangleCount = 0;     // 1 .. 9
    std::int32_t parityImbalance = 0;
    std::int32_t participates[kMaxOrientations] = {};
    PieceLink links[kMaxTriangles] = {};
    CellPos cells[kMaxOrientations][kMaxTriangles + 1] = {};
};

// The label as text: at most two characters, ending early at a NUL.
std::string labelText(const Piece& piece);
// Whether two of the piece's triangles lie on the same place (its links lead back onto an earlier
// triangle): such a piece covers fewer cells than it counts, and no search may place it.
bool trianglesOverlap(const Piece& piece);
