// Searching from the window: the search runs on the user-interface thread and keeps the window alive
// through Qt's event loop, so that menu commands, keys and a quit request reach it while it runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/qt_platform.h"
#include "app/view_widget.h"
#include "pieces/piece_file_reader.h"
#include "tests/app/gui_test_support.h"
#include "tests/support/hand_pieces.h"
#include "tests/support/largest_piece_set.h"
#include "view/command_ids.h"

namespace {

using testsupport::dominoPiece;

// Runs `step` on every pass of the event loop until it returns true.
void whileRunning(std::function<bool()> step) {
    auto* timer = new QTimer;
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, step] {
        if (!step()) return;
        timer->stop();
        timer->deleteLater();
    });
    timer->start();
}

class WindowSearch : public ::testing::Test {
  protected:
    testsupport::TempDir dir;
    guitest::WindowFixture fixture;
    QString endTitle, endText;

    void SetUp() override {
        // The hexagon of six open cells and three two-triangle pieces: 12 solutions.
        testsupport::hexagonBoard(fixture.doc());
        testsupport::setPieces(fixture.doc(),
                               {dominoPiece("A1", 1), dominoPiece("B2", 1), dominoPiece("C3", 1)});
        fixture.doc().m_szPieceFile = "stukken.tzp";
        fixture.view().m_strOutputDir = dir.path().string();
        fixture.redraw();
        ASSERT_EQ(fixture.view().m_nReadiness, 0);
    }
    QtPlatform& platform() { return fixture.window().platform(); }
    // Answers the message at the end of the search, keeping its caption and text.
    void expectEndMessage() {
        guitest::onNextModal([this](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box) {
                modal->close();
                return;
            }
            endTitle = box->windowTitle();
            endText = box->text();
            box->accept();
        });
    }
    void search(int id) {
        expectEndMessage();
        fixture.window().dispatch(id);
    }
};

TEST_F(WindowSearch, ACompleteSearchFromTheMenu) {
    int pumpsWhileSearching = 0;
    whileRunning([&] {
        if (fixture.view().ViewMode == kSearching) ++pumpsWhileSearching;
        return fixture.view().ViewMode == kEditing && pumpsWhileSearching > 0;
    });
    search(Cmd::Search);
    EXPECT_EQ(endTitle, "Klaar");
    EXPECT_EQ(endText, "Aantal oplossingen 12");
    EXPECT_GT(pumpsWhileSearching, 0);  // the window was alive during the search
    EXPECT_EQ(fixture.view().ViewMode, kEditing);
    EXPECT_EQ(fixture.window().pane(2)->text(), "");
    EXPECT_EQ(fixture.window().pane(3)->text(), "");
    EXPECT_TRUE(std::filesystem::exists(dir.file("trianzoid0506.opb")));
    // The pieces are cleared from the Board; the solutions can be shown now.
    EXPECT_EQ(fixture.doc().cell(1, 0), kOpenCell);
    fixture.window().refreshCommandStates();
    EXPECT_TRUE(fixture.window().actionsFor(Cmd::ShowSolutionsColour).front()->isEnabled());
    EXPECT_EQ(platform().beepCount(), 12);  // a beep at each solution, the sound being on
}

TEST_F(WindowSearch, EscapeInterruptsOnePress) {
    whileRunning([&] {
        if (fixture.view().ViewMode != kSearching) return false;
        fixture.window().viewWidget()->setFocus();
        QTest::keyClick(fixture.window().windowHandle(), Qt::Key_Escape);
        return true;
    });
    search(Cmd::PopupSearch);
    EXPECT_EQ(endTitle, "Onderbroken");
    EXPECT_EQ(fixture.view().ViewMode, kEditing);
    EXPECT_LT(fixture.view().m_state.solutionCount, 12);
}

