#include <gtest/gtest.h>

#include <sstream>

#include "solutions/solution_file_index.h"

namespace {

std::string int32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    return {static_cast<char>(u), static_cast<char>(u >> 8), static_cast<char>(u >> 16),
            static_cast<char>(u >> 24)};
}

std::string block(std::int32_t count) {
    std::string bytes = int32(count);
    for (int i = 0; i < count; ++i) bytes += std::string(16, static_cast<char>(i));
    return bytes;
}

std::vector<SolutionBlock> indexOf(const std::string& bytes) {
    std::istringstream in(bytes);
    return indexSolutionBlocks(in);
}

TEST(SolutionFileIndex, BlocksOfEqualAndOfDifferentLengths) {
    EXPECT_EQ(indexOf(block(3) + block(3) + block(3)),
              (std::vector<SolutionBlock>{{0, 3}, {52, 3}, {104, 3}}));
    EXPECT_EQ(indexOf(block(3) + block(4) + block(0) + block(3)),
              (std::vector<SolutionBlock>{{0, 3}, {52, 4}, {120, 0}, {124, 3}}));
    EXPECT_TRUE(indexOf("").empty());  // a letter-mode search writes nothing
}

TEST(SolutionFileIndex, StopsAtDamage) {
    // A block cut short is left out.
    EXPECT_EQ(indexOf(block(2) + block(3).substr(0, 30)), (std::vector<SolutionBlock>{{0, 2}}));
    EXPECT_EQ(indexOf(block(2) + "\x01\x00"), (std::vector<SolutionBlock>{{0, 2}}));
    // Counts that no search writes end the walk: what follows cannot be located.
    EXPECT_EQ(indexOf(block(1) + int32(-1) + block(1)), (std::vector<SolutionBlock>{{0, 1}}));
    EXPECT_TRUE(indexOf(int32(kMaxSolutionPlacements + 1) + std::string(16 * 1771, '\0')).empty());
    EXPECT_TRUE(indexOf(int32(INT32_MIN)).empty());
    EXPECT_EQ(indexOf(block(kMaxSolutionPlacements)).size(), 1u);
}

}  // namespace
