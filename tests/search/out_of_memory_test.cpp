// Memory for the placement table runs out: the search is not started and everything made so far is
// released. Allocation failure is simulated by replacing the global allocator of this test program;
// it refuses only blocks above a limit, and only while a test sets one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <new>

#include "tests/support/view_fixture.h"

namespace {
std::size_t g_refuseAbove = 0;  // 0: refuse nothing
}

void* operator new(std::size_t size) {
    if (g_refuseAbove != 0 && size > g_refuseAbove) throw std::bad_alloc();
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

}  // namespace
