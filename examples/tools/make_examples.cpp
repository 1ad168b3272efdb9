// Writes the bundled examples: piece files of the standard free polyiamond sets and Board documents of
// regions that these sets tile (or, in one case, cannot tile), all through the program's own code.
//
//   make-examples FOLDER
//
// The piece files are the standard sets (trianzoid-solve --standard-pieces). The Board documents are
// the shapes of trianzoid-solve --make-board and two of rows centred on one column; they keep the
// region's cells open, block the rest of the active area in grey and name their piece file by its bare
// file name, which the program finds in the document's own folder.

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "board/board_shape.h"
#include "board/document_image.h"
#include "board/shape_on_board.h"
#include "board/trianzoid_doc.h"
#include "pieces/piece_file_reader.h"
#include "pieces/standard_piece_sets.h"
#include "platform/headless_platform.h"

namespace {

struct PieceFilePlan {
    std::string name;
    std::vector<int> sizes;
    int copies = 1;
};

// Rows of the given odd lengths, all centred on one column whose top triangle points up or down; the
// region is symmetric in the vertical line through that column.
Region centredRows(const std::vector<int>& lengths, bool topCentreUp) {
    int centre = 30 + (topCentreUp ? 1 : 0);
    Region region;
    for (int y = 0; y < static_cast<int>(lengths.size()); ++y) {
        int half = (lengths[static_cast<std::size_t>(y)] - 1) / 2;
        for (int x = centre - half; x <= centre + half; ++x) region.push_back({x, y});
    }
    return region;
}

bool writePieceFile(const std::string& folder, const PieceFilePlan& plan) {
    std::ofstream out(folder + "/" + plan.name, std::ios::binary);
    for (const auto& line : polyiamonds::standardSetLines(plan.sizes, plan.copies)) out << line << '\n';
    if (!out) std::cerr << plan.name << ": niet te schrijven\n";
    return static_cast<bool>(out);
}

bool writeBoard(const std::string& folder, const std::string& name, const std::string& pieceFile,
                const ShapeLayout& layout) {
    if (!layout.error.empty()) {
        std::cerr << name << ": " << layout.error << '\n';
        return false;
    }
    CTrianzoidDoc doc;
    makeShapeBoard(doc, layout);
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

bool writeBoard(const std::string& folder, const std::string& name, const std::string& pieceFile,
                const std::string& shape) {
    ParsedBoardShape parsed = parseBoardShape(shape);
    if (!parsed.error.empty()) {
        std::cerr << name << ": " << parsed.error << '\n';
        return false;
    }
    return writeBoard(folder, name, pieceFile, layOutShape(parsed.shape));
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

    ok = writeBoard(folder, "hexiamonds-6x6.trz", "hexiamonds.tzp", "parallelogram 6x6") && ok;
    ok = writeBoard(folder, "hexiamonds-4x9.trz", "hexiamonds.tzp", "parallelogram 9x4") && ok;
    // Passes the checkerboard test, yet has no tiling: the search has to prove it.
    ok = writeBoard(folder, "hexiamonds-3x12.trz", "hexiamonds.tzp", "parallelogram 12x3") && ok;
    // Thousands of tilings and seconds of searching, for measuring the search's speed.
    ok = writeBoard(folder, "hexiamonds-hexagon-long.trz", "hexiamonds.tzp", "hexagon 8,2,2,8,2,2") && ok;
    // 82 cells for 72 triangles: every tiling of 72 of them counts, with ten cells left open each time;
    // about a hundred thousand solutions and seconds of searching on one thread, for measuring threads.
    ok = writeBoard(folder, "hexiamonds-spare-cells.trz", "hexiamonds.tzp", "hexagon 7,3,2,7,3,2") && ok;
    // 87 cells: fifteen left open in each of more than two hundred thousand solutions; seconds of
    // searching on one thread even for the fast engine, for measuring how it gains from a second one.
    ok =
        writeBoard(folder, "hexiamonds-spare-cells-large.trz", "hexiamonds.tzp", "hexagon 4,4,3,5,3,4") && ok;
    ok = writeBoard(folder, "tetriamonds-x2-hexagon.trz", "tetriamonds-x2.tzp", "hexagon 2,2,2,2,2,2") && ok;
    // A hole in the centre, the one triangle whose centroid is the hexagon's: six symmetries (three
    // turns, three mirrors), for measuring --unique.
    ok =
        writeBoard(folder, "hexiamonds-hexagon-hole.trz", "hexiamonds.tzp", "hexagon 3,4,3,4,3,4 hole") && ok;
    // 12 triangles, as many pointing up as down, for pieces of which one has two more of one kind:
    // the checkerboard test says no.
    ok = writeBoard(folder, "tetriamonds-3x2-impossible.trz", "tetriamonds.tzp", "parallelogram 3x2") && ok;
    ok = writeBoard(folder, "pentiamonds-house.trz", "pentiamonds.tzp",
                    layOutRegion(centredRows({1, 7, 7, 5}, true))) &&
         ok;
    ok = writeBoard(folder, "polyiamonds-1-5-bell.trz", "polyiamonds-1-5.tzp",
                    layOutRegion(centredRows({3, 3, 5, 7, 9, 11}, false))) &&
         ok;
    return ok ? 0 : 1;
}
