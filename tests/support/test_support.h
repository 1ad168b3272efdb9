#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// A fresh folder under the system's temporary folder, removed again with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

std::vector<std::uint8_t> readBytes(const std::string& path);
std::string readText(const std::string& path);
void writeText(const std::string& path, const std::string& text);
void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

inline std::string sourceDir() { return TRIANZOID_SOURCE_DIR; }
inline std::string examplesDir() { return TRIANZOID_EXAMPLES_DIR; }

}  // namespace testsupport
