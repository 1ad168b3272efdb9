// Signals to trianzoid-solve in hard circumstances: on the largest Board with the largest piece set,
// and after its output has gone away (a closed terminal or pipe). It still completes and closes its
// files and ends with status 130.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

#include "board/document_image.h"
#include "board/trianzoid_doc.h"
#include "tests/support/largest_piece_set.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The solver started in `folder`, standard input from /dev/null, standard output and error into one
// pipe that the test holds.
struct Solver {
    pid_t pid = -1;
    int output = -1;

    Solver(const std::string& folder, std::vector<std::string> arguments) {
        int ends[2];
        if (pipe(ends) != 0) throw std::runtime_error("pipe");
        arguments.insert(arguments.begin(), TRIANZOID_SOLVE_EXE);
        std::vector<char*> argv;
        for (auto& a : arguments) argv.push_back(a.data());
        argv.push_back(nullptr);
        pid = fork();
        if (pid == 0) {
            const int in = open("/dev/null", O_RDONLY);
            if (in < 0 || chdir(folder.c_str()) != 0) _exit(126);
            dup2(in, 0), dup2(ends[1], 1), dup2(ends[1], 2);
            close(ends[0]), close(ends[1]);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(ends[1]);
        output = ends[0];
    }
    ~Solver() {
        if (pid > 0) kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
        if (output >= 0) close(output);
    }

    // Whether the solver has put in its own handler for `signal` (so that sending it tests the
    // program, not a race with its start).
    bool catches(int signal) const {
        std::ifstream status("/proc/" + std::to_string(pid) + "/status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("SigCgt:", 0) == 0)
                return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1u;
        return false;
    }
    // Waits for the end and returns the exit status (-1: ended by a signal) and what it wrote.
    std::pair<int, std::string> wait() {
        std::string text;
        if (output >= 0) {
            char buffer[4096];
            for (ssize_t n; (n = read(output, buffer, sizeof buffer)) > 0;)
                text.append(buffer, static_cast<std::size_t>(n));
        }
        int status = 0;
        waitpid(pid, &status, 0);
        pid = -1;
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text};
    }
};

// Waits for `ready`; the limit only guards against hanging.
template <class Ready>
bool waitFor(Ready ready) {
    const auto deadline = Clock::now() + std::chrono::seconds(300);
    while (!ready()) {
        if (Clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

const std::regex kInterruptedSummary(
    R"(Onderbroken\. Duur: \d+:\d\d:\d\d, aantal oplossingen (\d+), op \d\d?-\d\d-\d{4} \d\d:\d\d:\d\d)");

// The log ends with the driver's summary of an interrupted search; returns its solution count.
long interruptedCount(const std::string& log) {
    std::smatch match;
    const std::string last = log.substr(log.rfind("\r\n\r\n") + 4);
    if (!std::regex_match(last, match, kInterruptedSummary)) return -1;
    return std::stol(match[1]);
}

TEST(SolverSignals, LargestBoardWithTheLargestPieceSetStopsOnSigterm) {
    testsupport::TempDir dir;
    testsupport::writeText(dir.file("grootste.tzp"), testsupport::largestPieceFileText());
    CTrianzoidDoc doc;
    doc.m_nWidth = 30;
    doc.m_nHeight = 30;
    doc.m_szPieceFile = "grootste.tzp";
    testsupport::writeBytes(dir.file("grootste.trz"), documentImage(doc));

    testsupport::writeText(dir.file("trianzoid5930.opl"), "oud");
    Solver solver(dir.path().string(), {"--yes", "grootste.trz"});
    ASSERT_TRUE(waitFor([&] { return solver.catches(SIGTERM); }));
    kill(solver.pid, SIGTERM);
    const auto [status, output] = solver.wait();
    EXPECT_EQ(status, 130) << output;

    // Changed: the signal comes while the search is prepared (its table alone takes seconds). The search
    // then never starts, and the earlier files stay as they were instead of being emptied.
    EXPECT_EQ(testsupport::readText(dir.file("trianzoid5930.opl")), "oud");
    EXPECT_FALSE(fs::exists(dir.file("trianzoid5930.opb")));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 3);  // the two inputs and the log
}

// The ten pieces of sizes 1 to 5 in a parallelogram without its two acute corners: over a million
// tilings, far more than the test waits for.
void writeLongBoard(const std::string& folder) {
    fs::copy_file(testsupport::examplesDir() + "/polyiamonds-1-5.tzp", folder + "/polyiamonds-1-5.tzp");
    CTrianzoidDoc doc;
    doc.m_nWidth = 7;
    doc.m_nHeight = 6;
    for (int col = 0; col < doc.rowLength(); ++col)
        for (int row = 0; row < doc.m_nHeight; ++row) {
            const bool inside = row < 5 && col >= row && col < row + 8;
            const bool acuteCorner = (col == 0 && row == 0) || (col == 11 && row == 4);
            doc.cell(col, row) = inside && !acuteCorner ? kOpenCell : kFirstBlockedCell;
        }
    doc.m_szPieceFile = "polyiamonds-1-5.tzp";
    testsupport::writeBytes(folder + "/long.trz", documentImage(doc));
}

TEST(SolverSignals, HangupAfterTheOutputHasGoneStillCompletesTheFiles) {
    testsupport::TempDir dir;
    writeLongBoard(dir.path().string());
    Solver solver(dir.path().string(), {"long.trz"});
    std::error_code error;
    ASSERT_TRUE(waitFor([&] { return fs::file_size(dir.file("trianzoid1306.opb"), error) > 0 && !error; }));
    // The terminal closes: nobody reads the output any more, and the hangup follows.
    close(solver.output);
    solver.output = -1;
    kill(solver.pid, SIGHUP);
    EXPECT_EQ(solver.wait().first, 130);

    const long solutions = interruptedCount(testsupport::readText(dir.file("trianzoid1306.opl")));
    ASSERT_GT(solutions, 0);
    EXPECT_EQ(fs::file_size(dir.file("trianzoid1306.opb")),
              static_cast<std::uintmax_t>(solutions) * (4 + 16 * 10));
}

// Two searches of Boards of the same size in one folder: the second is refused while the first runs,
// and the first's files stay its own. Once it has ended, the name is free again.
TEST(SolverSignals, ASecondSearchOfTheSameNamesIsRefusedWhileTheFirstRuns) {
    testsupport::TempDir dir;
    writeLongBoard(dir.path().string());
    Solver first(dir.path().string(), {"long.trz"});
    std::error_code error;
    ASSERT_TRUE(waitFor([&] { return fs::file_size(dir.file("trianzoid1306.opb"), error) > 0 && !error; }));
    const auto [status, output] = Solver(dir.path().string(), {"--quiet", "long.trz"}).wait();
    EXPECT_EQ(status, 1);
    EXPECT_EQ(output, "Oei: Zoeken in deze map al bezig (trianzoid1306)\n");

    kill(first.pid, SIGINT);
    EXPECT_EQ(first.wait().first, 130);
    EXPECT_GT(interruptedCount(testsupport::readText(dir.file("trianzoid1306.opl"))), 0);
    EXPECT_FALSE(fs::exists(dir.file("trianzoid1306.lock")));
}

// A shard whose output folder is removed while it runs has no part file to show: an error, not
// "Onderbroken deel 1 van 2".
TEST(SolverSignals, AShardWhosePartFileIsGoneFails) {
    testsupport::TempDir dir;
    writeLongBoard(dir.path().string());
    fs::create_directory(dir.file("delen"));
    Solver shard(dir.path().string(), {"--shard", "1/2", "--output-dir", "delen", "long.trz"});
    ASSERT_TRUE(waitFor([&] { return fs::exists(dir.file("delen/trianzoid1306.deel1van2")); }));
    fs::remove_all(dir.file("delen"));
    kill(shard.pid, SIGINT);
    const auto [status, output] = shard.wait();
    EXPECT_EQ(status, 1);
    EXPECT_EQ(output, "Oei: Fout bij het schrijven van delen/trianzoid1306.deel1van2: map bestaat niet\n");
}

}  // namespace
