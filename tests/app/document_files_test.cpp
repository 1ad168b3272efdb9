// The document's files through the window: New, Save, Open, the recent files and the refusals.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

#include "app/view_widget.h"
#include "tests/app/gui_test_support.h"
#include "view/command_ids.h"

namespace {

using testsupport::readBytes;
using testsupport::TempDir;

class DocumentFiles : public ::testing::Test {
  protected:
    TempDir dir;
    guitest::WindowFixture fixture;
    QString path(const char* name) { return QString::fromStdString(dir.file(name)); }
};

TEST_F(DocumentFiles, NewDocumentSavesTheDefaultBoardByteForByte) {
    ASSERT_TRUE(fixture.window().saveDocument(path("nieuw.trz")));
    const auto bytes = readBytes(dir.file("nieuw.trz"));
    ASSERT_EQ(bytes.size(), 2054u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 12),
              (std::vector<std::uint8_t>{8, 0, 0, 0, 8, 0, 0, 0, 0x1E, 0, 0, 0}));
    EXPECT_EQ(std::count(bytes.begin() + 12, bytes.begin() + 1782, 0x40), 1770);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 1782, bytes.begin() + 1787),
              (std::vector<std::uint8_t>{0xAE, 0xC4, 0xB0, 0, 0}));
    EXPECT_EQ(fixture.window().windowTitle(), "nieuw.trz - Trianzoid");
}

TEST_F(DocumentFiles, SaveAndOpenRoundTripThroughTheWindow) {
    fixture.window().dispatch(Cmd::FillGrey + 2);  // green
    fixture.click(14, 7);                          // the bottom-right cell: file offset 439
    fixture.doc().m_nMargin = 44;
    fixture.doc().m_crBackground = Rgb{1, 2, 3};
    EXPECT_TRUE(fixture.view().m_bModified);
    ASSERT_TRUE(fixture.window().saveDocument(path("veld.trz")));
    EXPECT_FALSE(fixture.view().m_bModified);
    EXPECT_EQ(readBytes(dir.file("veld.trz"))[439], 67);

    fixture.window().dispatch(Cmd::FileNew);
    EXPECT_EQ(fixture.doc().cell(14, 7), kOpenCell);
    EXPECT_EQ(fixture.window().windowTitle(), "Naamloos - Trianzoid");

    ASSERT_TRUE(fixture.window().openDocument(path("veld.trz")));
    EXPECT_EQ(fixture.doc().cell(14, 7), 67);
    EXPECT_EQ(fixture.doc().m_nMargin, 44);
    EXPECT_EQ(fixture.doc().m_crBackground, (Rgb{1, 2, 3}));
    EXPECT_EQ(fixture.window().windowTitle(), "veld.trz - Trianzoid");
    EXPECT_FALSE(fixture.view().m_bModified);
    // The opened Board is drawn: the cell shows green.
    fixture.window().viewWidget()->redrawNow();
    EXPECT_EQ(fixture.window().viewWidget()->picture().pixelColor(fixture.cellCentre(14, 7)),
              QColor(0, 255, 0));
}

