// "Veld > Vorm...": the dialog says what a shape gives or why it cannot be made, and OK makes it the
// Board's open region.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "app/board_shape_dialog.h"
#include "tests/app/gui_test_support.h"
#include "view/command_ids.h"

namespace {

TEST(BoardShapeDialog, TheChosenShapeBecomesTheOpenRegionAndChangesTheDocument) {
    guitest::WindowFixture fixture;
    fixture.view().m_nFillColour = 2;  // green
    guitest::onNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<BoardShapeDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->kindBox()->setCurrentIndex(1);  // a hexagon, 3, 4, 3, 4, 3, 4 to start with
        dialog->sizeBox(5)->setValue(5);
        EXPECT_FALSE(dialog->okButton()->isEnabled());
        EXPECT_TRUE(dialog->resultLine()->text().contains("sluiten niet"))
            << dialog->resultLine()->text().toStdString();
        dialog->sizeBox(5)->setValue(4);
        dialog->holeBox()->setCurrentIndex(2);  // six cells round the centre: there are none
        EXPECT_FALSE(dialog->okButton()->isEnabled());
        dialog->holeBox()->setCurrentIndex(1);
        EXPECT_TRUE(
            dialog->resultLine()->text().startsWith("72 open vakjes; het veld wordt minstens 13 bij 8"));
        EXPECT_TRUE(dialog->okButton()->isEnabled());
        dialog->okButton()->click();
    });
    fixture.window().dispatch(Cmd::BoardShape);
    EXPECT_EQ(fixture.doc().CountOpenCells().total, 72);
    EXPECT_EQ(fixture.doc().rowLength(), 15);
    EXPECT_EQ(fixture.doc().cell(0, 0), 67);
    EXPECT_TRUE(fixture.view().m_bModified);
    fixture.view().ViewMode = kShowingSolutions;
    EXPECT_FALSE(fixture.window().commandStateFor(Cmd::BoardShape).enabled);
    fixture.view().ViewMode = kEditing;
}

}  // namespace
