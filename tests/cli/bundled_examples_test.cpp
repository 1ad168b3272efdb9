// trianzoid-solve on every bundled example: exit status, the count in the summary line, the solution
// files, and the count checked against an independent brute-force count of the tilings.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "tests/cli/example_files.h"
#include "tests/cli/example_sums.h"
#include "tests/cli/solver_process.h"
#include "tests/cli/tiling_counter.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

struct Example {
    const char* board;
    const char* pieceFile;
    std::int64_t solutions;  // as the solver counts them: tilings times the orders of identical copies
    std::int64_t unique;     // tilings up to the Board's symmetry (the 6 x 6 rhombus: the published 156)
    int symmetries;
};

void PrintTo(const Example& example, std::ostream* os) {
    *os << example.board;
}

const Example kExamples[] = {
    {"hexiamonds-6x6.trz", "hexiamonds.tzp", 624, 156, 4},
    {"hexiamonds-4x9.trz", "hexiamonds.tzp", 148, 74, 2},
    {"hexiamonds-3x12.trz", "hexiamonds.tzp", 0, 0, 2},
    {"tetriamonds-x2-hexagon.trz", "tetriamonds-x2.tzp", 48, 1, 12},
    {"pentiamonds-house.trz", "pentiamonds.tzp", 4, 2, 2},
    {"polyiamonds-1-5-bell.trz", "polyiamonds-1-5.tzp", 2686, 1343, 2},
    {"hexiamonds-hexagon-hole.trz", "hexiamonds.tzp", 4260, 710, 6},
};
// Seconds in an optimised build, half a minute in a debug one: its solver run is left to be asked for
// (--gtest_also_run_disabled_tests); its count is checked independently with the others.
const Example kLongExample = {"hexiamonds-hexagon-long.trz", "hexiamonds.tzp", 3424, 856, 4};

// The sanitizer build runs the same code on the smaller examples; this one would take it tens of seconds.
void skipTheSlowOneUnderTheSanitizer([[maybe_unused]] const Example& example) {
#if defined(__SANITIZE_ADDRESS__)
    if (std::string(example.board) == "hexiamonds-hexagon-hole.trz")
        GTEST_SKIP() << "slow under the sanitizer";
#endif
}

std::string examplePath(const std::string& name) {
    return testsupport::examplesDir() + "/" + name;
}

// "trianzoidLLHH" from the row length 2W - 1 and the height H of a ".trz" file.
std::string solutionBaseName(const std::string& trzPath) {
    auto bytes = testsupport::readBytes(trzPath);
    char name[32];
    std::snprintf(name, sizeof name, "trianzoid%02d%02d", 2 * examplefiles::int32At(bytes, 0) - 1,
                  examplefiles::int32At(bytes, 4));
    return name;
}

const std::regex kSummary(
    R"(^(Klaar|Onderbroken)\. Duur: \d+:\d\d:\d\d, aantal oplossingen (\d+), op \d\d?-\d\d-\d{4} \d\d:\d\d:\d\d$)");

