#include "solutions/solution_file_index.h"

#include <sys/stat.h>

#include <algorithm>

#include "platform/little_endian.h"

namespace {
constexpr std::int64_t kRecordBytes = 16;
}

std::optional<SolutionFileIndex::Stamp> SolutionFileIndex::stampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    Stamp stamp;
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    stamp.size = static_cast<std::int64_t>(info.st_size);
    stamp.modifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    return stamp;
}

void SolutionFileIndex::startOver(const Stamp& stamp) {
    m_stamp = stamp;
    m_checkpoints.clear();
    m_located = 0;
    m_nextOffset = 0;
    m_walkEnded = false;
}

std::optional<std::int32_t> SolutionFileIndex::countAt(std::istream& file, std::int64_t offset) {
    const std::int64_t size = m_stamp->size;
    if (offset < 0 || size - offset < 4) return std::nullopt;
    if (offset < m_bufferOffset || offset + 4 > m_bufferOffset + static_cast<std::int64_t>(m_buffer.size())) {
        m_buffer.resize(static_cast<std::size_t>(std::min(kChunkBytes, size - offset)));
        file.clear();
        file.seekg(offset);
        file.read(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
        ++m_reads;
        m_buffer.resize(static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0)));
        m_bufferOffset = offset;
        if (m_buffer.size() < 4) return std::nullopt;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(m_buffer.data() + (offset - m_bufferOffset));
    return loadInt32LE(bytes);
}

std::optional<SolutionBlock> SolutionFileIndex::find(std::istream& file, const Stamp& stamp, std::int64_t k,
                                                     std::int32_t placements) {
    if (!m_stamp || !(*m_stamp == stamp)) startOver(stamp);
    if (k < 0) return std::nullopt;

    if (placements >= 0 && placements <= kMaxSolutionPlacements) {
        const std::int64_t offset = k * (4 + kRecordBytes * placements);
        if (offset > stamp.size - 4 - kRecordBytes * placements) return std::nullopt;
        return SolutionBlock{offset, placements};
    }

    // Walk from the nearest known start at or before block k.
    std::int64_t block = 0;
    std::int64_t offset = 0;
    if (k < m_located) {
        block = k / kCheckpointEvery * kCheckpointEvery;
        offset = m_checkpoints[static_cast<std::size_t>(k / kCheckpointEvery)];
    } else if (m_walkEnded) {
        return std::nullopt;
    } else {
        block = m_located;
        offset = m_nextOffset;
    }
    m_buffer.clear();  // another stream than the last call's
    for (;; ++block) {
        const std::optional<std::int32_t> count = countAt(file, offset);
        if (!count || *count < 0 || *count > kMaxSolutionPlacements) {
            if (block >= m_located) m_walkEnded = true;
            return std::nullopt;
        }
        const std::int64_t end = offset + 4 + kRecordBytes * *count;
        if (end > stamp.size) {  // cut short
            if (block >= m_located) m_walkEnded = true;
            return std::nullopt;
        }
        if (block == m_located) {
            if (block % kCheckpointEvery == 0) m_checkpoints.push_back(offset);
            m_located = block + 1;
            m_nextOffset = end;
            m_walkEnded = end >= stamp.size;
        }
        if (block == k) return SolutionBlock{offset, *count};
        if (end >= stamp.size) return std::nullopt;
        offset = end;
    }
}
