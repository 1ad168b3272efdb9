// The counts of distinct and symmetry-unique tilings against a brute-force enumeration of its own: it
// turns shapes by floating-point centroids, lists every tiling (or packing) as a set of placed shapes,
// finds the Board's symmetries by comparing placement sets, and takes orbits by minimal images.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>
#include <set>

#include "search/tiling_classes.h"
#include "tests/search/search_fixture.h"

namespace {

using Cells = std::vector<std::pair<int, int>>;  // (y, x), sorted: reading order
using Tiling = std::vector<std::pair<int, Cells>>;
const double kRow = std::sqrt(3.0);

Cells turned(int g, const Cells& cells) {  // g % 6 sixth turns after a mirror when g >= 6
    Cells out;
    const double a = (g % 6) * std::acos(-1.0) / 3.0;
    for (auto [y, x] : cells) {
        double px = x + 1.0, py = (y + (((x + y) & 1) == 0 ? 1.0 : 2.0) / 3.0) * kRow;
        if (g >= 6) px = -px;
        const double qx = px * std::cos(a) - py * std::sin(a), qy = px * std::sin(a) + py * std::cos(a);
        out.emplace_back(static_cast<int>(std::floor(qy / kRow)), static_cast<int>(std::lround(qx)) - 1);
    }
    std::sort(out.begin(), out.end());
    return out;
}
Cells shifted(Cells cells, int dy, int dx) {
    for (auto& c : cells) c = {c.first + dy, c.second + dx};
    return cells;
}
Cells normal(const Cells& cells) {  // to the top left corner, keeping every triangle's direction
    const int dy = -cells[0].first;
    const int dx = -std::min_element(cells.begin(), cells.end(), [](auto a, auto b) {
                        return a.second < b.second;
                    })->second;
    return shifted(cells, dy, dx + ((dx + dy) & 1));
}

struct Brute {
    Cells board;
    std::vector<std::set<Cells>> shapes;  // per kind
    std::vector<int> copies;
    int spare = 0;  // > 0 or == 0: packings, every copy placed; < 0: coverings
    std::set<Tiling> tilings;
    Tiling stack;
    std::vector<bool> covered;
    long long finds = 0;

