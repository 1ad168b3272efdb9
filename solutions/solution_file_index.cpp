#include "solutions/solution_file_index.h"

#include <cstdint>

namespace {
constexpr std::int64_t kRecordBytes = 16;
}

std::vector<SolutionBlock> indexSolutionBlocks(std::istream& file) {
    std::vector<SolutionBlock> blocks;
    file.clear();
    file.seekg(0, std::ios::end);
    const std::int64_t length = static_cast<std::int64_t>(file.tellg());
    if (length <= 0) return blocks;

    std::int64_t offset = 0;
    while (length - offset >= 4) {
        file.seekg(offset);
        unsigned char bytes[4];
        if (!file.read(reinterpret_cast<char*>(bytes), 4)) break;
        const auto count = static_cast<std::int32_t>(
            static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
            static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24);
        if (count < 0 || count > kMaxSolutionPlacements) break;
        const std::int64_t end = offset + 4 + kRecordBytes * count;
        if (end > length) break;
        blocks.push_back({offset, count});
        offset = end;
    }
    file.clear();
    return blocks;
}
