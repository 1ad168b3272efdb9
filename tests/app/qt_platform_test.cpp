// The Qt platform: message boxes with Dutch buttons, status panes, the open-file filters, waiting
// for a key at a solution, and the keys of a running search.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include "app/dutch_translation.h"
#include "app/key_codes.h"
#include "app/qt_platform.h"
#include "app/view_widget.h"
#include "tests/app/gui_test_support.h"

namespace {

// Qt's standard buttons and dialogs in Dutch, as the program installs them.
TEST(DutchTranslation, QtsOwnButtonsSpeakDutch) {
    QTranslator* translator = installDutchTranslation(*qApp);
    ASSERT_NE(translator, nullptr) << "qt6-translations-l10n is not installed";
    QDialogButtonBox box(QDialogButtonBox::Open | QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), "Annuleren");
    EXPECT_EQ(box.button(QDialogButtonBox::Open)->text(), "Openen");
    EXPECT_EQ(box.button(QDialogButtonBox::Save)->text(), "Opslaan");
    QCoreApplication::removeTranslator(translator);
    delete translator;
}

TEST(KeyCodes, KeysOfWaitingAtASolution) {
    EXPECT_EQ(keyCodeForQtKey(Qt::Key_Escape), 27);
    EXPECT_EQ(keyCodeForQtKey(Qt::Key_Insert), 28);
    EXPECT_EQ(keyCodeForQtKey(Qt::Key_Delete), 29);
    EXPECT_EQ(keyCodeForQtKey(Qt::Key_Up), 30);
    EXPECT_EQ(keyCodeForQtKey(Qt::Key_Down), 31);
    EXPECT_EQ(keyCodeForQtKey(Qt::Key_Left), 32);
    EXPECT_EQ(keyCodeForQtKey(Qt::Key_Right), 33);
    for (int other : {Qt::Key_A, Qt::Key_Space, Qt::Key_Return, Qt::Key_Home, Qt::Key_Shift, Qt::Key_F1})
        EXPECT_EQ(keyCodeForQtKey(other), 0) << other;
}

TEST(FileFilters, InQtsNotation) {
    EXPECT_EQ(qtFileFilter({{"Trianzoid (*.tzp)", "*.tzp"}, {"Alle bestanden (*.*)", "*.*"}}),
              "Trianzoid (*.tzp);;Alle bestanden (*)");
    EXPECT_EQ(qtFileFilter({{"Tekst", "*.txt"}}), "Tekst (*.txt)");
}

class QtPlatformTest : public ::testing::Test {
  protected:
    guitest::WindowFixture fixture;
    QtPlatform& platform() { return fixture.window().platform(); }
};

TEST_F(QtPlatformTest, MessagesFromFilesAreNeverMarkup) {
    Qt::TextFormat format = Qt::RichText;
    guitest::onNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        format = box->textFormat();
        box->accept();
    });
    platform().messageBox("Bestand x.tzp incorrect\nRegel: <b>A1</b> <img src=x>", "Oei", MessageButtons::Ok,
                          MessageIcon::None);
    EXPECT_EQ(format, Qt::PlainText);
}

TEST_F(QtPlatformTest, QuestionsHaveDutchButtons) {
    QStringList buttons;
    QString title;
    guitest::onNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        for (QAbstractButton* b : box->buttons()) buttons << b->text();
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        for (QAbstractButton* b : box->buttons())
            if (b->text() == "Ja") b->click();
    });
    EXPECT_EQ(platform().messageBox("Toch doorgaan?", "Oei", MessageButtons::YesNo, MessageIcon::Exclamation),
              MessageAnswer::Yes);
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{"Ja", "Nee"}));
    EXPECT_EQ(title, "Oei");
    QString text;
    guitest::answerMessageBox(&text, "Nee");
    EXPECT_EQ(platform().messageBox("Vraag", "Oei", MessageButtons::YesNo, MessageIcon::None),
              MessageAnswer::No);
    guitest::answerMessageBox(&text);
    EXPECT_EQ(platform().messageBox("Bericht", "Klaar", MessageButtons::Ok, MessageIcon::None),
              MessageAnswer::Ok);
    EXPECT_EQ(text, "Bericht");
}

TEST_F(QtPlatformTest, PanesHoldWhatIsWritten) {
    platform().setPaneText(2, "A1");
    platform().setPaneText(3, "25%");
    platform().setPaneText(0, "Zoeken kan starten");
    platform().setPaneText(4, "nergens");
    EXPECT_EQ(fixture.window().pane(0)->text(), "Zoeken kan starten");
    EXPECT_EQ(fixture.window().pane(2)->text(), "A1");
    EXPECT_EQ(platform().paneText(3), "25%");
}

TEST_F(QtPlatformTest, WaitingConsumesTheKeyAndReturnsItsCode) {
    QWindow* window = fixture.window().windowHandle();
    fixture.view().ViewMode = kSearching;
    for (auto [key, code] :
         {std::pair{Qt::Key_Escape, 27}, std::pair{Qt::Key_Right, 33}, std::pair{Qt::Key_A, 0}}) {
        QTimer::singleShot(0, [window, key] { QTest::keyPress(window, key); });
        EXPECT_EQ(platform().waitForKeyPress(), code);
        QTest::keyRelease(window, key);
    }
    // The Escape did not reach the view, so it interrupted nothing.
    EXPECT_EQ(fixture.view().ViewMode, kSearching);
}

TEST_F(QtPlatformTest, WaitingEndsAtAMouseButtonThatReachesNoWindow) {
    QWindow* window = fixture.window().windowHandle();
    const QPoint inView = fixture.window().viewWidget()->mapTo(&fixture.window(), fixture.cellCentre(2, 2));
    QTimer::singleShot(0, [window, inView] { QTest::mousePress(window, Qt::RightButton, {}, inView); });
    EXPECT_EQ(platform().waitForKeyPress(), 0);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(QtPlatformTest, AQuitRequestEndsTheWait) {
    fixture.view().ViewMode = kSearching;
    QTimer::singleShot(0, [this] { fixture.window().requestQuit(); });
    EXPECT_EQ(platform().waitForKeyPress(), 0);
    EXPECT_TRUE(platform().quitPending());
    EXPECT_EQ(platform().waitForKeyPress(), 0);  // at once while the request is pending
    platform().setQuitPending(false);
}

TEST_F(QtPlatformTest, EscapeInterruptsARunningSearch) {
    fixture.view().ViewMode = kSearching;
    fixture.window().activateWindow();
    fixture.window().viewWidget()->setFocus();
    QTest::keyClick(fixture.window().windowHandle(), Qt::Key_Escape);
    EXPECT_EQ(fixture.view().ViewMode, kInterruptRequested);
}

TEST_F(QtPlatformTest, ClientSurfaceDrawsIntoTheWindowAtOnce) {
    const Point triangle[3] = {{100, 100}, {140, 100}, {120, 130}};
    platform().clientSurface().triangle(triangle, Rgb{0, 0, 255}, true);
    EXPECT_EQ(fixture.window().viewWidget()->picture().pixelColor(120, 110), QColor(0, 0, 255));
    platform().invalidateView();
    EXPECT_TRUE(fixture.window().viewWidget()->redrawPending());
}

}  // namespace
