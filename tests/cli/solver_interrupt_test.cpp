// A signal stops a long search cleanly: the search unwinds, the log ends with the "Onderbroken" summary,
// the solution file holds whole blocks only, and the exit status is 130.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <regex>
#include <thread>

#include "board/document_image.h"
#include "board/trianzoid_doc.h"
#include "tests/cli/example_files.h"
#include "tests/cli/solver_process.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

// The ten pieces of sizes 1 to 5 in a 4 x 5 parallelogram without its two acute corners: 38 triangles
// and over a million tilings, far more than a test waits for.
void writeLongBoard(const std::string& folder) {
    fs::copy_file(testsupport::examplesDir() + "/polyiamonds-1-5.tzp", folder + "/polyiamonds-1-5.tzp");
    CTrianzoidDoc doc;
    doc.m_nWidth = 7;  // row length 13
    doc.m_nHeight = 6;
    for (int col = 0; col < doc.rowLength(); ++col)
        for (int row = 0; row < doc.m_nHeight; ++row) {
            bool inside = row < 5 && col >= row && col < row + 8;
            bool acuteCorner = (col == 0 && row == 0) || (col == 11 && row == 4);
            doc.cell(col, row) = inside && !acuteCorner ? kOpenCell : kFirstBlockedCell;
        }
    doc.m_szPieceFile = "polyiamonds-1-5.tzp";
    testsupport::writeBytes(folder + "/long.trz", documentImage(doc));
}

class SolverInterrupt : public testing::TestWithParam<int> {};

TEST_P(SolverInterrupt, StopsCleanlyWithWholeFiles) {
    testsupport::TempDir dir;
    writeLongBoard(dir.path().string());
    const std::string opb = dir.file("trianzoid1306.opb"), opl = dir.file("trianzoid1306.opl");

    solverprocess::Solver solver(dir.path().string(), {"long.trz"});
    // Wait until solutions are being written (the file is written through a buffer, so it grows in
    // steps); a limit only against hanging, not a measure of speed.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    std::error_code error;
    while (fs::file_size(opb, error) == 0 || error) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "no solution written";
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    solver.signal(GetParam());
    auto result = solver.wait();

    EXPECT_EQ(result.exitStatus, 130) << result.err;
    std::smatch match;
    std::string summary = result.lastLine();
    ASSERT_TRUE(std::regex_match(
        summary, match,
        std::regex(
            R"(^Onderbroken\. Duur: \d+:\d\d:\d\d, aantal oplossingen (\d+), op \d\d?-\d\d-\d{4} \d\d:\d\d:\d\d$)")))
        << summary;
    long long solutions = std::stoll(match[1]);
    EXPECT_GT(solutions, 0);
    EXPECT_TRUE(std::regex_search(
        result.out,
        std::regex(R"(^Verschillende betegelingen: \d+ \(onvolledig\)\n)"
                   R"(Uniek op draaien .*: \d+ \(symmetrie van het veld: \d+\) \(onvolledig\)\n)")))
        << result.out;

    // Whole blocks of 4 + 16 x 10 bytes, one per counted solution; the log complete up to its summary.
    auto size = fs::file_size(opb);
    EXPECT_EQ(size % 164, 0u) << size;
    EXPECT_EQ(static_cast<long long>(size / 164), solutions);
    std::string log = testsupport::readText(opl);
    EXPECT_EQ(log.substr(log.size() - summary.size() - 4), "\r\n\r\n" + summary);
    EXPECT_NE(log.find("\r\nOplossing " + std::to_string(solutions) + "\r\n\r\n"), std::string::npos);
    EXPECT_EQ(log.find("\r\nOplossing " + std::to_string(solutions + 1) + "\r\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.path() / "trianzoid.tmp1"));
    EXPECT_FALSE(fs::exists(dir.path() / "trianzoid.tmp2"));
}

INSTANTIATE_TEST_SUITE_P(Signals, SolverInterrupt, testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const auto& info) {
                             switch (info.param) {
                                 case SIGINT:
                                     return std::string("SIGINT");
                                 case SIGTERM:
                                     return std::string("SIGTERM");
                                 default:
                                     return std::string("SIGHUP");
                             }
                         });

}  // namespace
