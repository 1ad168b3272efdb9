#include "solutions/opl_writer.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/little_endian.h"

namespace {

// What the log shows for a cell, by the value it holds: a covered cell the label of the first piece slot
// with that colour number (at most two characters), a value that no slot has (a colour number changed
// under the search) question marks, an open cell two spaces; each followed by a space. Looked up once
// per solution, for every value a cell can hold. Each text is packed into four bytes, its characters
// first and its length last, so that a cell is one store of four bytes (its last byte written over by
// the next cell).
using CellText = std::uint32_t;

CellText packCellText(const char* text, std::uint32_t size) {
    CellText packed = size << 24;
    for (std::uint32_t k = 0; k < size; ++k)
        packed |= static_cast<std::uint32_t>(static_cast<unsigned char>(text[k])) << (8 * k);
    return packed;
}

std::array<CellText, kOpenCell + 1> cellTexts(const CTrianzoidDoc& doc) {
    std::array<CellText, kOpenCell + 1> texts;
    texts.fill(packCellText("?? ", 3));
    texts[kOpenCell] = packCellText("   ", 3);
    std::array<bool, kOpenCell> found{};
    const int pieces = std::clamp(static_cast<int>(doc.m_nPieces), 0, kMaxPieces);
    for (int p = 0; p < pieces; ++p) {
        const Piece& piece = doc.m_pieces[static_cast<std::size_t>(p)];
        if (piece.colorNumber < 0 || piece.colorNumber >= kOpenCell) continue;
        const auto value = static_cast<std::size_t>(piece.colorNumber);
        if (found[value]) continue;
        found[value] = true;
        char text[3];
        std::uint32_t size = 0;
        for (char c : piece.label) {
            if (c == '\0' || size == 2) break;
            text[size++] = c;
        }
        text[size++] = ' ';
        texts[value] = packCellText(text, size);
    }
    return texts;
}

}  // namespace

bool OplWriter::begin(const SearchHeader& header) {
    m_file.writeText("Start zoeken (" + std::to_string(header.width) + "-" + std::to_string(header.height) +
                     ") op " + header.startTime + ".\r\n");
    if (!header.modes.empty()) m_file.writeText("Modus: " + header.modes + "\r\n");
    m_file.writeText("Trianzoidbestand " + header.pieceFile + ".\r\nAantal trianzoids " +
                     std::to_string(header.pieces) + ", driehoeken " + std::to_string(header.triangles) +
                     ", vakjes " + std::to_string(header.cells) + ".\r\n\r\n");
    return m_file.endRecord();
}

bool OplWriter::solution(const SolutionData& solution) {
    const auto texts = cellTexts(solution.board);
    // Written straight into the text: there are many thousands of solutions a second.
    std::string& block = m_block;
    block = "Oplossing ";
    block += std::to_string(solution.number);
    block += "\r\n\r\n";
    const auto rows = static_cast<std::size_t>(std::max(solution.height, 0));
    const auto columns = static_cast<std::size_t>(std::max(solution.rowLength, 0));
    std::size_t at = block.size();
    // (A byte more than the text needs: a cell's store writes four bytes.)
    block.resize(at + rows * (3 * columns + 2) + 3);
    char* text = block.data();
    for (std::size_t row = 0; row < rows; ++row) {
        for (std::size_t col = 0; col < columns; ++col) {
            const std::uint8_t value = solution.board.cell(static_cast<int>(col), static_cast<int>(row));
            const CellText cell = texts[std::min(value, kOpenCell)];
            storeInt32LE(text + at, static_cast<std::int32_t>(cell));
            at += cell >> 24;
        }
        text[at++] = '\r';
        text[at++] = '\n';
    }
    text[at++] = '\r';
    text[at++] = '\n';
    block.resize(at);
    m_file.writeText(block);
    return m_file.endRecord();
}

bool OplWriter::end(const std::string& summary) {
    m_file.writeText("\r\n\r\n" + summary);
    return m_file.endRecord();
}

bool LetterLogWriter::solution(const SolutionData& solution) {
    std::uint64_t used = 0;
    std::string letters;
    for (const PlacementRecord& r : solution.records) {
        used |= std::uint64_t{1} << r.piece;
        letters += static_cast<char>(65 + r.piece);
    }
    m_file.writeText(std::to_string(static_cast<std::int64_t>(used)) + " " + letters + "\r\n");
    return m_file.endRecord();
}
