// Enabling and check marks of the window's entries per ViewMode, and the commands the window refuses.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QToolBar>

#include "app/qt_platform.h"
#include "tests/app/gui_test_support.h"
#include "view/command_ids.h"

namespace {

class CommandEnabling : public ::testing::Test {
  protected:
    guitest::WindowFixture fixture;

    // Enabled as the main menu shows it; every action of the id must agree.
    bool enabled(int id) {
        fixture.window().refreshCommandStates();
        const auto actions = fixture.window().actionsFor(id);
        EXPECT_FALSE(actions.empty()) << id;
        bool first = !actions.empty() && actions.front()->isEnabled();
        for (QAction* action : actions) EXPECT_EQ(action->isEnabled(), first) << id;
        return first;
    }
    bool checked(int id) {
        fixture.window().refreshCommandStates();
        const auto actions = fixture.window().actionsFor(id);
        return !actions.empty() && actions.front()->isChecked();
    }
    void setMode(int mode) { fixture.view().ViewMode = mode; }
};

TEST_F(CommandEnabling, EditingWithoutPiecesOrSolutions) {
    for (int id :
         {Cmd::FileNew, Cmd::FileOpen, Cmd::FileSave, Cmd::FileSaveAs, Cmd::FilePrint, Cmd::FilePrintPreview,
          Cmd::FilePageSetup, Cmd::AppExit, Cmd::BackgroundColour, Cmd::FieldData, Cmd::ClearBoard,
          Cmd::BoardToClipboard, Cmd::OpenPieceFile, Cmd::Sound, Cmd::LetterSolution, Cmd::HelpFinder,
          Cmd::AppAbout, Cmd::PopupFieldData, Cmd::ClearPieceCellsRedraw})
        EXPECT_TRUE(enabled(id)) << id;
    // No piece file, no readiness, no solutions, not searching, not browsing.
    for (int id : {Cmd::ShowPieces, Cmd::Search, Cmd::SearchSpecial, Cmd::PopupSearch, Cmd::NextFirst,
                   Cmd::Interrupt, Cmd::PopupInterrupt, Cmd::ShowSolutionsBw, Cmd::ShowSolutionsColour,
                   Cmd::PopupShowSolutionsBw, Cmd::PopupShowSolutionsColour, Cmd::FirstSolution,
                   Cmd::NextSolution, Cmd::PreviousSolution, Cmd::LastSolution, Cmd::DoneSolutions})
        EXPECT_FALSE(enabled(id)) << id;
    // The recent-file entry is greyed while the list is empty.
    EXPECT_FALSE(enabled(Cmd::FileMru1));
}

TEST_F(CommandEnabling, ChecksAtStart) {
    EXPECT_TRUE(checked(Cmd::Sound));
    EXPECT_FALSE(checked(Cmd::LetterSolution));
    EXPECT_TRUE(checked(Cmd::FillGrey));
    EXPECT_TRUE(checked(Cmd::ToolFillGrey));
    EXPECT_TRUE(checked(Cmd::ViewToolbar));
    EXPECT_TRUE(checked(Cmd::ViewStatusBar));
}

TEST_F(CommandEnabling, FillColourMenuAndButtonAreCheckedTogether) {
    fixture.window().dispatch(Cmd::FillGrey + 3);  // blue from the menu
    EXPECT_TRUE(checked(Cmd::FillGrey + 3));
    EXPECT_TRUE(checked(Cmd::ToolFillGrey + 3));
    EXPECT_FALSE(checked(Cmd::FillGrey));
    EXPECT_FALSE(checked(Cmd::ToolFillGrey));
    fixture.window().actionsFor(Cmd::ToolFillYellow).front()->trigger();  // yellow from the toolbar
    EXPECT_EQ(fixture.view().m_nFillColour, 4);
    EXPECT_TRUE(checked(Cmd::FillYellow));
    EXPECT_FALSE(checked(Cmd::ToolFillGrey + 3));
    // Clicking the checked button again keeps it checked.
    fixture.window().actionsFor(Cmd::ToolFillYellow).front()->trigger();
    EXPECT_TRUE(checked(Cmd::ToolFillYellow));
}

TEST_F(CommandEnabling, ToolbarAndStatusBarToggle) {
    fixture.window().dispatch(Cmd::ViewToolbar);
    EXPECT_TRUE(fixture.window().toolBar()->isHidden());
    EXPECT_FALSE(checked(Cmd::ViewToolbar));
    fixture.window().dispatch(Cmd::ViewToolbar);
    EXPECT_FALSE(fixture.window().toolBar()->isHidden());
    fixture.window().dispatch(Cmd::ViewStatusBar);
    EXPECT_FALSE(checked(Cmd::ViewStatusBar));
    fixture.window().dispatch(Cmd::ViewStatusBar);
    EXPECT_TRUE(checked(Cmd::ViewStatusBar));
}

TEST_F(CommandEnabling, SoundAndLetterToggle) {
    fixture.window().dispatch(Cmd::Sound);
    EXPECT_FALSE(fixture.view().m_bSound);
    EXPECT_FALSE(checked(Cmd::Sound));
    fixture.window().dispatch(Cmd::LetterSolution);
    EXPECT_TRUE(fixture.view().m_bLetterSolution);
    EXPECT_TRUE(checked(Cmd::LetterSolution));
}

TEST_F(CommandEnabling, WhileSearching) {
    setMode(kSearching);
    EXPECT_TRUE(enabled(Cmd::Interrupt));
    EXPECT_TRUE(enabled(Cmd::PopupInterrupt));
    EXPECT_TRUE(enabled(Cmd::NextFirst));
    for (int id : {Cmd::FirstSolution, Cmd::NextSolution, Cmd::PreviousSolution, Cmd::LastSolution,
                   Cmd::DoneSolutions, Cmd::ShowSolutionsBw, Cmd::ShowSolutionsColour})
        EXPECT_FALSE(enabled(id)) << id;
    // Nothing may replace the Board under the search.
    EXPECT_FALSE(enabled(Cmd::FileNew));
    EXPECT_FALSE(enabled(Cmd::FileOpen));
    setMode(kInterruptRequested);
    EXPECT_FALSE(enabled(Cmd::Interrupt));
    EXPECT_FALSE(enabled(Cmd::FileNew));
}

TEST_F(CommandEnabling, WhileShowingSolutions) {
    setMode(kShowingSolutions);
    for (int id : {Cmd::FirstSolution, Cmd::NextSolution, Cmd::PreviousSolution, Cmd::LastSolution,
                   Cmd::DoneSolutions})
        EXPECT_TRUE(enabled(id)) << id;
    EXPECT_FALSE(enabled(Cmd::ShowSolutionsBw));
    EXPECT_FALSE(enabled(Cmd::Interrupt));
}

TEST_F(CommandEnabling, SolutionsAfterASearchWithSolutions) {
    fixture.view().m_state.solutionCount = 3;
    EXPECT_TRUE(enabled(Cmd::ShowSolutionsBw));
    EXPECT_TRUE(enabled(Cmd::ShowSolutionsColour));
    EXPECT_TRUE(enabled(Cmd::PopupShowSolutionsColour));
    setMode(kSearching);
    EXPECT_FALSE(enabled(Cmd::ShowSolutionsBw));
}

TEST_F(CommandEnabling, NewIsRefusedDuringASearch) {
    fixture.doc().m_nWidth = 5;
    setMode(kSearching);
    fixture.window().dispatch(Cmd::FileNew);
    EXPECT_EQ(fixture.doc().m_nWidth, 5);
    setMode(kEditing);
    fixture.window().dispatch(Cmd::FileNew);
    EXPECT_EQ(fixture.doc().m_nWidth, 8);
}

TEST_F(CommandEnabling, ClosingOnlyWhileEditing) {
    for (int mode : {kSearching, kInterruptRequested, kShowingSolutions}) {
        setMode(mode);
        QCloseEvent refused;
        QCoreApplication::sendEvent(&fixture.window(), &refused);
        EXPECT_FALSE(refused.isAccepted()) << mode;
    }
    setMode(kEditing);
    QCloseEvent accepted;
    QCoreApplication::sendEvent(&fixture.window(), &accepted);
    EXPECT_TRUE(accepted.isAccepted());
}

TEST_F(CommandEnabling, QuitDuringASearchWaitsForItsEnd) {
    setMode(kSearching);
    fixture.window().requestQuit();
    EXPECT_TRUE(fixture.window().platform().quitPending());
    // A Quit event (the session ending) is held back the same way.
    fixture.window().platform().setQuitPending(false);
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(qApp, &quit);
    EXPECT_TRUE(fixture.window().platform().quitPending());
    fixture.window().platform().setQuitPending(false);
}

TEST_F(CommandEnabling, KeysWithoutAHandlerDoNothing) {
    for (int id : {Cmd::EditCopy, Cmd::EditCut, Cmd::EditPaste, Cmd::EditUndo, Cmd::Help, Cmd::ContextHelp,
                   Cmd::NextPane, Cmd::PrevPane})
        EXPECT_FALSE(fixture.window().commandStateFor(id).enabled) << id;
    const auto before = fixture.doc().m_cells;
    fixture.window().dispatch(Cmd::EditPaste);
    EXPECT_EQ(fixture.doc().m_cells, before);
}

}  // namespace
