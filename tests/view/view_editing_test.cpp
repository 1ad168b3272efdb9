#include <gtest/gtest.h>

#include "platform/headless_platform.h"
#include "tests/view/view_fixture.h"
#include "view/command_ids.h"
#include "view/trianzoid_view.h"

namespace {

class ViewEditing : public ::testing::Test {
  protected:
    void SetUp() override {
        CTrianzoidView::s_nLastColumn = 0;
        CTrianzoidView::s_nLastRow = 0;
        RecordingSurface screen;
        view.OnDraw(screen, {0, 0, 640, 480});  // S 64, h 55, margin 30
    }
    // The centre of cell (col, row) on screen.
    Point centre(int col, int row) const {
        const auto v = CellVertices(view.m_geometry, doc.m_nMargin, col, row);
        return {(v[0].x + v[1].x + v[2].x) / 3, (v[0].y + v[1].y + v[2].y) / 3};
    }
    int cellsWithValue(int value) const {
        int n = 0;
        for (auto c : doc.m_cells) n += c == value;
        return n;
    }

    CTrianzoidDoc doc;
    HeadlessPlatform platform;
    testsupport::FakeClock clock;
    CTrianzoidView view{doc, platform, clock};
};

TEST_F(ViewEditing, ClickBlocksInTheFillColourAndClickAgainOpens) {
    view.m_nFillColour = 3;  // blue
    view.OnLButtonUp(0, centre(5, 3));
    EXPECT_EQ(doc.cell(5, 3), 68);
    EXPECT_TRUE(view.m_bModified);
    EXPECT_EQ(cellsWithValue(68), 1);
    EXPECT_EQ(platform.panes[0], "Aantal beschikbare driehoeken: 119");
    view.OnLButtonUp(0, centre(5, 3));
    EXPECT_EQ(doc.cell(5, 3), 64);
    doc.cell(6, 3) = 12;  // covered
    view.OnLButtonUp(0, centre(6, 3));
    EXPECT_EQ(doc.cell(6, 3), 64);
    EXPECT_EQ(CTrianzoidView::s_nLastColumn, 6);
    EXPECT_EQ(CTrianzoidView::s_nLastRow, 3);
}

TEST_F(ViewEditing, CtrlClickMirrorsIntoFourCells) {
    view.OnLButtonUp(MK_CONTROL, centre(0, 0));
    EXPECT_EQ(doc.cell(0, 0), 65);
    EXPECT_EQ(doc.cell(14, 0), 65);
    EXPECT_EQ(doc.cell(0, 7), 65);
    EXPECT_EQ(doc.cell(14, 7), 65);
    EXPECT_EQ(cellsWithValue(65), 4);
}

TEST_F(ViewEditing, FirstShiftClickFillsFromTheTopLeftCorner) {
    view.OnLButtonUp(MK_SHIFT, centre(2, 1));
    for (int c = 0; c <= 2; ++c)
        for (int r = 0; r <= 1; ++r) EXPECT_EQ(doc.cell(c, r), 65) << c << "," << r;
    EXPECT_EQ(cellsWithValue(65), 6);
}

TEST_F(ViewEditing, ShiftClickOnABlockedCellOpensTheWholeRectangle) {
    doc.cell(1, 1) = 66;
    doc.cell(3, 2) = 5;
    doc.cell(4, 2) = 67;
    CTrianzoidView::s_nLastColumn = 1;
    CTrianzoidView::s_nLastRow = 1;
    view.OnLButtonUp(MK_SHIFT, centre(4, 2));
    for (int c = 1; c <= 4; ++c)
        for (int r = 1; r <= 2; ++r) EXPECT_EQ(doc.cell(c, r), 64);
}

TEST_F(ViewEditing, AnchorOutsideTheActiveAreaIsClipped) {
    CTrianzoidView::s_nLastColumn = 40;  // left over from a larger Board
    CTrianzoidView::s_nLastRow = 25;
    view.OnLButtonUp(MK_SHIFT | MK_CONTROL, centre(10, 5));
    // Columns 10 .. 14 and rows 5 .. 7, mirrored: columns 0 .. 4 and 10 .. 14 by rows 0 .. 2 and 5 .. 7.
    EXPECT_EQ(cellsWithValue(65), 60);
    for (int c = 15; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r) ASSERT_EQ(doc.cell(c, r), 64) << c << "," << r;
    for (int c = 0; c < 15; ++c)
        for (int r = 8; r < BOARD_ROWS; ++r) ASSERT_EQ(doc.cell(c, r), 64) << c << "," << r;
}

TEST_F(ViewEditing, ClicksThatHitNothingChangeNothing) {
    CTrianzoidView::s_nLastColumn = 3;
    CTrianzoidView::s_nLastRow = 4;
    // Left of row 2's first triangle, in the margin.
    const auto first = CellVertices(view.m_geometry, 30, 0, 2);
    view.OnLButtonUp(0, {first[0].x - 3, first[0].y + 2});
    // Above row 0 by less than one row height.
    view.OnLButtonUp(0, {100, 15 - 20});
    // Below the last row.
    view.OnLButtonUp(0, {100, 15 + 8 * 55 + 5});
    EXPECT_EQ(cellsWithValue(64), BOARD_CELLS);
    EXPECT_FALSE(view.m_bModified);
    EXPECT_EQ(CTrianzoidView::s_nLastColumn, 3);
    EXPECT_EQ(CTrianzoidView::s_nLastRow, 4);
}

TEST_F(ViewEditing, SharedEdgeGoesToTheLowerColumn) {
    // (0,0) points down, (1,0) up; they share the edge from (79,15) to (47,70).
    view.OnLButtonUp(0, {63, 42});
    EXPECT_EQ(doc.cell(0, 0), 65);
    EXPECT_EQ(doc.cell(1, 0), 64);
}

TEST_F(ViewEditing, NothingHappensOutsideEditingOrWithoutABoardOnScreen) {
    view.ViewMode = kShowingSolutions;
    view.OnLButtonUp(0, centre(1, 1));
    view.ViewMode = kEditing;
    view.m_geometry.m_nTriHeight = 0;
    view.OnLButtonUp(0, centre(1, 1));
    EXPECT_EQ(doc.cell(1, 1), 64);
}

TEST_F(ViewEditing, FieldDataRounding) {
    view.applyFieldData({59, 30, 400});
    EXPECT_EQ(doc.m_nWidth, 30);
    EXPECT_EQ(doc.m_nHeight, 30);
    EXPECT_EQ(doc.m_nMargin, 400);
    view.applyFieldData({5, 5, 2});
    EXPECT_EQ(doc.m_nWidth, 3);
    EXPECT_EQ(doc.m_nHeight, 6);
    EXPECT_EQ(doc.m_nMargin, 2);
    view.applyFieldData({6, 29, 2});
    EXPECT_EQ(doc.rowLength(), 5);
    EXPECT_EQ(doc.m_nHeight, 30);
}

TEST_F(ViewEditing, FieldDataDialogOnlyWhenEditingAndCancelChangesNothing) {
    int runs = 0;
    view.OnFieldData([&](FieldData& data) {
        ++runs;
        EXPECT_EQ(data.rowLength, 15);
        EXPECT_EQ(data.rows, 8);
        EXPECT_EQ(data.marginPixels, 30);
        data.rowLength = 9;
        return false;
    });
    EXPECT_EQ(doc.m_nWidth, 8);
    view.ViewMode = kSearching;
    view.OnFieldData([&](FieldData&) { return ++runs, true; });
    EXPECT_EQ(runs, 1);
}

TEST_F(ViewEditing, SmallerThenLargerBoardShowsTheOldCellsAgain) {
    doc.cell(14, 7) = 67;
    view.applyFieldData({9, 6, 30});
    view.applyFieldData({15, 8, 30});
    EXPECT_EQ(doc.cell(14, 7), 67);
}

TEST_F(ViewEditing, BackgroundColourAndClearCommands) {
    platform.coloursToChoose.push_back(Rgb{1, 2, 3});
    view.OnCommand(Cmd::BackgroundColour);
    EXPECT_EQ(doc.m_crBackground, (Rgb{1, 2, 3}));
    view.OnCommand(Cmd::BackgroundColour);  // cancelled
    EXPECT_EQ(doc.m_crBackground, (Rgb{1, 2, 3}));

    doc.cell(0, 0) = 3;
    doc.cell(1, 0) = 66;
    view.ViewMode = kShowingSolutions;
    view.OnCommand(Cmd::ClearPieceCellsRedraw);  // acts only while editing
    EXPECT_EQ(doc.cell(0, 0), 3);
    view.ViewMode = kEditing;
    view.OnCommand(Cmd::ClearPieceCells);
    EXPECT_EQ(doc.cell(0, 0), 64);
    EXPECT_EQ(doc.cell(1, 0), 66);
    view.OnCommand(Cmd::ClearBoard);
    EXPECT_EQ(doc.cell(1, 0), 64);
}

// Changed: only mouse edits counted. Whatever changes what Save stores marks the document, so that New,
// Open and closing ask; the same values, the popup's removal of pieces and reading the piece file again
// when a document opens do not. The piece file dialog starts in the Board's folder, else in that of
// the piece file last opened, else among the examples.
TEST_F(ViewEditing, ChangesOfTheStoredBoardMarkTheDocumentAndThePieceFileDialogStartsNearIt) {
    testsupport::TempDir dir, examples, board;
    testsupport::writeText(dir.file("a.tzp"), "A1   2 2 0R\n");
    platform.coloursToChoose = {doc.m_crBackground, Rgb{1, 2, 3}};
    platform.filesToOpen = {dir.file("a.tzp"), dir.file("a.tzp")};
    view.m_strExamplesFolder = examples.path().string();
    doc.cell(1, 1) = 5;
    doc.cell(20, 3) = 66;  // outside the active area: "Veld schoonmaken" of the menu clears it too
    std::string marks, startedIn;
    for (int command : {Cmd::BackgroundColour, Cmd::BackgroundColour, Cmd::ClearPieceCellsRedraw,
                        Cmd::ClearBoard, Cmd::ClearBoard, Cmd::OpenPieceFile, Cmd::PopupOpenPieceFile}) {
        view.m_bModified = false;
        view.OnCommand(command);
        marks += view.m_bModified ? '1' : '0';
        startedIn += platform.lastFileDialogFolder + ";";
    }
    EXPECT_EQ(marks, "0101010");
    EXPECT_EQ(startedIn, ";;;;;" + examples.path().string() + ";" + dir.path().string() + ";");
    view.m_bModified = false;
    view.applyFieldData(view.fieldData());
    view.OnInitialUpdate(dir.file("veld.trz"));
    EXPECT_FALSE(view.m_bModified);
    view.applyFieldData({17, 8, 30});
    EXPECT_TRUE(view.m_bModified);
    view.m_strDocumentPath = board.file("veld.trz");
    platform.filesToOpen = {std::nullopt};
    view.OpenPieceFile();
    EXPECT_EQ(platform.lastFileDialogFolder, board.path().string());
}

TEST_F(ViewEditing, FillColourCommandsAndTheirCheckMarks) {
    EXPECT_TRUE(view.commandState(Cmd::FillGrey).checked);
    EXPECT_TRUE(view.commandState(Cmd::ToolFillGrey).checked);
    view.ViewMode = kSearching;  // fill colours work in every mode
    view.OnCommand(Cmd::ToolFillYellow);
    EXPECT_EQ(view.m_nFillColour, 4);
    EXPECT_TRUE(view.commandState(Cmd::FillYellow).checked);
    EXPECT_FALSE(view.commandState(Cmd::FillGrey).checked);
}

}  // namespace
