#include "solutions/opl_writer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace {

// The log shows a covered cell by the label of the first piece slot with that colour number. A value
// that no slot has (a colour number changed under the search) shows as question marks. The labels are
// looked up once per solution, for every value a cell can hold.
std::array<std::string, kOpenCell> gridEntries(const CTrianzoidDoc& doc) {
    std::array<std::string, kOpenCell> entries;
    entries.fill("??");
    std::array<bool, kOpenCell> found{};
    const int pieces = std::clamp(static_cast<int>(doc.m_nPieces), 0, kMaxPieces);
    for (int p = 0; p < pieces; ++p) {
        const Piece& piece = doc.m_pieces[static_cast<std::size_t>(p)];
        if (piece.colorNumber < 0 || piece.colorNumber >= kOpenCell) continue;
        const auto value = static_cast<std::size_t>(piece.colorNumber);
        if (found[value]) continue;
        found[value] = true;
        entries[value] = labelText(piece);
    }
    return entries;
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
    const auto entries = gridEntries(solution.board);
    // Written straight into the text: a cell is at most two characters and a space, and there are many
    // thousands of solutions a second.
    std::string block = "Oplossing " + std::to_string(solution.number) + "\r\n\r\n";
    const auto rows = static_cast<std::size_t>(std::max(solution.height, 0));
    const auto columns = static_cast<std::size_t>(std::max(solution.rowLength, 0));
    std::size_t at = block.size();
    block.resize(at + rows * (3 * columns + 2) + 2);
    char* text = block.data();
    for (std::size_t row = 0; row < rows; ++row) {
        for (std::size_t col = 0; col < columns; ++col) {
            const std::uint8_t value = solution.board.cell(static_cast<int>(col), static_cast<int>(row));
            const std::string_view entry =
                value >= kOpenCell ? std::string_view("  ") : std::string_view(entries[value]);
            for (std::size_t k = 0; k < entry.size() && k < 2; ++k) text[at++] = entry[k];
            text[at++] = ' ';
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
