#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

// One output file of a search (the ".opb" solutions or the ".opl" log), written sequentially.
// Remembers whether any write failed, so that the end of the search can say so instead of
// reporting success. Text is written as given: the log's line ends are CR LF on every system.
class OutputFile {
  public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile() { close(); }

    // Creates or truncates the file; false when it cannot be created.
    bool create(const std::string& path);
    bool isOpen() const { return m_pFile != nullptr; }
    void write(const void* data, std::size_t size);
    void writeText(const std::string& text);
    void writeInt32(std::int32_t value);                     // little-endian
    void writeInt32s(std::span<const std::int32_t> values);  // the same, 64 to a write
    // Closes the file; false when a write or the close failed at any point, or when the file is no
    // longer there (its folder was removed while it was written).
    bool close();
    bool failed() const { return m_bFailed; }
    const std::string& path() const { return m_strPath; }

  private:
    std::FILE* m_pFile = nullptr;
    std::string m_strPath;
    bool m_bFailed = false;
};

// "trianzoid%02d%02d.opl" or ".opb" after the row length and the height, in `folder` when it is not empty
// (else in the current folder). Every Board size has its own pair of files.
std::string solutionFilePath(const std::string& folder, int rowLength, int height,
                             const std::string& extension);
