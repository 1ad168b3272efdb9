#pragma once

#include <cstdint>
#include <vector>

// The most copies of a piece the pieces dialog accepts. A piece file may give any count; an interrupted
// search stops repeating a level's scan once a piece has more copies than this (see the engines).
inline constexpr int kMaxEditableCopies = 63;

// Above any count of a cell's candidates (at most 64 pieces x 12 orientations x 9 triangles): the best
// count before the first cell is counted.
inline constexpr int kNoCount = 65535;

// The working state of a search, shared by the driver, the search and the solution recording.
struct SearchState {
    std::vector<std::uint32_t> coveredMask;      // open cells covered by the Placements on the stack
    std::vector<std::int32_t> chosenPlacement;   // Placement placed at each depth; grows as needed
    std::vector<std::uint16_t> candidateCounts;  // per open cell
    int bestCell = 0;
    int pieceCount = 0;
    int totalCopies = 0;
    int currentDepth = 0;
    int shownDepth = 0;
    int stepCounter = 0;
    std::int64_t solutionCount = 0;  // a count-only search may find billions
    bool waitForKey = false;
    int skipToNextFirst = 0;
    int showSteps = 0;
    bool eachTilingOnce = false;  // scan a piece's Placements once, not once per copy left
    long long steps = 0;          // search steps taken, for progress and benchmarks
    // Packings: how many open cells may stay uncovered. 0 is the ordinary search, where a cell that
    // nothing can cover ends the path; above 0 such a cell is left open, and every cell may be.
    int spareCells = 0;
};
