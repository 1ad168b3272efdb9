// The bundled piece files hold the standard free polyiamond sets: every free shape of its sizes exactly
// once. Shapes are rebuilt from the lines by the lattice rules and compared under the twelve lattice
// symmetries, independently of the program's orientation generator, which is then checked against them.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>

#include "pieces/piece_file_reader.h"
#include "pieces/piece_lines.h"
#include "pieces/piece_set.h"
#include "pieces/standard_piece_sets.h"
#include "platform/headless_platform.h"
#include "tests/support/test_support.h"

namespace {

using polyiamonds::Cell;
using polyiamonds::Shape;

std::vector<std::string> linesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

Shape shapeOf(const std::string& links) {
    // A line with the given links, 1 copy, n from the number of links.
    int n = links.empty() ? 1 : static_cast<int>((links.size() + 1) / 3) + 1;
    std::string line = "XX   1 " + std::to_string(n) + (links.empty() ? "" : " " + links);
    return polyiamonds::shapeOfLine(line);
}

TEST(PolyiamondGeometry, NeighboursAreMutualAndOfTheOtherDirection) {
    for (int x = -3; x <= 3; ++x)
        for (int y = -3; y <= 3; ++y) {
            Cell c{x, y};
            for (Cell d : polyiamonds::neighbours(c)) {
                EXPECT_NE(polyiamonds::pointsUp(c), polyiamonds::pointsUp(d));
                auto back = polyiamonds::neighbours(d);
                EXPECT_NE(std::find(back.begin(), back.end(), c), back.end());
            }
        }
}

TEST(PolyiamondGeometry, CentroidsRoundTripAndSymmetriesKeepAdjacency) {
    for (int x = -5; x <= 5; ++x)
        for (int y = -5; y <= 5; ++y) {
            Cell c{x, y};
            EXPECT_EQ(polyiamonds::cellOf(polyiamonds::centroid(c)), c);
            for (int s = 0; s < 12; ++s) {
                Cell image = polyiamonds::cellOf(polyiamonds::applySymmetry(polyiamonds::centroid(c), s));
                for (Cell d : polyiamonds::neighbours(c)) {
                    Cell dImage =
                        polyiamonds::cellOf(polyiamonds::applySymmetry(polyiamonds::centroid(d), s));
                    auto around = polyiamonds::neighbours(image);
                    EXPECT_NE(std::find(around.begin(), around.end(), dImage), around.end());
                }
            }
        }
}

TEST(PolyiamondGeometry, OrientationCountsOfKnownPieces) {
    // Numbers of distinct orientations of the example pieces.
    EXPECT_EQ(polyiamonds::images(shapeOf("")).size(), 2u);                 // one triangle
    EXPECT_EQ(polyiamonds::images(shapeOf("0R")).size(), 3u);               // two triangles
    EXPECT_EQ(polyiamonds::images(shapeOf("0R 1L")).size(), 6u);            // three in a row
    EXPECT_EQ(polyiamonds::images(shapeOf("0R 1O 2L")).size(), 6u);         // four, as in the worked example
    EXPECT_EQ(polyiamonds::images(shapeOf("0R 1O 2L 3R 4O")).size(), 1u);   // the hexagon
    EXPECT_EQ(polyiamonds::images(shapeOf("0R 1L 2R 3O 4L")).size(), 12u);  // no symmetry at all
}

TEST(PolyiamondGeometry, LinkChainsDescribeTheirShapes) {
    for (int n = 1; n <= 7; ++n)
        for (const Shape& shape : polyiamonds::freePolyiamonds(n)) {
            std::string line = polyiamonds::pieceLine("AB", 1, shape);
            EXPECT_EQ(polyiamonds::freeForm(polyiamonds::shapeOfLine(line)), shape) << line;
        }
}

TEST(PolyiamondGeometry, NumbersOfFreePolyiamonds) {
    const int known[] = {1, 1, 1, 3, 4, 12, 24, 66, 160};  // the published numbers
    for (int n = 1; n <= 9; ++n) EXPECT_EQ(polyiamonds::standardSetCount({n}), known[n - 1]) << n;
    EXPECT_EQ(polyiamonds::standardSetCount(*polyiamonds::parseSetSizes("4-6")), 3 + 4 + 12);
    for (const char* wrong : {"", "0", "10", "6-4", "4-", "-4", "a", "4-6,8", "4--6"})
        EXPECT_FALSE(polyiamonds::parseSetSizes(wrong)) << wrong;
}

TEST(PolyiamondGeometry, DrawnShapesComeBackFromTheirLinesAsDrawn) {
    // Every image of every heptiamond and of the two-triangle piece, apex-up first triangles included.
    for (int n : {2, 7})
        for (const Shape& shape : polyiamonds::freePolyiamonds(n))
            for (const Shape& image : polyiamonds::images(shape)) {
                const std::string line = polyiamonds::pieceLine("7Z", 3, image);
                Shape read = polyiamonds::shapeAsDrawn(polyiamonds::shapeOfLine(line));
                EXPECT_EQ(polyiamonds::normalise(read), image) << line;
                EXPECT_EQ(polyiamonds::pieceLine("7Z", 3, read), line);
            }
}

struct BundledSet {
    const char* file;
    std::vector<int> sizes;
    int copies;
};

void PrintTo(const BundledSet& set, std::ostream* os) {
    *os << set.file;
}

class BundledPieceFile : public testing::TestWithParam<BundledSet> {};

TEST_P(BundledPieceFile, HoldsEveryFreeShapeOfItsSizesOnce) {
    const BundledSet& set = GetParam();
    auto lines = linesOf(testsupport::examplesDir() + "/" + set.file);
    std::map<int, std::set<Shape>> found;  // by size
    std::set<std::string> labels;
    std::size_t expectedLines = 0;
    for (int size : set.sizes) expectedLines += polyiamonds::freePolyiamonds(size).size();
    ASSERT_EQ(lines.size(), expectedLines);
    for (const auto& line : lines) {
        int copies = 0;
        Shape shape = polyiamonds::shapeOfLine(line, &copies);
        ASSERT_FALSE(shape.empty()) << line;
        std::set<Cell> distinct(shape.begin(), shape.end());
        EXPECT_EQ(distinct.size(), shape.size()) << "two triangles on one place: " << line;
        EXPECT_EQ(copies, set.copies) << line;
        EXPECT_TRUE(labels.insert(line.substr(0, 2)).second) << "label used twice: " << line;
        EXPECT_TRUE(found[static_cast<int>(shape.size())].insert(polyiamonds::freeForm(shape)).second)
            << "same shape as an earlier line under the twelve symmetries: " << line;
    }
    for (int size : set.sizes) {
        auto all = polyiamonds::freePolyiamonds(size);
        EXPECT_EQ(found[size], std::set<Shape>(all.begin(), all.end())) << "size " << size;
    }
}

TEST_P(BundledPieceFile, IsTheStandardSetAndKeepsItsLinesThroughTheDesigner) {
    const BundledSet& set = GetParam();
    std::string text;
    for (const auto& line : polyiamonds::standardSetLines(set.sizes, set.copies)) text += line + '\n';
    EXPECT_EQ(text, testsupport::readText(testsupport::examplesDir() + "/" + set.file));
    for (const auto& line : linesOf(testsupport::examplesDir() + "/" + set.file)) {
        int copies = 0;
        Shape shape = polyiamonds::shapeAsDrawn(polyiamonds::shapeOfLine(line, &copies));
        EXPECT_EQ(polyiamonds::pieceLine(line.substr(0, 2), copies, shape), line);
    }
}

TEST_P(BundledPieceFile, ProgramReadsItWithTheSameOrientations) {
    const BundledSet& set = GetParam();
    std::string path = testsupport::examplesDir() + "/" + set.file;
    PieceSet pieces;
    HeadlessPlatform platform;
    ReadPieceFile(pieces, path, platform);
    EXPECT_TRUE(platform.messages.empty());
    auto lines = linesOf(path);
    ASSERT_EQ(pieces.m_nPieces, static_cast<int>(lines.size()));
    int triangles = 0;
    for (int p = 0; p < pieces.m_nPieces; ++p) {
        const Piece& piece = pieces.m_pieces[static_cast<std::size_t>(p)];
        Shape shape = polyiamonds::shapeOfLine(lines[static_cast<std::size_t>(p)]);
        auto images = polyiamonds::images(shape);
        EXPECT_EQ(piece.orientationCount, static_cast<int>(images.size()))
            << lines[static_cast<std::size_t>(p)];
        // Each of the program's orientations is one of the images, and no image is missing.
        std::set<Shape> programImages;
        for (int k = 0; k < piece.orientationCount; ++k) {
            Shape orientation;
            for (int t = 0; t < piece.triangleCount; ++t)
                orientation.push_back({piece.cells[k][t].x, piece.cells[k][t].y});
            programImages.insert(polyiamonds::normalise(orientation));
        }
        EXPECT_EQ(programImages, std::set<Shape>(images.begin(), images.end()));
        triangles += piece.copies * piece.triangleCount;
    }
    EXPECT_EQ(pieces.m_nPieceTriangles, triangles);
}

INSTANTIATE_TEST_SUITE_P(Examples, BundledPieceFile,
                         testing::Values(BundledSet{"tetriamonds.tzp", {4}, 1},
                                         BundledSet{"tetriamonds-x2.tzp", {4}, 2},
                                         BundledSet{"pentiamonds.tzp", {5}, 1},
                                         BundledSet{"hexiamonds.tzp", {6}, 1},
                                         BundledSet{"heptiamonds.tzp", {7}, 1},
                                         BundledSet{"polyiamonds-1-5.tzp", {1, 2, 3, 4, 5}, 1}),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             name = name.substr(0, name.find('.'));
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

}  // namespace
