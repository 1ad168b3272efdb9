#include "solutions/output_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_error_text.h"

OutputLock::Result OutputLock::acquire(const std::string& path) {
    release();
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        m_strError = fileErrorText(errno);
        return Result::Failed;
    }
    // A lock of its own open file description: a second search in this same process is refused too.
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) return Result::Busy;
        m_strError = fileErrorText(error);
        return Result::Failed;
    }
    m_fd = fd;
    return Result::Locked;
}

void OutputLock::release() {
    if (m_fd < 0) return;
    ::close(m_fd);  // closing the only descriptor of the open file releases its lock
    m_fd = -1;
}
