// A ".tzp" piece file from anyone: read, its orientations checked, fitted on a fixed Board into the
// placement table, and searched there for a moment.
//
// Input: the bytes of the piece file.
#include <bit>
#include <cstdlib>

#include "pieces/orientations.h"
#include "pieces/piece_file_reader.h"
#include "search/placement_table.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

void checkOrientations(const Piece& piece) {
    const int n = piece.triangleCount;
    fuzzing::check(n >= 1 && n <= kMaxTriangles, "1 .. 9 triangles");
    fuzzing::check(piece.orientationCount >= 1 && piece.orientationCount <= kMaxOrientations,
                   "1 .. 12 orientations");
    for (int k = 0; k < piece.orientationCount; ++k) {
        fuzzing::check(piece.participates[k] == 1, "every orientation takes part after reading");
        fuzzing::check(!IsDuplicateOrientation(piece, k), "orientations are distinct");
        int minX = 1 << 30;
        int minY = 1 << 30;
        int even = 0;
        for (int t = 0; t < n; ++t) {
            const CellPos c = piece.cells[k][t];
            minX = std::min(minX, c.x);
            minY = std::min(minY, c.y);
            // Each link moves one column or one row; normalising may add one column.
            fuzzing::check(c.x <= kMaxTriangles && c.y < kMaxTriangles, "a piece spans at most 9 triangles");
            even += (c.x + c.y) % 2 == 0;
        }
        // Normalised: the top row is 0 and the leftmost column 0, or 1 when column 0 would turn a
        // triangle over.
        fuzzing::check(minY == 0 && (minX == 0 || minX == 1), "orientations are normalised");
        fuzzing::check(std::abs(2 * even - n) == piece.parityImbalance,
                       "every orientation has the same imbalance");
    }
}

void checkTable(const PlacementTable& table, const FreeCellIndex& index, const PieceSet& pieces) {
    fuzzing::check(table.records.size() == static_cast<std::size_t>(table.placementCount),
                   "one record per row");
    fuzzing::check(table.masks.size() == table.records.size() * static_cast<std::size_t>(table.wordsPerMask),
                   "one mask per row");
    for (int p = 0; p < pieces.m_nPieces; ++p) {
        const auto slot = static_cast<std::size_t>(p);
        const Piece& piece = pieces.m_pieces[slot];
        for (int j = table.firstPlacement[slot]; j < table.endPlacement[slot]; ++j) {
            const PlacementRecord& r = table.records[static_cast<std::size_t>(j)];
            fuzzing::check(r.piece == p && r.orientation >= 0 && r.orientation < piece.orientationCount,
                           "records name their own piece and one of its orientations");
            int bits = 0;
            for (int w = 0; w < table.wordsPerMask; ++w) bits += std::popcount(table.mask(j)[w]);
            // Links may lay two triangles on one position: then the mask has fewer bits.
            fuzzing::check(bits >= 1 && bits <= piece.triangleCount, "a row covers 1 .. n cells");
            for (int t = 0; t < piece.triangleCount; ++t) {
                const int x = r.anchorX + piece.cells[r.orientation][t].x;
                const int y = r.anchorY + piece.cells[r.orientation][t].y;
                fuzzing::check(x >= 0 && x < 15 && y >= 0 && y < 8 && index.numberAt(x, y) >= 0,
                               "placements lie on open cells");
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Workspace& w = fuzzing::workspace();
    const std::string path = fuzzing::writeFile("fuzz.tzp", data, size);

    CTrianzoidDoc doc;
    fuzzing::fixedBoard(doc);
    HeadlessPlatform platform;
    ReadPieceFile(doc, path, platform);
    fuzzing::check(platform.messages.size() <= 1, "at most one message");
    fuzzing::check(doc.m_nPieces >= 0 && doc.m_nPieces <= kMaxPieces, "0 .. 64 pieces");
    fuzzing::check(doc.m_szPieceFile == path, "the path is stored");
    if (!platform.messages.empty())
        fuzzing::check(doc.m_nPieces == 0 && doc.m_nPieceTriangles == 0,
                       "an incorrect file leaves no pieces");
    for (int p = 0; p < doc.m_nPieces; ++p) {
        checkOrientations(doc.m_pieces[static_cast<std::size_t>(p)]);
        fuzzing::check(doc.m_pieces[static_cast<std::size_t>(p)].colorNumber == p,
                       "colour number is the slot");
    }

    FreeCellIndex index;
    numberFreeCells(index, doc);
    PlacementTable table;
    buildPlacementTable(table, index, doc, doc.rowLength(), doc.m_nHeight);
    checkTable(table, index, doc);

    fuzzing::StillClock clock;
    CTrianzoidView view(doc, platform, clock);
    view.m_strOutputDir = w.folder;
    view.m_nReadiness = view.UpdateReadiness();
    const PieceSet before = doc;
    platform.defaultAnswer = MessageAnswer::Yes;
    fuzzing::interruptAfter(platform, view, 2);
    view.runSearch(false);
    fuzzing::checkAfterSearch(view, doc, before);
    return 0;
}
