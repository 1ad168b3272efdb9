#include "tests/support/largest_piece_set.h"

#include <set>
#include <utility>

#include "pieces/orientations.h"

namespace testsupport {

std::string largestPieceFileText() {
    std::string text;
    int found = 0;
    // Every chain of eight edge letters, read as a number in base 3, in increasing order.
    for (int code = 0; found < kMaxPieces; ++code) {
        std::string links;
        Piece piece;
        piece.triangleCount = kMaxTriangles;
        int rest = code;
        for (int j = 0; j + 1 < kMaxTriangles; ++j, rest /= 3) {
            piece.links[j] = {static_cast<std::uint8_t>(j), static_cast<std::uint8_t>(rest % 3)};
            // Appended piece by piece: GCC 12 at -O3 misreads a chain of + on strings (-Wrestrict).
            links += ' ';
            links += std::to_string(j);
            links += "ROL"[rest % 3];
        }
        GenerateOrientations(piece);
        std::set<std::pair<int, int>> positions;
        for (int t = 0; t < kMaxTriangles; ++t) positions.insert({piece.cells[0][t].x, piece.cells[0][t].y});
        if (positions.size() != static_cast<std::size_t>(kMaxTriangles)) continue;
        text += static_cast<char>('A' + found / 10);
        text += static_cast<char>('0' + found % 10);
        text += "   1 9";
        text += links;
        text += '\n';
        ++found;
    }
    return text;
}

}  // namespace testsupport
