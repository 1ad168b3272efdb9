#pragma once

// The bundled examples read straight from their bytes and lines, without the program's readers, for
// the independent tiling counts.

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "pieces/piece_lines.h"
#include "pieces/standard_piece_sets.h"
#include "tests/cli/tiling_counter.h"
#include "tests/support/test_support.h"

namespace examplefiles {

inline std::int32_t int32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | bytes.at(offset + static_cast<std::size_t>(i));
    return static_cast<std::int32_t>(v);
}

// The open cells (value 64) of a ".trz" file's active area: row length 2W - 1 (W at offset 0), H rows
// (offset 4), cell (col, row) at offset 12 + col * 30 + row.
inline std::vector<polyiamonds::Cell> openCells(const std::string& trzPath) {
    auto bytes = testsupport::readBytes(trzPath);
    int width = int32At(bytes, 0), height = int32At(bytes, 4);
    std::vector<polyiamonds::Cell> cells;
    for (int col = 0; col < 2 * width - 1; ++col)
        for (int row = 0; row < height; ++row)
            if (bytes.at(12 + static_cast<std::size_t>(col * 30 + row)) == 64) cells.push_back({col, row});
    return cells;
}

// The piece file name stored at offset 1786, NUL-terminated.
inline std::string storedPieceFile(const std::string& trzPath) {
    auto bytes = testsupport::readBytes(trzPath);
    std::string name;
    for (std::size_t i = 1786; i < 1786 + 260 && bytes.at(i) != 0; ++i) name += static_cast<char>(bytes[i]);
    return name;
}

struct PieceLine {
    std::string label;
    int copies = 0;
    polyiamonds::Shape shape;
};

inline std::vector<PieceLine> pieceLines(const std::string& tzpPath) {
    std::ifstream in(tzpPath, std::ios::binary);
    std::vector<PieceLine> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        PieceLine piece;
        piece.label = line.substr(0, 2);
        piece.shape = polyiamonds::shapeOfLine(line, &piece.copies);
        lines.push_back(piece);
    }
    return lines;
}

inline std::vector<tilings::PieceKind> pieceKinds(const std::string& tzpPath) {
    std::vector<tilings::PieceKind> kinds;
    for (const auto& line : pieceLines(tzpPath))
        kinds.push_back({polyiamonds::images(line.shape), line.copies});
    return kinds;
}

// What the solver counts for an exact tiling that uses every copy: each order of the k copies of a
// piece is a solution of its own, k! of them.
inline std::int64_t ordersOfCopies(const std::vector<tilings::PieceKind>& kinds) {
    std::int64_t orders = 1;
    for (const auto& kind : kinds)
        for (int k = 2; k <= kind.copies; ++k) orders *= k;
    return orders;
}

}  // namespace examplefiles
