// Paging through solutions with the keys of the accelerator table, and the popups per ViewMode.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "app/qt_platform.h"
#include "app/view_widget.h"
#include "tests/app/gui_test_support.h"
#include "tests/support/hand_pieces.h"
#include "view/command_ids.h"

namespace {

using testsupport::dominoPiece;

void appendInt(std::vector<std::uint8_t>& bytes, std::int32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> shift));
}

class Browsing : public ::testing::Test {
  protected:
    testsupport::TempDir dir;
    guitest::WindowFixture fixture;

    void SetUp() override {
        testsupport::hexagonBoard(fixture.doc());
        testsupport::setPieces(fixture.doc(),
                               {dominoPiece("A1", 1), dominoPiece("B2", 1), dominoPiece("C3", 1)});
        fixture.doc().m_szPieceFile = "stukken.tzp";
        fixture.redraw();
        // Five solutions of the hexagon, the two tilings in turn: blocks of a count and three records.
        const std::vector<std::array<std::int32_t, 4>> a = {{0, 0, 0, 0}, {1, 2, 2, 0}, {2, 1, 1, 1}};
        const std::vector<std::array<std::int32_t, 4>> b = {{0, 2, 0, 0}, {1, 1, 2, 0}, {2, 0, 1, 1}};
        std::vector<std::uint8_t> bytes;
        for (const auto* block : {&a, &b, &a, &b, &a}) {
            appendInt(bytes, 3);
            for (const auto& record : *block)
                for (std::int32_t v : record) appendInt(bytes, v);
        }
        fixture.view().m_szSolutionName = dir.file("trianzoid0506.opb");
        testsupport::writeBytes(fixture.view().m_szSolutionName, bytes);
        fixture.view().m_state.solutionCount = 5;
        fixture.view().m_nSolutionPieces = 3;
    }
    QString status() { return fixture.window().pane(0)->text(); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(fixture.window().windowHandle(), key, modifiers);
    }
    int beeps() { return fixture.window().platform().beepCount(); }
};

TEST_F(Browsing, FiveSolutionsWithTheKeysAndTheEnds) {
    fixture.window().dispatch(Cmd::ShowSolutionsColour);
    EXPECT_EQ(fixture.view().ViewMode, kShowingSolutions);
    EXPECT_EQ(status(), "Oplossing 1/5");
    // The first solution is drawn in its colours: piece 0 (yellow) covers cell (1, 0).
    EXPECT_EQ(fixture.window().viewWidget()->picture().pixelColor(fixture.cellCentre(1, 0)),
              QColor(255, 255, 0));
    key(Qt::Key_End);
    EXPECT_EQ(status(), "Oplossing 5/5");
    key(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(status(), "Oplossing 5/5");
    EXPECT_EQ(beeps(), 1);
    key(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(status(), "Oplossing 4/5");
    key(Qt::Key_Home);
    EXPECT_EQ(status(), "Oplossing 1/5");
    key(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(status(), "Oplossing 1/5");
    EXPECT_EQ(beeps(), 2);
    key(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(status(), "Oplossing 2/5");
    // The plus of the main keyboard is not the grey plus.
    key(Qt::Key_Plus);
    EXPECT_EQ(status(), "Oplossing 2/5");
    fixture.window().dispatch(Cmd::DoneSolutions);
    EXPECT_EQ(fixture.view().ViewMode, kEditing);
    EXPECT_EQ(fixture.doc().cell(1, 0), kOpenCell);
}

TEST_F(Browsing, BlackAndWhiteHasAWhiteWindow) {
    fixture.window().dispatch(Cmd::PopupShowSolutionsBw);
    fixture.window().viewWidget()->redrawNow();
    const QImage picture = fixture.window().viewWidget()->picture();
    EXPECT_EQ(picture.pixelColor(620, 460), QColor(255, 255, 255));
    EXPECT_EQ(picture.pixelColor(fixture.cellCentre(1, 0)), QColor(255, 255, 255));
    fixture.window().dispatch(Cmd::DoneSolutions);
}

TEST_F(Browsing, KeysDoNothingWhileEditing) {
    key(Qt::Key_End);
    EXPECT_EQ(fixture.view().ViewMode, kEditing);
    EXPECT_NE(status(), "Oplossing 5/5");
}

// The popup the view shows, found while it is open, and where.
struct ShownPopup {
    QMenu* menu = nullptr;
    QPoint position;
};

ShownPopup popupAfter(std::function<void()> request) {
    ShownPopup shown;
    QTimer::singleShot(50, [&shown] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            shown.menu = menu;
            shown.position = menu->pos();
            menu->close();
        }
    });
    request();
    QTest::qWait(100);
    return shown;
}

TEST_F(Browsing, PopupsPerMode) {
    ViewWidget* view = fixture.window().viewWidget();
    auto keyboardRequest = [view] {
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(-1, -1),
                                view->mapToGlobal(QPoint(-1, -1)));
        QCoreApplication::sendEvent(view, &event);
    };
    auto mouseRequest = [view] {
        QTest::mouseClick(view, Qt::RightButton, Qt::NoModifier, QPoint(300, 200));
    };

    EXPECT_EQ(popupAfter(keyboardRequest).menu, fixture.window().editingContextMenu());
    EXPECT_EQ(popupAfter(keyboardRequest).position, view->mapToGlobal(QPoint(5, 5)));
    EXPECT_EQ(popupAfter(mouseRequest).position, view->mapToGlobal(QPoint(300, 200)));
    fixture.view().ViewMode = kSearching;
    EXPECT_EQ(popupAfter(mouseRequest).menu, fixture.window().editingContextMenu());
    fixture.view().ViewMode = kInterruptRequested;
    EXPECT_EQ(popupAfter(mouseRequest).menu, nullptr);
    EXPECT_EQ(popupAfter(keyboardRequest).menu, nullptr);
    fixture.view().ViewMode = kShowingSolutions;
    EXPECT_EQ(popupAfter(mouseRequest).menu, fixture.window().solutionsContextMenu());
    fixture.view().ViewMode = kEditing;
}

TEST_F(Browsing, PopupEntriesFollowTheEnablingRules) {
    fixture.window().editingContextMenu()->aboutToShow();
    auto enabled = [&](int id) {
        for (QAction* action : fixture.window().editingContextMenu()->actions())
            if (action->data().toInt() == id) return action->isEnabled();
        ADD_FAILURE() << id;
        return false;
    };
    EXPECT_TRUE(enabled(Cmd::PopupSearch));  // the hexagon is ready
    EXPECT_FALSE(enabled(Cmd::PopupInterrupt));
    EXPECT_TRUE(enabled(Cmd::PopupShowSolutionsColour));
    EXPECT_TRUE(enabled(Cmd::ShowPieces));
}

}  // namespace
