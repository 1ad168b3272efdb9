// Writes the bundled examples: piece files of the free polyiamond sets, enumerated here from the lattice
// rules, and Board documents of regions that these sets tile (or, in one case, cannot tile).
//
//   make-examples FOLDER
//
// The piece files list each free shape once, in the order of their least normal form, with the labels
// "<size><letter>" (4A, 4B, ...). The Board documents keep the region's cells open, block the rest of
// the active area in grey and name their piece file by its bare file name, which the program finds in
// the document's own folder.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "board/document_image.h"
#include "board/trianzoid_doc.h"
#include "examples/tools/polyiamonds.h"
#include "pieces/piece_file_reader.h"
#include "platform/headless_platform.h"

using polyiamonds::Cell;
using polyiamonds::Shape;

namespace {

struct PieceFilePlan {
    std::string name;
    std::vector<int> sizes;
    int copies = 1;
};

// A parallelogram of a triangles' width (2a cells a row) and b rows, its left side slanting down to the
// right: row y holds the columns y .. y + 2a - 1, each row starting with an apex-down triangle.
std::vector<Cell> parallelogram(int a, int b) {
    std::vector<Cell> region;
    for (int y = 0; y < b; ++y)
        for (int x = y; x < y + 2 * a; ++x) region.push_back({x, y});
    return region;
}

// A regular hexagon of side s: rows of 2s + 1, 2s + 3, ..., 4s - 1 triangles and back, the upper rows
// starting with an apex-up triangle, the lower ones with an apex-down one.
std::vector<Cell> hexagon(int s) {
    std::vector<Cell> region;
    int base = s | 1;  // odd, so that (base, 0) points up
    for (int y = 0; y < 2 * s; ++y) {
        int q = y < s ? y : 2 * s - 1 - y;
        for (int x = base - q; x <= base + 2 * s + q; ++x) region.push_back({x, y});
    }
    return region;
}

// An equiangular hexagon: a triangle of side n, apex up, with the corner triangles of sides top,
// bottomLeft and bottomRight cut off. Row y of the triangle holds the 2y + 1 columns c - y .. c + y.
std::vector<Cell> cutTriangle(int n, int top, int bottomLeft, int bottomRight) {
    const int c = 31;  // odd: the apex (c, 0) points up
    std::vector<Cell> region;
    for (int y = top; y < n; ++y) {
        int fromBottom = n - 1 - y;
        for (int i = 0; i <= 2 * y; ++i) {
            // Inside a bottom corner triangle of side k: 2 * (rows from the bottom) + (cells from the side) <
            // 2k - 1.
            if (2 * fromBottom + i < 2 * bottomLeft - 1 || 2 * fromBottom + (2 * y - i) < 2 * bottomRight - 1)
                continue;
            region.push_back({c - y + i, y});
        }
    }
    return region;
}

// Rows of the given odd lengths, all centred on one column whose top triangle points up or down; the
// region is symmetric in the vertical line through that column.
std::vector<Cell> centredRows(const std::vector<int>& lengths, bool topCentreUp) {
    int centre = 30 + (topCentreUp ? 1 : 0);
    std::vector<Cell> region;
    for (int y = 0; y < static_cast<int>(lengths.size()); ++y) {
        int half = (lengths[static_cast<std::size_t>(y)] - 1) / 2;
        for (int x = centre - half; x <= centre + half; ++x) region.push_back({x, y});
    }
    return region;
}

std::vector<std::string> pieceLines(const PieceFilePlan& plan) {
    std::vector<std::string> lines;
    for (int size : plan.sizes) {
        char letter = 'A';
        for (const Shape& shape : polyiamonds::freePolyiamonds(size)) {
            std::string label = std::to_string(size) + letter++;
            lines.push_back(polyiamonds::pieceLine(label, plan.copies, polyiamonds::toOrigin(shape)));
        }
    }
    return lines;
}

bool writePieceFile(const std::string& folder, const PieceFilePlan& plan) {
    std::ofstream out(folder + "/" + plan.name, std::ios::binary);
    for (const auto& line : pieceLines(plan)) out << line << '\n';
    if (!out) std::cerr << plan.name << ": niet te schrijven\n";
    return static_cast<bool>(out);
}

// The region moved to the top-left corner of the smallest Board that holds it (row length odd and at
// least 5, an even number of rows, at least 6), keeping every triangle's direction.
bool writeBoard(const std::string& folder, const std::string& name, const std::string& pieceFile,
                std::vector<Cell> region) {
    int minX = region[0].x, minY = region[0].y, maxX = minX, maxY = minY;
    for (Cell c : region) {
        minX = std::min(minX, c.x), maxX = std::max(maxX, c.x);
        minY = std::min(minY, c.y), maxY = std::max(maxY, c.y);
    }
    int dx = ((minX + minY) & 1) ? minX - 1 : minX;  // dx + dy even: directions are kept
    for (Cell& c : region) c = {c.x - dx, c.y - minY};
    int columns = maxX - dx + 1, rows = maxY - minY + 1;

    CTrianzoidDoc doc;
    doc.m_nWidth = std::max(3, (columns + 2) / 2);  // row length 2W - 1 >= columns
    doc.m_nHeight = std::max(6, rows + (rows & 1));
    for (int col = 0; col < doc.rowLength(); ++col)
        for (int row = 0; row < doc.m_nHeight; ++row) doc.cell(col, row) = kFirstBlockedCell;
    for (Cell c : region) doc.cell(c.x, c.y) = kOpenCell;

    // The piece fields as the reader leaves them, so that the document is complete as it stands.
    HeadlessPlatform platform;
    ReadPieceFile(doc, folder + "/" + pieceFile, platform);
    if (!platform.messages.empty() || doc.m_nPieces == 0) {
        std::cerr << name << ": " << pieceFile << " niet te lezen\n";
        return false;
    }
    doc.m_szPieceFile = pieceFile;

    auto image = documentImage(doc);
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Gebruik: make-examples MAP\n";
        return 2;
    }
    std::string folder = argv[1];
    bool ok = true;

