// trianzoid-solve on several threads and in shards: the solution files are those of a run on one thread,
// byte for byte apart from the two times in the log; part files given to --merge are checked first.
#include <gtest/gtest.h>
#include <xxhash.h>

#include <algorithm>

#include <filesystem>
#include <random>
#include <regex>

#include "tests/cli/solver_process.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using testsupport::readBytes;
using testsupport::readText;

std::string example(const std::string& name) {
    return testsupport::examplesDir() + "/" + name;
}

// The log with the start time, the duration and the end time blanked.
std::string withoutTimes(const std::string& log) {
    static const std::regex times(R"(\d\d?-\d\d-\d{4} \d\d:\d\d:\d\d|Duur: \d+:\d\d:\d\d)");
    return std::regex_replace(log, times, "*");
}

struct Files {
    std::vector<std::uint8_t> opb;
    std::string opl;
};

Files solveInto(const fs::path& folder, std::vector<std::string> arguments, const std::string& base) {
    fs::create_directories(folder);
    arguments.insert(arguments.begin(), {"--quiet", "--output-dir", folder.string()});
    const auto result = solverprocess::run(folder.string(), arguments);
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    return {readBytes((folder / (base + ".opb")).string()),
            withoutTimes(readText((folder / (base + ".opl")).string()))};
}

struct Case {
    std::vector<std::string> arguments;
    std::string base;
};

const Case kCases[] = {
    {{example("polyiamonds-1-5-bell.trz")}, "trianzoid1306"},
    {{example("tetriamonds-x2-hexagon.trz")}, "trianzoid0706"},  // two copies of every piece
    {{"--letters", example("polyiamonds-1-5-bell.trz")}, "trianzoid1306"},
    // 24 triangles on 72 cells: spare cells that keep colours of earlier drawing.
    {{"--yes", "--pieces", example("tetriamonds-x2.tzp"), example("hexiamonds-6x6.trz")}, "trianzoid1706"},
};

TEST(SolverThreads, TwoAndThreeThreadsWriteTheFilesOfOne) {
    testsupport::TempDir dir;
    int k = 0;
    for (const Case& c : kCases) {
        auto with = [&](const std::string& threads) {
            std::vector<std::string> arguments = {"--threads", threads};
            arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
            return solveInto(dir.path() / (std::to_string(k) + "-" + threads), arguments, c.base);
        };
        const Files one = with("1");
        EXPECT_GT(one.opl.size(), 1000u);
        for (const char* threads : {"2", "3"}) {
            const Files many = with(threads);
            EXPECT_EQ(many.opb, one.opb) << k << " " << threads;
            EXPECT_EQ(many.opl, one.opl) << k << " " << threads;
        }
        ++k;
    }
}

struct Parts : testing::Test {
    testsupport::TempDir dir;
    std::string board = example("polyiamonds-1-5-bell.trz");
    std::vector<std::string> parts;
    void SetUp() override {
        for (const char* shard : {"1/2", "2/2"})
            EXPECT_EQ(
                solverprocess::run(dir.path().string(), {"--quiet", "--shard", shard, board}).exitStatus, 0);
        parts = {dir.file("trianzoid1306.deel1van2"), dir.file("trianzoid1306.deel2van2")};
    }
    solverprocess::Result merge(std::vector<std::string> files) {
        files.insert(files.begin(), {"--quiet", "--output-dir", (dir.path() / "merged").string(), "--merge"});
        fs::create_directories(dir.path() / "merged");
        return solverprocess::run(dir.path().string(), files);
    }
};

TEST_F(Parts, MergedPartsAreTheFilesOfOneRun) {
    const Files single = solveInto(dir.path() / "single", {board}, "trianzoid1306");
    const auto merged = merge(parts);
    ASSERT_EQ(merged.exitStatus, 0);
    // The counts of the whole search, also when --quiet; with one part missing they are incomplete.
    EXPECT_EQ(merged.out.substr(0, merged.out.find("Klaar")),
              "Verschillende betegelingen: 2686\nUniek op draaien en spiegelen na: 1343 (symmetrie van het "
              "veld: 2)\n");
    EXPECT_EQ(readBytes(dir.file("merged/trianzoid1306.opb")), single.opb);
    EXPECT_EQ(withoutTimes(readText(dir.file("merged/trianzoid1306.opl"))), single.opl);
}

