#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "board/trianzoid_doc.h"
#include "search/placement_table.h"
#include "search/shard_search.h"

// The part file of one shard: everything needed to write the files of the whole search once all parts
// are there (the document, the pieces as searched, the recording mode), a fingerprint of the placement
// table to be sure all parts searched the same problem, and the events of the shard's units.
//
// Layout, little-endian:
//   "TZDEEL01"; shard index, shard count, unit count, letter mode, open cells, Placements (int32 each);
//   table fingerprint (uint64); the 2054-byte document image; the piece file name (int32 length, bytes);
//   m_nPieces, m_nPieceTriangles; 64 piece slots, field by field;
//   then records: int32 unit, int32 kind; kind 0: int32 n and n event values; kind 1: unit finished;
//   kind 2 (last): int32 completed, int64 steps, and nothing after it.
struct PartProblem {
    int shardIndex = 0;
    int shardCount = 0;
    int unitCount = 0;
    bool letters = false;
    int freeCells = 0;
    int placements = 0;
    std::uint64_t fingerprint = 0;
    std::vector<std::uint8_t> image;
    PieceSet pieces;
};

std::uint64_t tableFingerprint(const PlacementTable& table, int freeCells);

class PartFileWriter {
  public:
    PartFileWriter() = default;
    PartFileWriter(const PartFileWriter&) = delete;
    PartFileWriter& operator=(const PartFileWriter&) = delete;
    ~PartFileWriter();

    bool create(const std::string& path, const PartProblem& problem);
    void events(int unit, std::span<const std::int32_t> values);
    void finished(int unit);
    // Writes the closing record and closes; false when any write failed.
    bool close(bool completed, long long steps);

  private:
    void int32(std::int32_t value);
    std::FILE* m_file = nullptr;
    bool m_failed = false;
};

// Reads and checks a part file. On any fault: nothing, and `error` says what is wrong, in Dutch.
std::optional<std::pair<PartProblem, PartData>> readPartFile(const std::string& path, std::string& error);
