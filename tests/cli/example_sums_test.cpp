// The solution files of every bundled example are those the program has always written, shown by their
// sums: on one thread and in two shards merged here, on two threads in the runs of
// bundled_examples_test.cpp (the examples it leaves out get theirs here too).
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/cli/example_sums.h"
#include "tests/cli/solver_process.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using examplesums::Sums;

class ExampleSums : public testing::TestWithParam<Sums> {};

TEST_P(ExampleSums, OneThreadTwoThreadsAndMergedShards) {
    const Sums& sums = GetParam();
    const std::string board = testsupport::examplesDir() + "/" + sums.board;
    testsupport::TempDir dir;
    auto solve = [&](const std::string& folder, std::vector<std::string> arguments) {
        fs::create_directories(dir.path() / folder);
        arguments.insert(arguments.begin(), {"--quiet", "--yes", "--output-dir", dir.file(folder)});
        const auto result = solverprocess::run(dir.path().string(), arguments);
        EXPECT_EQ(result.exitStatus, 0) << folder << ": " << result.err;
    };
    solve("one", {"--threads", "1", board});
    examplesums::expectSums(sums.board, dir.file("one"), "one thread");
    if (!sums.twoThreadsElsewhere) {
        solve("two", {"--threads", "2", board});
        examplesums::expectSums(sums.board, dir.file("two"), "two threads");
    }
    for (const char* shard : {"1/2", "2/2"}) solve("parts", {"--threads", "1", "--shard", shard, board});
    const std::string part = dir.file("parts/") + sums.base;
    solve("merged", {"--merge", part + ".deel1van2", part + ".deel2van2"});
    examplesums::expectSums(sums.board, dir.file("merged"), "two shards merged");
}

// A search for one tiling of each symmetry class keeps, of each class, the tiling whose Placements come
// first in the order of their cell sets: its files show that order has stayed as it always was.
TEST(ExampleSums, OneTilingPerSymmetryClass) {
    const std::pair<const char*, const char*> kUnique[] = {
        {"hexiamonds-6x6.trz", "7b9586f158349728a39ac2a049edcdb72c70a0365e7945f0430b663029705772"},
        {"hexiamonds-4x9.trz", "734fd9763fc62c55c3d178cb00225e9427ef83d60d2039b6ed2a547a8cf7d59f"},
        {"polyiamonds-1-5-bell.trz", "4b896fdc260f2891080b31aa485bc9bc232b4eab99a115a613357cc7bacac05d"},
        {"tetriamonds-x2-hexagon.trz", "2521ff989221a93499ab464fbdb310ba94a500ca03732818a1c19ef8fc67fb80"}};
    for (const auto& [board, opb] : kUnique) {
        testsupport::TempDir dir;
        const auto result = solverprocess::run(
            dir.path().string(), {"--quiet", "--yes", "--unique", "--threads", "1", "--output-dir",
                                  dir.path().string(), testsupport::examplesDir() + "/" + board});
        EXPECT_EQ(result.exitStatus, 0) << board << ": " << result.err;
        const std::string base = dir.file(examplesums::sumsOf(board)->base);
        EXPECT_EQ(examplesums::sha256(testsupport::readBytes(base + ".opb")), opb) << board;
    }
}

std::vector<Sums> examples(bool cheap) {
    std::vector<Sums> chosen;
    for (const Sums& sums : examplesums::kSums)
        if (sums.cheap == cheap) chosen.push_back(sums);
    return chosen;
}

std::string boardName(const testing::TestParamInfo<Sums>& info) {
    std::string name = info.param.board;
    name = name.substr(0, name.find('.'));
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleSums, testing::ValuesIn(examples(true)), boardName);
// Tens of seconds to minutes in a debug build: asked for with --gtest_also_run_disabled_tests.
INSTANTIATE_TEST_SUITE_P(DISABLED_Long, ExampleSums, testing::ValuesIn(examples(false)), boardName);

}  // namespace