    const PieceFilePlan pieceFiles[] = {
        {"tetriamonds.tzp", {4}}, {"tetriamonds-x2.tzp", {4}, 2}, {"pentiamonds.tzp", {5}},
        {"hexiamonds.tzp", {6}},  {"heptiamonds.tzp", {7}},       {"polyiamonds-1-5.tzp", {1, 2, 3, 4, 5}},
    };
    for (const auto& plan : pieceFiles) ok = writePieceFile(folder, plan) && ok;

    ok = writeBoard(folder, "hexiamonds-6x6.trz", "hexiamonds.tzp", parallelogram(6, 6)) && ok;
    ok = writeBoard(folder, "hexiamonds-4x9.trz", "hexiamonds.tzp", parallelogram(9, 4)) && ok;
    // Passes the checkerboard test, yet has no tiling: the search has to prove it.
    ok = writeBoard(folder, "hexiamonds-3x12.trz", "hexiamonds.tzp", parallelogram(12, 3)) && ok;
    // The hexagon with sides 8, 2, 2, 8, 2, 2: thousands of tilings and seconds of searching, for
    // measuring the search's speed.
    ok = writeBoard(folder, "hexiamonds-hexagon-long.trz", "hexiamonds.tzp", cutTriangle(12, 8, 2, 2)) && ok;
    // 82 cells for 72 triangles: every tiling of 72 of them counts, with ten cells left open each time;
    // about a hundred thousand solutions and seconds of searching on one thread, for measuring threads.
    ok = writeBoard(folder, "hexiamonds-spare-cells.trz", "hexiamonds.tzp", cutTriangle(12, 7, 3, 2)) && ok;
    // 87 cells: fifteen left open in each of more than two hundred thousand solutions; seconds of
    // searching on one thread even for the fast engine, for measuring how it gains from a second one.
    ok = writeBoard(folder, "hexiamonds-spare-cells-large.trz", "hexiamonds.tzp", cutTriangle(11, 4, 3, 3)) &&
         ok;
    ok = writeBoard(folder, "tetriamonds-x2-hexagon.trz", "tetriamonds-x2.tzp", hexagon(2)) && ok;
    // The hexagon with sides 3, 4, 3, 4, 3, 4 and a hole in its centre, the one triangle whose centroid
    // is the hexagon's: six symmetries (three turns, three mirrors), for measuring --unique.
    std::vector<Cell> ring = cutTriangle(10, 3, 3, 3);
    ring.erase(std::find(ring.begin(), ring.end(), Cell{31, 6}));
    ok = writeBoard(folder, "hexiamonds-hexagon-hole.trz", "hexiamonds.tzp", ring) && ok;
    // 12 triangles, as many pointing up as down, for pieces of which one has two more of one kind:
    // the checkerboard test says no.
    ok = writeBoard(folder, "tetriamonds-3x2-impossible.trz", "tetriamonds.tzp", parallelogram(3, 2)) && ok;
    ok =
        writeBoard(folder, "pentiamonds-house.trz", "pentiamonds.tzp", centredRows({1, 7, 7, 5}, true)) && ok;
    ok = writeBoard(folder, "polyiamonds-1-5-bell.trz", "polyiamonds-1-5.tzp",
                    centredRows({3, 3, 5, 7, 9, 11}, false)) &&
         ok;
    return ok ? 0 : 1;
}
