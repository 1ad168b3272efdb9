#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
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

// Finds solution k of a solution file without reading the solutions before it where it can.
//
// When every solution of the search has the same number n of placements, block k starts at
// k × (4 + 16n) and nothing is read to find it. Otherwise (pieces with triangles to spare, so that
// solutions differ in length) the blocks must be walked from the start, reading their counts. The walk
// goes only as far as the block asked for and keeps, for every 64th block, where it starts; a later
// request walks on from the nearest of these. What was walked is kept while the file is unchanged
// (same file, size and modification time) and forgotten when it changes.
//
// The walk stops at the end of the file, at a block cut short and at a count that no search writes
// (negative or above kMaxSolutionPlacements): what follows a damaged count cannot be located. A block
// cut short is no solution, at a computed offset too.
class SolutionFileIndex {
  public:
    // What identifies the file's content; nothing when the file cannot be examined.
    struct Stamp {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t modifiedNs = 0;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };
    static std::optional<Stamp> stampOf(const std::string& path);

    // Block k of `file`, whose stamp is `stamp`. `placements` is the number of placements of every
    // block when all have the same, or -1 when they may differ. Nothing when there is no block k.
    std::optional<SolutionBlock> find(std::istream& file, const Stamp& stamp, std::int64_t k,
                                      std::int32_t placements);

    // The number of reads this index has made from files, for tests and benchmarks.
    std::int64_t reads() const { return m_reads; }

  private:
    static constexpr std::int64_t kCheckpointEvery = 64;
    static constexpr std::int64_t kChunkBytes = 64 * 1024;

    void startOver(const Stamp& stamp);
    // The count at `offset`, read through a buffer so that a walk reads the file in large pieces.
    std::optional<std::int32_t> countAt(std::istream& file, std::int64_t offset);

    std::optional<Stamp> m_stamp;
    std::vector<std::int64_t> m_checkpoints;  // offset of block i × kCheckpointEvery
    std::int64_t m_located = 0;               // blocks 0 .. m_located - 1 have been walked
    std::int64_t m_nextOffset = 0;            // where block m_located would start
    bool m_walkEnded = false;                 // no block after m_located - 1 can be located
    std::vector<char> m_buffer;
    std::int64_t m_bufferOffset = 0;
    std::int64_t m_reads = 0;
};
