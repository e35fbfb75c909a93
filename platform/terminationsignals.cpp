#include "platform/terminationsignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace titrage {

namespace {

int g_pipe[2] = {-1, -1}; // [0] written by the handler, [1] read by the event loop
// Lock-free, hence safe to store from a signal handler.
std::atomic<bool> g_requested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void onTerminationSignal(int signal)
{
    const int saved = errno;
    g_requested.store(true, std::memory_order_relaxed);
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[0], &byte, 1);
    errno = saved;
}

} // namespace

bool terminationRequested()
{
    return g_requested.load(std::memory_order_relaxed);
}

void setTerminationRequested(bool requested)
{
    g_requested.store(requested, std::memory_order_relaxed);
}

bool quitOnTerminationSignals()
{
    auto* app = QCoreApplication::instance();
    if (!app || g_pipe[0] >= 0) return false;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0) return false;
    // A burst of signals must never block the handler: extra bytes are dropped.
    ::fcntl(g_pipe[0], F_SETFL, ::fcntl(g_pipe[0], F_GETFL) | O_NONBLOCK);
    ::fcntl(g_pipe[1], F_SETFL, ::fcntl(g_pipe[1], F_GETFL) | O_NONBLOCK);

    auto* notifier = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, app, [app] {
        char buffer[16];
        while (::read(g_pipe[1], buffer, sizeof buffer) > 0) {
        }
        // exit(), not quit(): a signal is no request the window may refuse
        // with its confirmation question; open dialogs end too. A signal seen
        // while the start-up lets events run, before the main loop, would be
        // forgotten when that loop starts: the request is repeated until a
        // loop takes it.
        auto* again = new QTimer(app);
        QObject::connect(again, &QTimer::timeout, app, [] { QCoreApplication::exit(0); });
        again->start(10);
        QCoreApplication::exit(0);
    });

    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    bool ok = true;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ok = ::sigaction(signal, &action, nullptr) == 0 && ok;
    return ok;
}

} // namespace titrage