    void run(std::size_t i, int skips) {
        while (i < board.size() && covered[i]) ++i;
        const bool allPlaced = std::all_of(copies.begin(), copies.end(), [](int c) { return c == 0; });
        if (spare >= 0 ? allPlaced : i == board.size()) {
            Tiling t = stack;
            std::sort(t.begin(), t.end());
            tilings.insert(t);
            return;
        }
        if (i == board.size()) return;
        if (skips > 0) run(i + 1, skips - 1);
        for (std::size_t k = 0; k < shapes.size(); ++k) {
            if (copies[k] == 0) continue;
            for (const Cells& s : shapes[k]) {
                const int dy = board[i].first - s[0].first, dx = board[i].second - s[0].second;
                if (((dx + dy) & 1) != 0) continue;  // a shift that would turn triangles over
                Cells c = shifted(s, dy, dx);
                std::vector<std::size_t> at;
                for (auto& cell : c) {
                    auto it = std::lower_bound(board.begin(), board.end(), cell);
                    if (it == board.end() || *it != cell ||
                        covered[static_cast<std::size_t>(it - board.begin())])
                        break;
                    at.push_back(static_cast<std::size_t>(it - board.begin()));
                }
                if (at.size() != c.size()) continue;
                for (auto n : at) covered[n] = true;
                --copies[k];
                stack.emplace_back(static_cast<int>(k), c);
                run(i + 1, skips);
                stack.pop_back();
                ++copies[k];
                for (auto n : at) covered[n] = false;
            }
        }
    }
    // Symmetry g followed by the shift that lays the Board's image onto the Board, when there is one.
    std::optional<std::pair<int, int>> shiftOf(int g) const {
        const Cells image = turned(g, board);
        const int dy = board[0].first - image[0].first, dx = board[0].second - image[0].second;
        if (((dx + dy) & 1) != 0 || shifted(image, dy, dx) != board) return std::nullopt;
        return std::pair{dy, dx};
    }
    std::set<Cells> fits(std::size_t k) const {
        std::set<Cells> all;
        for (const Cells& s : shapes[k])
            for (auto [y, x] : board) {
                Cells c = shifted(s, y - s[0].first, x - s[0].second);
                if (((y - s[0].first + x - s[0].second) & 1) == 0 &&
                    std::includes(board.begin(), board.end(), c.begin(), c.end()))
                    all.insert(c);
            }
        return all;
    }
    TilingCounts counts() {
        covered.assign(board.size(), false);
        run(0, std::max(spare, 0));
        std::vector<std::tuple<int, int, int>> group;
        for (int g = 0; g < 12; ++g) {
            auto shift = shiftOf(g);
            bool keeps = shift.has_value();
            for (std::size_t k = 0; keeps && k < shapes.size(); ++k) {
                std::set<Cells> image;
                for (const Cells& c : fits(k))
                    image.insert(shifted(turned(g, c), shift->first, shift->second));
                keeps = image == fits(k);
            }
            if (keeps) group.emplace_back(g, shift->first, shift->second);
        }
        std::set<Tiling> orbits;
        for (const Tiling& t : tilings) {
            Tiling least = t;
            for (auto [g, dy, dx] : group) {
                Tiling image;
                for (auto& [k, c] : t) image.emplace_back(k, shifted(turned(g, c), dy, dx));
                std::sort(image.begin(), image.end());
                least = std::min(least, image);
            }
            orbits.insert(least);
        }
        return {tilings.size(), orbits.size(), static_cast<int>(group.size()), false};
    }
};

// A random polyiamond of n triangles grown from one cell, and a random Board: cells whose centroids lie
// within a radius of a vertex, a triangle's centre, an edge's middle, or anywhere.
Cells grow(std::mt19937& r, std::size_t n, int width, int height, bool inside) {
    Cells cells{{static_cast<int>(r() % 3) + 1, static_cast<int>(r() % 3) + 1}};
    while (cells.size() < n) {
        auto [y, x] = cells[r() % cells.size()];
        const std::pair<int, int> next[3] = {{y, x - 1}, {y, x + 1}, {((x + y) & 1) == 0 ? y - 1 : y + 1, x}};
        auto c = next[r() % 3];
        if (inside && (c.first < 0 || c.first >= height || c.second < 0 || c.second >= width)) continue;
        if (std::find(cells.begin(), cells.end(), c) == cells.end()) cells.push_back(c);
    }
    std::sort(cells.begin(), cells.end());
    return cells;
}

TEST(TilingClasses, AgreeWithABruteForceEnumerationOnRandomBoards) {
    std::mt19937 r(15u);
    const std::pair<double, double> centres[3] = {
        {6.0, 3 * kRow}, {6.0, 3 * kRow + kRow / 3}, {6.5, 3 * kRow}};
    std::set<int> groupSizes;
    int withTilings = 0;
    int packingRounds = 0;
    for (int round = 0; round < 160; ++round) {
        Brute brute;
        if (round % 4 == 3) {
            brute.board = grow(r, 8 + r() % 8, 11, 6, true);
        } else {
            const auto [cx, cy] = centres[round % 4];
            const double radius = 1.0 + (r() % 100) / 60.0;
            for (int y = 0; y < 6; ++y)
                for (int x = 0; x < 11; ++x)
                    if (std::hypot(x + 1 - cx, (y + (((x + y) & 1) == 0 ? 1.0 : 2.0) / 3.0) * kRow - cy) <
                        radius)
                        brute.board.emplace_back(y, x);
        }
        searchtest::SearchSetup s;
        std::vector<std::string> rows(6, std::string(11, '#'));
        for (auto [y, x] : brute.board) rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = '.';
        testsupport::drawBoard(s.board, rows);
        // Pieces up to about the Board's size: some one-sided, some with a random orientation left out,
        // one shape sometimes in two slots; then a few cells spare, none, or too few.
        std::vector<Piece> pieces;
        std::vector<std::set<Cells>> allowed;
        int triangles = 0;
        const int target = static_cast<int>(brute.board.size()) - static_cast<int>(r() % 3) + 1;
        while (triangles < target - 1 && pieces.size() < 6) {
            const bool again = !pieces.empty() && r() % 4 == 0;
            Piece piece = again ? pieces.back() : Piece{};
            if (!again) {
                const Cells base = normal(grow(r, 1 + r() % 4, 0, 0, false));
                piece.triangleCount = static_cast<int>(base.size());
                piece.orientationCount = 1;
                for (std::size_t i = 0; i < base.size(); ++i)
                    piece.cells[0][i] = {base[i].second, base[i].first};
                piece.colorNumber = static_cast<int>(pieces.size());
                piece.label[0] = static_cast<char>('A' + pieces.size());
                // The program's own orientations, each allowed or not by the brute force's rule.
                const int rule = static_cast<int>(r() % 3);  // all, turns only, one left out
                std::set<Cells> shapes;
                for (int g = 0; g < 12; ++g)
                    if (rule == 0 || (rule == 1 && g < 6) || (rule == 2 && g != 5))
                        shapes.insert(normal(turned(g, base)));
                allowed.push_back(shapes);
            }
            piece.copies = 1 + static_cast<int>(r() % 2);
            if (again) allowed.push_back(allowed.back());
            triangles += piece.copies * piece.triangleCount;
            pieces.push_back(piece);
        }
        for (std::size_t p = 0; p < pieces.size(); ++p) {
            Piece& piece = pieces[p];
            std::set<Cells> all;
            for (int g = 0; g < 12; ++g) {
                Cells base;
                for (int i = 0; i < piece.triangleCount; ++i)
                    base.emplace_back(piece.cells[0][i].y, piece.cells[0][i].x);
                all.insert(normal(turned(g, base)));
            }
            piece.orientationCount = static_cast<int>(all.size());
            int o = 0;
            for (const Cells& shape : all) {
                for (std::size_t i = 0; i < shape.size(); ++i)
                    piece.cells[o][i] = {shape[i].second, shape[i].first};
                piece.participates[o++] = allowed[p].count(shape) ? 1 : 0;
            }
            auto kind = std::find(brute.shapes.begin(), brute.shapes.end(), allowed[p]);
            if (kind == brute.shapes.end()) {
                brute.shapes.push_back(allowed[p]);
                brute.copies.push_back(0);
                kind = brute.shapes.end() - 1;
            }
            brute.copies[static_cast<std::size_t>(kind - brute.shapes.begin())] += piece.copies;
        }
        brute.spare = static_cast<int>(brute.board.size()) - triangles;
        testsupport::setPieces(s.pieces, pieces);
        // Where cells are left over, every other round searches packings: every mode must then find all.
        const int spareCells = round % 2 == 1 ? std::max(brute.spare, 0) : 0;
        const bool exact = brute.spare <= 0 || spareCells > 0;
        packingRounds += spareCells > 0;
        s.prepare();
        s.state.spareCells = spareCells;
        s.engine().run();
        TilingClassCounter counter;
        counter.prepare(s.table, s.index, s.pieces.m_pieces, s.pieces.m_nPieces);
        for (const auto& solution : s.hooks.solutions) counter.add(solution);
        const TilingCounts found = counter.counts(exact);
        const TilingCounts expected = brute.counts();
        SCOPED_TRACE("round " + std::to_string(round) + ", spare " + std::to_string(brute.spare));
        EXPECT_EQ(found.symmetries, expected.symmetries);
        if (exact) {
            EXPECT_EQ(found.distinct, expected.distinct);
            EXPECT_EQ(found.unique, expected.unique);
        } else {
            EXPECT_TRUE(found.incomplete);
            EXPECT_LE(found.distinct, expected.distinct);
        }
        // Each tiling once: the copies pooled per class and every slot scanned once.
        s.hooks.solutions.clear();
        s.state.eachTilingOnce = true;
        poolInterchangeableCopies(s.pieces.m_pieces, counter.slotClasses());
        s.engine().run();
        TilingClassCounter once;
        once.prepare(s.table, s.index, s.pieces.m_pieces, s.pieces.m_nPieces);
        once.setEachTilingOnce(true);
        for (const auto& solution : s.hooks.solutions) once.add(solution);
        std::set<std::vector<int>> tilings;
        for (auto solution : s.hooks.solutions) {
            std::sort(solution.begin(), solution.end());
            tilings.insert(solution);
        }
        EXPECT_EQ(tilings.size(), s.hooks.solutions.size());  // never the same Placements twice
        if (exact) {
            EXPECT_EQ(once.counts(true).distinct, s.hooks.solutions.size());
            EXPECT_EQ(once.counts(true).distinct, expected.distinct);
            EXPECT_EQ(once.counts(true).unique, expected.unique);
        }
        // One tiling per symmetry class: a lone asymmetric piece kept to one Placement per orbit on an
        // exact fit or in a packing, or else the least image of every tiling.
        const PlacementTable whole = s.table;
        TilingClassCounter one;
        one.prepare(whole, s.index, s.pieces.m_pieces, s.pieces.m_nPieces);
        one.setOnePerSymmetryClass(true);
        const int single = brute.spare == 0 || spareCells > 0 ? one.asymmetricSingleClass() : -1;
        std::vector<int> origin;
        if (single >= 0)
            origin = keepPlacements(s.table, [&](int j) {
                return one.placementClass(j) != single || one.orbitRepresentative(j);
            });
        s.hooks.solutions.clear();
        s.engine().run();
        std::size_t recorded = 0;
        for (auto solution : s.hooks.solutions) {
            for (int& j : solution) j = single >= 0 ? origin[static_cast<std::size_t>(j)] : j;
            if (single < 0 && !one.canonicalTiling(solution)) continue;
            ++recorded;
            one.add(solution);
        }
        if (exact) {
            EXPECT_EQ(recorded, expected.unique);
            EXPECT_EQ(one.counts(true).distinct, expected.distinct);
            EXPECT_EQ(one.counts(true).unique, expected.unique);
        }
        groupSizes.insert(expected.symmetries);
        withTilings += expected.distinct > 0;
    }
    EXPECT_GE(withTilings, 40);
    EXPECT_GE(packingRounds, 20);
    EXPECT_TRUE(groupSizes.count(12) && groupSizes.count(6) && groupSizes.count(2)) << groupSizes.size();
}

}  // namespace
