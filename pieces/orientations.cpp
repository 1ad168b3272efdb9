#include "pieces/orientations.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Builds one candidate into cells[k]: triangle 0 at `start` with sign `sign` (+1 apex-up, -1 apex-down),
// every further triangle across edge R, O or L of its parent. Mirrored candidates swap the R and L moves.
void buildCandidate(Piece& piece, int k, CellPos start, int sign, bool mirrored) {
    int signs[kMaxTriangles];
    piece.cells[k][0] = start;
    signs[0] = sign;
    for (int j = 0; j + 1 < piece.triangleCount; ++j) {
        const PieceLink& link = piece.links[j];
        const CellPos parent = piece.cells[k][link.parent];
        const int m = signs[link.parent];
        CellPos next = parent;
        switch (link.direction) {
            case 0:
                next.x += mirrored ? -m : m;
                break;
            case 1:
                next.y += m;
                break;
            default:
                next.x += mirrored ? m : -m;
                break;
        }
        piece.cells[k][j + 1] = next;
        signs[j + 1] = -m;
    }
}

}  // namespace

void NormalizeOrientation(Piece& piece, int k) {
    const int n = piece.triangleCount;
    int minX = piece.cells[k][0].x;
    int minY = piece.cells[k][0].y;
    for (int t = 1; t < n; ++t) {
        minX = std::min(minX, piece.cells[k][t].x);
        minY = std::min(minY, piece.cells[k][t].y);
    }
    // Shift by an even total so that no triangle changes its sign.
    const int dx = ((minX + minY) % 2 != 0) ? minX - 1 : minX;
    const int dy = minY;
    for (int t = 0; t < n; ++t) {
        piece.cells[k][t].x -= dx;
        piece.cells[k][t].y -= dy;
    }
    if (k == 0) {
        int even = 0;
        int odd = 0;
        for (int t = 0; t < n; ++t) ((piece.cells[k][t].x + piece.cells[k][t].y) % 2 == 0 ? even : odd)++;
        piece.parityImbalance = std::abs(even - odd);
    }
}

bool IsDuplicateOrientation(const Piece& piece, int k) {
    const int n = piece.triangleCount;
    for (int i = 0; i < k; ++i) {
        bool allFound = true;
        for (int t = 0; t < n && allFound; ++t) {
            allFound = std::find(piece.cells[k], piece.cells[k] + n, piece.cells[i][t]) != piece.cells[k] + n;
        }
        if (allFound) return true;
    }
    return false;
}

int GenerateOrientations(Piece& piece) {
    const struct {
        CellPos position;
        int sign;
    } starts[2] = {{{0, 0}, -1}, {{1, 0}, +1}};

    int k = 0;
    for (const auto& start : starts) {
        for (int turn = 0; turn < 3; ++turn) {
            for (bool mirrored : {false, true}) {
                buildCandidate(piece, k, start.position, start.sign, mirrored);
                NormalizeOrientation(piece, k);
                piece.participates[k] = 1;
                if (!IsDuplicateOrientation(piece, k)) ++k;
            }
            // Turning every direction by one step turns the piece 120 degrees; after three turns the
            // links are back as read.
            for (int j = 0; j + 1 < piece.triangleCount; ++j)
                piece.links[j].direction = static_cast<std::uint8_t>((piece.links[j].direction + 1) % 3);
        }
    }
    piece.orientationCount = k;
    return k;
}
