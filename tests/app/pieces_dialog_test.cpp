// "Trianzoids", the pieces dialog, in its window: fields, status line, arrows, refusals, OK, Escape.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/pieces_dialog.h"
#include "app/qt_platform.h"
#include "app/view_widget.h"
#include "tests/app/gui_test_support.h"
#include "tests/support/hand_pieces.h"
#include "view/command_ids.h"

namespace {

using testsupport::dominoPiece;
using testsupport::monoPiece;

class PiecesDialog : public ::testing::Test {
  protected:
    guitest::WindowFixture fixture;
    void SetUp() override {
        testsupport::setPieces(fixture.doc(), {dominoPiece("A1", 2), monoPiece("Z9", 5)});
        fixture.doc().m_szPieceFile = "stukken.tzp";
    }
    // Opens the dialog from the menu and runs `use` on it while it shows.
    void withDialog(std::function<void(CPiecesDlg*)> use) {
        bool shown = false;
        guitest::onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<CPiecesDlg*>(modal);
            ASSERT_NE(dialog, nullptr);
            shown = true;
            use(dialog);
            if (dialog->isVisible()) dialog->reject();
        });
        fixture.window().dispatch(Cmd::ShowPieces);
        EXPECT_TRUE(shown);
    }
    const Piece& piece(int p) { return fixture.doc().m_pieces[static_cast<std::size_t>(p)]; }
};

TEST_F(PiecesDialog, ShowsTheFirstPiece) {
    withDialog([](CPiecesDlg* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "stukken.tzp");
        EXPECT_EQ(dialog->statusLine()->text(), "A1 1/2 rotatie 1/3, uitgesloten 0");
        EXPECT_EQ(dialog->copiesEdit()->text(), "2");
        EXPECT_EQ(dialog->colourEdit()->text(), "0");
        EXPECT_TRUE(dialog->takesPartButton()->isChecked());
        EXPECT_FALSE(dialog->excludedButton()->isChecked());
        EXPECT_TRUE(dialog->button(1013)->isDefault());
        // Texts of the template.
        EXPECT_EQ(dialog->button(1025)->text(), "Beginwaarde");
        EXPECT_EQ(dialog->button(1013)->text(), ">>");
        EXPECT_EQ(dialog->button(1016)->text(), "<<");
        EXPECT_EQ(dialog->excludedButton()->text(), "Uitgesloten");
    });
}

TEST_F(PiecesDialog, ArrowsStoreTheFieldsOfThePieceLeft) {
    withDialog([](CPiecesDlg* dialog) {
        dialog->excludedButton()->setChecked(true);
        dialog->colourEdit()->setText("63");
        dialog->button(1015)->click();  // next orientation: stores orientation 1's flag
        EXPECT_EQ(dialog->statusLine()->text(), "A1 1/2 rotatie 2/3, uitgesloten 1");
        EXPECT_TRUE(dialog->takesPartButton()->isChecked());
        dialog->button(1013)->click();  // next piece
        EXPECT_EQ(dialog->statusLine()->text(), "Z9 2/2 rotatie 1/2, uitgesloten 0");
        EXPECT_EQ(dialog->copiesEdit()->text(), "5");
        dialog->copiesEdit()->setText("7");
        dialog->button(1013)->click();  // at the end: only stores
        EXPECT_EQ(dialog->statusLine()->text(), "Z9 2/2 rotatie 1/2, uitgesloten 0");
    });
    EXPECT_EQ(piece(0).participates[0], 0);
    EXPECT_EQ(piece(0).colorNumber, 63);
    EXPECT_EQ(piece(1).copies, 7);
}

TEST_F(PiecesDialog, ARefusedValueKeepsThePieceAndStoresNothing) {
    QStringList messages;
    withDialog([&](CPiecesDlg* dialog) {
        dialog->colourEdit()->setText("64");
        QString text;
        guitest::answerMessageBox(&text);
        dialog->button(1013)->click();
        messages << text;
        EXPECT_EQ(dialog->statusLine()->text(), "A1 1/2 rotatie 1/3, uitgesloten 0");
        dialog->colourEdit()->setText("3");
        dialog->copiesEdit()->setText("x");
        guitest::answerMessageBox(&text);
        dialog->button(1015)->click();  // not an integer: the copies keep their value, the rest is stored
        messages << text;
        EXPECT_EQ(dialog->statusLine()->text(), "A1 1/2 rotatie 2/3, uitgesloten 0");
    });
    EXPECT_EQ(messages,
              (QStringList{"Please enter an integer between 0 and 63.", "Please enter an integer."}));
    EXPECT_EQ(piece(0).colorNumber, 3);
    EXPECT_EQ(piece(0).copies, 2);
}

TEST_F(PiecesDialog, OkStoresEscapeDrops) {
    withDialog([](CPiecesDlg* dialog) {
        dialog->copiesEdit()->setText("4");
        QTest::keyClick(dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog->isVisible());
    });
    EXPECT_EQ(piece(0).copies, 2);
    withDialog([](CPiecesDlg* dialog) {
        dialog->copiesEdit()->setText("4");
        dialog->button(1)->click();
        EXPECT_FALSE(dialog->isVisible());
    });
    EXPECT_EQ(piece(0).copies, 4);
    // The readiness follows the new copies: 120 open cells, 4 x 2 + 5 x 1 triangles.
    fixture.window().viewWidget()->redrawNow();
    EXPECT_EQ(fixture.window().platform().paneText(0), "Nog 107 driehoeken over");
}

TEST_F(PiecesDialog, BeginwaardeResetsEveryPiece) {
    fixture.doc().m_pieces[1].participates[1] = 0;
    withDialog([](CPiecesDlg* dialog) {
        dialog->button(1025)->click();
        EXPECT_EQ(dialog->copiesEdit()->text(), "1");
        dialog->button(1)->click();
    });
    EXPECT_EQ(piece(0).copies, 1);
    EXPECT_EQ(piece(1).copies, 1);
    EXPECT_EQ(piece(1).colorNumber, 1);
    EXPECT_EQ(piece(1).participates[1], 1);
}

TEST_F(PiecesDialog, WithoutValidPiecesAnEmptyDrawing) {
    fixture.doc().m_nPieces = 0;
    fixture.doc().m_szPieceFile = "fout.tzp";
    withDialog([](CPiecesDlg* dialog) {
        EXPECT_EQ(dialog->statusLine()->text(), "Geen geldige trianzoids in dit bestand");
        dialog->button(1013)->click();
        EXPECT_TRUE(dialog->logic().shownCells().empty());
        EXPECT_TRUE(dialog->colourEdit()->isReadOnly());
        dialog->button(1)->click();
        EXPECT_FALSE(dialog->isVisible());
    });
}

}  // namespace
