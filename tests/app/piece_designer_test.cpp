// "Trianzoids ontwerpen...": a bundled file opened and saved unchanged keeps its bytes, the live line,
// asking before changes are lost, and "Gebruiken" only while editing.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "app/piece_designer_dialog.h"
#include "tests/app/gui_test_support.h"
#include "view/command_ids.h"

namespace {

TEST(PieceDesigner, KeepsBundledBytesSaysWhatIsWrongAndAsksBeforeLosingChanges) {
    testsupport::TempDir dir;
    const std::string original = testsupport::examplesDir() + "/hexiamonds.tzp";
    PieceDesignerDialog dialog(original, {});
    ASSERT_EQ(dialog.design().size(), 12u);
    EXPECT_FALSE(dialog.useButton()->isEnabled());
    ASSERT_TRUE(dialog.saveTo(QString::fromStdString(dir.file("copy.tzp"))));
    EXPECT_EQ(testsupport::readBytes(dir.file("copy.tzp")), testsupport::readBytes(original));

    dialog.duplicatePiece();  // 6A again, as A1, after it
    EXPECT_EQ(dialog.currentPiece(), 1);
    EXPECT_TRUE(dialog.problemLine()->text().endsWith("Let op: A1: zelfde vorm als 6A"))
        << dialog.problemLine()->text().toStdString();
    dialog.mirrorPiece();
    dialog.turnPiece();
    EXPECT_TRUE(dialog.problemLine()->text().contains("zelfde vorm als 6A"));
    dialog.toggleCell({0, 0});  // far from the piece
    EXPECT_TRUE(dialog.problemLine()->text().startsWith("Nog niet op te slaan: A1: driehoekjes niet met"));
    QString refusal;
    guitest::answerMessageBox(&refusal);
    EXPECT_FALSE(dialog.saveTo(QString::fromStdString(dir.file("copy.tzp"))));
    EXPECT_TRUE(refusal.startsWith("Opslaan kan nog niet:\nA1: driehoekjes")) << refusal.toStdString();
    EXPECT_EQ(testsupport::readBytes(dir.file("copy.tzp")), testsupport::readBytes(original));

    dialog.show();
    QString question;
    guitest::answerMessageBox(&question, "Annuleren");
    dialog.reject();  // Escape
    EXPECT_EQ(question, "Het ontwerp is gewijzigd.\nWijzigingen opslaan?");
    EXPECT_TRUE(dialog.isVisible());
    guitest::answerMessageBox(&question, "Nee");
    dialog.reject();
    EXPECT_FALSE(dialog.isVisible());
}

TEST(PieceDesigner, UsedPiecesBecomeTheBoardsPieceFileOnlyWhileEditing) {
    guitest::WindowFixture fixture;
    testsupport::TempDir dir;
    for (int mode : {kSearching, kEditing}) {
        fixture.view().ViewMode = mode;
        guitest::onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<PieceDesignerDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->useButton()->isEnabled(), mode == kEditing);
            EXPECT_TRUE(dialog->addStandardSet("4"));
            ASSERT_TRUE(dialog->saveTo(QString::fromStdString(dir.file("tetriamonds.tzp"))));
            dialog->usePieces();
            if (dialog->isVisible()) dialog->done(QDialog::Rejected);
        });
        fixture.window().dispatch(Cmd::DesignPieces);
    }
    EXPECT_EQ(fixture.doc().m_szPieceFile, dir.file("tetriamonds.tzp"));
    EXPECT_EQ(fixture.doc().m_nPieces, 3);
    EXPECT_EQ(testsupport::readBytes(dir.file("tetriamonds.tzp")),
              testsupport::readBytes(testsupport::examplesDir() + "/tetriamonds.tzp"));
}

}  // namespace