TEST(SolverShards, ModesInShardsGiveTheFilesOfOneRunAndPartsOfTwoModesAreNotMerged) {
    testsupport::TempDir dir;
    int k = 0;
    // Packings: the four pentiamonds on the hexagon of 24 cells, four cells left open.
    const std::string pentiamonds = example("pentiamonds.tzp"),
                      hexagon = example("tetriamonds-x2-hexagon.trz");
    for (const Case& c :
         {Case{{"--distinct", hexagon}, "trianzoid0706"}, Case{{"--unique", hexagon}, "trianzoid0706"},
          Case{{"--unique", example("polyiamonds-1-5-bell.trz")}, "trianzoid1306"},
          Case{{"--packings", "--pieces", pentiamonds, hexagon}, "trianzoid0706"},
          Case{{"--packings", "--distinct", "--pieces", pentiamonds, hexagon}, "trianzoid0706"},
          Case{{"--packings", "--unique", "--pieces", pentiamonds, hexagon}, "trianzoid0706"}}) {
        const fs::path folder = dir.path() / std::to_string(k++);
        auto arguments = c.arguments;
        arguments.insert(arguments.begin(), {"--threads", "1"});
        const Files one = solveInto(folder / "one", arguments, c.base);
        std::vector<std::string> merge = {"--merge"};
        for (const char* shard : {"1/3", "2/3", "3/3"}) {
            arguments = c.arguments;
            arguments.insert(arguments.begin(), {"--shard", shard});
            solveInto(folder, arguments, c.base);
            merge.push_back((folder / (c.base + ".deel" + shard[0] + "van3")).string());
        }
        const Files merged = solveInto(folder / "merged", merge, c.base);
        EXPECT_EQ(merged.opb, one.opb) << k;
        EXPECT_EQ(merged.opl, one.opl) << k;
    }
    // A part of the ordinary search among parts of --distinct.
    solveInto(dir.path() / "0", {"--shard", "1/3", example("tetriamonds-x2-hexagon.trz")}, "trianzoid0706");
    const auto mixed = solverprocess::run(
        dir.path().string(),
        {"--merge", dir.file("1/trianzoid0706.deel1van3"), dir.file("0/trianzoid0706.deel1van3")});
    EXPECT_EQ(mixed.exitStatus, 1);
    EXPECT_NE(mixed.err.find("in een andere modus gezocht"), std::string::npos) << mixed.err;
    // A part of the format before the modes were recorded is made again, not taken for the ordinary search.
    testsupport::writeText(dir.file("oud.deel1van1"), "TZDEEL02" + std::string(64, '\0'));
    const auto old = solverprocess::run(dir.path().string(), {"--merge", dir.file("oud.deel1van1")});
    EXPECT_NE(old.err.find("zonder de zoekmodus; maak dit deel opnieuw"), std::string::npos) << old.err;
}

TEST(SolverCountOnly, EveryModeCountsAsTheFullSearchOnThreadsAndInShardsAndWritesNoSolutions) {
    testsupport::TempDir dir;
    const std::string hexagon = example("tetriamonds-x2-hexagon.trz");
    // What a run prints but for its times: the counts and the summary line.
    auto printed = [](const solverprocess::Result& result) {
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        return withoutTimes(result.out);
    };
    int k = 0;
    for (const std::vector<std::string>& mode :
         {std::vector<std::string>{},
          {"--distinct"},
          {"--unique"},
          {"--packings", "--unique", "--pieces", example("pentiamonds.tzp")}}) {
        const fs::path folder = dir.path() / std::to_string(k++);
        fs::create_directories(folder / "one");
        auto arguments = mode;
        arguments.insert(arguments.end(), {"--quiet", "--threads", "1", "--output-dir", "one", hexagon});
        const std::string one = printed(solverprocess::run(folder.string(), arguments));
        arguments = mode;
        arguments.insert(arguments.end(), {"--quiet", "--count-only", "--threads", "2", hexagon});
        EXPECT_EQ(printed(solverprocess::run(folder.string(), arguments)), one);
        std::vector<std::string> merge = {"--merge"};
        for (const char* shard : {"1/3", "2/3", "3/3"}) {
            arguments = mode;
            arguments.insert(arguments.end(), {"--quiet", "--count-only", "--shard", shard, hexagon});
            printed(solverprocess::run(folder.string(), arguments));
            merge.push_back(std::string("trianzoid0706.deel") + shard[0] + "van3");
        }
        EXPECT_EQ(printed(solverprocess::run(folder.string(), merge)), one);
        // Nothing but the part files and the folder of the full run.
        std::size_t entries = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++entries;
        EXPECT_EQ(entries, 4u) << k;
    }
    // Counting parts and parts with solutions are not merged together.
    solverprocess::run(dir.path().string(), {"--quiet", "--shard", "2/3", "--output-dir", "0/one", hexagon});
    const auto mixed = solverprocess::run(
        dir.path().string(), {"--merge", "0/trianzoid0706.deel1van3", "0/one/trianzoid0706.deel2van3"});
    EXPECT_EQ(mixed.exitStatus, 1);
    EXPECT_NE(mixed.err.find("bevat alleen tellingen (--count-only) en"), std::string::npos) << mixed.err;
    // --count-only may confirm the parts' mode, never change it.
    const auto asked =
        solverprocess::run(dir.path().string(), {"--count-only", "--merge", "0/one/trianzoid0706.deel2van3"});
    EXPECT_NE(asked.err.find("in een andere modus gezocht dan gevraagd"), std::string::npos) << asked.err;
}

