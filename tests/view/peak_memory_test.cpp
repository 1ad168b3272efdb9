// The largest problem a document can hold builds its table and searches within 256 MB of resident
// memory, also on two threads. Measured in a child process, so that nothing else of the test run counts.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bench/largest_problem.h"
#include "search/parallel_search.h"
#include "tests/view/view_fixture.h"

namespace {

// The child's peak resident size in kilobytes after building the table and searching a little.
long peakKilobytesOfLargestSearch(int threads) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        long result = -1;
        {
            testsupport::ViewFixture f;
            bench::makeLargestProblem(f.doc);
            f.platform.defaultAnswer = MessageAnswer::Yes;
            if (threads > 1)
                f.view.m_engineFactory = [threads](const PlacementTable& table, int cells, SearchState& state,
                                                   std::span<Piece> pieces, SearchHooks& hooks) {
                    return makeParallelSearch(threads, table, cells, state, pieces, hooks);
                };
            // Stop once the search has gone a few levels deep.
            int placements = 0;
            f.platform.onPump = [&](long) {
                placements = std::max(placements, f.view.m_table.placementCount);
                if (f.view.ViewMode == kSearching && f.view.m_state.shownDepth >= 4)
                    f.view.ViewMode = kInterruptRequested;
            };
            f.search();
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            if (placements > 500000 && f.view.m_state.steps > 1) result = usage.ru_maxrss;
        }
        [[maybe_unused]] const auto written = write(pipeEnds[1], &result, sizeof result);
        _exit(0);
    }
    close(pipeEnds[1]);
    long kilobytes = -1;
    if (read(pipeEnds[0], &kilobytes, sizeof kilobytes) != sizeof kilobytes) kilobytes = -1;
    close(pipeEnds[0]);
    waitpid(child, nullptr, 0);
    return kilobytes;
}

TEST(PeakMemory, LargestProblemStaysUnder256MegabytesOnOneAndTwoThreads) {
    for (int threads : {1, 2}) {
        const long kilobytes = peakKilobytesOfLargestSearch(threads);
        ASSERT_GT(kilobytes, 0) << "the child did not search the largest problem";
        EXPECT_LT(kilobytes, 256 * 1024) << threads << " threads";
    }
}

}  // namespace
