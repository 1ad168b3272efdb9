#pragma once

#include <array>
#include <span>
#include <string>

#include "pieces/piece_set.h"
#include "platform/drawing_surface.h"

// The size of the triangles in the pieces dialog: a margin of 20 pixels, nine columns and ten rows of
// cells in the dialog's client area.
struct PiecesDrawingGeometry {
    int m_nDrawMargin = 20;
    int m_nCellSide = 0;  // even
    int m_nCellHalf = 0;
    int m_nCellHeight = 0;
};

// The three values of the piece controls: the radio group (0 "Doet mee", 1 "Uitgesloten", -1 none),
// "Kleurnummer:" and "Exemplaren:".
struct PieceFields {
    int excluded = -1;
    int colorNumber = 0;
    int copies = 0;
    friend bool operator==(const PieceFields&, const PieceFields&) = default;
};

// What the pieces dialog does, apart from its window: which piece and orientation it shows, the
// status line, storing the fields into the piece, the arrows and "Beginwaarde". It works on the
// document's piece slots directly and never reads a slot at or beyond the pieces read. Opened
// read-only (while a search uses the copies as its counters) it shows and navigates but stores nothing.
class PiecesDialogLogic {
  public:
    PiecesDialogLogic(PieceSet& pieces, bool readOnly);

    static constexpr int kMinField = 0;
    static constexpr int kMaxField = 63;
    static constexpr int kCanvasColumns = 9;
    static constexpr int kCanvasRows = 10;
    static constexpr int kEmptyColour = 64;  // white, as an open cell

    bool hasPieces() const { return pieceCount() > 0; }
    bool readOnly() const { return m_bReadOnly; }
    int pieceCount() const;
    int m_nPiece = 0;
    int m_nOrientation = 0;

    // "%s %d/%d rotatie %d/%d, uitgesloten %d" for the piece shown; a line saying that the file has
    // no valid pieces when there are none.
    std::string statusText() const;
    // The stored values of the piece shown (RefreshStatus).
    PieceFields fields() const;
    // StoreFields after the exchange: refused (false, nothing stored) when the colour number or the
    // copies lie outside 0 .. 63. Read-only or without pieces it stores nothing and succeeds.
    bool store(const PieceFields& fields);

    // The arrows: each returns whether it moved (the caller stores the fields first).
    bool nextPiece();
    bool previousPiece();
    bool nextOrientation();
    bool previousOrientation();
    // "Beginwaarde": colour number = slot, one copy, every orientation taking part, for every piece.
    void resetToStart();

    // The triangles of the orientation shown, in its own coordinates, and the palette index to draw
    // them with; empty without pieces.
    std::span<const CellPos> shownCells() const;
    int shownColour() const;

    static PiecesDrawingGeometry geometryFor(int clientWidth, int clientHeight);
    static std::array<Point, 3> triangle(const PiecesDrawingGeometry& geometry, int x, int y);
    // A colour number outside 0 .. 64 is drawn with colour 0.
    static int drawingColour(int colour);

  private:
    const Piece& shown() const;
    Piece& shown();
    int orientationCount() const;

    PieceSet& m_pieces;
    bool m_bReadOnly;
};
