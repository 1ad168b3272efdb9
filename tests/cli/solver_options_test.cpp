// trianzoid-solve's command line: usage errors, help and version, the options, and the reported errors.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>

#include "board/document_image.h"
#include "board/trianzoid_doc.h"
#include "tests/cli/example_files.h"
#include "tests/cli/solver_process.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

std::string examplePath(const std::string& name) {
    return testsupport::examplesDir() + "/" + name;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<std::string> filesIn(const fs::path& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    return files;
}

// The pentiamond house: 4 solutions, quick. Row length 7 (W 4), 6 rows: trianzoid0706.
const char kHouse[] = "pentiamonds-house.trz";
const char kHouseBase[] = "trianzoid0706";

TEST(SolverUsage, WrongUseExitsWithStatus2AndSaysHow) {
    testsupport::TempDir dir;
    const std::vector<std::vector<std::string>> wrong = {
        {},                                          // no document
        {"--frobnicate", examplePath(kHouse)},       // unknown long option
        {"-x", examplePath(kHouse)},                 // unknown short option
        {examplePath(kHouse), "--pieces"},           // option without its value
        {"--pieces=", examplePath(kHouse)},          // an empty piece file name
        {examplePath(kHouse), examplePath(kHouse)},  // two documents
        {"--limit", "0", examplePath(kHouse)},
        {"--limit", "3", "--shard", "1/2", examplePath(kHouse)},
        {"--survey", "hexagon"},                                      // no pieces
        {"--survey", "square", "--pieces", "x.tzp"},                  // no such family
        {"--survey", "triangle", "--pieces", "x.tzp", "--distinct"},  // always --unique
        {"--survey", "triangle", "--pieces", "x.tzp", examplePath(kHouse)},
    };
    for (const auto& arguments : wrong) {
        auto result = solverprocess::run(dir.path().string(), arguments);
        EXPECT_EQ(result.exitStatus, 2) << testing::PrintToString(arguments);
        EXPECT_EQ(result.out, "");
        EXPECT_TRUE(contains(result.err, "Gebruik: trianzoid-solve [OPTIES] VELD.trz\n")) << result.err;
        EXPECT_TRUE(contains(result.err, "--help")) << result.err;
    }
    EXPECT_TRUE(fs::is_empty(dir.path()));

    auto unknown = solverprocess::run(dir.path().string(), {"--frobnicate", examplePath(kHouse)});
    EXPECT_TRUE(contains(unknown.err, "trianzoid-solve: onbekende of dubbelzinnige optie '--frobnicate'\n"))
        << unknown.err;
    auto missing = solverprocess::run(dir.path().string(), {examplePath(kHouse), "--pieces"});
    EXPECT_TRUE(contains(missing.err, "trianzoid-solve: optie '--pieces' verwacht een waarde\n"))
        << missing.err;
}

TEST(SolverUsage, HelpAndVersion) {
    testsupport::TempDir dir;
    auto help = solverprocess::run(dir.path().string(), {"--help"});
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_EQ(help.out.rfind("Gebruik: trianzoid-solve [OPTIES] VELD.trz\n", 0), 0u) << help.out;
    for (const char* option :
         {"--pieces BESTAND", "--letters", "--yes", "--output-dir MAP", "--quiet", "--help", "--version"})
        EXPECT_TRUE(contains(help.out, option)) << option;
    EXPECT_EQ(help.err, "");

    auto version = solverprocess::run(dir.path().string(), {"--version"});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out, "trianzoid-solve " TRIANZOID_VERSION "\n");
    // Help wins over a document that is not even there: nothing is searched.
    auto both = solverprocess::run(dir.path().string(), {"nope.trz", "--help"});
    EXPECT_EQ(both.exitStatus, 0);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(SolverErrors, MissingFilesAreReportedWithStatus1) {
    testsupport::TempDir dir;
    auto noDocument = solverprocess::run(dir.path().string(), {"nope.trz"});
    EXPECT_EQ(noDocument.exitStatus, 1);
    EXPECT_EQ(noDocument.err, "Oei: Bestand nope.trz is er niet\n");
    EXPECT_EQ(noDocument.out, "");

    // The document without its piece file beside it, run from its own folder: the piece file is missing.
    fs::copy_file(examplePath(kHouse), dir.path() / "house.trz");
    auto noPieces = solverprocess::run(dir.path().string(), {"house.trz"});
    EXPECT_EQ(noPieces.exitStatus, 1);
    EXPECT_TRUE(contains(noPieces.err, "Oei: Bestand ")) << noPieces.err;
    EXPECT_TRUE(contains(noPieces.err, "pentiamonds.tzp is er niet\n")) << noPieces.err;
    EXPECT_EQ(noPieces.out, "");

    auto wrongPieces = solverprocess::run(dir.path().string(), {"--pieces", "nope.tzp", "house.trz"});
    EXPECT_EQ(wrongPieces.exitStatus, 1);
    EXPECT_EQ(wrongPieces.err, "Oei: Bestand nope.tzp is er niet\n");
    // A folder as the piece file is missing too, not an empty piece file.
    auto folderPieces = solverprocess::run(dir.path().string(), {"--pieces", ".", "house.trz"});
    EXPECT_EQ(folderPieces.exitStatus, 1);
    EXPECT_EQ(folderPieces.err, "Oei: Bestand . is er niet\n");
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"house.trz"});
}

