#pragma once

#include <string>

// The exclusive lock of a search on its files: `flock` on "trianzoidLLHH.lock" in the output folder,
// held from before the search's files are made until it ends, so that two searches of Boards of the
// same size in one folder never write into each other's files. The lock goes with the process, so a
// crash leaves nothing to clean up: a lock file left behind locks nothing. At its end a search removes
// the file while it still holds the lock.
class OutputLock {
  public:
    enum class Result { Locked, Busy, Failed };

    OutputLock() = default;
    OutputLock(const OutputLock&) = delete;
    OutputLock& operator=(const OutputLock&) = delete;
    ~OutputLock() { release(); }

    // Locks `path`, making the file when needed. Busy when another process (or another lock in this
    // one) holds it; Failed when it cannot be made, with errorText() saying why.
    Result acquire(const std::string& path);
    void release();
    bool held() const { return m_fd >= 0; }
    const std::string& errorText() const { return m_strError; }

  private:
    int m_fd = -1;
    std::string m_strPath;
    std::string m_strError;
};
