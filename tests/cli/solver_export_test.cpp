// trianzoid-solve --export: wrong use, the reported failures (none leaving a file under a target's
// name) and a range of SVG files.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/cli/solver_process.h"
#include "tests/support/test_support.h"

namespace {
namespace fs = std::filesystem;
const std::string kHouse = testsupport::examplesDir() + "/pentiamonds-house.trz";  // 4 solutions
}  // namespace

TEST(SolverExport, WrongUseFailuresAndARangeOfSvgFiles) {
    testsupport::TempDir dir;
    const std::string folder = dir.path().string();
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"--export", "gif", "--to", "p", kHouse},
             {"--export", "svg", kHouse},
             {"--export", "svg", "--to", "p", "--solutions", "3-1", kHouse},
             {"--solutions", "1", kHouse},
             {"--export", "png", "--to", "p", kHouse},
         })
        EXPECT_EQ(solverprocess::run(folder, arguments).exitStatus, 2) << testing::PrintToString(arguments);
    EXPECT_TRUE(fs::is_empty(dir.path()));

    const std::vector<std::string> first = {"--export", "svg", "--to", "p", "--solutions", "1", kHouse};
    auto missing = solverprocess::run(folder, first);
    EXPECT_EQ(missing.exitStatus, 1);
    EXPECT_EQ(missing.err, "Oei: Oplossingenbestand trianzoid0706.opb is er niet\n");

    ASSERT_EQ(solverprocess::run(folder, {"--quiet", kHouse}).exitStatus, 0);
    auto beyond = solverprocess::run(folder, {"--export", "svg", "--to", "p", "--solutions", "2,5", kHouse});
    EXPECT_EQ(beyond.exitStatus, 1);
    EXPECT_EQ(beyond.err, "Oei: Oplossing 5 bestaat niet: trianzoid0706.opb bevat er 4\n");

    // A full disk under the first picture's temporary file: reported, and nothing left behind.
    fs::create_directory(dir.path() / "p");
    fs::create_symlink("/dev/full", dir.path() / "p" / "oplossing-001.svg.deel");
    auto full = solverprocess::run(folder, first);
    EXPECT_EQ(full.exitStatus, 1);
    EXPECT_EQ(full.err, "Oei: Bestand p/oplossing-001.svg kan niet worden geschreven: de schijf is vol\n");
    EXPECT_TRUE(fs::is_empty(dir.path() / "p"));

    auto range = solverprocess::run(
        folder, {"--export", "svg", "--to", "p", "--solutions", "2-4", "--size", "300", kHouse});
    EXPECT_EQ(range.exitStatus, 0) << range.err;
    EXPECT_EQ(range.out, "3 oplossingen geëxporteerd naar p\n");
    // As wide as asked (it used to be 294).
    EXPECT_NE(testsupport::readText(folder + "/p/oplossing-004.svg").find(" width=\"300\""),
              std::string::npos);
    EXPECT_FALSE(fs::exists(dir.path() / "p" / "oplossing-001.svg"));
}
