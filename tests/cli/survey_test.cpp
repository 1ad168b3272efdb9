// trianzoid-solve --survey: every row agrees with an ordinary --unique --count-only search of the same
// Board, the Boards that tile are written, and the table is the same on any number of threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>

#include "tests/cli/solver_process.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::vector<std::string>> rowsOf(const std::string& table) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(table);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string>& fields = rows.emplace_back();
        std::istringstream cells(line);
        for (std::string field; std::getline(cells, field, '\t');) fields.push_back(field);
    }
    return rows;
}

std::string match(const std::string& text, const std::string& pattern) {
    std::smatch found;
    return std::regex_search(text, found, std::regex(pattern)) ? found[1].str() : "?";
}

TEST(SolverSurvey, RowsAreTheCountsAndStepsOfOrdinarySearchesOfTheSameBoards) {
    testsupport::TempDir dir;
    const std::string pieces = testsupport::examplesDir() + "/tetriamonds-x2.tzp";
    for (const char* family : {"parallelogram", "triangle +hole"}) {
        const auto survey = solverprocess::run(dir.path().string(), {"--survey", family, "--pieces", pieces,
                                                                     "--threads", "2", "--to", "boards"});
        ASSERT_EQ(survey.exitStatus, 0) << survey.err;
        const auto rows = rowsOf(survey.out);
        ASSERT_GE(rows.size(), 3u) << survey.out;
        EXPECT_EQ(survey.out.substr(0, survey.out.find('\n')),
                  "nr\tvorm\tvakjes\tsymmetrie\tuniek\tverschillend\tstappen\tseconden");
        for (std::size_t r = 1; r < rows.size(); ++r) {
            const auto& row = rows[r];
            ASSERT_EQ(row.size(), 8u);
            EXPECT_EQ(row[0], std::to_string(r));
            // The same Board made and searched on its own.
            const std::string board = dir.file("board" + std::to_string(r) + ".trz");
            solverprocess::run(dir.path().string(),
                               {"--make-board", row[1], "--to", board, "--pieces", pieces});
            const auto alone = solverprocess::run(
                dir.path().string(),
                {"--unique", "--count-only", "--threads", "1", "--stats", "--quiet", "--yes", board});
            EXPECT_EQ(row[4], match(alone.out, "Uniek op draaien en spiegelen na: (\\d+)")) << row[1];
            EXPECT_EQ(row[3], match(alone.out, "symmetrie van het veld: (\\d+)")) << row[1];
            EXPECT_EQ(row[5], match(alone.out, "Verschillende betegelingen: (\\d+)")) << row[1];
            EXPECT_EQ(row[6], match(alone.err, "stappen (\\d+)")) << row[1];
            std::string name = row[1];
            std::replace(name.begin(), name.end(), ' ', '_');
            EXPECT_EQ(fs::exists(dir.path() / "boards" / (name + ".trz")), row[4] != "0") << name;
        }
        // Another survey on one thread, a shard of it and one stopped at the first tiling of each.
        const auto again = solverprocess::run(dir.path().string(),
                                              {"--survey", family, "--pieces", pieces, "--threads", "1"});
        const auto rowsAgain = rowsOf(again.out);
        ASSERT_EQ(rowsAgain.size(), rows.size());
        const auto shard = rowsOf(solverprocess::run(dir.path().string(), {"--survey", family, "--pieces",
                                                                           pieces, "--shard", "2/2"})
                                      .out);
        const auto limited = rowsOf(
            solverprocess::run(dir.path().string(), {"--survey", family, "--pieces", pieces, "--limit", "1"})
                .out);
        ASSERT_EQ(limited.size(), rows.size());
        EXPECT_EQ(shard.size(), 1 + (rows.size() - 1) / 2);
        for (std::size_t r = 1; r < rows.size(); ++r) {
            EXPECT_EQ(std::vector(rowsAgain[r].begin(), rowsAgain[r].end() - 1),
                      std::vector(rows[r].begin(), rows[r].end() - 1));
            if (r % 2 == 0) {
                EXPECT_EQ(shard[r / 2][1], rows[r][1]);
            }
            EXPECT_EQ(limited[r][4], rows[r][4] == "0" ? "0" : "1+") << rows[r][1];
        }
    }
}

}  // namespace