TEST_F(WindowSearch, AnyKeyDuringTheSearchSwitchesStepwiseDrawing) {
    std::vector<int> showSteps;
    whileRunning([&] {
        if (fixture.view().ViewMode != kSearching || fixture.view().m_state.currentDepth < 1) return false;
        showSteps.push_back(fixture.view().m_state.showSteps);
        QTest::keyClick(fixture.window().windowHandle(), Qt::Key_Space);
        showSteps.push_back(fixture.view().m_state.showSteps);
        showSteps.push_back(fixture.view().m_state.shownDepth);
        return true;
    });
    search(Cmd::Search);
    EXPECT_EQ(showSteps, (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(endText, "Aantal oplossingen 12");  // a key that is not Escape does not interrupt
}

TEST_F(WindowSearch, OnderbreekFromTheMenuWhileSearching) {
    whileRunning([&] {
        if (fixture.view().ViewMode != kSearching) return false;
        fixture.window().refreshCommandStates();
        EXPECT_TRUE(fixture.window().actionsFor(Cmd::Interrupt).front()->isEnabled());
        EXPECT_FALSE(fixture.window().actionsFor(Cmd::FileNew).front()->isEnabled());
        EXPECT_FALSE(fixture.window().actionsFor(Cmd::FirstSolution).front()->isEnabled());
        fixture.window().actionsFor(Cmd::Interrupt).front()->trigger();
        return true;
    });
    search(Cmd::Search);
    EXPECT_EQ(endTitle, "Onderbroken");
}

TEST_F(WindowSearch, VolgendeEersteSkipsTheRestOfTheFirstPlacement) {
    whileRunning([&] {
        if (fixture.view().ViewMode != kSearching || fixture.view().m_state.solutionCount < 1) return false;
        fixture.window().dispatch(Cmd::NextFirst);
        return true;
    });
    search(Cmd::Search);
    EXPECT_EQ(endTitle, "Klaar");
    EXPECT_GT(fixture.view().m_state.solutionCount, 0);
    EXPECT_LT(fixture.view().m_state.solutionCount, 12);
}

TEST_F(WindowSearch, WaitingModeGoesOnAtAnyOtherKey) {
    int waits = 0;
    whileRunning([&] {
        if (platform().waitingForKey()) {
            ++waits;
            QTest::keyClick(fixture.window().windowHandle(), Qt::Key_Space);
        }
        return fixture.view().ViewMode == kEditing && waits > 0;
    });
    search(Cmd::SearchSpecial);
    EXPECT_EQ(endTitle, "Klaar");
    EXPECT_EQ(endText, "Aantal oplossingen 12");
    EXPECT_EQ(waits, 12);
}

TEST_F(WindowSearch, WaitingModeEndsAtEscape) {
    whileRunning([&] {
        if (!platform().waitingForKey()) return false;
        QTest::keyClick(fixture.window().windowHandle(), Qt::Key_Escape);
        return true;
    });
    search(Cmd::PopupSearchSpecial);
    EXPECT_EQ(endTitle, "Onderbroken");
    EXPECT_EQ(fixture.view().m_state.solutionCount, 1);
}

TEST_F(WindowSearch, NewAndOpenAreRefusedAndThePiecesDialogOnlyShows) {
    bool checked = false;
    whileRunning([&] {
        if (fixture.view().ViewMode != kSearching) return false;
        fixture.doc().m_nMargin = 31;
        fixture.window().dispatch(Cmd::FileNew);  // ignored: the Board stays
        EXPECT_EQ(fixture.doc().m_nMargin, 31);
        fixture.window().refreshCommandStates();
        EXPECT_FALSE(fixture.window().actionsFor(Cmd::FileOpen).front()->isEnabled());
        EXPECT_TRUE(fixture.window().actionsFor(Cmd::ShowPieces).front()->isEnabled());
        guitest::onNextModal([&](QWidget* modal) {
            checked = true;
            const auto edits = modal->findChildren<QLineEdit*>();
            for (QLineEdit* edit : edits) EXPECT_TRUE(edit->isReadOnly());
            modal->close();
        });
        fixture.window().dispatch(Cmd::ShowPieces);
        fixture.window().dispatch(Cmd::Interrupt);
        return true;
    });
    search(Cmd::Search);
    EXPECT_TRUE(checked);
    EXPECT_EQ(fixture.doc().m_pieces[0].copies, 1);  // the copy counters are back at their values
}

// A quit request (a signal, the end of the session) interrupts the search as Escape does, so that the
// program can end at once with complete files; no message box holds it up. (This test asserted that
// the search ran on to its end first, which could take hours.)
TEST_F(WindowSearch, AQuitRequestDuringTheSearchInterruptsIt) {
    whileRunning([&] {
        if (fixture.view().ViewMode != kSearching) return false;
        fixture.window().requestQuit();
        return true;
    });
    search(Cmd::Search);
    guitest::cancelPendingAnswers();
    EXPECT_EQ(endText, "");
    EXPECT_EQ(fixture.view().m_strSearchSummary.substr(0, 12), "Onderbroken.");
    EXPECT_LT(fixture.view().m_state.solutionCount, 12);
    EXPECT_FALSE(platform().quitPending());
    // The program's exit left the event loops told to quit; an application loop clears that again.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

TEST_F(WindowSearch, GeluidOffMeansNoBeeps) {
    fixture.window().dispatch(Cmd::Sound);
    whileRunning(
        [&] { return fixture.view().ViewMode == kEditing && fixture.view().m_state.solutionCount > 0; });
    search(Cmd::Search);
    EXPECT_EQ(platform().beepCount(), 0);
}

TEST_F(WindowSearch, TheLargestBoardDrawsEditsAndSearchesUntilInterrupted) {
    CTrianzoidDoc& doc = fixture.doc();
    doc.m_nWidth = 30;
    doc.m_nHeight = 30;
    doc.ClearBoard();
    testsupport::writeText(dir.file("groot.tzp"), testsupport::largestPieceFileText());
    ReadPieceFile(doc, dir.file("groot.tzp"), platform());
    ASSERT_EQ(doc.m_nPieces, 64);
    fixture.redraw();
    EXPECT_EQ(fixture.window().pane(0)->text(), "Nog 1194 driehoeken over");  // 1770 cells, 64 x 9 triangles
    for (auto [col, row] : {std::pair{0, 0}, {58, 0}, {0, 29}, {58, 29}}) {
        fixture.click(col, row);
        EXPECT_EQ(doc.cell(col, row), 65) << col << "," << row;
        fixture.click(col, row);
        EXPECT_EQ(doc.cell(col, row), kOpenCell);
    }
    whileRunning([&] {
        if (fixture.view().ViewMode != kSearching) return false;
        fixture.window().viewWidget()->setFocus();
        QTest::keyClick(fixture.window().windowHandle(), Qt::Key_Escape);
        return true;
    });
    search(Cmd::Search);
    EXPECT_EQ(endTitle, "Onderbroken");
    EXPECT_EQ(fixture.view().ViewMode, kEditing);
    for (const Piece& piece : doc.m_pieces) EXPECT_EQ(piece.copies, 1);
}

}  // namespace
