// What the piece designer says about a design, and the file it saves.
#include <gtest/gtest.h>

#include "pieces/piece_design.h"
#include "pieces/piece_file_reader.h"
#include "platform/headless_platform.h"
#include "tests/support/test_support.h"

namespace {

const polyiamonds::Shape kBar{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}};  // six in a row

TEST(PieceDesign, SaysWhatKeepsItFromBeingSavedAndWhatIsOnlyWorthSaying) {
    polyiamonds::Shape turnedBar = polyiamonds::transformed(kBar, 4);
    std::vector<DesignedPiece> design{{"6A", 1, kBar}, {"6B", 2, turnedBar}};
    EXPECT_EQ(checkDesign(design).errors, std::vector<std::string>{});
    EXPECT_EQ(checkDesign(design).notes, std::vector<std::string>{"6B: zelfde vorm als 6A"});

    polyiamonds::Shape ten = kBar;
    for (int x = 6; x < 10; ++x) ten.push_back({x, 0});
    design = {{"6A", 1, kBar}, {"6A", 64, {{0, 0}, {4, 0}}}, {"  ", 1, ten}, {"X", 1, {}}};
    EXPECT_EQ(
        checkDesign(design).errors,
        (std::vector<std::string>{"naam 6A twee keer gebruikt", "6A: exemplaren van 0 tot en met 63",
                                  "6A: driehoekjes niet met een zijde verbonden", "trianzoid 3: geen naam",
                                  "trianzoid 3: meer dan 9 driehoekjes (10)", "X: geen driehoekjes"}));
    design.assign(65, {"7Z", 1, kBar});
    EXPECT_EQ(checkDesign(design).errors.back(), "meer dan 64 trianzoids (65)");
}

TEST(PieceDesign, TheFileReadsBackAsTheSamePieces) {
    testsupport::TempDir dir;
    std::vector<DesignedPiece> design = standardSetDesign({4});
    design.push_back({"Z ", 3, polyiamonds::transformed(kBar, 2)});
    testsupport::writeText(dir.file("set.tzp"), pieceFileText(design));
    PieceSet read;
    HeadlessPlatform platform;
    ReadPieceFile(read, dir.file("set.tzp"), platform);
    ASSERT_EQ(read.m_nPieces, 4);
    EXPECT_EQ(read.m_pieces[3].orientationCount, 6);  // the bar: a half turn maps it onto itself
    const std::vector<DesignedPiece> back = designOf(read);
    for (std::size_t i = 0; i < design.size(); ++i) {
        EXPECT_EQ(back[i].label, design[i].label);
        EXPECT_EQ(back[i].copies, design[i].copies);
        EXPECT_EQ(polyiamonds::normalise(back[i].shape), polyiamonds::normalise(design[i].shape));
    }
    EXPECT_EQ(freeLabel(design), "A1");
    design[0].label = "A1";
    EXPECT_EQ(freeLabel(design), "A2");
}

}  // namespace
