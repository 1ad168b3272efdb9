// A shard's part file as --merge reads it: sizes and counts that are out of all bounds, records in the
// wrong order, events that name Placements or pieces that do not exist, and solutions that cover a cell
// twice. The input is the file without its hash: the target appends the XXH3 hash of the input, so
// that the checks behind the hash are what is fuzzed (a changed byte with the old hash is refused at
// once). The seeds are parts of bundled examples made by trianzoid-solve --shard, hash cut off:
//   trianzoid-solve --shard 1/2 examples/tetriamonds-x2-hexagon.trz; head -c -8 trianzoid0706.deel1van2
// (one a packing, with `--packings --unique --pieces examples/pentiamonds.tzp`: cells left open).
#include <xxhash.h>

#include <algorithm>

#include "board/document_image.h"
#include "search/part_file.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// Larger Boards make tables that take too long for a fuzzing run; merge itself has no such limit.
constexpr int kMostCellsChecked = 200;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    const std::uint64_t hash = XXH3_64bits(data, size);
    for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<std::uint8_t>(hash >> (8 * i)));
    const std::string path = fuzzing::writeFile("trianzoid0706.deel1van2", bytes.data(), bytes.size());

    std::string error;
    const auto read = readPartFile(path, error);
    if (!read) {
        fuzzing::check(!error.empty(), "a refused part says why");
        return 0;
    }
    const PartProblem& problem = read->first;
    for (const PartData::Unit& unit : read->second.units)
        fuzzing::check(
            unitOfShard(static_cast<std::size_t>(unit.unit), problem.shardIndex, problem.shardCount),
            "every unit belongs to the part's shard");

    // What merge does next: the table of the part's own Board, and every solution on it.
    CTrianzoidDoc doc;
    if (!loadDocumentImage(doc, problem.image)) return 0;  // refused by the merge
    static_cast<PieceSet&>(doc) = problem.pieces;
    FreeCellIndex index;
    const int cells = numberFreeCells(index, doc);
    if (cells > kMostCellsChecked || problem.freeCells != cells) return 0;
    PlacementTable table;
    buildPlacementTable(table, index, doc, std::clamp(doc.rowLength(), 0, BOARD_COLUMNS),
                        std::clamp(static_cast<int>(doc.m_nHeight), 0, BOARD_ROWS));
    if (table.placementCount != problem.placements || tableFingerprint(table, cells) != problem.fingerprint)
        return 0;
    partSolutionsValid(read->second, table, doc, solutionRule(problem));
    return 0;
}
