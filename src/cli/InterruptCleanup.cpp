#include "cli/InterruptCleanup.h"

#include <pthread.h>

#include <csignal>
#include <thread>

#include "runs/WorkFolder.h"

namespace qnetica {
namespace {

sigset_t StopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&signals, signal);
    return signals;
}

// Waits for a stop signal, cleans up outside any signal handler, then lets the signal's own
// action end the process.
void TakeStopSignal(sigset_t signals) {
    int signal = 0;
    if (sigwait(&signals, &signal) != 0) return;
    WorkFolder::RemoveAllOfProcess();
    std::signal(signal, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    std::raise(signal);
}

}  // namespace

void RemoveWorkFoldersOnInterrupt() {
    const sigset_t signals = StopSignals();
    if (pthread_sigmask(SIG_BLOCK, &signals, nullptr) != 0) return;
    std::thread(TakeStopSignal, signals).detach();
}

}  // namespace qnetica