// Changed: a short file used to fill only its own length, the rest kept from the Board shown before.
TEST_F(DocumentFiles, AFileThatIsNoBoardIsRefusedAndTheBoardShownStays) {
    fixture.doc().m_nMargin = 77;
    fixture.click(2, 2);
    QFile file(path("kort.trz"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromHex("0500000006000000"));  // W 5, H 6; nothing more
    file.close();
    QString message;
    guitest::answerMessageBox(&message);
    EXPECT_FALSE(fixture.window().openDocument(path("kort.trz")));
    EXPECT_EQ(message,
              "Bestand " + path("kort.trz") +
                  " is geen trianzoidveld: het bestand is te kort (8 bytes, een veld heeft er 2054)");
    EXPECT_EQ(fixture.doc().m_nWidth, 8);
    EXPECT_EQ(fixture.doc().m_nMargin, 77);
    EXPECT_NE(fixture.doc().cell(2, 2), kOpenCell);
}

TEST_F(DocumentFiles, AMissingFileIsReportedAndChangesNothing) {
    fixture.doc().m_nWidth = 4;
    QString message;
    guitest::answerMessageBox(&message);
    EXPECT_FALSE(fixture.window().openDocument(path("er-niet.trz")));
    EXPECT_TRUE(message.startsWith("Het veld " + path("er-niet.trz") + " kan niet worden geopend."))
        << message.toStdString();
    EXPECT_EQ(fixture.doc().m_nWidth, 4);
    EXPECT_EQ(fixture.window().windowTitle(), "Naamloos - Trianzoid");
}

TEST_F(DocumentFiles, AFailedSaveSaysSoAndLeavesTheOldFile) {
    ASSERT_TRUE(fixture.window().saveDocument(path("oud.trz")));
    const auto old = readBytes(dir.file("oud.trz"));
    fixture.doc().m_nWidth = 12;
    QString message;
    guitest::answerMessageBox(&message);
    // A folder cannot be written in place of a file; a path under a file cannot be created at all.
    EXPECT_FALSE(fixture.window().saveDocument(path("oud.trz") + "/onder.trz"));
    EXPECT_TRUE(message.startsWith("Het veld kan niet worden opgeslagen in")) << message.toStdString();
    EXPECT_TRUE(message.endsWith("Een bestaand bestand is niet veranderd.")) << message.toStdString();
    EXPECT_EQ(readBytes(dir.file("oud.trz")), old);
    EXPECT_EQ(fixture.window().windowTitle(), "oud.trz - Trianzoid");
}

TEST_F(DocumentFiles, RecentFilesAreKeptAndOpened) {
    ASSERT_TRUE(fixture.window().saveDocument(path("a.trz")));
    ASSERT_TRUE(fixture.window().saveDocument(path("b.trz")));
    const QStringList recent = fixture.window().recentFiles();
    ASSERT_GE(recent.size(), 2);
    EXPECT_EQ(recent[0], QFileInfo(path("b.trz")).absoluteFilePath());
    EXPECT_EQ(recent[1], QFileInfo(path("a.trz")).absoluteFilePath());
    QSettings settings("Local AppWizard-Generated Applications", "Trianzoid");
    EXPECT_EQ(settings.value("Recent File List/File1").toString(), recent[0]);
    // The menu shows them numbered in place of "Recent File", with the framework's prompt.
    QMenu* file = fixture.window().menuBar()->actions().at(0)->menu();
    QStringList shown;
    for (QAction* action : file->actions())
        if (action->isVisible() && action->text().startsWith('&')) shown << action->text();
    EXPECT_TRUE(shown.contains("&1 " + recent[0]));
    EXPECT_TRUE(shown.contains("&2 " + recent[1]));
    fixture.window().refreshCommandStates();
    EXPECT_TRUE(fixture.window().actionsFor(Cmd::FileMru1 + 1).back()->isEnabled());
    EXPECT_EQ(fixture.window().actionsFor(Cmd::FileMru1 + 1).back()->statusTip(), "Open een veld");
    fixture.window().dispatch(Cmd::FileMru1 + 1);
    EXPECT_EQ(fixture.window().currentFile(), recent[1]);
    // Refused during a search.
    fixture.view().ViewMode = kSearching;
    fixture.window().dispatch(Cmd::FileMru1 + 1);  // now b.trz
    EXPECT_EQ(fixture.window().currentFile(), recent[1]);
}

TEST_F(DocumentFiles, NewAsksToSaveAModifiedBoard) {
    fixture.click(2, 2);
    QString question;
    guitest::answerMessageBox(&question, "Annuleren");
    fixture.window().dispatch(Cmd::FileNew);
    EXPECT_EQ(question, "Wijzigingen in Naamloos opslaan?");
    EXPECT_NE(fixture.doc().cell(2, 2), kOpenCell);  // cancelled
    guitest::answerMessageBox(&question, "Nee");
    fixture.window().dispatch(Cmd::FileNew);
    EXPECT_EQ(fixture.doc().cell(2, 2), kOpenCell);
}

TEST_F(DocumentFiles, OpeningRereadsThePieceFile) {
    testsupport::writeText(dir.file("stukken.tzp"), "A1   2 2 0R\n");
    fixture.view().ReadPieceFile(dir.file("stukken.tzp"));
    ASSERT_EQ(fixture.doc().m_nPieces, 1);
    ASSERT_TRUE(fixture.window().saveDocument(path("met-stukken.trz")));
    fixture.doc().m_pieces[0].copies = 9;  // as if changed in the pieces dialog
    fixture.window().dispatch(Cmd::FileNew);
    EXPECT_TRUE(fixture.doc().m_szPieceFile.empty());
    ASSERT_TRUE(fixture.window().openDocument(path("met-stukken.trz")));
    EXPECT_EQ(fixture.doc().m_nPieces, 1);
    EXPECT_EQ(fixture.doc().m_pieces[0].copies, 2);
    fixture.window().refreshCommandStates();
    EXPECT_TRUE(fixture.window().actionsFor(Cmd::ShowPieces).front()->isEnabled());
}

}  // namespace

namespace {

// A file dropped on the window is opened, except while a search runs.
TEST_F(DocumentFiles, ADroppedFileIsOpened) {
    ASSERT_TRUE(fixture.window().saveDocument(path("gesleept.trz")));
    fixture.window().dispatch(Cmd::FileNew);
    auto drop = [this] {
        EXPECT_TRUE(fixture.window().openDroppedFiles(
            {QUrl("https://elders/x.trz"), QUrl::fromLocalFile(path("gesleept.trz"))}));
    };
    fixture.view().ViewMode = kSearching;
    drop();
    EXPECT_EQ(fixture.window().windowTitle(), "Naamloos - Trianzoid");
    fixture.view().ViewMode = kEditing;
    drop();
    EXPECT_EQ(fixture.window().windowTitle(), "gesleept.trz - Trianzoid");
}

}  // namespace
