#include "app/signal_notifier.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <csignal>
#include <vector>

namespace {

int g_signalSockets[2] = {-1, -1};
std::vector<int> g_handled;

extern "C" void onSignal(int number) {
    const char byte = static_cast<char>(number);
    // A full socket means requests are waiting already; nothing more can be done in a handler.
    [[maybe_unused]] const ssize_t written = ::write(g_signalSockets[0], &byte, 1);
}

}  // namespace

SignalNotifier::SignalNotifier(std::initializer_list<int> signalNumbers, std::function<void(int)> handler,
                               QObject* parent)
    : QObject(parent), m_onSignal(std::move(handler)) {
    if (g_signalSockets[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalSockets) != 0) return;
    m_pNotifier = new QSocketNotifier(g_signalSockets[1], QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        if (::read(g_signalSockets[1], &byte, 1) == 1 && m_onSignal) m_onSignal(byte);
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    g_handled.assign(signalNumbers.begin(), signalNumbers.end());
    for (int number : g_handled) ::sigaction(number, &action, nullptr);
}

SignalNotifier::~SignalNotifier() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int number : g_handled) ::sigaction(number, &action, nullptr);
    g_handled.clear();
}
