#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// One output file of a search (the ".opb" solutions, the ".opl" log, a shard's part file), written
// sequentially in records (a solution, the log's header).
//
// The file is made under a temporary name in its own folder, so that an earlier file of the same name
// stays untouched until putInPlace() renames it over that file: a search that cannot start destroys
// nothing. What is written is kept in memory and written out only at the end of a record, once enough
// has gathered, so that the file on disk always ends at a whole record. The first failed write is
// remembered with its reason, endRecord() says so at once (the search stops there), and close() cuts
// the file back to its last whole record. Text is written as given: the log's line ends are CR LF on
// every system.
class OutputFile {
  public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile() { close(); }

    // Creates or truncates the file; false when it cannot be created (errorText() then says why).
    bool create(const std::string& path);
    // Makes a new file under a temporary name beside `path`; false when it cannot be made. Nothing at
    // `path` is touched until putInPlace().
    bool createAside(const std::string& path);
    // Puts the file under its own name, replacing any file there; false when that fails.
    bool putInPlace();
    bool isOpen() const { return m_fd >= 0; }
    bool inPlace() const { return m_bInPlace; }
    void write(const void* data, std::size_t size);
    void writeText(const std::string& text);
    void writeInt32(std::int32_t value);                     // little-endian
    void writeInt32s(std::span<const std::int32_t> values);  // the same
    // What was written since the last record is a whole record: written out once enough has gathered.
    // False once any write has failed.
    bool endRecord();
    // Records that reached the file whole.
    long long wholeRecords() const { return m_wholeRecords; }
    // Writes what is left and closes the file; false when a write or the close failed at any point, or
    // when the file is no longer there (its folder was removed while it was written). A file that was
    // never put in place is removed.
    bool close();
    // Closes and removes a file that was not put in place yet; a file in place is only closed.
    void discard();
    bool failed() const { return m_bFailed; }
    // The reason of the first failure, in Dutch ("schijf vol").
    std::string errorText() const;
    const std::string& path() const { return m_strPath; }

    // Bytes gathered before a record's end writes them out; tests make it small.
    void setFlushSize(std::size_t bytes) { m_flushSize = bytes; }

  private:
    bool open(const std::string& path, bool aside);
    void flush();
    void fail(int error);

    int m_fd = -1;
    std::string m_strPath;
    std::string m_strTempPath;
    bool m_bInPlace = false;
    bool m_bFailed = false;
    int m_error = 0;
    std::string m_buffer;
    std::vector<std::size_t> m_recordEnds;  // in m_buffer
    std::size_t m_flushSize = 8192;
    long long m_wholeRecords = 0;  // records written out
    std::uint64_t m_wholeBytes = 0;
};

// "trianzoid%02d%02d.opl" or ".opb" after the row length and the height, in `folder` when it is not empty
// (else in the current folder). Every Board size has its own pair of files.
std::string solutionFilePath(const std::string& folder, int rowLength, int height,
                             const std::string& extension);
