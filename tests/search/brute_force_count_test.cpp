// An independent check of the search: a separate brute-force counter, written without the placement
// table, the cover masks or the orientation generator, must find as many tilings as the search.
//
// The counter turns each piece's base shape in the plane (centroids of the triangles rotated by
// multiples of 60 degrees about a lattice vertex and reflected), and covers the first uncovered cell
// in reading order with every shape and translation that fits, recursively. Copies of one piece are
// counted as distinguishable, which is the search's rule: a tiling that uses all k copies of a piece
// is found k! times.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>

#include "pieces/orientations.h"
#include "tests/search/search_fixture.h"

namespace {

using Shape = std::vector<CellPos>;
const double kRowHeight = std::sqrt(3.0);  // triangles of side 2

bool pointsDown(const CellPos& c) {
    return ((c.x + c.y) & 1) == 0;
}

// The centroid of a triangle: a down-pointing one has its flat edge at the top, a third of the way.
std::pair<double, double> centroid(const CellPos& c) {
    const double fraction = pointsDown(c) ? 1.0 / 3.0 : 2.0 / 3.0;
    return {c.x + 1.0, (c.y + fraction) * kRowHeight};
}

CellPos cellAt(double px, double py) {
    const double rows = py / kRowHeight;
    const int y = static_cast<int>(std::floor(rows));
    const bool down = rows - y < 0.5;
    const CellPos c{static_cast<int>(std::lround(px)) - 1, y};
    EXPECT_EQ(pointsDown(c), down) << "centroid off the lattice";
    return c;
}

Shape normalised(Shape shape) {
    int minX = shape[0].x, minY = shape[0].y;
    for (const CellPos& c : shape) {
        minX = std::min(minX, c.x);
        minY = std::min(minY, c.y);
    }
    const int dx = ((minX + minY) & 1) != 0 ? minX - 1 : minX;  // keep every triangle's direction
    for (CellPos& c : shape) c = {c.x - dx, c.y - minY};
    std::sort(shape.begin(), shape.end(),
              [](const CellPos& a, const CellPos& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
    return shape;
}

// The distinct shapes of a piece under the twelve symmetries of the triangle lattice.
std::vector<Shape> symmetries(const Shape& base) {
    std::vector<Shape> distinct;
    const double pi = std::acos(-1.0);
    for (int mirror = 0; mirror < 2; ++mirror) {
        for (int turn = 0; turn < 6; ++turn) {
            const double angle = turn * pi / 3.0;
            Shape shape;
            for (const CellPos& c : base) {
                auto [px, py] = centroid(c);
                if (mirror == 1) px = -px;
                shape.push_back(cellAt(px * std::cos(angle) - py * std::sin(angle),
                                       px * std::sin(angle) + py * std::cos(angle)));
            }
            shape = normalised(shape);
            if (std::find(distinct.begin(), distinct.end(), shape) == distinct.end())
                distinct.push_back(shape);
        }
    }
    return distinct;
}

struct BruteForce {
    std::vector<std::string> rows;  // '.' open
    std::vector<std::vector<Shape>> shapes;
    std::vector<int> copies;
    std::set<std::pair<int, int>> covered;

    bool free(int x, int y) const {
        return y >= 0 && y < static_cast<int>(rows.size()) && x >= 0 &&
               x < static_cast<int>(rows[0].size()) &&
               rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '.' &&
               !covered.count({x, y});
    }

    long long count() {
        int fx = -1, fy = -1;
        for (int y = 0; y < static_cast<int>(rows.size()) && fx < 0; ++y)
            for (int x = 0; x < static_cast<int>(rows[0].size()); ++x)
                if (free(x, y)) {
                    fx = x;
                    fy = y;
                    break;
                }
        if (fx < 0) return 1;
        long long total = 0;
        for (std::size_t p = 0; p < shapes.size(); ++p) {
            if (copies[p] == 0) continue;
            for (const Shape& shape : shapes[p]) {
                for (const CellPos& anchor : shape) {
                    const int dx = fx - anchor.x, dy = fy - anchor.y;
                    if (((dx + dy) & 1) != 0) continue;  // a shift that would turn triangles over
                    bool fits = true;
                    for (const CellPos& c : shape) fits = fits && free(c.x + dx, c.y + dy);
                    if (!fits) continue;
                    for (const CellPos& c : shape) covered.insert({c.x + dx, c.y + dy});
                    const int left = copies[p]--;
                    total += left * count();  // any one of the copies left can lie here
                    ++copies[p];
                    for (const CellPos& c : shape) covered.erase({c.x + dx, c.y + dy});
                }
            }
        }
        return total;
    }
};

// A piece as its piece-file links describe it; orientations by the program's generator.
Piece linkedPiece(const std::string& label, int copies, const std::vector<std::pair<int, char>>& links) {
    Piece piece;
    piece.label[0] = label[0];
    piece.label[1] = label[1];
    piece.copies = copies;
    piece.triangleCount = static_cast<int>(links.size()) + 1;
    for (std::size_t j = 0; j < links.size(); ++j)
        piece.links[j] = {static_cast<std::uint8_t>(links[j].first),
                          static_cast<std::uint8_t>(std::string("ROL").find(links[j].second))};
    GenerateOrientations(piece);
    return piece;
}

Shape baseShape(const Piece& piece) {
    return Shape(piece.cells[0], piece.cells[0] + piece.triangleCount);
}

struct Case {
    std::vector<std::string> rows;
    std::vector<Piece> pieces;
};

long long searchCount(const Case& c) {
    searchtest::SearchSetup s;
    testsupport::drawBoard(s.board, c.rows);
    testsupport::setPieces(s.pieces, c.pieces);
    s.run();
    return static_cast<long long>(s.hooks.solutions.size());
}

long long bruteCount(const Case& c) {
    BruteForce brute;
    brute.rows = c.rows;
    for (const Piece& piece : c.pieces) {
        // Only the base shape is taken from the piece; the counter makes its own turns and mirrors.
        brute.shapes.push_back(symmetries(baseShape(piece)));
        brute.copies.push_back(piece.copies);
    }
    return brute.count();
}

Piece mono(int copies) {
    return linkedPiece("M1", copies, {});
}
Piece domino(int copies) {
    return linkedPiece("D2", copies, {{0, 'R'}});
}
Piece triamond(int copies) {
    return linkedPiece("T3", copies, {{0, 'R'}, {1, 'L'}});
}
Piece bar4(int copies) {
    return linkedPiece("I4", copies, {{0, 'R'}, {1, 'L'}, {2, 'R'}});
}
Piece chevron4(int copies) {
    return linkedPiece("C4", copies, {{0, 'R'}, {1, 'O'}, {2, 'L'}});
}
Piece star4(int copies) {
    return linkedPiece("Y4", copies, {{0, 'R'}, {0, 'O'}, {0, 'L'}});
}

TEST(BruteForceCount, TheCounterKnowsTheLatticeSymmetries) {
    EXPECT_EQ(symmetries({{0, 0}}).size(), 2u);
    EXPECT_EQ(symmetries(baseShape(domino(1))).size(), 3u);
    EXPECT_EQ(symmetries(baseShape(triamond(1))).size(), 6u);
    EXPECT_EQ(symmetries(baseShape(star4(1))).size(), 2u);
    EXPECT_EQ(symmetries(baseShape(chevron4(1))).size(), 6u);
    BruteForce hexagon{{"#...#", "#...#"}, {symmetries({{1, 0}, {2, 0}})}, {3}, {}};
    EXPECT_EQ(hexagon.count(), 12);  // two tilings, 3! orders each
}

TEST(BruteForceCount, AgreesWithTheSearchOnFixedBoards) {
    const std::vector<Case> cases = {
        {{"#...#", "#...#"}, {domino(3)}},
        {{"#...#", "#...#"}, {domino(1), domino(1), domino(1)}},
        {{"#......", "......#"}, {domino(6)}},
        {{"#......", "......#", "#......"}, {triamond(6)}},
        {{"#......", "......#", "#......"}, {domino(3), triamond(4)}},
        {{".......", "#.....#"}, {mono(1), domino(2), triamond(1), chevron4(1)}},
        {{".......", "......."}, {bar4(1), chevron4(1), star4(1), mono(2)}},
        {{"#........", "........#"}, {bar4(1), chevron4(1), star4(1), mono(4)}},
        {{"##.....", "#.....#", "#.....#", "##...##"},
         {star4(1), chevron4(1), bar4(1), triamond(2), domino(1)}},
        {{"#...#", ".....", ".....", "#...#"}, {domino(5), triamond(2)}},
        {{".......", "......."}, {domino(7)}},    // odd rows side by side: no tiling
        {{"#......", "......#"}, {chevron4(3)}},  // no tiling
        {{".#...", "....."}, {domino(4)}},        // a corner cell that nothing covers
    };
    std::vector<long long> counts;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        counts.push_back(bruteCount(cases[i]));
        EXPECT_EQ(searchCount(cases[i]), counts.back()) << "case " << i;
    }
    // The counter's own results where they are known by hand: two tilings of the hexagon, 3! orders each.
    EXPECT_EQ(counts[0], 12);
    EXPECT_EQ(counts[1], 12);
    EXPECT_EQ(std::count(counts.begin(), counts.end(), 0), 3);
}

// Connected regions of 12 cells grown at random (fixed seeds) inside a field of row length 9 and 4 rows.
std::vector<std::string> randomRegion(std::mt19937& random) {
    std::vector<std::string> rows(4, std::string(9, '#'));
    std::vector<CellPos> region{{static_cast<int>(random() % 9), static_cast<int>(random() % 4)}};
    rows[static_cast<std::size_t>(region[0].y)][static_cast<std::size_t>(region[0].x)] = '.';
    while (region.size() < 12) {
        const CellPos from = region[random() % region.size()];
        const int vertical = pointsDown(from) ? -1 : 1;
        const CellPos neighbours[3] = {
            {from.x - 1, from.y}, {from.x + 1, from.y}, {from.x, from.y + vertical}};
        const CellPos next = neighbours[random() % 3];
        if (next.x < 0 || next.x >= 9 || next.y < 0 || next.y >= 4) continue;
        char& cell = rows[static_cast<std::size_t>(next.y)][static_cast<std::size_t>(next.x)];
        if (cell == '.') continue;
        cell = '.';
        region.push_back(next);
    }
    return rows;
}

TEST(BruteForceCount, AgreesWithTheSearchOnRandomRegions) {
    std::mt19937 random(20240611u);
    const std::vector<std::vector<Piece>> sets = {
        {domino(6)},
        {domino(3), triamond(2)},
        {bar4(1), chevron4(1), star4(1)},
        {mono(1), domino(2), triamond(1), chevron4(1)},
    };
    int nonZero = 0;
    for (int round = 0; round < 12; ++round) {
        const auto rows = randomRegion(random);
        for (std::size_t set = 0; set < sets.size(); ++set) {
            const Case c{rows, sets[set]};
            const long long expected = bruteCount(c);
            EXPECT_EQ(searchCount(c), expected) << "round " << round << " set " << set;
            nonZero += expected > 0;
        }
    }
    EXPECT_GE(nonZero, 10);  // the regions are not all untileable
}

}  // namespace
