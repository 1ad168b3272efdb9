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
    ASSERT_TRUE(loadDocumentImage(loaded, documentImage(doc)));
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

// Changed: a short file filled only its own length, the rest kept from the Board shown before, and
// values no Board has were clamped. Such a file is refused whole and changes nothing.
TEST(DocumentImage, FilesThatAreNoBoardAreRefusedAndChangeNothing) {
    auto changed = [](std::size_t offset, std::vector<std::uint8_t> bytes, std::size_t size = 2054) {
        auto image = documentImage(CTrianzoidDoc{});
        std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
        image.resize(size, 0xFF);
        return image;
    };
    const std::pair<std::vector<std::uint8_t>, std::string> refused[] = {
        {changed(0, {}, 100), "het bestand is te kort (100 bytes, een veld heeft er 2054)"},
        {changed(0, {0, 0, 0, 8}), "de breedte 134217728 ligt niet tussen 3 en 30"},  // other byte order
        {changed(4, {31}), "het aantal rijen 31 ligt niet tussen 1 en 30"},
        {changed(12 + 2 * 30 + 5, {70}), "vakje 3 van rij 6 heeft de waarde 70, de hoogste is 69"},
        {changed(1786, std::vector<std::uint8_t>(260, 'a')),
         "de naam van het trianzoidbestand heeft geen afsluitende nul"},
        {changed(2046, {65}), "het aantal trianzoids 65 is meer dan 64"},
        {changed(2046, {1}), "het aantal trianzoids is 1 maar er is geen trianzoidbestand"},
    };
    CTrianzoidDoc doc;
    doc.cell(0, 0) = kFirstBlockedCell;
    const auto shown = documentImage(doc);
    for (const auto& [image, reason] : refused) {
        EXPECT_EQ(documentImageFault(image).value_or(""), reason);
        EXPECT_FALSE(loadDocumentImage(doc, image));
        EXPECT_EQ(documentImage(doc), shown) << reason;
    }
    // Opened: W 30, an odd height, a cell of 69, a margin brought into range; bytes beyond 2054 unread.
    ASSERT_TRUE(
        loadDocumentImage(doc, changed(0, {30, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 69}, 3000)));
    EXPECT_EQ(std::tuple(doc.rowLength(), doc.m_nHeight, doc.m_nMargin, int{doc.cell(0, 0)}),
              std::tuple(59, 1, 0, 69));
}

TEST(DocumentImage, OverlongPathKeepsTheFileName) {
    CTrianzoidDoc doc;
    doc.m_szPieceFile = "/" + std::string(300, 'd') + "/hexiamonds.tzp";
    CTrianzoidDoc loaded;
    ASSERT_TRUE(loadDocumentImage(loaded, documentImage(doc)));
    EXPECT_EQ(loaded.m_szPieceFile, "hexiamonds.tzp");
}

}  // namespace
