// The pieces dialog apart from its window: status line, storing rules, arrows, "Beginwaarde",
// read-only use during a search, a file without pieces, and the drawing geometry.
#include <gtest/gtest.h>

#include "pieces/pieces_dialog_logic.h"
#include "tests/support/hand_pieces.h"

namespace {

using testsupport::dominoPiece;
using testsupport::handPiece;
using testsupport::monoPiece;

// A piece of two triangles written with six orientations, enough for "rotatie 2/6".
Piece sixWays(const std::string& label, int copies) {
    std::vector<std::vector<CellPos>> orientations;
    for (int k = 0; k < 6; ++k) orientations.push_back({{k, 0}, {k + 1, 0}});
    return handPiece(label, copies, orientations);
}

struct TwelvePieces {
    PieceSet set;
    TwelvePieces() {
        std::vector<Piece> pieces;
        for (int p = 0; p < 12; ++p)
            pieces.push_back(p == 2 ? sixWays("A1", 3)
                                    : dominoPiece(std::string{'P', static_cast<char>('0' + p % 10)}, 2));
        testsupport::setPieces(set, pieces);
        set.m_szPieceFile = "stukken.tzp";
    }
};

TEST(PiecesDialogLogic, StatusLineOfTheDescribedExample) {
    TwelvePieces f;
    f.set.m_pieces[2].participates[4] = 0;
    PiecesDialogLogic logic(f.set, false);
    EXPECT_EQ(logic.statusText(), "P0 1/12 rotatie 1/3, uitgesloten 0");
    logic.nextPiece();
    logic.nextPiece();
    logic.nextOrientation();
    EXPECT_EQ(logic.statusText(), "A1 3/12 rotatie 2/6, uitgesloten 1");
    EXPECT_EQ(logic.fields(), (PieceFields{0, 2, 3}));
}

TEST(PiecesDialogLogic, StoresIntoThePieceShown) {
    TwelvePieces f;
    PiecesDialogLogic logic(f.set, false);
    logic.nextPiece();
    logic.nextOrientation();
    EXPECT_TRUE(logic.store({1, 63, 0}));  // 63 and 0 are the limits
    const Piece& piece = f.set.m_pieces[1];
    EXPECT_EQ(piece.participates[1], 0);
    EXPECT_EQ(piece.participates[0], 1);
    EXPECT_EQ(piece.colorNumber, 63);
    EXPECT_EQ(piece.copies, 0);
    EXPECT_EQ(logic.statusText(), "P1 2/12 rotatie 2/3, uitgesloten 1");
    // Excluding every orientation is accepted.
    logic.store({1, 63, 0});
    logic.previousOrientation();
    logic.store({1, 63, 0});
    logic.nextOrientation();
    logic.nextOrientation();
    logic.store({1, 63, 0});
    EXPECT_EQ(logic.statusText(), "P1 2/12 rotatie 3/3, uitgesloten 3");
}

TEST(PiecesDialogLogic, RefusesValuesOutsideTheRangeAndStoresNothing) {
    TwelvePieces f;
    PiecesDialogLogic logic(f.set, false);
    for (PieceFields refused :
         {PieceFields{1, 64, 1}, PieceFields{1, -1, 1}, PieceFields{1, 5, 64}, PieceFields{1, 5, -3}})
        EXPECT_FALSE(logic.store(refused));
    EXPECT_EQ(f.set.m_pieces[0].colorNumber, 0);
    EXPECT_EQ(f.set.m_pieces[0].copies, 2);
    EXPECT_EQ(f.set.m_pieces[0].participates[0], 1);
    // No radio chosen keeps the orientation taking part.
    EXPECT_TRUE(logic.store({-1, 7, 1}));
    EXPECT_EQ(f.set.m_pieces[0].participates[0], 1);
}

TEST(PiecesDialogLogic, ArrowsStopAtTheEndsWithoutWrapping) {
    TwelvePieces f;
    PiecesDialogLogic logic(f.set, false);
    EXPECT_FALSE(logic.previousPiece());
    EXPECT_FALSE(logic.previousOrientation());
    EXPECT_TRUE(logic.nextOrientation());
    EXPECT_TRUE(logic.nextOrientation());
    EXPECT_FALSE(logic.nextOrientation());
    // Another piece always starts at its first orientation.
    EXPECT_TRUE(logic.nextPiece());
    EXPECT_EQ(logic.m_nOrientation, 0);
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(logic.nextPiece());
    EXPECT_EQ(logic.m_nPiece, 11);
    EXPECT_FALSE(logic.nextPiece());
}

TEST(PiecesDialogLogic, OnePieceArrowsDoNotMove) {
    PieceSet set;
    testsupport::setPieces(set, {monoPiece("Z9", 2)});
    PiecesDialogLogic logic(set, false);
    EXPECT_FALSE(logic.nextPiece());
    EXPECT_FALSE(logic.previousPiece());
    EXPECT_EQ(logic.statusText(), "Z9 1/1 rotatie 1/2, uitgesloten 0");
}

TEST(PiecesDialogLogic, BeginwaardeGivesEveryPieceOneCopyAndAllOrientations) {
    TwelvePieces f;
    f.set.m_pieces[2].participates[3] = 0;
    f.set.m_pieces[5].colorNumber = 40;
    PiecesDialogLogic logic(f.set, false);
    logic.resetToStart();
    for (int p = 0; p < 12; ++p) {
        EXPECT_EQ(f.set.m_pieces[p].copies, 1) << p;
        EXPECT_EQ(f.set.m_pieces[p].colorNumber, p) << p;
    }
    EXPECT_EQ(f.set.m_pieces[2].participates[3], 1);
}

TEST(PiecesDialogLogic, ReadOnlyShowsAndMovesButStoresNothing) {
    TwelvePieces f;
    PiecesDialogLogic logic(f.set, true);
    EXPECT_TRUE(logic.store({1, 9, 9}));
    logic.resetToStart();
    EXPECT_EQ(f.set.m_pieces[0].copies, 2);
    EXPECT_EQ(f.set.m_pieces[0].participates[0], 1);
    EXPECT_TRUE(logic.nextPiece());
    EXPECT_FALSE(logic.store({1, 64, 9}));  // still checked, so the dialog stays on a bad value
}

TEST(PiecesDialogLogic, WithoutValidPiecesNothingIsReadAndNothingMoves) {
    PieceSet set;
    set.m_szPieceFile = "fout.tzp";
    set.m_nPieces = 0;
    set.m_pieces[0] = sixWays("X1", 1);  // left over from a read that failed later
    PiecesDialogLogic logic(set, false);
    EXPECT_EQ(logic.statusText(), "Geen geldige trianzoids in dit bestand");
    EXPECT_TRUE(logic.shownCells().empty());
    EXPECT_FALSE(logic.nextPiece());
    EXPECT_FALSE(logic.previousPiece());
    EXPECT_FALSE(logic.nextOrientation());
    EXPECT_TRUE(logic.store({1, 5, 5}));
    EXPECT_EQ(set.m_pieces[0].colorNumber, 0);
    // A count from a damaged document never reaches past the 64 slots.
    set.m_nPieces = 1000;
    PiecesDialogLogic big(set, false);
    EXPECT_EQ(big.pieceCount(), 64);
}

TEST(PiecesDialogLogic, DrawingGeometry) {
    // 460 x 336: by width (460 - 20) / 5 = 88, by height trunc(266 x 0.11547...) = 30.
    const PiecesDrawingGeometry g = PiecesDialogLogic::geometryFor(460, 336);
    EXPECT_EQ(g.m_nCellSide, 30);
    EXPECT_EQ(g.m_nCellHalf, 15);
    EXPECT_EQ(g.m_nCellHeight, 25);
    // An odd size is made even: by height trunc(300 x 0.11547...) = 34, by width 33 -> 32.
    EXPECT_EQ(PiecesDialogLogic::geometryFor(185, 370).m_nCellSide, 32);
    const auto down = PiecesDialogLogic::triangle(g, 0, 0);
    EXPECT_EQ(down[0], (Point{20, 20}));
    EXPECT_EQ(down[1], (Point{50, 20}));
    EXPECT_EQ(down[2], (Point{35, 45}));
    const auto up = PiecesDialogLogic::triangle(g, 1, 0);
    EXPECT_EQ(up[0], (Point{50, 20}));
    EXPECT_EQ(up[1], (Point{35, 45}));
    EXPECT_EQ(up[2], (Point{65, 45}));
    EXPECT_EQ(PiecesDialogLogic::drawingColour(64), 64);
    EXPECT_EQ(PiecesDialogLogic::drawingColour(65), 0);
    EXPECT_EQ(PiecesDialogLogic::drawingColour(-1), 0);
}

}  // namespace
