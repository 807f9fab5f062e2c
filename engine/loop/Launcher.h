#pragma once

#include <map>
#include <ostream>
#include <string>

#include "Replay.h"
#include "ReplayRecorder.h"

namespace ks {

class Platform;

/// What a run of a game asks for: the options every game on the engine understands.
struct LaunchOptions {
    bool has_seed = false;   ///< whether a seed was given
    unsigned long seed = 0;  ///< --seed N: the seed of the game's random draws (0 to 2^32 - 1)
    std::string record_file; ///< --record FILE: every input written to FILE
    std::string replay_file; ///< --replay FILE: a recorded game played again
    bool headless = false;   ///< --headless: with a replay, no window, no sound, unpaced
    bool mute = false;       ///< --mute: no sound (the sound hardware is never opened)
    int scale = 1;           ///< --scale N: the window N times larger (1 to 4)
};

/// Starts a game the way every game on the engine starts, so that each game's main() is its
/// own resources and objects only:
///
///     ks::Launcher launcher("snake");
///     int code = launcher.parse(argc, argv, std::cout, std::cerr);
///     if (code != ks::Launcher::RUN)
///         return code;                          // --help, or a usage error
///     ks::DefaultPlatform desktop;              // the window of this build
///     ks::HeadlessPlatform headless;
///     if ((code = launcher.start(desktop, headless)) != 0)
///         return code;                          // a bad replay file, no display, ...
///     loadResources();                          // the game's own
///     populateWorld();
///     code = launcher.run();                    // the loop; the recording ends with it
///     return code;                              // 0, or what went wrong with the files
///
/// start() reads a replay file whole before anything opens, chooses the seed (the option's, the
/// replay's, or the clock's), checks the file to record to, starts the log, chooses the platform
/// (the game's own; the headless one for --headless, whose silent sound device also serves
/// --mute), starts the managers in order, and starts recording or replaying. Each failure is one
/// line on stderr, "PROGRAM: what went wrong", and an exit code: 2 for a bad replay file, 1 when
/// there is no display or the file to record to is refused (then the log is left as it was).
///
/// run() ends with the exit code of the run, after a line on stderr for each thing that went
/// wrong: 0 when all went well; RECORDING_INCOMPLETE, REPLAY_DIVERGED, REPLAY_CUT_OFF; 128 + the
/// signal's number when SIGTERM, SIGINT or SIGHUP ended a recorded game (the recording then ends
/// properly, see ExitSignals).
class Launcher {
public:
    /// What parse() returns when the game should start.
    static constexpr int RUN = -1;
    /// The exit code of a game that went well but whose recording stopped early (a write to the
    /// file failed: a full disk, a file-size limit): the file holds only the first cycles.
    static constexpr int RECORDING_INCOMPLETE = 3;
    /// The exit code of a replay whose log disagreed with its recording's marks.
    static constexpr int REPLAY_DIVERGED = 4;
    /// The exit code of a replay of a recording cut off (no end line), played to its last
    /// complete line.
    static constexpr int REPLAY_CUT_OFF = 5;

    /// A launcher for the program named (in messages); version, if given, is what --version
    /// prints after the name.
    explicit Launcher(std::string init_program, std::string init_version = "");

    /// Reads the options of LaunchOptions from the command line (CLI11). RUN when the game
    /// should start; otherwise the exit code, after the help or the version on out (0), or after
    /// "PROGRAM: what is wrong" and the usage on err (2), which a usage error anywhere on the
    /// line gives even with --help or --version. The help fits 80 columns. A game with options
    /// of its own parses them itself and hands the result to setOptions().
    int parse(int argc, const char* const argv[], std::ostream& out, std::ostream& err);
    /// The text --help shows above the options.
    void setDescription(const std::string& text) { description = text; }
    /// What --help says of an option ("--seed", ...), in the game's own words.
    void setOptionHelp(const std::string& option, const std::string& text) {
        option_help[option] = text;
    }

    /// The options of the run, as parse() would set them.
    void setOptions(const LaunchOptions& new_options) { options = new_options; }
    /// The options of the run.
    const LaunchOptions& getOptions() const { return options; }

    /// The first half of start(), for a game that has something to say before the window opens:
    /// reads the replay file (2, said on stderr, when it is bad), chooses the seed, opens the file
    /// to record to without changing it (1 when it is refused) and starts the log. 0 when the game
    /// can go on.
    int prepare();
    /// The seed of the run: the option's, the replay's, or the clock's (known after prepare()).
    unsigned long getSeed() const { return seed; }

    /// Everything before the game's own resources and objects (prepare() first, if the game did
    /// not call it): the platform chosen, the managers started, recording or replaying started.
    /// 0, or the exit code after one line on stderr. Both platforms must outlive the run.
    int start(Platform& platform, Platform& headless);
    /// Runs the game loop until it ends, then finish().
    int run();
    /// Starts a run whose cycles the caller drives one runCycle() at a time, for a host that
    /// cannot block in run() (a web page, driven by the browser's animation frames).
    void beginRun();
    /// One cycle of the loop (GameManager::runCycle); in the cycle that ends the game, finish()
    /// runs (its exit code is then getExitCode()). Whether the game goes on.
    bool runCycle();
    /// After the loop: ends the recording (its end line) or the replay (its last marks compared),
    /// says on stderr (and in the log) what went wrong, and returns the exit code of the run. A
    /// replay ended before its last cycle (the viewer closed it) is said on stderr, "PROGRAM:
    /// stopped by the viewer at cycle N of M", N and M counting cycles as the summary does.
    int finish();
    /// The exit code finish() gave; 0 before it ran.
    int getExitCode() const { return exit_code; }

    /// Whether this run records its input.
    bool isRecording() const { return !options.record_file.empty(); }
    /// Whether this run plays a recorded game.
    bool isReplaying() const { return !options.replay_file.empty(); }
    /// The recorded game played (empty unless replaying).
    const Replay& getReplay() const { return replay; }

private:
    /// Prints "PROGRAM: message" on stderr.
    void say(const std::string& message) const;
    /// The same, and a line in the log (left out of its checksum).
    void warn(const std::string& message) const;
    /// The help of an option: the game's words if it gave some, else the default.
    std::string helpOf(const std::string& option, const char* default_text) const;
    /// The usage lines, one for playing, one for replaying, one for the help.
    std::string usage() const;
    /// What --help prints: the description, the usage and each option with its help.
    std::string helpText() const;
    /// Reads an option's whole number from low to high into value: "" when it is one, else what
    /// is wrong with it.
    static std::string readNumber(const std::string& option, const std::string& text,
                                  unsigned long low, unsigned long high, unsigned long& value);
    /// The text's lines, each word-wrapped to the help's width, continued lines (and the first)
    /// indented by indent columns.
    static std::string wrap(const std::string& text, size_t indent);

    std::string program;
    std::string version;
    std::string description;
    std::map<std::string, std::string> option_help;
    LaunchOptions options;
    Replay replay;
    ReplayRecorder recorder;
    unsigned long seed;
    bool prepared;
    int exit_code = 0;
};

} // namespace ks
