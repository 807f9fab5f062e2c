#include "Launcher.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sstream>
#include <vector>

#include <CLI/CLI.hpp>

#include "AudioManager.h"
#include "ExitSignals.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"

namespace ks {

namespace {

// Seeds are 32 bits wide, whatever the width of unsigned long.
const unsigned long SEED_MASK = 0xFFFFFFFFUL;
// The help is laid out for a terminal of 80 columns, the options' texts from this column on.
const size_t HELP_WIDTH = 80;
const size_t HELP_INDENT = 18;

} // namespace

Launcher::Launcher(std::string init_program, std::string init_version)
    : program(std::move(init_program)), version(std::move(init_version)), description(),
      option_help(), options(), replay(), seed(0), prepared(false) {}

void Launcher::say(const std::string& message) const {
    fprintf(stderr, "%s: %s\n", program.c_str(), message.c_str());
}

void Launcher::warn(const std::string& message) const {
    say(message);
    LogManager::getInstance().writeVolatileLog("Launcher::finish(): Warning! %s", message.c_str());
}

std::string Launcher::helpOf(const std::string& option, const char* default_text) const {
    auto it = option_help.find(option);
    return it == option_help.end() ? default_text : it->second;
}

int Launcher::parse(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
    // CLI11 splits the command line; the checks and every message are the launcher's own, in a
    // player's words.
    CLI::App app(description, program);
    app.set_help_flag();
    app.allow_extras();
    bool help = false;
    bool show_version = false;
    std::string seed_text;
    std::string scale_text;
    LaunchOptions parsed;
    app.add_flag("-h,--help", help);
    if (!version.empty())
        app.add_flag("--version", show_version);
    // A missing value is the launcher's to report; the last of a repeated option counts.
    auto valued = [&app](const char* name, std::string& value) {
        return app.add_option(name, value)
            ->expected(0, 1)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    };
    CLI::Option* p_seed = valued("--seed", seed_text);
    CLI::Option* p_record = valued("--record", parsed.record_file);
    CLI::Option* p_replay = valued("--replay", parsed.replay_file);
    CLI::Option* p_scale = valued("--scale", scale_text);
    app.add_flag("--headless", parsed.headless);
    app.add_flag("--mute", parsed.mute);

    std::string problem;
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        problem = e.what();
    }
    const std::vector<std::string> extras = app.remaining();
    if (problem.empty() && !extras.empty())
        problem = extras.front().rfind("-", 0) == 0 ? "unknown option " + extras.front()
                                                    : "unexpected argument " + extras.front();
    if (problem.empty() && p_seed->count() > 0)
        problem = readNumber("--seed", seed_text, 0, SEED_MASK, parsed.seed);
    unsigned long scale = 1;
    if (problem.empty() && p_scale->count() > 0)
        problem = readNumber("--scale", scale_text, 1, 4, scale);
    parsed.scale = static_cast<int>(scale);
    if (problem.empty() && p_record->count() > 0 && parsed.record_file.empty())
        problem = "--record needs a file name";
    if (problem.empty() && p_replay->count() > 0 && parsed.replay_file.empty())
        problem = "--replay needs a file name";
    if (problem.empty() && !parsed.replay_file.empty() && !parsed.record_file.empty())
        problem = "--replay and --record cannot go together";
    if (problem.empty() && !parsed.replay_file.empty() && p_seed->count() > 0)
        problem = "--replay and --seed cannot go together (a replay has its seed)";
    if (problem.empty() && parsed.headless && parsed.replay_file.empty())
        problem = "--headless works only with --replay";
    if (problem.empty() && parsed.headless && p_scale->count() > 0)
        problem = "--headless and --scale cannot go together (no window to scale)";
    if (!problem.empty()) {
        err << program << ": " << problem << "\n"
            << usage() << "Try '" << program << " --help' for more.\n";
        return 2;
    }
    if (help) {
        out << helpText();
        return 0;
    }
    if (show_version) {
        out << program << " " << version << "\n";
        return 0;
    }
    parsed.has_seed = p_seed->count() > 0;
    options = parsed;
    return RUN;
}

std::string Launcher::readNumber(const std::string& option, const std::string& text,
                                 unsigned long low, unsigned long high, unsigned long& value) {
    const std::string range =
        "(N is from " + std::to_string(low) + " to " + std::to_string(high) + ")";
    if (text.empty())
        return option + " needs a number " + range;
    const bool negative = text[0] == '-' && text.size() > 1;
    if (text.find_first_not_of("0123456789", negative ? 1 : 0) != std::string::npos)
        return option + " " + text + ": not a number " + range;
    // Digits only: past 20 of them it is out of range whatever they say.
    errno = 0;
    const unsigned long long read = text.size() <= 20 ? strtoull(text.c_str(), nullptr, 10) : 0;
    if (negative || text.size() > 20 || errno == ERANGE || read < low || read > high)
        return option + " " + text + ": out of range " + range;
    value = static_cast<unsigned long>(read);
    return "";
}

std::string Launcher::usage() const {
    const std::string indent(7, ' '); // under "usage: "
    std::string text = "usage: " + program + " [--seed N] [--record FILE] [--mute] [--scale N]\n";
    text += indent + program + " --replay FILE [--headless] [--mute] [--scale N]\n";
    text += indent + program + (version.empty() ? " --help\n" : " --help | --version\n");
    return text;
}

