// Memory for the placement table runs out: the search is not started and everything made so far is
// released. Allocation failure is simulated by replacing the global allocator of this test program;
// it refuses only blocks above a limit, and only while a test sets one.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>

#include "search/parallel_search.h"
#include "tests/view/view_fixture.h"

namespace {
std::size_t g_refuseAbove = 0;  // 0: refuse nothing
// Or: refuse only the n-th block of at least kCounted bytes (0: none), on any thread.
constexpr std::size_t kCounted = 1024;
std::atomic<long> g_refuseNth{0};
std::atomic<long> g_counted{0};
std::atomic<bool> g_refused{false};
}  // namespace

void* operator new(std::size_t size) {
    if (g_refuseAbove != 0 && size > g_refuseAbove) throw std::bad_alloc();
    if (size >= kCounted && g_refuseNth.load() != 0 && ++g_counted == g_refuseNth.load()) {
        g_refused = true;
        throw std::bad_alloc();
    }
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

namespace {

TEST(SearchDriver, OutOfMemoryForTheTableStopsWithAMessage) {
    testsupport::ViewFixture f;
    f.setBoard(std::vector<std::string>(30, std::string(59, '.')));
    f.setPieces({testsupport::dominoPiece("D2", 885)});
    f.view.m_nReadiness = f.view.UpdateReadiness();
    ASSERT_EQ(f.view.m_nReadiness, 0);

    g_refuseAbove = 256 * 1024;  // the masks of this Board's 5 000 Placements take more than a megabyte
    f.view.runSearch(false);
    g_refuseAbove = 0;

    ASSERT_EQ(f.platform.messages.size(), 1u);
    EXPECT_EQ(f.lastMessage().text, "Onvoldoende geheugen");
    EXPECT_EQ(f.lastMessage().caption, "Oei");
    EXPECT_EQ(f.lastMessage().icon, MessageIcon::Exclamation);
    EXPECT_EQ(f.view.ViewMode, kEditing);
    EXPECT_TRUE(f.view.m_table.masks.empty());
    EXPECT_TRUE(f.view.m_table.records.empty());
    EXPECT_TRUE(f.view.m_state.coveredMask.empty());
    EXPECT_FALSE(std::filesystem::exists(f.file("trianzoid5930.opl")));
    EXPECT_FALSE(std::filesystem::exists(f.file("trianzoid5930.opb")));
}

// Memory runs out at each large allocation of the preparation in turn (table, free cells, the engine's
// arrays, on two threads each worker's): each time the message, and the earlier files stay. The search
// itself allocates no large block: the isolated cell has no candidate, so it ends at its first step.
TEST(SearchDriver, OutOfMemoryAnywhereInThePreparationLeavesTheEarlierFiles) {
    std::vector<std::string> rows(18, std::string(59, '.'));
    rows.insert(rows.end(), {std::string(59, '#'), std::string(58, '#') + "."});
    for (const int threads : {1, 2}) {
        long n = 1;
        for (g_refused = true; g_refused; ++n) {
            testsupport::ViewFixture f;
            f.setBoard(rows);
            f.setPieces({testsupport::dominoPiece("D2", 531)});
            if (threads > 1)  // else the window's engine
                f.view.m_engineFactory = [](const PlacementTable& table, int cells, SearchState& state,
                                            std::span<Piece> pieces, SearchHooks& hooks) {
                    return makeParallelSearch(2, table, cells, state, pieces, hooks);
                };
            testsupport::writeText(f.file("trianzoid5920.opl"), "oud");
            f.platform.defaultAnswer = MessageAnswer::Yes;
            g_counted = 0;
            g_refused = false;
            g_refuseNth = n;
            f.search();
            g_refuseNth = 0;
            EXPECT_EQ(f.lastMessage().text, g_refused ? "Onvoldoende geheugen" : "Aantal oplossingen 0") << n;
            EXPECT_EQ(testsupport::readText(f.file("trianzoid5920.opl")).substr(0, 5),
                      g_refused ? "oud" : "Start");
            EXPECT_EQ(f.view.ViewMode, kEditing);
        }
        EXPECT_GE(n, threads == 1 ? 20 : 30) << threads;
    }
}

}  // namespace
