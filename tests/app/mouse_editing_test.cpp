// Mouse edits through the window: the release of the left button on known cells of the default
// Board in a 640 x 480 view (S 64, h 55, margin 30).
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "app/view_widget.h"
#include "tests/app/gui_test_support.h"
#include "view/command_ids.h"

namespace {

class MouseEditing : public ::testing::Test {
  protected:
    guitest::WindowFixture fixture;

    void SetUp() override {
        CTrianzoidView::s_nLastColumn = 0;
        CTrianzoidView::s_nLastRow = 0;
    }
    // The cells of the active area that are not open, as (col, row, value).
    std::vector<std::tuple<int, int, int>> changed() {
        std::vector<std::tuple<int, int, int>> cells;
        for (int col = 0; col < fixture.doc().rowLength(); ++col)
            for (int row = 0; row < fixture.doc().m_nHeight; ++row)
                if (fixture.doc().cell(col, row) != kOpenCell)
                    cells.emplace_back(col, row, fixture.doc().cell(col, row));
        return cells;
    }
};

TEST_F(MouseEditing, ViewGeometryOfTheDefaultBoard) {
    EXPECT_EQ(fixture.window().viewWidget()->size(), QSize(640, 480));
    EXPECT_EQ(fixture.view().m_geometry.m_nSide, 64);
    EXPECT_EQ(fixture.view().m_geometry.m_nTriHeight, 55);
    EXPECT_EQ(fixture.cellCentre(0, 0), QPoint(47, 33));
}

TEST_F(MouseEditing, ClickBlocksAnOpenCellAndOpensItAgain) {
    fixture.window().dispatch(Cmd::FillGrey + 3);  // blue
    fixture.click(3, 2);
    EXPECT_EQ(changed(), (std::vector<std::tuple<int, int, int>>{{3, 2, 68}}));
    EXPECT_TRUE(fixture.view().m_bModified);
    fixture.click(3, 2);
    EXPECT_TRUE(changed().empty());
    // What is drawn is the Board: the cell's centre on screen is white again.
    const QPoint centre = fixture.cellCentre(3, 2);
    EXPECT_EQ(fixture.window().viewWidget()->picture().pixelColor(centre), QColor(255, 255, 255));
}

TEST_F(MouseEditing, ClickShowsAtOnceInTheFillColour) {
    fixture.window().dispatch(Cmd::FillGrey + 1);  // red
    fixture.click(5, 4);
    EXPECT_EQ(fixture.window().viewWidget()->picture().pixelColor(fixture.cellCentre(5, 4)),
              QColor(255, 0, 0));
    EXPECT_EQ(fixture.window().pane(0)->text(), "Aantal beschikbare driehoeken: 119");
    EXPECT_EQ(fixture.window().pane(1)->text(), "Par. = 1");
}

TEST_F(MouseEditing, CtrlClickMirrorsIntoFourCells) {
    fixture.click(0, 0, Qt::ControlModifier);
    EXPECT_EQ(changed(),
              (std::vector<std::tuple<int, int, int>>{{0, 0, 65}, {0, 7, 65}, {14, 0, 65}, {14, 7, 65}}));
}

TEST_F(MouseEditing, ShiftClickFillsTheRectangleFromTheAnchor) {
    // The first Shift-click after the start fills from (0, 0).
    fixture.click(2, 1, Qt::ShiftModifier);
    EXPECT_EQ(changed(), (std::vector<std::tuple<int, int, int>>{
                             {0, 0, 65}, {0, 1, 65}, {1, 0, 65}, {1, 1, 65}, {2, 0, 65}, {2, 1, 65}}));
    // A Shift-click on a blocked cell opens the whole rectangle from the new anchor (2, 1).
    fixture.click(0, 0, Qt::ShiftModifier);
    EXPECT_TRUE(changed().empty());
}

TEST_F(MouseEditing, CtrlShiftClickMirrorsTheRectangle) {
    fixture.click(1, 0);
    fixture.click(1, 0);  // anchor (1, 0), Board open again
    fixture.click(2, 1, Qt::ShiftModifier | Qt::ControlModifier);
    std::vector<std::tuple<int, int, int>> expected;
    for (int col : {1, 2, 12, 13})
        for (int row : {0, 1, 6, 7}) expected.emplace_back(col, row, 65);
    EXPECT_EQ(changed(), expected);
}

TEST_F(MouseEditing, ClickInTheMarginOrAboveTheBoardChangesNothing) {
    fixture.click(3, 3);
    fixture.click(3, 3);
    fixture.view().m_bModified = false;
    QTest::mouseClick(fixture.window().viewWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 100));
    QTest::mouseClick(fixture.window().viewWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 5));
    QTest::mouseClick(fixture.window().viewWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(600, 300));
    EXPECT_TRUE(changed().empty());
    EXPECT_FALSE(fixture.view().m_bModified);
    EXPECT_EQ(CTrianzoidView::s_nLastColumn, 3);
    EXPECT_EQ(CTrianzoidView::s_nLastRow, 3);
}

TEST_F(MouseEditing, OtherButtonsAndOtherModesDoNotEdit) {
    QTest::mouseClick(fixture.window().viewWidget(), Qt::MiddleButton, Qt::NoModifier,
                      fixture.cellCentre(4, 4));
    fixture.view().ViewMode = kShowingSolutions;
    fixture.click(4, 4);
    fixture.view().ViewMode = kEditing;
    EXPECT_TRUE(changed().empty());
}

TEST_F(MouseEditing, ClearCommandsAndBackground) {
    fixture.click(6, 6);
    fixture.doc().cell(7, 6) = 12;  // a covered cell
    fixture.window().dispatch(Cmd::ClearPieceCellsRedraw);
    EXPECT_EQ(changed(), (std::vector<std::tuple<int, int, int>>{{6, 6, 65}}));
    fixture.window().dispatch(Cmd::ClearBoard);
    EXPECT_TRUE(changed().empty());
    EXPECT_TRUE(fixture.window().viewWidget()->redrawPending());
}

}  // namespace