std::string exampleTestName(const testing::TestParamInfo<Example>& info) {
    std::string name = info.param.board;
    name = name.substr(0, name.find('.'));
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

class BundledExample : public testing::TestWithParam<Example> {};
class BundledExampleSolver : public testing::TestWithParam<Example> {};

TEST_P(BundledExample, DocumentNamesItsPieceFileByBareName) {
    EXPECT_EQ(examplefiles::storedPieceFile(examplePath(GetParam().board)), GetParam().pieceFile);
    EXPECT_EQ(fs::file_size(examplePath(GetParam().board)), 2054u);
}

TEST_P(BundledExample, IndependentCountAgrees) {
    skipTheSlowOneUnderTheSanitizer(GetParam());
    if (testing::Test::IsSkipped()) return;
    auto kinds = examplefiles::pieceKinds(examplePath(GetParam().pieceFile));
    tilings::TilingCounter counter(examplefiles::openCells(examplePath(GetParam().board)), kinds);
    EXPECT_EQ(counter.count() * examplefiles::ordersOfCopies(kinds), GetParam().solutions);
}

TEST_P(BundledExampleSolver, FindsEverySolutionAndWritesBothFiles) {
    const Example& example = GetParam();
    skipTheSlowOneUnderTheSanitizer(example);
    if (testing::Test::IsSkipped()) return;
    testsupport::TempDir dir;
    // Run from another folder: the document's bare piece file name is found beside the document.
    auto result = solverprocess::run(dir.path().string(), {"--threads", "2", examplePath(example.board)});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.err, "");

    std::smatch match;
    std::string summary = result.lastLine();
    ASSERT_TRUE(std::regex_match(summary, match, kSummary)) << summary;
    EXPECT_EQ(match[1], "Klaar");
    EXPECT_EQ(std::stoll(match[2]), example.solutions);
    // Before it, the distinct tilings (the solutions over the orders of identical copies) and the
    // unique ones; the summary line used to be the only one.
    auto kinds = examplefiles::pieceKinds(examplePath(example.pieceFile));
    EXPECT_EQ(result.out, "Verschillende betegelingen: " +
                              std::to_string(example.solutions / examplefiles::ordersOfCopies(kinds)) +
                              "\nUniek op draaien en spiegelen na: " + std::to_string(example.unique) +
                              " (symmetrie van het veld: " + std::to_string(example.symmetries) + ")\n" +
                              summary + "\n");

    // Exactly the two solution files, no work files.
    std::string base = solutionBaseName(examplePath(example.board));
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{base + ".opb", base + ".opl"}));

    // Every solution places every copy: blocks of 4 + 16 n bytes, n the total of copies.
    std::int64_t copies = 0;
    for (const auto& line : examplefiles::pieceLines(examplePath(example.pieceFile))) copies += line.copies;
    auto opb = testsupport::readBytes(dir.file(base + ".opb"));
    EXPECT_EQ(static_cast<std::int64_t>(opb.size()), example.solutions * (4 + 16 * copies));
    if (!opb.empty()) {
        EXPECT_EQ(examplefiles::int32At(opb, 0), copies);
    }

    // The log ends with the same summary line, after an empty line; it holds one block per solution.
    std::string opl = testsupport::readText(dir.file(base + ".opl"));
    ASSERT_GE(opl.size(), summary.size() + 4);
    EXPECT_EQ(opl.substr(opl.size() - summary.size() - 4), "\r\n\r\n" + summary);
    std::string last = "\r\nOplossing " + std::to_string(example.solutions) + "\r\n\r\n";
    std::string beyond = "\r\nOplossing " + std::to_string(example.solutions + 1) + "\r\n";
    if (example.solutions > 0) {
        EXPECT_NE(opl.find(last), std::string::npos);
    }
    EXPECT_EQ(opl.find(beyond), std::string::npos);
    examplesums::expectSums(example.board, dir.path().string(), "two threads");
}

INSTANTIATE_TEST_SUITE_P(Examples, BundledExample,
                         testing::Values(kExamples[0], kExamples[1], kExamples[2], kExamples[3], kExamples[4],
                                         kExamples[5], kExamples[6], kLongExample),
                         exampleTestName);
INSTANTIATE_TEST_SUITE_P(Examples, BundledExampleSolver, testing::ValuesIn(kExamples), exampleTestName);
INSTANTIATE_TEST_SUITE_P(DISABLED_Long, BundledExampleSolver, testing::Values(kLongExample), exampleTestName);

TEST(ImpossibleExample, RefusedWithoutTerminalUnlessTold) {
    testsupport::TempDir dir;
    std::string board = examplePath("tetriamonds-3x2-impossible.trz");
    auto kinds = examplefiles::pieceKinds(examplePath("tetriamonds.tzp"));
    EXPECT_EQ(tilings::TilingCounter(examplefiles::openCells(board), kinds).count(), 0);

    auto refused = solverprocess::run(dir.path().string(), {board});
    EXPECT_EQ(refused.exitStatus, 3);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find("Dit lukt nooit: Volgens de dambordmethode is een oplossing onmogelijk\n"),
              std::string::npos)
        << refused.err;
    EXPECT_TRUE(fs::is_empty(dir.path())) << "nothing is written when the search does not start";

    auto forced = solverprocess::run(dir.path().string(), {"--yes", "--threads", "2", board});
    ASSERT_EQ(forced.exitStatus, 0) << forced.err;
    std::smatch match;
    std::string summary = forced.lastLine();
    ASSERT_TRUE(std::regex_match(summary, match, kSummary)) << summary;
    EXPECT_EQ(match[1], "Klaar");
    EXPECT_EQ(match[2], "0");
    EXPECT_EQ(fs::file_size(dir.path() / (solutionBaseName(board) + ".opb")), 0u);
    examplesums::expectSums("tetriamonds-3x2-impossible.trz", dir.path().string(), "two threads");
}

}  // namespace
