// trianzoid-solve --standard-pieces and --make-board: the bundled examples' bytes, and what is refused.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/cli/solver_process.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

std::string examplePath(const std::string& name) {
    return testsupport::examplesDir() + "/" + name;
}

TEST(MakePuzzle, WritesTheBundledPieceFilesAndBoards) {
    testsupport::TempDir dir;
    for (auto [sizes, file] : {std::pair{"6", "hexiamonds.tzp"}, {"1-5", "polyiamonds-1-5.tzp"}}) {
        auto result = solverprocess::run(dir.path().string(), {"--standard-pieces", sizes, "--to", file});
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        EXPECT_EQ(testsupport::readBytes(dir.file(file)), testsupport::readBytes(examplePath(file)));
    }
    struct Example {
        const char *board, *shape, *pieces;
    };
    const Example boards[] = {
        {"hexiamonds-6x6.trz", "parallelogram 6x6", "hexiamonds.tzp"},
        {"hexiamonds-4x9.trz", "parallelogram 9x4", "hexiamonds.tzp"},
        {"hexiamonds-3x12.trz", "parallelogram 12x3", "hexiamonds.tzp"},
        {"hexiamonds-hexagon-long.trz", "hexagon 8,2,2,8,2,2", "hexiamonds.tzp"},
        {"hexiamonds-spare-cells.trz", "hexagon 7,3,2,7,3,2", "hexiamonds.tzp"},
        {"hexiamonds-spare-cells-large.trz", "hexagon  4,4,3,5,3,4", "hexiamonds.tzp"},
        {"hexiamonds-hexagon-hole.trz", "hexagon 3,4,3,4,3,4 hole", "hexiamonds.tzp"},
        {"tetriamonds-x2-hexagon.trz", "hexagon 2,2,2,2,2,2", "tetriamonds-x2.tzp"},
        {"tetriamonds-3x2-impossible.trz", "parallelogram 3x2", "tetriamonds.tzp"},
    };
    for (auto [board, shape, pieces] : boards) {
        // Run in the examples' folder: the piece file is read there and its name stored as given.
        auto result = solverprocess::run(
            testsupport::examplesDir(),
            {"--make-board=" + std::string(shape), "--to", dir.file(board), "--pieces", pieces});
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        EXPECT_EQ(testsupport::readBytes(dir.file(board)), testsupport::readBytes(examplePath(board)))
            << board;
    }
}

TEST(MakePuzzle, RefusesWhatCannotBeMadeWithoutWritingAnything) {
    testsupport::TempDir dir;
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"--standard-pieces", "8", "--to", "p.tzp"}, "geven 66 trianzoids, meer dan de 64"},
        {{"--standard-pieces", "9", "--to", "p.tzp"}, "geven 160 trianzoids"},
        {{"--standard-pieces", "5-8", "--to", "p.tzp"}, "geven 106 trianzoids"},
        {{"--standard-pieces", "0-3", "--to", "p.tzp"}, "grootten van 1 tot en met 9"},
        {{"--standard-pieces", "6"}, "verwacht --to"},
        {{"--standard-pieces", "6", "--to", "p.tzp", "--pieces", "q.tzp"}, "niet (of niet twee keer)"},
        {{"--make-board", "circle 3", "--to", "v.trz"}, "onbekende vorm 'circle'"},
        {{"--make-board", "hexagon 1,2,3,4,5,6", "--to", "v.trz"}, "sluiten niet"},
        {{"--make-board", "parallelogram 6x6 hole", "--to", "v.trz"}, "geen vakje in het midden"},
        {{"--make-board", "triangle 31", "--to", "v.trz"}, "past niet"},
        {{"--make-board", "triangle 3", "--to", "v.trz", "--quiet"}, "'--quiet' gaat niet samen"},
        {{"--make-board", "triangle 3", "v.trz"}, "'v.trz' gaat niet samen"},
    };
    for (const auto& [arguments, message] : refused) {
        auto result = solverprocess::run(dir.path().string(), arguments);
        EXPECT_EQ(result.exitStatus, 2) << testing::PrintToString(arguments);
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    }
    auto missing = solverprocess::run(dir.path().string(),
                                      {"--make-board", "triangle 3", "--to", "v.trz", "--pieces", "x.tzp"});
    EXPECT_EQ(missing.exitStatus, 1);
    EXPECT_NE(missing.err.find("Bestand x.tzp is er niet"), std::string::npos) << missing.err;
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

}  // namespace