// Changed: the line of an incorrect piece file is named by its number too, and a piece whose
// triangles overlap is never searched (it used to count triangles it does not cover).
TEST(SolverErrors, IncorrectAndOverlappingPiecesAreReportedWithTheirLine) {
    testsupport::TempDir dir;
    testsupport::writeText(dir.file("bad.tzp"), "A1   1 4 0R 1O 2L\nB2   1 X\n");
    auto result = solverprocess::run(dir.path().string(), {"--pieces", "bad.tzp", examplePath(kHouse)});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, "Oei: Bestand bad.tzp incorrect; Regel: B2   1 X (regel 2)\n");
    EXPECT_EQ(result.out, "");

    testsupport::writeText(dir.file("overlap.tzp"), "A1   1 4 0R 1O 2L\r\nT1   1 4 0R 1O 1O\r\n");
    for (auto arguments : {std::vector<std::string>{"--pieces", "overlap.tzp", examplePath(kHouse)},
                           std::vector<std::string>{"--shard", "1/2", "--pieces", "overlap.tzp",
                                                    examplePath("tetriamonds-x2-hexagon.trz")}}) {
        result = solverprocess::run(dir.path().string(), arguments);
        EXPECT_EQ(result.exitStatus, 1);
        EXPECT_EQ(result.err, "Oei: Trianzoid T1 (regel 2) heeft driehoekjes op dezelfde plaats\n");
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(filesIn(dir.path()), (std::vector<std::string>{"bad.tzp", "overlap.tzp"}));
}

TEST(SolverErrors, DocumentWithoutPieceFileNeedsPiecesOption) {
    testsupport::TempDir dir;
    testsupport::writeBytes(dir.file("empty.trz"), documentImage(CTrianzoidDoc{}));  // a new document
    auto result = solverprocess::run(dir.path().string(), {"empty.trz"});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_TRUE(contains(result.err, "Oei: Veld empty.trz noemt geen trianzoidbestand")) << result.err;
    EXPECT_EQ(result.out, "");
}

TEST(SolverErrors, UnwritableOutputFolder) {
    testsupport::TempDir dir;
    auto result =
        solverprocess::run(dir.path().string(), {"--output-dir", dir.file("not-there"), examplePath(kHouse)});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_TRUE(contains(result.err, "Bestand niet te schrijven")) << result.err;
    EXPECT_EQ(result.out, "");
}