std::string Launcher::helpText() const {
    struct Entry {
        const char* option;
        std::string text;
    };
    const Entry entries[] = {
        {"--seed N", helpOf("--seed", "Draw the game's random numbers from seed N (0 to "
                                      "4294967295): the same N, the same game.")},
        {"--record FILE",
         helpOf("--record", "Write the seed and every input to FILE, to replay the game later.")},
        {"--replay FILE", helpOf("--replay", "Play a game recorded with --record again.")},
        {"--headless", helpOf("--headless", "With --replay: play it without a window or sound, "
                                            "as fast as it goes.")},
        {"--mute", helpOf("--mute", "Play without sound; the sound device is never opened.")},
        {"--scale N", helpOf("--scale", "Open the window N times larger (1 to 4).")},
        {"-h, --help", "Show this help and quit."},
        {"--version", version.empty() ? "" : "Show the version and quit."},
    };
    std::string text;
    if (!description.empty())
        text += wrap(description, 0) + "\n";
    text += usage() + "\noptions:\n";
    for (const Entry& entry : entries) {
        if (entry.text.empty())
            continue;
        std::string first = "  " + std::string(entry.option);
        first.resize(HELP_INDENT, ' ');
        text += first + wrap(entry.text, HELP_INDENT).substr(HELP_INDENT);
    }
    return text;
}

std::string Launcher::wrap(const std::string& text, size_t indent) {
    std::string wrapped;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string word;
        std::string row(indent, ' ');
        while (words >> word) {
            if (row.size() > indent && row.size() + 1 + word.size() > HELP_WIDTH) {
                wrapped += row + "\n";
                row.assign(indent, ' ');
            }
            row += (row.size() > indent ? " " : "") + word;
        }
        wrapped += row + "\n";
    }
    return wrapped;
}

int Launcher::prepare() {
    prepared = true;
    // A replay file is read whole before anything opens: a bad one ends the program here.
    if (isReplaying() && replay.load(options.replay_file) != 0) {
        say(replay.getError());
        return 2;
    }
    seed = static_cast<unsigned long>(time(nullptr)) & SEED_MASK;
    if (options.has_seed)
        seed = options.seed & SEED_MASK;
    if (isReplaying())
        seed = replay.getSeed();
    // Before the log, which empties its file: a refused start leaves the old log as it was.
    if (isRecording() && recorder.open(options.record_file) != 0) {
        say(recorder.getError());
        return 1;
    }
    // The log first, so that every manager started afterwards can write to it.
    LogManager::getInstance().startUp();
    return 0;
}

int Launcher::start(Platform& platform, Platform& headless) {
    if (!prepared) {
        const int code = prepare();
        if (code != 0)
            return code;
    }
    GraphicsManager& graphics = GraphicsManager::getInstance();
    graphics.setScale(options.scale);
    graphics.setPlatform(options.headless ? &headless : &platform);
    AudioManager::getInstance().setPlatform(options.headless || options.mute ? &headless
                                                                             : &platform);
    GameManager& game = GameManager::getInstance();
    game.startUp();
    if (!graphics.getScreen()) {
        say("cannot open a window: no display (is DISPLAY set?)");
        return 1;
    }
    InputManager& input = InputManager::getInstance();
    input.setNotice([name = program](const std::string& message) {
        fprintf(stderr, "%s: %s\n", name.c_str(), message.c_str());
    });
    if (isRecording()) {
        if (recorder.begin(seed) != 0) {
            say(recorder.getError());
            return 1;
        }
        input.startRecording(&recorder);
        ExitSignals::install();
    }
    if (isReplaying()) {
        input.startReplay(&replay);
        // Without a window, as fast as it goes: a game played at hundreds of times its speed.
        if (options.headless)
            game.setPaced(false);
    }
    return 0;
}

int Launcher::run() {
    GameManager::getInstance().run();
    return finish();
}

void Launcher::beginRun() {
    GameManager::getInstance().beginRun();
}

bool Launcher::runCycle() {
    if (GameManager::getInstance().runCycle())
        return true;
    finish();
    return false;
}

int Launcher::finish() {
    InputManager& input = InputManager::getInstance();
    // The step count has gone one past the last cycle played.
    const int last_cycle = GameManager::getInstance().getStepCount() - 1;
    int code = 0;
    const int stop_signal = ExitSignals::getStopSignal();
    if (input.isRecording()) {
        input.stopRecording(last_cycle);
        ExitSignals::uninstall();
        if (recorder.hasFailed()) {
            warn("the recording holds only the first " + std::to_string(recorder.getCyclesHeld()) +
                 " of the " + std::to_string(last_cycle + 1) +
                 " cycles played: " + recorder.getError());
            code = RECORDING_INCOMPLETE;
        }
    }
    if (input.isReplaying()) {
        // Ended before its last cycle, a replay's summary would read like one that went astray.
        const int recorded = replay.getLastCycle() + 1;
        if (last_cycle + 1 < recorded)
            say("stopped by the viewer at cycle " + std::to_string(last_cycle + 1) + " of " +
                std::to_string(recorded));
        input.finishReplay(last_cycle);
        if (!replay.getCutNote().empty()) {
            warn(replay.getCutNote());
            code = REPLAY_CUT_OFF;
        }
        if (!replay.getDeathSignal().empty())
            warn(options.replay_file + ": the recorded game died of " + replay.getDeathSignal() +
                 " in cycle " + std::to_string(replay.getLastCycle()));
        if (input.hasReplayDiverged())
            code = REPLAY_DIVERGED;
    }
    if (stop_signal != 0)
        code = 128 + stop_signal; // as a shell reports a process ended by the signal
    exit_code = code;
    return code;
}

} // namespace ks
