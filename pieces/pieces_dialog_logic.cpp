#include "pieces/pieces_dialog_logic.h"

#include <algorithm>
#include <cstdio>

PiecesDialogLogic::PiecesDialogLogic(PieceSet& pieces, bool readOnly)
    : m_pieces(pieces), m_bReadOnly(readOnly) {}

int PiecesDialogLogic::pieceCount() const {
    return std::clamp(static_cast<int>(m_pieces.m_nPieces), 0, kMaxPieces);
}

const Piece& PiecesDialogLogic::shown() const {
    return m_pieces.m_pieces[static_cast<std::size_t>(std::clamp(m_nPiece, 0, kMaxPieces - 1))];
}

Piece& PiecesDialogLogic::shown() {
    return m_pieces.m_pieces[static_cast<std::size_t>(std::clamp(m_nPiece, 0, kMaxPieces - 1))];
}

int PiecesDialogLogic::orientationCount() const {
    return std::clamp(shown().orientationCount, 1, kMaxOrientations);
}

std::string PiecesDialogLogic::statusText() const {
    if (!hasPieces()) return "Geen geldige trianzoids in dit bestand";
    const Piece& piece = shown();
    int excluded = 0;
    for (int k = 0; k < orientationCount(); ++k)
        if (piece.participates[k] == 0) ++excluded;
    char text[128];
    std::snprintf(text, sizeof text, "%s %d/%d rotatie %d/%d, uitgesloten %d", labelText(piece).c_str(),
                  m_nPiece + 1, pieceCount(), m_nOrientation + 1, orientationCount(), excluded);
    return text;
}

PieceFields PiecesDialogLogic::fields() const {
    if (!hasPieces()) return {};
    const Piece& piece = shown();
    return {1 - piece.participates[std::clamp(m_nOrientation, 0, kMaxOrientations - 1)], piece.colorNumber,
            piece.copies};
}

bool PiecesDialogLogic::store(const PieceFields& fields) {
    if (fields.colorNumber < kMinField || fields.colorNumber > kMaxField || fields.copies < kMinField ||
        fields.copies > kMaxField)
        return false;
    if (m_bReadOnly || !hasPieces()) return true;
    Piece& piece = shown();
    // With no radio chosen (-1) the orientation keeps taking part; a flag is only ever 0 or 1.
    piece.participates[std::clamp(m_nOrientation, 0, kMaxOrientations - 1)] = fields.excluded == 1 ? 0 : 1;
    piece.colorNumber = fields.colorNumber;
    piece.copies = fields.copies;
    return true;
}

bool PiecesDialogLogic::nextPiece() {
    if (m_nPiece >= pieceCount() - 1) return false;
    ++m_nPiece;
    m_nOrientation = 0;
    return true;
}

bool PiecesDialogLogic::previousPiece() {
    if (m_nPiece <= 0 || !hasPieces()) return false;
    --m_nPiece;
    m_nOrientation = 0;
    return true;
}

bool PiecesDialogLogic::nextOrientation() {
    if (!hasPieces() || m_nOrientation >= orientationCount() - 1) return false;
    ++m_nOrientation;
    return true;
}

bool PiecesDialogLogic::previousOrientation() {
    if (!hasPieces() || m_nOrientation <= 0) return false;
    --m_nOrientation;
    return true;
}

void PiecesDialogLogic::resetToStart() {
    if (m_bReadOnly) return;
    for (int p = 0; p < pieceCount(); ++p) {
        Piece& piece = m_pieces.m_pieces[static_cast<std::size_t>(p)];
        piece.colorNumber = p;
        piece.copies = 1;
        const int count = std::clamp(piece.orientationCount, 0, kMaxOrientations);
        for (int k = 0; k < count; ++k) piece.participates[k] = 1;
    }
}

std::span<const CellPos> PiecesDialogLogic::shownCells() const {
    if (!hasPieces()) return {};
    const Piece& piece = shown();
    const auto& cells =
        piece.cells[static_cast<std::size_t>(std::clamp(m_nOrientation, 0, kMaxOrientations - 1))];
    return std::span<const CellPos>(cells).first(
        static_cast<std::size_t>(std::clamp(piece.triangleCount, 0, kMaxTriangles)));
}

int PiecesDialogLogic::shownColour() const {
    return hasPieces() ? drawingColour(shown().colorNumber) : kEmptyColour;
}

PiecesDrawingGeometry PiecesDialogLogic::geometryFor(int clientWidth, int clientHeight) {
    PiecesDrawingGeometry g;
    // Nine columns of cells take five sides of width, ten rows ten triangle heights (h = 0.866 S).
    const int byWidth = (clientWidth - 20) / 5;
    const int byHeight = static_cast<int>((clientHeight - 70) * 1.1547344110854503 * 0.1);
    int side = std::min(byWidth, byHeight);
    if (side % 2 != 0) side -= 1;
    g.m_nCellSide = side;
    g.m_nCellHalf = side / 2;
    g.m_nCellHeight = static_cast<int>(side * 0.866);
    return g;
}

std::array<Point, 3> PiecesDialogLogic::triangle(const PiecesDrawingGeometry& g, int x, int y) {
    const int s = g.m_nCellSide;
    const int x0 = g.m_nDrawMargin + (x * s) / 2;
    const int y0 = g.m_nDrawMargin + y * g.m_nCellHeight;
    if ((x + y) % 2 != 0)
        return {Point{x0 + g.m_nCellHalf, y0}, Point{x0, y0 + g.m_nCellHeight},
                Point{x0 + s, y0 + g.m_nCellHeight}};
    return {Point{x0, y0}, Point{x0 + s, y0}, Point{x0 + g.m_nCellHalf, y0 + g.m_nCellHeight}};
}

int PiecesDialogLogic::drawingColour(int colour) {
    return colour < 0 || colour > kEmptyColour ? 0 : colour;
}
