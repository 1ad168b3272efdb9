#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "pieces/orientations.h"

namespace {

using Cells = std::vector<std::pair<int, int>>;

// A piece from its links written as in a piece file: "0R 1O 2L".
Piece pieceFromLinks(std::vector<std::pair<int, char>> links) {
    Piece piece;
    piece.triangleCount = static_cast<int>(links.size()) + 1;
    for (std::size_t j = 0; j < links.size(); ++j) {
        const char letter = links[j].second;
        piece.links[j] = {static_cast<std::uint8_t>(links[j].first),
                          static_cast<std::uint8_t>(letter == 'R'   ? 0
                                                    : letter == 'O' ? 1
                                                                    : 2)};
    }
    return piece;
}

Cells orientation(const Piece& piece, int k) {
    Cells cells;
    for (int t = 0; t < piece.triangleCount; ++t)
        cells.emplace_back(piece.cells[k][t].x, piece.cells[k][t].y);
    return cells;
}

TEST(Orientations, FourTriangleExampleGivesSixInOrder) {
    Piece piece = pieceFromLinks({{0, 'R'}, {1, 'O'}, {2, 'L'}});
    ASSERT_EQ(GenerateOrientations(piece), 6);
    EXPECT_EQ(piece.orientationCount, 6);
    EXPECT_EQ(orientation(piece, 0), (Cells{{2, 0}, {1, 0}, {1, 1}, {2, 1}}));
    EXPECT_EQ(orientation(piece, 1), (Cells{{0, 0}, {1, 0}, {1, 1}, {0, 1}}));
    EXPECT_EQ(orientation(piece, 2), (Cells{{3, 1}, {3, 0}, {2, 0}, {1, 0}}));
    EXPECT_EQ(orientation(piece, 3), (Cells{{1, 1}, {1, 0}, {2, 0}, {3, 0}}));
    EXPECT_EQ(orientation(piece, 4), (Cells{{1, 1}, {2, 1}, {3, 1}, {3, 0}}));
    EXPECT_EQ(orientation(piece, 5), (Cells{{3, 1}, {2, 1}, {1, 1}, {1, 0}}));
    EXPECT_EQ(piece.parityImbalance, 0);
}

TEST(Orientations, SmallPiecesAndTheirParity) {
    Piece single = pieceFromLinks({});
    ASSERT_EQ(GenerateOrientations(single), 2);
    EXPECT_EQ(orientation(single, 0), (Cells{{0, 0}}));
    EXPECT_EQ(orientation(single, 1), (Cells{{1, 0}}));
    EXPECT_EQ(single.parityImbalance, 1);

    Piece two = pieceFromLinks({{0, 'R'}});
    ASSERT_EQ(GenerateOrientations(two), 3);
    EXPECT_EQ(orientation(two, 0), (Cells{{2, 0}, {1, 0}}));
    EXPECT_EQ(orientation(two, 1), (Cells{{0, 0}, {1, 0}}));
    EXPECT_EQ(orientation(two, 2), (Cells{{1, 1}, {1, 0}}));
    EXPECT_EQ(two.parityImbalance, 0);

    Piece three = pieceFromLinks({{0, 'R'}, {1, 'L'}});
    ASSERT_EQ(GenerateOrientations(three), 6);
    EXPECT_EQ(orientation(three, 0), (Cells{{2, 0}, {1, 0}, {0, 0}}));
    EXPECT_EQ(three.parityImbalance, 1);
}

TEST(Orientations, HexagonHasOneAndAsymmetricPieceTwelve) {
    Piece hexagon = pieceFromLinks({{0, 'R'}, {1, 'O'}, {2, 'L'}, {3, 'R'}, {4, 'O'}});
    ASSERT_EQ(GenerateOrientations(hexagon), 1);
    EXPECT_EQ(orientation(hexagon, 0), (Cells{{2, 0}, {1, 0}, {1, 1}, {2, 1}, {3, 1}, {3, 0}}));
    EXPECT_EQ(hexagon.parityImbalance, 0);

    Piece asymmetric = pieceFromLinks({{0, 'R'}, {1, 'L'}, {2, 'R'}, {3, 'O'}, {4, 'L'}});
    EXPECT_EQ(GenerateOrientations(asymmetric), 12);
}

TEST(Orientations, EveryOrientationIsNormalisedDistinctAndKeepsTheLinks) {
    Piece piece = pieceFromLinks({{0, 'R'}, {1, 'L'}, {2, 'R'}, {3, 'O'}, {4, 'L'}, {0, 'O'}});
    const Piece before = piece;
    const int count = GenerateOrientations(piece);
    for (int j = 0; j + 1 < piece.triangleCount; ++j) {
        EXPECT_EQ(piece.links[j].parent, before.links[j].parent);
        EXPECT_EQ(piece.links[j].direction, before.links[j].direction);
    }
    std::set<std::set<std::pair<int, int>>> shapes;
    for (int k = 0; k < count; ++k) {
        EXPECT_EQ(piece.participates[k], 1);
        int minX = 99, minY = 99;
        for (auto [x, y] : orientation(piece, k)) minX = std::min(minX, x), minY = std::min(minY, y);
        EXPECT_EQ(minY, 0) << k;
        EXPECT_TRUE(minX == 0 || minX == 1) << k;
        auto cells = orientation(piece, k);
        shapes.insert({cells.begin(), cells.end()});
    }
    EXPECT_EQ(static_cast<int>(shapes.size()), count);
    // Orientation 0 always has triangle 0 apex-down (x + y even).
    EXPECT_EQ((piece.cells[0][0].x + piece.cells[0][0].y) % 2, 0);
}

TEST(Orientations, OverlappingLinksAreProcessedWithoutFailure) {
    // 0R then 1R leads back onto triangle 0's position; the piece is kept as read.
    Piece piece = pieceFromLinks({{0, 'R'}, {1, 'R'}});
    const int count = GenerateOrientations(piece);
    EXPECT_GE(count, 1);
    EXPECT_LE(count, 12);
    EXPECT_EQ(piece.cells[0][0], piece.cells[0][2]);
}

TEST(Orientations, DuplicateTestComparesSetsWhateverTheOrder) {
    Piece piece;
    piece.triangleCount = 2;
    piece.cells[0][0] = {0, 0};
    piece.cells[0][1] = {1, 0};
    piece.cells[1][0] = {1, 0};
    piece.cells[1][1] = {0, 0};
    piece.cells[2][0] = {1, 0};
    piece.cells[2][1] = {2, 0};
    EXPECT_FALSE(IsDuplicateOrientation(piece, 0));
    EXPECT_TRUE(IsDuplicateOrientation(piece, 1));
    EXPECT_FALSE(IsDuplicateOrientation(piece, 2));
}

}  // namespace