// Changed: part files carry an XXH3 hash, so damage anywhere is refused (it used to be merged when it
// only changed which solution a valid value names); sizes are bounded before anything is allocated,
// and every merged solution is checked again to be a tiling.
TEST_F(Parts, FaultyPartFilesAreRefusedWithAReason) {
    const auto bytes = readBytes(parts[1]);
    const std::string broken = dir.file("broken");
    auto refused = [&](const std::vector<std::string>& files, const std::string& message) {
        const auto result = merge(files);
        EXPECT_EQ(result.exitStatus, 1) << message;
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    };
    // A part as it would be after `change`, with a hash that fits it: only the checks behind the hash
    // find what is wrong.
    auto rehashed = [&](auto change, const std::vector<std::uint8_t>& from) {
        auto body = std::vector<std::uint8_t>(from.begin(), from.end() - 8);
        change(body);
        const std::uint64_t hash = XXH3_64bits(body.data(), body.size());
        for (int i = 0; i < 8; ++i) body.push_back(static_cast<std::uint8_t>(hash >> (8 * i)));
        testsupport::writeBytes(broken, body);
    };
    auto setInt = [](std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    refused({parts[0]}, "Oei: Deel 2 van 2 ontbreekt");
    refused({parts[0], parts[0]}, "Oei: Deel 1 van 2 is twee keer opgegeven");
    refused({parts[0], dir.file("nergens")}, "Oei: Deelbestand " + dir.file("nergens") + " is niet te lezen");
    refused({parts[0], "/dev/zero"}, "Oei: Deelbestand /dev/zero is niet te lezen");
    refused({parts[0], dir.path().string()}, "Oei: Deelbestand " + dir.path().string() + " is niet te lezen");
    testsupport::writeBytes(broken,
                            std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + bytes.size() / 2));
    refused({parts[0], broken}, "Oei: Deelbestand " + broken + " is beschadigd of onvolledig");
    testsupport::writeText(broken, "geen deel\n");
    refused({parts[0], broken}, "Oei: Deelbestand " + broken + " is geen geldig deelbestand");
    rehashed([&](auto& b) { setInt(b, 12, 0x7fffffff); }, bytes);  // the shard count
    refused({parts[0], broken}, "Oei: Deelbestand " + broken + " is geen geldig deelbestand");
    // The last solution (ten pieces) with its second Placement the same as its first: a cell covered twice.
    rehashed(
        [&](auto& b) {
            const std::uint8_t solution[8] = {2, 0, 0, 0, 10, 0, 0, 0};
            const auto at =
                std::find_end(b.begin(), b.end(), std::begin(solution), std::end(solution)) - b.begin();
            std::copy_n(b.begin() + at + 8, 4, b.begin() + at + 12);
        },
        bytes);
    refused({parts[0], broken}, "Oei: Deelbestand " + broken + " bevat een oplossing die geen betegeling is");
    rehashed(
        [&](auto& b) {  // the last solution cut to 8 of its 10 Placements, then a step at depth 0
            const std::uint8_t solution[8] = {2, 0, 0, 0, 10, 0, 0, 0};
            const auto at = std::find_end(b.begin(), b.end(), std::begin(solution), std::end(solution)) + 4;
            std::fill_n(at + 36, 8, 0);
            at[0] = 8, at[36] = 1;
        },
        bytes);
    refused({parts[0], broken}, "Oei: Deelbestand " + broken + " bevat een oplossing die geen betegeling is");
    // A count-only part whose last unit with solutions claims one more than its sums hold.
    fs::create_directories(dir.path() / "counts");
    for (const char* shard : {"1/2", "2/2"})
        solverprocess::run(dir.path().string(),
                           {"--quiet", "--count-only", "--output-dir", "counts", "--shard", shard, board});
    rehashed(
        [&](auto& b) {
            for (std::size_t at = b.size() - 24; at > 0; --at)  // a unit's counts: kind 3, solutions above 0
                if (b[at] == 3 && b[at + 1] == 0 && b[at + 2] == 0 && b[at + 3] == 0 && b[at + 4] != 0) {
                    ++b[at + 4];
                    return;
                }
        },
        readBytes(dir.file("counts/trianzoid1306.deel2van2")));
    refused({dir.file("counts/trianzoid1306.deel1van2"), broken},
            "Oei: Deelbestand " + broken + " is geen geldig deelbestand");

    // Damage anywhere: refused, never a crash.
    std::mt19937 random(7);
    for (int i = 0; i < 40; ++i) {
        auto damaged = bytes;
        damaged[std::uniform_int_distribution<std::size_t>(0, damaged.size() - 1)(random)] ^=
            static_cast<std::uint8_t>(1 + random() % 255);
        testsupport::writeBytes(broken, damaged);
        EXPECT_EQ(merge({parts[0], broken}).exitStatus, 1);
    }
}

