#pragma once

namespace ks {

/// The signals that end a process, watched while a game records, so that its recording ends
/// with an end line rather than wherever the signal struck.
///
/// SIGTERM, SIGINT and SIGHUP only raise a flag (all a signal handler can safely do with the
/// game's state): the input manager reads it each cycle and ends the game as if its window had
/// been closed, and the recording ends as any other. A second such signal, while the first is
/// still being acted on, ends the process at once as it would have without the watch.
///
/// SIGSEGV, SIGBUS, SIGFPE, SIGILL and SIGABRT mean the process is broken: nothing of the game
/// may run any more. Their handler writes the recorder's died line, prepared in advance
/// (ReplayRecorder::writeDeathLine), then lets the signal take its course under the handling
/// it had before (a sanitizer's report, or the default: the process dies with a core dump).
///
/// A signal ignored when the watch starts is left ignored.
class ExitSignals {
public:
    /// Starts watching (again); the flag is lowered.
    static void install();
    /// Puts the handling back as it was before install(), and lowers the flag.
    static void uninstall();
    /// The signal that asked the game to end (SIGTERM, SIGINT or SIGHUP), 0 when none did.
    static int getStopSignal();
};

} // namespace ks