// Changed: a full disk (here a file size limit, whose signal the solver must ignore) used to be found
// only at the end, with "Klaar" as the last line. Now the first failed write stops the search, and the
// message and the last line say so. A closed or full standard output is an error too.
TEST(SolverErrors, WriteErrorIsNotReportedAsSuccess) {
    testsupport::TempDir dir;
    solverprocess::Result result;
    {
        testsupport::DiskFullAfter full(2000, false);
        result = solverprocess::run(dir.path().string(), {examplePath("hexiamonds-6x6.trz")});
    }
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_TRUE(contains(result.err, "Oei: Fout bij het schrijven van trianzoid1706.opb: bestand te groot"))
        << result.err;
    EXPECT_EQ(result.lastLine().substr(0, 13), "Schrijffout. ") << result.out;
    EXPECT_EQ(fs::file_size(dir.file("trianzoid1706.opb")) % (4 + 16 * 12), 0u);

    const std::string solve = std::string(TRIANZOID_SOLVE_EXE) + " --quiet --output-dir " +
                              dir.path().string() + " " + examplePath(kHouse) + " 2>" + dir.file("err");
    for (const char* output : {" >/dev/full", " >&-"}) {
        const int status = std::system((solve + output).c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << output;
        EXPECT_TRUE(
            contains(testsupport::readText(dir.file("err")), "Oei: Standaarduitvoer niet te schrijven: "))
            << output;
    }
}

// Changed: a file that is no Board was searched as far as it went (a cut file, an empty one with
// --pieces as the default Board, random bytes as they came). It is refused and nothing is written.
TEST(SolverErrors, HostileDocumentsNeverCrashTheSolver) {
    testsupport::TempDir dir;
    auto cut = testsupport::readBytes(examplePath("hexiamonds-6x6.trz"));
    cut.resize(100);
    std::vector<std::vector<std::uint8_t>> images = {
        std::vector<std::uint8_t>(2054, 0xFF),  // every field -1, a path without NUL
        std::vector<std::uint8_t>(2054, 0x00),  // width and height 0, every cell covered
        std::vector<std::uint8_t>(7, 0x7F),     // only part of the width
        cut,
        {},
    };
    std::uint32_t seed = 12345;
    for (int i = 0; i < 5; ++i) {
        std::vector<std::uint8_t> bytes(2054);
        for (auto& b : bytes) b = static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 24);
        images.push_back(bytes);
    }
    for (std::size_t i = 0; i < images.size(); ++i) {
        testsupport::writeBytes(dir.file("hostile.trz"), images[i]);
        for (auto arguments : {std::vector<std::string>{"--quiet", "--yes", "hostile.trz"},
                               std::vector<std::string>{"--quiet", "--yes", "--letters", "--pieces",
                                                        examplePath("pentiamonds.tzp"), "hostile.trz"}}) {
            auto result = solverprocess::run(dir.path().string(), arguments);
            EXPECT_EQ(result.exitStatus, 1) << "image " << i;
            EXPECT_TRUE(contains(result.err, "Oei: Bestand hostile.trz is geen trianzoidveld: "))
                << result.err;
        }
    }
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"hostile.trz"});
    // A folder is no document.
    auto folder = solverprocess::run(dir.path().string(), {dir.path().string()});
    EXPECT_EQ(folder.exitStatus, 1);
    EXPECT_EQ(folder.err, "Oei: Bestand " + dir.path().string() + " is er niet\n");
}

TEST(SolverOptions, PiecesOptionReplacesTheDocumentsPieceFile) {
    testsupport::TempDir dir;
    fs::copy_file(examplePath(kHouse), dir.path() / "house.trz");
    std::string pieces = examplePath("pentiamonds.tzp");
    auto result = solverprocess::run(dir.path().string(), {"house.trz", "--pieces", pieces});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_TRUE(contains(result.lastLine(), ", aantal oplossingen 4, op ")) << result.out;
    std::string opl = testsupport::readText(dir.file(std::string(kHouseBase) + ".opl"));
    EXPECT_TRUE(contains(
        opl, "\r\nTrianzoidbestand " + pieces + ".\r\nAantal trianzoids 4, driehoeken 20, vakjes 20."))
        << opl.substr(0, 200);
}

TEST(SolverOptions, OutputDirHoldsTheSolutionFiles) {
    testsupport::TempDir dir;
    fs::create_directory(dir.path() / "uit");
    auto result = solverprocess::run(dir.path().string(), {"--output-dir=uit", examplePath(kHouse)});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"uit"});
    EXPECT_EQ(filesIn(dir.path() / "uit"),
              (std::vector<std::string>{std::string(kHouseBase) + ".opb", std::string(kHouseBase) + ".opl"}));
    EXPECT_EQ(fs::file_size(dir.path() / "uit" / (std::string(kHouseBase) + ".opb")), 4u * (4 + 16 * 4));
}

