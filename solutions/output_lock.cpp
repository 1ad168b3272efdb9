#include "solutions/output_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_error_text.h"

OutputLock::Result OutputLock::acquire(const std::string& path) {
    release();
    // The holder removes the file when it is done. A search that opened the old file just before that
    // may lock it after the holder let go: it then finds another file (or none) under the name and
    // tries again, so that two searches never both hold a lock of that name.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) {
            m_strError = fileErrorText(errno);
            return Result::Failed;
        }
        int locked = 0;
        while ((locked = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
        }
        if (locked != 0) {
            const int error = errno;
            ::close(fd);
            if (error == EWOULDBLOCK) return Result::Busy;
            m_strError = fileErrorText(error);
            return Result::Failed;
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            m_fd = fd;
            m_strPath = path;
            return Result::Locked;
        }
        ::close(fd);
    }
    m_strError = fileErrorText(EAGAIN);
    return Result::Failed;
}

void OutputLock::release() {
    if (m_fd < 0) return;
    ::unlink(m_strPath.c_str());  // while still held: see acquire
    ::close(m_fd);                // closing the only descriptor of the open file releases its lock
    m_fd = -1;
}
