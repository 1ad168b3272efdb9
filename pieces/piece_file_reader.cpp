#include "pieces/piece_file_reader.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <memory>

#include "pieces/orientations.h"
#include "platform/platform.h"

namespace {

// A piece line holds at most this many characters, its line end included; longer lines are read
// in pieces of this length, each taken as a line of its own.
constexpr std::size_t kMaxLineLength = 98;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Reads the next line as a text-mode stream would give it: CR LF becomes LF, the LF stays in the line.
// Returns false at the end of the file when nothing was read.
bool readLine(std::FILE* file, std::string& line) {
    line.clear();
    while (line.size() < kMaxLineLength) {
        int c = std::fgetc(file);
        if (c == EOF) break;
        if (c == '\r') {
            int next = std::fgetc(file);
            if (next == '\n') {
                c = '\n';
            } else if (next != EOF) {
                std::ungetc(next, file);
            }
        }
        line += static_cast<char>(c);
        if (c == '\n') break;
    }
    return !line.empty();
}

// The number at the start of `text` as atoi reads it: white space, an optional sign, digits. Values
// beyond the range of int saturate instead of overflowing.
std::int32_t readCopies(const std::string& text, std::size_t from) {
    std::size_t i = from;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = std::min(value * 10 + (text[i] - '0'), limit);
    if (negative) value = -value;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

int directionOf(char letter) {
    switch (std::toupper(static_cast<unsigned char>(letter))) {
        case 'R':
            return 0;
        case 'O':
            return 1;
        case 'L':
            return 2;
        default:
            return -1;
    }
}

// Parses one piece line into `piece` (label, copies, triangle count, links). Returns false for an
// incorrect line. A line too short to hold column 8 or the columns of all its links is incorrect.
bool parsePieceLine(const std::string& line, Piece& piece) {
    if (line.size() < 8) return false;
    piece.label[0] = line[0];
    piece.label[1] = line[1];
    piece.copies = readCopies(line, 3);
    const int n = static_cast<unsigned char>(line[7]) - '0';
    if (n < 1 || n > kMaxTriangles) return false;
    piece.triangleCount = n;
    for (int j = 0; j + 1 < n; ++j) {
        const std::size_t parentColumn = 9 + 3 * static_cast<std::size_t>(j);
        if (line.size() < parentColumn + 2) return false;
        const auto parent = static_cast<std::uint8_t>(line[parentColumn] - '0');
        if (parent > j) return false;
        const int direction = directionOf(line[parentColumn + 1]);
        if (direction < 0) return false;
        piece.links[j] = {parent, static_cast<std::uint8_t>(direction)};
    }
    return true;
}

}  // namespace

void ReadPieceFile(PieceSet& pieces, const std::string& path, Platform& platform) {
    // A folder opens for reading on this system but holds no lines: it is no piece file at all.
    std::error_code error;
    FilePtr file(std::filesystem::is_directory(path, error) ? nullptr : std::fopen(path.c_str(), "rb"));
    if (!file) {
        platform.messageBox("Bestand " + path + " is er niet", "Oei", MessageButtons::Ok,
                            MessageIcon::Exclamation);
        return;
    }

    int count = 0;
    std::int64_t triangles = 0;
    Piece working;
    std::string line;
    // The line of the file as an editor numbers it: the pieces of an overlong line share its number.
    int lineNumber = 0;
    bool lineEnded = true;
    while (readLine(file.get(), line)) {
        if (lineEnded) ++lineNumber;
        lineEnded = line.back() == '\n';
        // The total counts every line read, copies as read, also the line that turns out incorrect.
        const bool parsed = parsePieceLine(line, working);
        if (line.size() >= 8)
            triangles += std::int64_t{working.copies} * (static_cast<unsigned char>(line[7]) - '0');
        if (!parsed || count == kMaxPieces) {
            std::string shown = line;
            if (platform.namesLineNumbers())
                shown.insert(lineEnded ? shown.size() - 1 : shown.size(),
                             " (regel " + std::to_string(lineNumber) + ")");
            platform.messageBox("Bestand " + path + " incorrect\nRegel: " + shown, "Oei", MessageButtons::Ok,
                                MessageIcon::None);
            count = 0;
            triangles = 0;
            break;
        }
        GenerateOrientations(working);
        working.colorNumber = count;
        pieces.m_pieces[static_cast<std::size_t>(count)] = working;
        pieces.m_pieceLines[static_cast<std::size_t>(count)] = lineNumber;
        ++count;
    }

    pieces.m_nPieces = count;
    pieces.m_szPieceFile = path;
    pieces.m_nPieceTriangles = static_cast<std::int32_t>(std::clamp<std::int64_t>(
        triangles, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}
