#include "ExitSignals.h"

#include <csignal>

#include "ReplayRecorder.h"

namespace ks {

namespace {

const int STOP_SIGNALS[] = {SIGTERM, SIGINT, SIGHUP};
const int CRASH_SIGNALS[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

volatile sig_atomic_t stop_signal = 0;
// The handling each signal had before install(), and whether it is watched now.
struct sigaction previous[NSIG];
bool watched[NSIG];

// A crash by stack overflow needs a stack of its own to run the handler on.
const size_t ALTERNATE_STACK_SIZE = 64 * 1024;
alignas(16) char alternate_stack[ALTERNATE_STACK_SIZE];

void restore(int signal_number) {
    sigaction(signal_number, &previous[signal_number], nullptr);
}

void onStop(int signal_number) {
    if (stop_signal != 0) {
        // Asked again before the game could end: do as the process would have done unwatched.
        restore(signal_number);
        raise(signal_number);
        return;
    }
    stop_signal = signal_number;
}

void onCrash(int signal_number, siginfo_t* p_info, void*) {
    ReplayRecorder::writeDeathLine(signal_number);
    restore(signal_number);
    // A signal another process sent (kill, or abort's own raise) is sent again, to be handled
    // as before once this handler returns; a fault of the processor comes back by itself when the
    // faulting instruction runs again.
    if (p_info == nullptr || p_info->si_code <= 0)
        raise(signal_number);
}

void watch(int signal_number, bool crash) {
    struct sigaction old;
    if (sigaction(signal_number, nullptr, &old) != 0)
        return;
    if (!(old.sa_flags & SA_SIGINFO) && old.sa_handler == SIG_IGN)
        return; // someone (nohup, a shell) wants it ignored
    struct sigaction action = {};
    sigemptyset(&action.sa_mask);
    if (crash) {
        action.sa_sigaction = onCrash;
        action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    } else {
        action.sa_handler = onStop;
        action.sa_flags = SA_RESTART;
    }
    if (sigaction(signal_number, &action, nullptr) != 0)
        return;
    previous[signal_number] = old;
    watched[signal_number] = true;
}

} // namespace

void ExitSignals::install() {
    uninstall();
#ifndef __EMSCRIPTEN__ // a web page's game has no alternate stack to run handlers on, nor needs one
    // A stack already set aside (a sanitizer's) serves as well.
    stack_t current;
    if (sigaltstack(nullptr, &current) == 0 && (current.ss_flags & SS_DISABLE)) {
        stack_t own = {};
        own.ss_sp = alternate_stack;
        own.ss_size = ALTERNATE_STACK_SIZE;
        sigaltstack(&own, nullptr);
    }
#endif
    for (int signal_number : STOP_SIGNALS)
        watch(signal_number, false);
    for (int signal_number : CRASH_SIGNALS)
        watch(signal_number, true);
}

void ExitSignals::uninstall() {
    for (int signal_number = 1; signal_number < NSIG; signal_number++)
        if (watched[signal_number]) {
            restore(signal_number);
            watched[signal_number] = false;
        }
    stop_signal = 0;
}

int ExitSignals::getStopSignal() {
    return stop_signal;
}

} // namespace ks
