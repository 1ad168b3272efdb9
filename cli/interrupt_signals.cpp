#include "cli/interrupt_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <initializer_list>

namespace {

volatile std::sig_atomic_t g_signalled = 0;

extern "C" void onInterruptSignal(int) {
    g_signalled = 1;
}

}  // namespace

void installInterruptHandlers() {
    struct sigaction action {};
    action.sa_handler = onInterruptSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a question waiting for an answer on the terminal returns at once.
    // SA_RESETHAND: the next signal has its default effect, for a user who does not want to wait.
    action.sa_flags = SA_RESETHAND;
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
    // Output to a closed terminal or pipe fails instead of ending the program: a search that is being
    // stopped still completes and closes its files and ends with its own status.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    for (int fd = 0; fd <= 2; ++fd)
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            const int held = open("/dev/null", O_RDONLY);
            if (held >= 0 && held != fd) {
                dup2(held, fd);
                close(held);
            }
        }
}

bool interruptSignalled() {
    return g_signalled != 0;
}
