#include "tests/support/hand_pieces.h"

#include <cstdlib>
#include <stdexcept>

namespace testsupport {

Piece handPiece(const std::string& label, int copies, const std::vector<std::vector<CellPos>>& orientations) {
    if (orientations.empty() || orientations.size() > static_cast<std::size_t>(kMaxOrientations))
        throw std::invalid_argument("orientations");
    Piece piece;
    piece.label[0] = label.size() > 0 ? label[0] : '\0';
    piece.label[1] = label.size() > 1 ? label[1] : '\0';
    piece.copies = copies;
    piece.orientationCount = static_cast<int>(orientations.size());
    piece.triangleCount = static_cast<int>(orientations[0].size());
    int even = 0;
    for (const CellPos& c : orientations[0]) even += (c.x + c.y) % 2 == 0;
    piece.parityImbalance = std::abs(2 * even - piece.triangleCount);
    for (std::size_t k = 0; k < orientations.size(); ++k) {
        if (orientations[k].size() != static_cast<std::size_t>(piece.triangleCount))
            throw std::invalid_argument("orientation size");
        piece.participates[k] = 1;
        for (std::size_t t = 0; t < orientations[k].size(); ++t) piece.cells[k][t] = orientations[k][t];
    }
    return piece;
}

Piece dominoPiece(const std::string& label, int copies) {
    return handPiece(label, copies, {{{2, 0}, {1, 0}}, {{0, 0}, {1, 0}}, {{1, 1}, {1, 0}}});
}

Piece monoPiece(const std::string& label, int copies) {
    return handPiece(label, copies, {{{0, 0}}, {{1, 0}}});
}

void drawBoard(Board& board, const std::vector<std::string>& rows) {
    if (rows.empty() || rows[0].size() % 2 == 0) throw std::invalid_argument("board rows");
    board.m_nWidth = static_cast<int>(rows[0].size() + 1) / 2;
    board.m_nHeight = static_cast<int>(rows.size());
    board.m_cells.fill(kFirstBlockedCell);
    for (std::size_t y = 0; y < rows.size(); ++y) {
        if (rows[y].size() != rows[0].size()) throw std::invalid_argument("row length");
        for (std::size_t x = 0; x < rows[y].size(); ++x)
            board.cell(static_cast<int>(x), static_cast<int>(y)) =
                rows[y][x] == '.' ? kOpenCell : kFirstBlockedCell;
    }
}

void hexagonBoard(Board& board) {
    drawBoard(board, {"#...#", "#...#", "#####", "#####", "#####", "#####"});
}

void setPieces(PieceSet& set, const std::vector<Piece>& pieces) {
    set.m_nPieces = static_cast<int>(pieces.size());
    set.m_nPieceTriangles = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        set.m_pieces[i] = pieces[i];
        set.m_pieces[i].colorNumber = static_cast<int>(i);
        set.m_nPieceTriangles += pieces[i].copies * pieces[i].triangleCount;
    }
}

}  // namespace testsupport
