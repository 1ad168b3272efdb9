#include "solutions/solution_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "platform/file_error_text.h"
#include "platform/little_endian.h"

namespace {
std::atomic<unsigned> g_tempCounter{0};
}

bool OutputFile::create(const std::string& path) {
    return open(path, false);
}

bool OutputFile::createAside(const std::string& path) {
    return open(path, true);
}

bool OutputFile::open(const std::string& path, bool aside) {
    close();
    m_strPath = path;
    m_bInPlace = false;
    m_bFailed = false;
    m_error = 0;
    m_buffer.clear();
    m_recordEnds.clear();
    m_wholeRecords = 0;
    m_wholeBytes = 0;
    // A folder under the file's name would only show when the file is put in place, too late.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        m_error = EISDIR;
        return false;
    }
    if (!aside) {
        m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        m_error = m_fd < 0 ? errno : 0;
        m_bInPlace = m_fd >= 0;
        return m_fd >= 0;
    }
    // The temporary name: the file's own name and a number, in the same folder, so that putting it in
    // place is a rename within one file system.
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_strTempPath =
            path + "." + std::to_string(getpid()) + "-" + std::to_string(g_tempCounter++) + ".tmp";
        m_fd = ::open(m_strTempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0) return true;
        if (errno != EEXIST) break;
    }
    m_error = errno;
    return false;
}

bool OutputFile::putInPlace() {
    if (m_fd < 0 || m_bInPlace) return m_fd >= 0;
    // A folder standing under the file's name is no place for it: rename would fail on it anyway.
    if (std::rename(m_strTempPath.c_str(), m_strPath.c_str()) != 0) {
        fail(errno);
        return false;
    }
    m_bInPlace = true;
    return true;
}

void OutputFile::fail(int error) {
    if (!m_bFailed) m_error = error;
    m_bFailed = true;
}

std::string OutputFile::errorText() const {
    return fileErrorText(m_error);
}

void OutputFile::write(const void* data, std::size_t size) {
    if (m_fd < 0 || m_bFailed || size == 0) return;
    m_buffer.append(static_cast<const char*>(data), size);
}

void OutputFile::writeText(const std::string& text) {
    write(text.data(), text.size());
}

void OutputFile::writeInt32(std::int32_t value) {
    writeInt32s(std::span<const std::int32_t>(&value, 1));
}

void OutputFile::writeInt32s(std::span<const std::int32_t> values) {
    if (m_fd < 0 || m_bFailed) return;
    std::size_t at = m_buffer.size();
    m_buffer.resize(at + 4 * values.size());
    for (const std::int32_t value : values) {
        storeInt32LE(m_buffer.data() + at, value);
        at += 4;
    }
}

bool OutputFile::endRecord() {
    if (m_fd < 0 || m_bFailed) return false;
    m_recordEnds.push_back(m_buffer.size());
    if (m_buffer.size() >= m_flushSize) flush();
    return !m_bFailed;
}

void OutputFile::flush() {
    std::size_t done = 0;
    while (done < m_buffer.size() && !m_bFailed) {
        const ssize_t n = ::write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (n < 0 && errno != EINTR)
            fail(errno);
        else if (n == 0)
            fail(EIO);
    }
    // The records that reached the file whole; after a failure the file is cut back to their end.
    std::size_t whole = 0;
    for (const std::size_t end : m_recordEnds) {
        if (end > done) break;
        whole = end;
        ++m_wholeRecords;
    }
    if (m_bFailed) {
        m_wholeBytes += whole;
        if (::ftruncate(m_fd, static_cast<off_t>(m_wholeBytes)) != 0) fail(errno);
    } else {
        m_wholeBytes += m_buffer.size();
    }
    m_buffer.clear();
    m_recordEnds.clear();
}

bool OutputFile::close() {
    if (m_fd < 0) return !m_bFailed;
    if (!m_bFailed) flush();
    if (::close(m_fd) != 0) fail(errno);
    m_fd = -1;
    if (!m_bInPlace) {
        ::unlink(m_strTempPath.c_str());
        return !m_bFailed;
    }
    // A folder removed under a running search takes the file with it while every write still
    // succeeds: a file that is no longer there is no record of the search.
    struct stat info {};
    if (::stat(m_strPath.c_str(), &info) != 0) fail(ENOENT);
    return !m_bFailed;
}

void OutputFile::discard() {
    if (m_fd < 0) return;
    ::close(m_fd);
    m_fd = -1;
    m_buffer.clear();
    m_recordEnds.clear();
    if (!m_bInPlace) ::unlink(m_strTempPath.c_str());
}

std::string solutionFilePath(const std::string& folder, int rowLength, int height,
                             const std::string& extension) {
    char name[64];
    std::snprintf(name, sizeof name, "trianzoid%02d%02d.%s", rowLength, height, extension.c_str());
    if (folder.empty()) return name;
    return (std::filesystem::path(folder) / name).string();
}
