#include <gtest/gtest.h>

#include <filesystem>

#include "board/trianzoid_doc.h"
#include "platform/headless_platform.h"
#include "tests/support/test_support.h"

namespace {

class PieceFileReload : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directory(dir.path() / "doc");
        testsupport::writeText(dir.file("doc/hex.tzp"), "A1   1 4 0R 1O 2L\nZ9   2 1\n");
        documentPath = dir.file("doc/veld.trz");
        doc.m_nPieces = 40;  // as stored in a document
        doc.m_nPieceTriangles = 99;
    }
    testsupport::TempDir dir;
    std::string documentPath;
    CTrianzoidDoc doc;
    HeadlessPlatform platform;
};

TEST_F(PieceFileReload, PathAsItStands) {
    doc.m_szPieceFile = dir.file("doc/hex.tzp");
    doc.reloadPieceFile(documentPath, platform);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(doc.m_nPieces, 2);
    EXPECT_EQ(doc.m_nPieceTriangles, 6);
}

TEST_F(PieceFileReload, RelativePathFoundBesideTheDocument) {
    doc.m_szPieceFile = "hex.tzp";
    doc.reloadPieceFile(documentPath, platform);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(doc.m_nPieces, 2);
    EXPECT_EQ(doc.m_szPieceFile, dir.file("doc/hex.tzp"));
}

TEST_F(PieceFileReload, PathFromAnotherSystemFoundByItsFileNameIgnoringCase) {
    doc.m_szPieceFile = "C:\\PUZZELS\\HEX.TZP";
    doc.reloadPieceFile(documentPath, platform);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(doc.m_nPieces, 2);
}

TEST_F(PieceFileReload, MissingFileIsReportedOnceAndLeavesNoPieces) {
    doc.m_szPieceFile = "/nergens/weg.tzp";
    doc.reloadPieceFile(documentPath, platform);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Bestand /nergens/weg.tzp is er niet");
    EXPECT_EQ(doc.m_nPieces, 0);
    EXPECT_EQ(doc.m_nPieceTriangles, 0);
    EXPECT_EQ(doc.m_szPieceFile, "/nergens/weg.tzp");
}

TEST_F(PieceFileReload, NoPieceFileReadsNothing) {
    doc.m_szPieceFile.clear();
    doc.reloadPieceFile(documentPath, platform);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(doc.m_nPieces, 40);
}

}  // namespace
