#pragma once

#include <cstdint>
#include <istream>
#include <vector>

#include "board/board.h"

// A solution of the ".opb" file: a signed 32-bit count n, then n 16-byte placement records.
struct SolutionBlock {
    std::int64_t offset = 0;  // of the count, from the start of the file
    std::int32_t count = 0;
    friend bool operator==(const SolutionBlock&, const SolutionBlock&) = default;
};

// No solution holds more Placements than a Board has cells: each covers at least one open cell.
inline constexpr std::int32_t kMaxSolutionPlacements = BOARD_CELLS;

// Finds every complete block of a solution file by walking the counts from the start, reading nothing
// but the counts. Solutions of one search can differ in length (pieces with triangles to spare), so
// block k is found by walking, not at a fixed stride. The walk stops at the end of the file, at a
// block cut short, and at a count that no search writes (negative or above kMaxSolutionPlacements):
// what follows a damaged count cannot be located.
std::vector<SolutionBlock> indexSolutionBlocks(std::istream& file);
