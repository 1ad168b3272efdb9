#include "solutions/solution_files.h"

#include <filesystem>

bool OutputFile::create(const std::string& path) {
    close();
    m_strPath = path;
    m_bFailed = false;
    m_pFile = std::fopen(path.c_str(), "wb");
    return m_pFile != nullptr;
}

void OutputFile::write(const void* data, std::size_t size) {
    if (m_pFile == nullptr || size == 0) return;
    if (std::fwrite(data, 1, size, m_pFile) != size) m_bFailed = true;
}

void OutputFile::writeText(const std::string& text) {
    write(text.data(), text.size());
}

void OutputFile::writeInt32(std::int32_t value) {
    writeInt32s(std::span<const std::int32_t>(&value, 1));
}

void OutputFile::writeInt32s(std::span<const std::int32_t> values) {
    unsigned char bytes[256];
    std::size_t used = 0;
    for (const std::int32_t value : values) {
        if (used == sizeof bytes) {
            write(bytes, used);
            used = 0;
        }
        const auto bits = static_cast<std::uint32_t>(value);
        bytes[used++] = static_cast<unsigned char>(bits);
        bytes[used++] = static_cast<unsigned char>(bits >> 8);
        bytes[used++] = static_cast<unsigned char>(bits >> 16);
        bytes[used++] = static_cast<unsigned char>(bits >> 24);
    }
    write(bytes, used);
}

bool OutputFile::close() {
    if (m_pFile != nullptr) {
        // A full disk often shows only when the buffer is flushed on closing.
        if (std::fclose(m_pFile) != 0) m_bFailed = true;
        m_pFile = nullptr;
        // A folder removed under a running search takes the file with it while every write still
        // succeeds: a file that is no longer there is no record of the search.
        std::error_code error;
        if (!std::filesystem::exists(m_strPath, error)) m_bFailed = true;
    }
    return !m_bFailed;
}

std::string solutionFilePath(const std::string& folder, int rowLength, int height,
                             const std::string& extension) {
    char name[64];
    std::snprintf(name, sizeof name, "trianzoid%02d%02d.%s", rowLength, height, extension.c_str());
    if (folder.empty()) return name;
    return (std::filesystem::path(folder) / name).string();
}
