#pragma once

#include <map>
#include <ostream>
#include <string>

#include "Replay.h"

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
///     launcher.run();                           // the loop; the recording ends with it
///
/// start() reads a replay file whole before anything opens, chooses the seed (the option's, the
/// replay's, or the clock's), starts the log, chooses the platform (the game's own; the headless
/// one for --headless, whose silent sound device also serves --mute), starts the managers in
/// order, and starts recording or replaying. Each failure is one line on stderr,
/// "PROGRAM: what went wrong", and an exit code: 2 for a bad replay file, 1 when there is no
/// display or the recording cannot be written.
class Launcher {
public:
    /// What parse() returns when the game should start.
    static constexpr int RUN = -1;

    /// A launcher for the program named (in messages); version, if given, is what --version
    /// prints after the name.
    explicit Launcher(std::string init_program, std::string init_version = "");

    /// Reads the options of LaunchOptions from the command line (CLI11). RUN when the game
    /// should start; otherwise the exit code, after the help or the version on out (0) or a
    /// usage message on err (2). A game with options of its own parses them itself and hands
    /// the result to setOptions().
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
    /// reads the replay file (2, said on stderr, when it is bad), chooses the seed and starts the
    /// log. 0 when the game can go on.
    int prepare();
    /// The seed of the run: the option's, the replay's, or the clock's (known after prepare()).
    unsigned long getSeed() const { return seed; }

    /// Everything before the game's own resources and objects (prepare() first, if the game did
    /// not call it): the platform chosen, the managers started, recording or replaying started.
    /// 0, or the exit code after one line on stderr. Both platforms must outlive the run.
    int start(Platform& platform, Platform& headless);
    /// Runs the game loop until it ends, then ends the recording with the last cycle played.
    void run();
    /// Starts a run whose cycles the caller drives one runCycle() at a time, for a host that
    /// cannot block in run() (a web page, driven by the browser's animation frames).
    void beginRun();
    /// One cycle of the loop (GameManager::runCycle); in the cycle that ends the game the
    /// recording ends as run() ends it. Whether the game goes on.
    bool runCycle();

    /// Whether this run records its input.
    bool isRecording() const { return !options.record_file.empty(); }
    /// Whether this run plays a recorded game.
    bool isReplaying() const { return !options.replay_file.empty(); }
    /// The recorded game played (empty unless replaying).
    const Replay& getReplay() const { return replay; }

private:
    /// Ends the recording, if any, with the last cycle played.
    void endRecording();
    /// Prints "PROGRAM: message" on stderr.
    void say(const std::string& message) const;
    /// The help of an option: the game's words if it gave some, else the default.
    std::string helpOf(const std::string& option, const char* default_text) const;

    std::string program;
    std::string version;
    std::string description;
    std::map<std::string, std::string> option_help;
    LaunchOptions options;
    Replay replay;
    unsigned long seed;
    bool prepared;
};

} // namespace ks
