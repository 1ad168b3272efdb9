// Board shapes in words: reading them, their regions and holes, and placing them on a Board.
#include <gtest/gtest.h>

#include "board/board_shape.h"
#include "board/shape_on_board.h"

namespace {

ShapeLayout layoutOf(const std::string& text) {
    ParsedBoardShape parsed = parseBoardShape(text);
    EXPECT_EQ(parsed.error, "") << text;
    EXPECT_EQ(boardShapeText(parsed.shape), text);
    return layOutShape(parsed.shape);
}

TEST(BoardShape, TextsThatCannotBeReadSayWhy) {
    for (const char* wrong :
         {"", "circle 3", "parallelogram 6", "parallelogram 0x4", "parallelogram 6x6x6", "hexagon 1,2,3",
          "hexagon 3,4,3,4,3,5", "hexagon 0,2,2,0,2,2", "triangle", "triangle -3", "triangle 3 hole 1",
          "triangle 3 hole 1,2,3", "triangle 3 hole x,1", "triangle 3 gat", "triangle 3 hole 1,1 hole"})
        EXPECT_NE(parseBoardShape(wrong).error, "") << wrong;
    EXPECT_NE(parseBoardShape("hexagon 3,4,3,4,3,5").error.find("sluiten niet"), std::string::npos);
}

TEST(BoardShape, RegionsHolesAndTheSmallestBoard) {
    struct Case {
        const char* text;
        int cells, width, height;  // 0 cells: refused
    };
    for (const Case& c : std::initializer_list<Case>{{"parallelogram 9x4", 72, 11, 6},
                                                     {"parallelogram 29x2", 116, 30, 6},
                                                     {"parallelogram 30x1", 0, 0, 0},
                                                     {"triangle 30", 900, 30, 30},
                                                     {"triangle 31", 0, 0, 0},
                                                     {"hexagon 8,2,2,8,2,2", 72, 10, 6},
                                                     {"triangle 4 hole", 15, 4, 6},
                                                     {"triangle 3 hole", 0, 0, 0},
                                                     {"triangle 3 hexhole", 3, 4, 6},
                                                     {"hexagon 2,2,2,2,2,2 hexhole", 18, 4, 6},
                                                     {"parallelogram 6x6 hole", 0, 0, 0},
                                                     {"parallelogram 6x6 hexhole", 66, 9, 6},
                                                     {"hexagon 3,4,3,4,3,4 hole", 72, 7, 8},
                                                     {"parallelogram 3x2 hole 0,0", 11, 4, 6},
                                                     {"parallelogram 3x2 hole 0,1", 0, 0, 0}}) {
        ShapeLayout layout = layoutOf(c.text);
        EXPECT_EQ(layout.error.empty(), c.cells > 0) << c.text << ": " << layout.error;
        if (c.cells == 0) continue;
        EXPECT_EQ(static_cast<int>(layout.region.size()), c.cells) << c.text;
        EXPECT_EQ(layout.width, c.width) << c.text;
        EXPECT_EQ(layout.height, c.height) << c.text;
    }
}

TEST(BoardShape, PlacedCentredInTheBoardMadeLargerWhereNeeded) {
    Board board;  // 15 x 8
    const ShapeLayout small = layoutOf("hexagon 2,2,2,2,2,2");
    placeShapeCentred(board, small, 67);
    EXPECT_EQ(board.m_nWidth, 8);
    EXPECT_EQ(board.m_nHeight, 8);
    EXPECT_EQ(board.CountOpenCells().total, 24);
    int left = 99, right = 0, top = 99, bottom = 0;
    for (int col = 0; col < board.rowLength(); ++col)
        for (int row = 0; row < board.m_nHeight; ++row) {
            EXPECT_TRUE(board.cell(col, row) == kOpenCell || board.cell(col, row) == 67);
            if (board.cell(col, row) != kOpenCell) continue;
            left = std::min(left, col), right = std::max(right, col);
            top = std::min(top, row), bottom = std::max(bottom, row);
        }
    EXPECT_LE(std::abs(left - (board.rowLength() - 1 - right)), 1);
    EXPECT_EQ(top, board.m_nHeight - 1 - bottom);
    // The same region, shifted so that every triangle keeps its direction.
    int minX = 99;
    for (CellPos c : small.region) minX = std::min(minX, c.x);
    const int dx = left - minX, dy = top;
    EXPECT_EQ((dx + dy) % 2, 0);
    for (CellPos c : small.region) EXPECT_EQ(board.cell(c.x + dx, c.y + dy), kOpenCell);

    placeShapeCentred(board, layoutOf("triangle 20"), 65);
    EXPECT_EQ(board.rowLength(), 39);
    EXPECT_EQ(board.m_nHeight, 20);
    EXPECT_EQ(board.CountOpenCells().total, 400);
}

}  // namespace
