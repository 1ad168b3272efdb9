#include "search/placement_table.h"

#include <algorithm>

namespace {

// Whether every triangle of `cells` lands on an open cell when the orientation is laid at (x, y).
// The bounds are tested before the cell number table is looked at, so nothing outside the active area
// is ever read. Normalised orientations have no negative cy, but a hand-made record is not trusted.
bool fits(const FreeCellIndex& index, const CellPos* cells, int triangles, int x, int y, int rowLength,
          int height) {
    for (int t = 0; t < triangles; ++t) {
        const int X = x + cells[t].x;
        const int Y = y + cells[t].y;
        if (X < 0 || X >= rowLength || Y < 0 || Y >= height) return false;
        if (index.numberAt(X, Y) < 0) return false;
    }
    return true;
}

void writeMask(std::uint32_t* mask, const FreeCellIndex& index, const CellPos* cells, int triangles, int x,
               int y) {
    for (int t = 0; t < triangles; ++t) {
        const int n = index.numberAt(x + cells[t].x, y + cells[t].y);
        mask[n >> 5] |= 1u << (n & 31);
    }
}

}  // namespace

void buildPlacementTable(PlacementTable& table, const FreeCellIndex& index, const PieceSet& pieces,
                         int rowLength, int height) {
    rowLength = std::clamp(rowLength, 0, BOARD_COLUMNS);
    height = std::clamp(height, 0, BOARD_ROWS);
    const int pieceCount = std::clamp(static_cast<int>(pieces.m_nPieces), 0, kMaxPieces);

    table.wordsPerMask = wordsPerMaskFor(index.freeCellCount);
    table.placementCount = 0;
    table.masks.clear();
    table.records.clear();
    table.firstPlacement.fill(0);
    table.endPlacement.fill(0);

    // The nesting fixes the order of the table: piece slot, orientation slot, anchor row, anchor
    // column. The search tries candidates in this order, and the solution files follow from it.
    // The pass runs twice, first only counting, so that the masks get exactly the memory they need: on
    // the largest Board the table is over a hundred megabytes, and growing a vector by doubling would
    // briefly hold up to three times that.
    auto forEachPlacement = [&](auto&& visit) {
        for (int p = 0; p < pieceCount; ++p) {
            const Piece& piece = pieces.m_pieces[static_cast<std::size_t>(p)];
            const int orientations =
                std::clamp(static_cast<int>(piece.orientationCount), 0, kMaxOrientations);
            const int triangles = std::clamp(static_cast<int>(piece.triangleCount), 0, kMaxTriangles);
            visit.beginPiece(p);
            for (int k = 0; k < orientations; ++k) {
                if (piece.participates[k] == 0) continue;
                const CellPos* cells = piece.cells[k];
                for (int y = 0; y < height; ++y) {
                    // Anchors keep x + y even, so the shift never turns a triangle over: even rows start
                    // at column 0, odd rows at -1 (an orientation whose smallest x is 1 reaches column 0).
                    for (int x = -(y % 2); x < rowLength; x += 2)
                        if (fits(index, cells, triangles, x, y, rowLength, height))
                            visit.placement(cells, triangles, p, k, x, y);
                }
            }
            visit.endPiece(p);
        }
    };

    struct Counter {
        std::size_t count = 0;
        void beginPiece(int) {}
        void placement(const CellPos*, int, int, int, int, int) { ++count; }
        void endPiece(int) {}
    } counter;
    forEachPlacement(counter);

    table.masks.assign(counter.count * static_cast<std::size_t>(table.wordsPerMask), 0u);
    table.records.reserve(counter.count);
    struct Writer {
        PlacementTable& table;
        const FreeCellIndex& index;
        void beginPiece(int p) { table.firstPlacement[static_cast<std::size_t>(p)] = table.placementCount; }
        void placement(const CellPos* cells, int triangles, int p, int k, int x, int y) {
            std::uint32_t* mask = table.masks.data() + static_cast<std::size_t>(table.placementCount) *
                                                           static_cast<std::size_t>(table.wordsPerMask);
            writeMask(mask, index, cells, triangles, x, y);
            table.records.push_back({p, k, x, y});
            ++table.placementCount;
        }
        void endPiece(int p) { table.endPlacement[static_cast<std::size_t>(p)] = table.placementCount; }
    } writer{table, index};
    forEachPlacement(writer);
}
