#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "board/trianzoid_doc.h"
#include "search/placement_table.h"
#include "search/shard_search.h"
#include "solutions/solution_files.h"

// The part file of one shard: everything needed to write the files of the whole search once all parts
// are there (the document, the pieces as searched, the recording mode), a fingerprint of the placement
// table to be sure all parts searched the same problem, and the events of the shard's units.
//
// Layout, little-endian:
//   "TZDEEL03"; shard index, shard count, unit count, letter mode, search modes (SearchMode bits), open
//   cells, Placements (int32 each);
//   table fingerprint (uint64); the 2054-byte document image; the piece file name (int32 length, bytes);
//   m_nPieces, m_nPieceTriangles; 64 piece slots, field by field;
//   then records: int32 unit, int32 kind; kind 0: int32 n and n event values; kind 1: unit finished;
//   kind 3 (count-only parts, once per unit before kind 1, instead of its events): int64 solutions,
//   uint64 class distinct, uint64 class unique, int32 k, and k times uint64 multiplicity, finds, fixed;
//   kind 2 (last): int32 completed, int64 steps; then the XXH3 64-bit hash of every byte before it
//   (uint64), and nothing after that. The hash finds a part damaged on its way between machines; the
//   reader checks it before anything else, and bounds every size it reads before it allocates.
struct PartProblem {
    int shardIndex = 0;
    int shardCount = 0;
    int unitCount = 0;
    bool letters = false;
    int modes = 0;  // SearchMode bits: the table, the pieces and the events are those of these modes
    int freeCells = 0;
    int placements = 0;
    std::uint64_t fingerprint = 0;
    std::vector<std::uint8_t> image;
    PieceSet pieces;
};

std::uint64_t tableFingerprint(const PlacementTable& table, int freeCells);

// Writes a part file as the solution files are written: made aside its name, put in place when the
// shard's search starts, each record whole, and the first failed write reported at once.
class PartFileWriter {
  public:
    PartFileWriter();
    PartFileWriter(const PartFileWriter&) = delete;
    PartFileWriter& operator=(const PartFileWriter&) = delete;
    ~PartFileWriter();

    // Makes the file under a temporary name and writes its head; false when it cannot be made.
    bool create(const std::string& path, const PartProblem& problem);
    bool putInPlace() { return m_file.putInPlace(); }
    // False once a write has failed: the shard stops there.
    bool events(int unit, std::span<const std::int32_t> values);
    bool finished(int unit);
    // The counts of a unit of a count-only part.
    bool counts(int unit, const TilingSums& sums);
    // Writes the closing record and the hash and closes; false when any write failed or the file is
    // gone. A file never put in place is removed.
    bool close(bool completed, long long steps);
    // Why the file could not be made or written, in Dutch.
    std::string errorText() const { return m_file.errorText(); }

  private:
    void bytes(const void* data, std::size_t size);
    void int32(std::int32_t value);
    void uint64(std::uint64_t value);
    OutputFile m_file;
    struct Hash;
    std::unique_ptr<Hash> m_hash;
};

// When the search of a part records a solution, from the part's own pieces (their copies as the piece
// file gives them) and modes: once it has placed `totalCopies` Placements, or once at most `spareCells`
// of its `cells` open cells are left uncovered. That is 0 but in a packing search with cells to spare:
// there every piece is placed, and the cells left over stay open.
struct SolutionRule {
    int cells = 0;
    int totalCopies = 0;
    std::int64_t triangles = 0;  // of every copy the search places
    int spareCells = 0;
};
SolutionRule solutionRule(const PartProblem& problem);

// Whether every solution of the part is one its search can record (`rule`), places its pieces without
// covering a cell twice and uses no piece more often than it has copies (`pieces`, as the modes pooled
// them), on `table` (made from the part's own Board and pieces, so that every Placement lies on open
// cells). A part that claims to leave cells open where its modes do not, or more of them than are
// spare, is thus refused.
bool partSolutionsValid(const PartData& part, const PlacementTable& table, const PieceSet& pieces,
                        const SolutionRule& rule);

// Reads and checks a part file. On any fault: nothing, and `error` says what is wrong, in Dutch.
std::optional<std::pair<PartProblem, PartData>> readPartFile(const std::string& path, std::string& error);
