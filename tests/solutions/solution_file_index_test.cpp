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

struct Indexed {
    std::istringstream in;
    SolutionFileIndex index;
    SolutionFileIndex::Stamp stamp;
    explicit Indexed(const std::string& bytes) : in(bytes) {
        stamp.size = static_cast<std::int64_t>(bytes.size());
    }
    std::optional<SolutionBlock> at(std::int64_t k, std::int32_t placements = -1) {
        return index.find(in, stamp, k, placements);
    }
};

// Every block that can be located, from the first on.
std::vector<SolutionBlock> indexOf(const std::string& bytes) {
    Indexed f(bytes);
    std::vector<SolutionBlock> blocks;
    for (std::int64_t k = 0; auto b = f.at(k); ++k) blocks.push_back(*b);
    return blocks;
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

TEST(SolutionFileIndex, FindsASolutionWithoutReadingTheFileBeforeIt) {
    // Equal lengths: every block at its computed offset, nothing read.
    Indexed equal(block(3) + block(3) + block(3));
    EXPECT_EQ(equal.at(2, 3), (SolutionBlock{104, 3}));
    EXPECT_EQ(equal.at(3, 3), std::nullopt);
    equal.stamp.size -= 1;  // the last block cut short
    EXPECT_EQ(equal.at(2, 3), std::nullopt);
    EXPECT_EQ(equal.index.reads(), 0);

    // Lengths 0, 1, 2, 0, 1, 2, ...: the walk reads in large pieces and only as far as asked.
    std::string bytes;
    for (int k = 0; k < 20000; ++k) bytes += block(k % 3);
    auto offsets = [](std::int64_t k) { return k / 3 * 60 + (k % 3 == 2 ? 24 : 4 * (k % 3)); };
    Indexed f(bytes);
    EXPECT_EQ(f.at(0), (SolutionBlock{0, 0}));
    EXPECT_EQ(f.index.reads(), 1);
    EXPECT_EQ(f.at(19999), (SolutionBlock{offsets(19999), 19999 % 3}));
    EXPECT_LE(f.index.reads(), 1 + static_cast<std::int64_t>(bytes.size()) / 65536 + 1);
    const std::int64_t walked = f.index.reads();
    // Back to an earlier block: one read from the start kept for it; past the end: none.
    EXPECT_EQ(f.at(12345), (SolutionBlock{offsets(12345), 12345 % 3}));
    EXPECT_EQ(f.at(20000), std::nullopt);
    EXPECT_EQ(f.index.reads(), walked + 1);

    // Another file (or this one changed) is walked afresh.
    f.in.str(block(5) + block(1));
    f.stamp = {0, 0, 5 * 16 + 4 + 20, 1};
    EXPECT_EQ(f.at(1), (SolutionBlock{84, 1}));
    EXPECT_EQ(f.at(2), std::nullopt);
}

}  // namespace
