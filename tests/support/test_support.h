#pragma once

#include <sys/resource.h>

#include <csignal>
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

inline std::string sourceDir() {
    return TRIANZOID_SOURCE_DIR;
}
inline std::string examplesDir() {
    return TRIANZOID_EXAMPLES_DIR;
}

// A disk that is full after `bytes` bytes of every file: the process's file size limit (inherited by a
// child process). With `ignoreSignal` the signal that exceeding it raises is ignored here, so that the
// write fails instead; a child started meanwhile must ignore it on its own.
class DiskFullAfter {
  public:
    explicit DiskFullAfter(rlim_t bytes, bool ignoreSignal = true) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, ignoreSignal ? SIG_IGN : SIG_DFL);
        const rlimit limit{bytes, m_old.rlim_max};
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~DiskFullAfter() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    DiskFullAfter(const DiskFullAfter&) = delete;
    DiskFullAfter& operator=(const DiskFullAfter&) = delete;
    bool active() const { return m_active; }

  private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

}  // namespace testsupport
