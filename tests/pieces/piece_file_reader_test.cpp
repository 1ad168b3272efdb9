#include <gtest/gtest.h>

#include "pieces/orientations.h"
#include "pieces/piece_file_reader.h"
#include "platform/headless_platform.h"
#include "tests/support/test_support.h"

namespace {

class PieceFileReader : public ::testing::Test {
  protected:
    // Writes `text` to a piece file and reads it.
    void read(const std::string& text) {
        path = dir.file("stukken.tzp");
        testsupport::writeText(path, text);
        ReadPieceFile(pieces, path, platform);
    }
    void expectIncorrect(const std::string& line) {
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, "Bestand " + path + " incorrect\nRegel: " + line);
        EXPECT_EQ(platform.messages[0].caption, "Oei");
        EXPECT_EQ(platform.messages[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(platform.messages[0].icon, MessageIcon::None);
        EXPECT_EQ(pieces.m_nPieces, 0);
        EXPECT_EQ(pieces.m_nPieceTriangles, 0);
        EXPECT_EQ(pieces.m_szPieceFile, path);
    }

    testsupport::TempDir dir;
    std::string path;
    PieceSet pieces;
    HeadlessPlatform platform;
};

TEST_F(PieceFileReader, ReadsTheExampleLines) {
    read("A1   1 4 0R 1O 2L\nZ9   2 1\n");
    EXPECT_TRUE(platform.messages.empty());
    ASSERT_EQ(pieces.m_nPieces, 2);
    EXPECT_EQ(pieces.m_nPieceTriangles, 1 * 4 + 2 * 1);
    const Piece& a1 = pieces.m_pieces[0];
    EXPECT_EQ(labelText(a1), "A1");
    EXPECT_EQ(a1.copies, 1);
    EXPECT_EQ(a1.triangleCount, 4);
    EXPECT_EQ(a1.orientationCount, 6);
    EXPECT_EQ(a1.colorNumber, 0);
    EXPECT_EQ((a1.cells[0][0]), (CellPos{2, 0}));
    const Piece& z9 = pieces.m_pieces[1];
    EXPECT_EQ(labelText(z9), "Z9");
    EXPECT_EQ(z9.copies, 2);
    EXPECT_EQ(z9.orientationCount, 2);
    EXPECT_EQ(z9.colorNumber, 1);
}

TEST_F(PieceFileReader, LineEndsAndLastLineWithoutEnd) {
    read("A1   1 4 0r 1o 2l\r\nZ9   2 1");
    ASSERT_EQ(pieces.m_nPieces, 2);
    PieceSet unixStyle;
    testsupport::writeText(dir.file("b.tzp"), "A1   1 4 0R 1O 2L\nZ9   2 1\n");
    ReadPieceFile(unixStyle, dir.file("b.tzp"), platform);
    for (int k = 0; k < 6; ++k)
        for (int t = 0; t < 4; ++t)
            EXPECT_EQ(pieces.m_pieces[0].cells[k][t], unixStyle.m_pieces[0].cells[k][t]);
    EXPECT_EQ(pieces.m_pieces[1].copies, 2);
}

TEST_F(PieceFileReader, EmptyFileStoresThePathAndNoPieces) {
    pieces.m_nPieces = 5;
    read("");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(pieces.m_nPieces, 0);
    EXPECT_EQ(pieces.m_nPieceTriangles, 0);
    EXPECT_EQ(pieces.m_szPieceFile, path);
}

TEST_F(PieceFileReader, MissingFileChangesNothing) {
    pieces.m_szPieceFile = "oud.tzp";
    pieces.m_nPieces = 3;
    pieces.m_nPieceTriangles = 12;
    ReadPieceFile(pieces, dir.file("weg.tzp"), platform);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Bestand " + dir.file("weg.tzp") + " is er niet");
    EXPECT_EQ(platform.messages[0].caption, "Oei");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(pieces.m_szPieceFile, "oud.tzp");
    EXPECT_EQ(pieces.m_nPieces, 3);
    EXPECT_EQ(pieces.m_nPieceTriangles, 12);
    // A folder is missing too: it opens for reading here, but is no empty piece file.
    ReadPieceFile(pieces, dir.path().string(), platform);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].text, "Bestand " + dir.path().string() + " is er niet");
    EXPECT_EQ(pieces.m_nPieces, 3);
}

