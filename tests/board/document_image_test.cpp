#include <gtest/gtest.h>

#include "board/document_image.h"
#include "board/trianzoid_doc.h"

namespace {

std::int32_t int32At(const std::vector<std::uint8_t>& image, std::size_t offset) {
    return static_cast<std::int32_t>(image[offset] | image[offset + 1] << 8 | image[offset + 2] << 16 |
                                     static_cast<std::uint32_t>(image[offset + 3]) << 24);
}

TEST(Board, NewDocumentDefaults) {
    CTrianzoidDoc doc;
    EXPECT_EQ(doc.m_nWidth, 8);
    EXPECT_EQ(doc.m_nHeight, 8);
    EXPECT_EQ(doc.m_nMargin, 30);
    EXPECT_EQ(doc.rowLength(), 15);
    EXPECT_EQ(doc.m_crBackground, (Rgb{174, 196, 176}));
    for (auto cell : doc.m_cells) ASSERT_EQ(cell, 64);
    const OpenCellCount open = doc.CountOpenCells();
    EXPECT_EQ(open.total, 120);
    EXPECT_EQ(open.down, 60);
    EXPECT_EQ(open.up, 60);
}

TEST(Board, OrientationOfCells) {
    EXPECT_TRUE(Board::pointsDown(0, 0));
    EXPECT_TRUE(Board::pointsDown(4, 0));
    EXPECT_FALSE(Board::pointsDown(4, 1));
    EXPECT_FALSE(Board::pointsDown(0, 1));
    EXPECT_TRUE(Board::pointsDown(0, 2));
}

TEST(Board, ClearPieceCellsTouchesOnlyCoveredCellsOfTheActiveArea) {
    Board board;
    board.cell(0, 0) = 0;
    board.cell(3, 2) = 63;
    board.cell(1, 1) = 65;
    board.cell(2, 2) = 69;
    board.cell(20, 2) = 5;  // outside the active area (row length 15)
    board.cell(0, 10) = 7;
    board.ClearPieceCells();
    EXPECT_EQ(board.cell(0, 0), 64);
    EXPECT_EQ(board.cell(3, 2), 64);
    EXPECT_EQ(board.cell(1, 1), 65);
    EXPECT_EQ(board.cell(2, 2), 69);
    EXPECT_EQ(board.cell(20, 2), 5);
    EXPECT_EQ(board.cell(0, 10), 7);
    board.ClearBoard();
    EXPECT_EQ(board.cell(20, 2), 64);
    EXPECT_EQ(board.cell(1, 1), 64);
}

TEST(DocumentImage, NewDocumentBytes) {
    CTrianzoidDoc doc;
    const auto image = documentImage(doc);
    ASSERT_EQ(image.size(), 2054u);
    const std::vector<std::uint8_t> head = {8, 0, 0, 0, 8, 0, 0, 0, 0x1E, 0, 0, 0};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), image.begin()));
    for (std::size_t i = 12; i < 12 + 1770; ++i) ASSERT_EQ(image[i], 0x40) << i;
    EXPECT_EQ(image[1782], 0xAE);
    EXPECT_EQ(image[1783], 0xC4);
    EXPECT_EQ(image[1784], 0xB0);
    EXPECT_EQ(image[1785], 0x00);
    EXPECT_EQ(image[1786], 0x00);
    EXPECT_EQ(int32At(image, 2046), 0);
    EXPECT_EQ(int32At(image, 2050), 0);
}

TEST(DocumentImage, FieldOffsets) {
    CTrianzoidDoc doc;
    doc.cell(14, 7) = 66;
    doc.cell(58, 29) = 68;
    doc.m_szPieceFile = "hex.tzp";
    doc.m_nPieces = 12;
    doc.m_nPieceTriangles = -72;
    doc.m_nMargin = 400;
    const auto image = documentImage(doc);
    EXPECT_EQ(image[439], 66);
    EXPECT_EQ(image[1781], 68);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&image[1786])), "hex.tzp");
    EXPECT_EQ(int32At(image, 8), 400);
    EXPECT_EQ(int32At(image, 2046), 12);
    EXPECT_EQ(int32At(image, 2050), -72);
}