TEST(SolverOptions, LettersWriteOneLinePerSolutionAndNoBlocks) {
    testsupport::TempDir dir;
    auto result = solverprocess::run(dir.path().string(), {"--letters", "--quiet", examplePath(kHouse)});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(fs::file_size(dir.path() / (std::string(kHouseBase) + ".opb")), 0u);
    std::string opl = testsupport::readText(dir.file(std::string(kHouseBase) + ".opl"));
    // Every solution uses the four pieces once: mask 15 and the four letters in placement order, one
    // line per solution, each solution different.
    std::regex letterLine("15 ([ABCD]{4})");
    std::set<std::string> orders;
    std::size_t lines = 0;
    for (std::size_t start = 0, end; (end = opl.find("\r\n", start)) != std::string::npos; start = end + 2) {
        std::string line = opl.substr(start, end - start);
        std::smatch match;
        if (!std::regex_match(line, match, letterLine)) continue;
        ++lines;
        orders.insert(match[1]);
        std::string letters = match[1];
        std::sort(letters.begin(), letters.end());
        EXPECT_EQ(letters, "ABCD") << line;
    }
    EXPECT_EQ(lines, 4u) << opl;
    EXPECT_EQ(orders.size(), 4u);
    EXPECT_FALSE(contains(opl, "Oplossing "));
    EXPECT_EQ(opl.substr(opl.size() - result.lastLine().size() - 4), "\r\n\r\n" + result.lastLine());
}

TEST(SolverOptions, MismatchBetweenBoardAndPiecesIsNotedButSearched) {
    // The hexagon of 24 triangles with the four pentiamonds (20): four triangles stay open.
    testsupport::TempDir dir;
    auto result = solverprocess::run(dir.path().string(), {"--pieces", examplePath("pentiamonds.tzp"),
                                                           examplePath("tetriamonds-x2-hexagon.trz")});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.err, "Let op: Nog 4 driehoeken over\n");
    auto quiet = solverprocess::run(
        dir.path().string(),
        {"--quiet", "--pieces", examplePath("pentiamonds.tzp"), examplePath("tetriamonds-x2-hexagon.trz")});
    EXPECT_EQ(quiet.exitStatus, 0);
    EXPECT_EQ(quiet.err, "");
    EXPECT_EQ(quiet.lastLine().substr(0, 7), "Klaar. ");
}

}  // namespace

namespace {

TEST(SolverModes, DistinctFindsEachTilingOnceOnEveryEngine) {
    // Three tetriamonds of two copies each: 48 solutions are 6 tilings.
    testsupport::TempDir dir;
    std::string opb;
    for (const char* engine : {"plain", "fast"}) {
        const fs::path folder = dir.path() / engine;
        fs::create_directories(folder);
        auto result = solverprocess::run(folder.string(), {"--distinct", "--threads", "2", "--engine", engine,
                                                           examplePath("tetriamonds-x2-hexagon.trz")});
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        EXPECT_TRUE(contains(result.out, "Verschillende betegelingen: 6\n")) << result.out;
        EXPECT_TRUE(contains(result.lastLine(), ", aantal oplossingen 6, op ")) << result.out;
        const std::string log = testsupport::readText((folder / "trianzoid0706.opl").string());
        EXPECT_TRUE(
            contains(log.substr(0, log.find("Trianzoid")), ".\r\nModus: elke betegeling eenmaal\r\n"));
        if (!opb.empty()) {
            EXPECT_EQ(testsupport::readText((folder / "trianzoid0706.opb").string()), opb);
        }
        opb = testsupport::readText((folder / "trianzoid0706.opb").string());
    }
    EXPECT_EQ(opb.size(), 6u * (4 + 16 * 6));
    // Changed: part files now carry the modes, so --distinct and --unique work with --shard and --merge
    // (tests/cli/threads_and_shards_test.cpp); they used to be refused.
}

TEST(SolverModes, UniqueMakesTheSameStepsInAnyOrderOfThePieceFile) {
    // Which piece is cut to one Placement per orbit is the shape's doing: the piece file in its own order,
    // reversed, and with each of two pieces put first (6E once led to more than twice the steps of 6B).
    testsupport::TempDir dir;
    const std::string lines = testsupport::readText(examplePath("hexiamonds.tzp"));
    std::vector<std::string> pieces;
    for (std::size_t at = 0, end; (end = lines.find('\n', at)) != std::string::npos; at = end + 1)
        pieces.push_back(lines.substr(at, end - at + 1));
    ASSERT_EQ(pieces.size(), 12u);
    std::vector<std::vector<std::string>> orders{pieces, {pieces.rbegin(), pieces.rend()}, pieces, pieces};
    std::rotate(orders[2].begin(), orders[2].begin() + 4, orders[2].begin() + 5);  // 6E first
    std::rotate(orders[3].begin(), orders[3].begin() + 1, orders[3].begin() + 2);  // 6B first
    std::set<std::string> stats;
    for (const auto& order : orders) {
        std::string text;
        for (const auto& line : order) text += line;
        testsupport::writeText((dir.path() / "order.tzp").string(), text);
        auto result =
            solverprocess::run(dir.path().string(), {"--unique", "--stats", "--threads", "1", "--pieces",
                                                     "order.tzp", examplePath("hexiamonds-6x6.trz")});
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        EXPECT_TRUE(contains(result.out, "Uniek op draaien en spiegelen na: 156 (")) << result.out;
        stats.insert(result.err.substr(result.err.find("stappen")));
    }
    EXPECT_EQ(stats.size(), 1u) << *stats.begin() << *stats.rbegin();
}

}  // namespace