// The shards of an impossible Board were told to go on; the merge goes on too, without claiming --yes.
TEST(SolverShards, MergeGoesOnWithoutClaimingYes) {
    testsupport::TempDir dir;
    const std::string board = example("tetriamonds-3x2-impossible.trz");
    ASSERT_EQ(
        solverprocess::run(dir.path().string(), {"--quiet", "--yes", "--shard", "1/1", board}).exitStatus, 0);
    const auto merged =
        solverprocess::run(dir.path().string(), {"--merge", dir.file("trianzoid0706.deel1van1")});
    EXPECT_EQ(merged.exitStatus, 0) << merged.err;
    EXPECT_NE(merged.err.find("Toch doorgaan? ja\n"), std::string::npos) << merged.err;
}

}  // namespace

TEST(SolverLimit, StopsAfterTheFirstSolutionsOfItsModeOnAnyNumberOfThreads) {
    testsupport::TempDir dir;
    const std::string hexagon = example("tetriamonds-x2-hexagon.trz");
    int k = 0;
    for (const std::vector<std::string>& mode : {std::vector<std::string>{}, {"--distinct"}}) {
        auto whole = mode;
        whole.push_back(hexagon);
        const Files all = solveInto(dir.path() / std::to_string(k++), whole, "trianzoid0706");
        for (const char* threads : {"1", "2"}) {
            auto arguments = mode;
            arguments.insert(arguments.end(), {"--limit", "5", "--threads", threads, hexagon});
            const Files first = solveInto(dir.path() / std::to_string(k++), arguments, "trianzoid0706");
            // Every tiling of this Board places all 6 pieces: a record of 4 + 6 * 16 bytes.
            ASSERT_GE(all.opb.size(), 500u);
            EXPECT_EQ(first.opb, std::vector(all.opb.begin(), all.opb.begin() + 500)) << threads;
            arguments.insert(arguments.begin(), "--count-only");
            const auto counted = solverprocess::run(dir.path().string(), arguments);
            EXPECT_EQ(counted.exitStatus, 0) << counted.err;
            EXPECT_EQ(counted.lastLine(), "Gestopt: grens --limit 5 bereikt.");
            EXPECT_NE(counted.out.find("(onvolledig)\nUniek"), std::string::npos) << counted.out;
            EXPECT_NE(counted.out.find("\nKlaar. Duur: 0:00:0"), std::string::npos) << counted.out;
            EXPECT_NE(counted.out.find("aantal oplossingen 5, op"), std::string::npos) << counted.out;
        }
    }
    // A limit the search does not reach changes nothing; --limit 1 --unique finds the one tiling.
    const auto whole = solverprocess::run(dir.path().string(), {"--count-only", "--limit", "49", hexagon});
    EXPECT_EQ(whole.out.find("onvolledig"), std::string::npos) << whole.out;
    EXPECT_EQ(whole.out.find("Gestopt"), std::string::npos) << whole.out;
    EXPECT_EQ(solverprocess::run(dir.path().string(), {"--count-only", "--unique", "--limit", "1", hexagon})
                  .lastLine(),
              "Gestopt: grens --limit 1 bereikt.");
}