TEST(DocumentImage, RoundTripKeepsEveryCellAndField) {
    CTrianzoidDoc doc;
    doc.m_nWidth = 30;
    doc.m_nHeight = 30;
    doc.m_nMargin = 2;
    doc.m_crBackground = {1, 2, 3};
    for (std::size_t i = 0; i < doc.m_cells.size(); ++i) doc.m_cells[i] = static_cast<std::uint8_t>(i % 70);
    doc.m_szPieceFile = "/home/puzzel/sets/hexiamonds.tzp";
    doc.m_nPieces = 12;
    doc.m_nPieceTriangles = 72;
    CTrianzoidDoc loaded;
    loadDocumentImage(loaded, documentImage(doc));
    EXPECT_EQ(loaded.m_nWidth, 30);
    EXPECT_EQ(loaded.m_nHeight, 30);
    EXPECT_EQ(loaded.m_nMargin, 2);
    EXPECT_EQ(loaded.m_crBackground, (Rgb{1, 2, 3}));
    EXPECT_EQ(loaded.m_cells, doc.m_cells);
    EXPECT_EQ(loaded.m_szPieceFile, doc.m_szPieceFile);
    EXPECT_EQ(loaded.m_nPieces, 12);
    EXPECT_EQ(loaded.m_nPieceTriangles, 72);
    EXPECT_EQ(documentImage(loaded), documentImage(doc));
}

TEST(DocumentImage, ShortFileFillsOnlyItsOwnLength) {
    CTrianzoidDoc doc;
    doc.m_nMargin = 50;
    doc.cell(0, 0) = 65;
    std::vector<std::uint8_t> bytes = {5, 0, 0, 0, 10, 0};  // width 5 and half of the height
    loadDocumentImage(doc, bytes);
    EXPECT_EQ(doc.m_nWidth, 5);
    EXPECT_EQ(doc.m_nHeight, 10);  // low bytes 10, 0 over the old 8, 0, 0, 0
    EXPECT_EQ(doc.m_nMargin, 50);
    EXPECT_EQ(doc.cell(0, 0), 65);

    std::vector<std::uint8_t> longer = documentImage(CTrianzoidDoc{});
    longer.resize(3000, 0x7F);
    loadDocumentImage(doc, longer);
    EXPECT_EQ(doc.m_nWidth, 8);
    EXPECT_EQ(doc.m_nMargin, 30);
}

TEST(DocumentImage, HostileValuesAreMadeSafe) {
    std::vector<std::uint8_t> image(2054, 0xFF);  // -1 everywhere, cells 255, no NUL in the path
    CTrianzoidDoc doc;
    loadDocumentImage(doc, image);
    EXPECT_GE(doc.m_nWidth, 3);
    EXPECT_LE(doc.rowLength(), BOARD_COLUMNS);
    EXPECT_GE(doc.m_nHeight, 1);
    EXPECT_LE(doc.m_nHeight, BOARD_ROWS);
    EXPECT_GE(doc.m_nMargin, 0);
    for (auto cell : doc.m_cells) ASSERT_LE(cell, 69);
    EXPECT_EQ(doc.m_szPieceFile.size(), 259u);
    EXPECT_EQ(doc.m_nPieces, 0);

    std::vector<std::uint8_t> huge = documentImage(CTrianzoidDoc{});
    huge[0] = 0xFF, huge[1] = 0xFF, huge[2] = 0xFF, huge[3] = 0x7F;  // width 2^31 - 1
    huge[4] = 31;                                                    // 31 rows
    huge[2046] = 200;                                                // 200 pieces
    loadDocumentImage(doc, huge);
    EXPECT_EQ(doc.rowLength(), 59);
    EXPECT_EQ(doc.m_nHeight, 30);
    EXPECT_EQ(doc.m_nPieces, 64);
}

TEST(DocumentImage, OverlongPathKeepsTheFileName) {
    CTrianzoidDoc doc;
    doc.m_szPieceFile = "/" + std::string(300, 'd') + "/hexiamonds.tzp";
    CTrianzoidDoc loaded;
    loadDocumentImage(loaded, documentImage(doc));
    EXPECT_EQ(loaded.m_szPieceFile, "hexiamonds.tzp");
}

}  // namespace
