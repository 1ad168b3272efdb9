// Entering the solution display, and going to its last solution, on a solution file of five million
// solutions: with blocks of equal length (12 placements each, 980 MB, made sparse so that it takes no
// disk space) and with blocks that must be walked (no placements, 20 MB). Counter: the reads the
// display made from the file per iteration.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/headless_platform.h"
#include "platform/null_surface.h"
#include "view/trianzoid_view.h"

namespace {

constexpr std::int64_t kSolutions = 5'000'000;
constexpr int kPlacements = 12;

class BlindPlatform : public HeadlessPlatform {
  public:
    DrawingSurface& clientSurface() override { return m_blind; }

  private:
    NullSurface m_blind;
};

// A file of `solutions` blocks of `placements` placements whose records are all zero: only the
// counts are written, the rest is a hole.
std::string solutionFile(const std::string& name, std::int64_t solutions, int placements) {
    const auto path = std::filesystem::temp_directory_path() / "trianzoid-bench" / name;
    std::filesystem::create_directories(path.parent_path());
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::int64_t block = 4 + 16 * placements;
    if (placements > 0) {
        const unsigned char count[4] = {static_cast<unsigned char>(placements), 0, 0, 0};
        for (std::int64_t k = 0; k < solutions; k += solutions - 1)
            if (::pwrite(fd, count, 4, static_cast<off_t>(k * block)) != 4) break;
    }
    const bool sized = ::ftruncate(fd, static_cast<off_t>(solutions * block)) == 0;
    ::close(fd);
    return sized ? path.string() : std::string();
}

struct Display {
    CTrianzoidDoc doc;
    BlindPlatform platform;
    SystemClock clock;
    CTrianzoidView view{doc, platform, clock};
    Display(const std::string& path, bool equalLengths, int placements) {
        view.m_szSolutionName = path;
        view.m_state.solutionCount = static_cast<int>(kSolutions);
        view.m_nSolutionPieces = placements;
        view.m_bEqualSolutionLengths = equalLengths;
    }
};

// Entering and leaving again, the display kept between iterations.
void enterDisplay(benchmark::State& state, bool equalLengths) {
    const int placements = equalLengths ? kPlacements : 0;
    Display d(solutionFile(equalLengths ? "equal.opb" : "walked.opb", kSolutions, placements), equalLengths,
              placements);
    for (auto _ : state) {
        d.view.OnShowSolutions(true);
        d.view.OnDoneSolutions();
    }
    state.counters["reads"] = static_cast<double>(d.view.m_solutionIndex.reads()) / state.iterations();
}

// A display entered for the first time, then its last solution: the whole file is walked once where
// the lengths differ.
void enterAndGoToLast(benchmark::State& state, bool equalLengths) {
    const int placements = equalLengths ? kPlacements : 0;
    const std::string path = solutionFile(equalLengths ? "equal.opb" : "walked.opb", kSolutions, placements);
    std::int64_t reads = 0;
    for (auto _ : state) {
        Display d(path, equalLengths, placements);
        d.view.OnShowSolutions(true);
        d.view.OnLastSolution();
        reads += d.view.m_solutionIndex.reads();
    }
    state.counters["reads"] = static_cast<double>(reads) / state.iterations();
}

BENCHMARK_CAPTURE(enterDisplay, equal_lengths_5M, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(enterDisplay, walked_5M, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(enterAndGoToLast, equal_lengths_5M, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(enterAndGoToLast, walked_5M, false)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