namespace {

TEST(SolverModes, PackingsPlaceEveryPieceAndLeaveTheRestOpen) {
    // The four pentiamonds (20 triangles) on the hexagon of 24: 2028 packings, 169 up to its 12 symmetries.
    testsupport::TempDir dir;
    std::string opb[2];
    for (const char* mode : {"--distinct", "--unique"})
        for (const char* engine : {"plain", "fast"}) {
            const fs::path folder = dir.path() / (std::string(mode + 2) + engine);
            fs::create_directories(folder);
            auto result = solverprocess::run(
                folder.string(), {"--packings", mode, "--threads", "3", "--engine", engine, "--pieces",
                                  examplePath("pentiamonds.tzp"), examplePath("tetriamonds-x2-hexagon.trz")});
            EXPECT_EQ(result.exitStatus, 0) << result.err;
            EXPECT_TRUE(contains(result.out,
                                 "betegelingen: 2028\nUniek op draaien en spiegelen na: 169 "
                                 "(symmetrie van het veld: 12)\n"))
                << result.out;
            const bool unique = std::string(mode) == "--unique";
            EXPECT_TRUE(contains(result.lastLine(), unique ? "oplossingen 169," : "oplossingen 2028,"));
            const std::string log = testsupport::readText((folder / "trianzoid0706.opl").string());
            EXPECT_TRUE(
                contains(log, unique ? ".\r\nModus: elke betegeling eenmaal, uniek op draaien en "
                                       "spiegelen na, open vakjes toegestaan\r\nTrianzoid"
                                     : ".\r\nModus: elke betegeling eenmaal, open vakjes toegestaan\r\n"));
            std::string& first = opb[unique ? 1 : 0];
            const std::string now = testsupport::readText((folder / "trianzoid0706.opb").string());
            if (!first.empty()) {
                EXPECT_EQ(now, first);
            }
            first = now;
        }
    // More triangles than open cells.
    auto tooMany =
        solverprocess::run(dir.path().string(), {"--packings", "--pieces", examplePath("tetriamonds-x2.tzp"),
                                                 examplePath("tetriamonds-3x2-impossible.trz")});
    EXPECT_EQ(tooMany.exitStatus, 1);
    EXPECT_TRUE(contains(tooMany.err, "meer driehoeken (24) dan het veld open vakjes (12)")) << tooMany.err;
    // Changed: --shard works with packings (tests/cli/threads_and_shards_test.cpp); it was refused.
    auto sharded = solverprocess::run(
        dir.path().string(), {"--packings", "--shard", "1/2", "--pieces", examplePath("tetriamonds-x2.tzp"),
                              examplePath("tetriamonds-3x2-impossible.trz")});
    EXPECT_EQ(sharded.err, tooMany.err);
}

}  // namespace