TEST_F(PieceFileReader, TriangleCountNotADigit) {
    read("A1   1 4 0R 1O 2L\nB2   1 x\n");
    expectIncorrect("B2   1 x\n");
}

TEST_F(PieceFileReader, ParentMustBeAnEarlierTriangle) {
    read("A1   1 3 1R 0O\n");
    expectIncorrect("A1   1 3 1R 0O\n");
}

TEST_F(PieceFileReader, DirectionLetterMustBeROrOOrL) {
    read("A1   1 3 0R 1X\n");
    expectIncorrect("A1   1 3 0R 1X\n");
}

TEST_F(PieceFileReader, LineEndWhereALinkShouldBeIsIncorrect) {
    read("A1   1 3 0R\n");
    expectIncorrect("A1   1 3 0R\n");
}

TEST_F(PieceFileReader, ShortLinesAreIncorrectAndNeverParsedFromAnEarlierLine) {
    // An empty line holds only its line end; a line of six characters does not reach column 8.
    read("A1   1 4 0R 1O 2L\n\n");
    expectIncorrect("\n");
    platform.messages.clear();
    read("A1   1 4 0R 1O 2L\nB2   1\n");
    expectIncorrect("B2   1\n");
}

TEST_F(PieceFileReader, SixtyFourLinesAreAcceptedASixtyFifthIsNot) {
    std::string text;
    for (int i = 0; i < 64; ++i) {
        text += 'P';
        text += static_cast<char>('0' + i % 10);
        text += "   1 1\n";
    }
    read(text);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(pieces.m_nPieces, 64);
    EXPECT_EQ(pieces.m_pieces[63].colorNumber, 63);
    read(text + "XX   1 2 0R\n");
    expectIncorrect("XX   1 2 0R\n");
}

TEST_F(PieceFileReader, CopiesAreReadLikeAtoi) {
    // A blank in column 4 and the digits 1, 2, 3, 2 in columns 5 to 8: copies run on to 1232, n is 2.
    read("AB  1232 0R\n");
    ASSERT_EQ(pieces.m_nPieces, 1);
    EXPECT_EQ(pieces.m_pieces[0].copies, 1232);
    EXPECT_EQ(pieces.m_pieces[0].triangleCount, 2);
    EXPECT_EQ(pieces.m_nPieceTriangles, 2464);

    read("AB  -2 3 0R 1L\nCD   1 1\n");
    EXPECT_EQ(pieces.m_pieces[0].copies, -2);
    EXPECT_EQ(pieces.m_nPieceTriangles, -6 + 1);

    // With one triangle nothing follows column 8, so the number may run on far beyond it; a value too
    // large for an int saturates instead of overflowing, and so does the total.
    read("AB  999199999999999999999\nCD   5 1\n");
    ASSERT_EQ(pieces.m_nPieces, 2);
    EXPECT_EQ(pieces.m_pieces[0].triangleCount, 1);
    EXPECT_EQ(pieces.m_pieces[0].copies, 2147483647);
    EXPECT_EQ(pieces.m_nPieceTriangles, 2147483647);
}

TEST_F(PieceFileReader, LongLinesAreSplitIntoPiecesOf98) {
    // 98 characters then the rest: the rest is a line of its own, here an incorrect one.
    std::string first = "A1   1 1" + std::string(90, ' ');
    ASSERT_EQ(first.size(), 98u);
    read(first + "tail\n");
    expectIncorrect("tail\n");
}

TEST_F(PieceFileReader, RereadingRestoresWhatTheDialogChanged) {
    read("A1   3 2 0R\n");
    pieces.m_pieces[0].copies = 7;
    pieces.m_pieces[0].colorNumber = 40;
    pieces.m_pieces[0].participates[1] = 0;
    ReadPieceFile(pieces, path, platform);
    EXPECT_EQ(pieces.m_pieces[0].copies, 3);
    EXPECT_EQ(pieces.m_pieces[0].colorNumber, 0);
    EXPECT_EQ(pieces.m_pieces[0].participates[1], 1);
}

TEST(PieceLabel, EndsAtANul) {
    Piece piece;
    piece.label[0] = 'Q';
    piece.label[1] = '\0';
    EXPECT_EQ(labelText(piece), "Q");
}

}  // namespace
