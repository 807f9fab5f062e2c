#include "Launcher.h"

#include <cstdio>
#include <ctime>

#include <CLI/CLI.hpp>

#include "AudioManager.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"

namespace ks {

namespace {

// Seeds are 32 bits wide, whatever the width of unsigned long.
const unsigned long SEED_MASK = 0xFFFFFFFFUL;

} // namespace

Launcher::Launcher(std::string init_program, std::string init_version)
    : program(std::move(init_program)), version(std::move(init_version)), description(),
      option_help(), options(), replay(), seed(0), prepared(false) {}

void Launcher::say(const std::string& message) const {
    fprintf(stderr, "%s: %s\n", program.c_str(), message.c_str());
}

std::string Launcher::helpOf(const std::string& option, const char* default_text) const {
    auto it = option_help.find(option);
    return it == option_help.end() ? default_text : it->second;
}

int Launcher::parse(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
    CLI::App app(description, program);
    if (!version.empty())
        app.set_version_flag("--version", program + " " + version);
    LaunchOptions parsed;
    CLI::Option* p_seed =
        app.add_option("--seed", parsed.seed,
                       helpOf("--seed", "Draw the game's random numbers from seed N (0 to "
                                        "4294967295): the same N, the same game."))
            ->type_name("N")
            ->check(CLI::Range(0UL, 4294967295UL));
    CLI::Option* p_record =
        app.add_option("--record", parsed.record_file,
                       helpOf("--record", "Write the seed and every input to FILE, to replay "
                                          "the game later."))
            ->type_name("FILE");
    CLI::Option* p_replay =
        app.add_option("--replay", parsed.replay_file,
                       helpOf("--replay", "Play a game recorded with --record again."))
            ->type_name("FILE");
    CLI::Option* p_headless =
        app.add_flag("--headless", parsed.headless,
                     helpOf("--headless", "With --replay: play it without a window or sound, as "
                                          "fast as it goes."));
    app.add_flag("--mute", parsed.mute,
                 helpOf("--mute", "Play without sound; the sound device is never opened."));
    CLI::Option* p_scale =
        app.add_option("--scale", parsed.scale,
                       helpOf("--scale", "Open the window N times larger (1 to 4)."))
            ->type_name("N")
            ->check(CLI::Range(1, 4));
    p_replay->excludes(p_record)->excludes(p_seed);
    p_headless->needs(p_replay)->excludes(p_scale);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // --help and --version arrive here too, as successes.
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {
            app.exit(e, out, err);
            return 0;
        }
        err << program << ": " << e.what() << "\n\n" << app.help();
        return 2;
    }
    parsed.has_seed = p_seed->count() > 0;
    options = parsed;
    return RUN;
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
    if (isRecording() && input.startRecording(options.record_file, seed) != 0) {
        say("cannot write the replay file " + options.record_file);
        return 1;
    }
    if (isReplaying()) {
        input.startReplay(&replay);
        // Without a window, as fast as it goes: a game played at hundreds of times its speed.
        if (options.headless)
            game.setPaced(false);
    }
    return 0;
}

void Launcher::run() {
    GameManager::getInstance().run();
    endRecording();
}

void Launcher::beginRun() {
    GameManager::getInstance().beginRun();
}

bool Launcher::runCycle() {
    if (GameManager::getInstance().runCycle())
        return true;
    endRecording();
    return false;
}

void Launcher::endRecording() {
    // The step count has gone one past the last cycle played.
    if (isRecording())
        InputManager::getInstance().stopRecording(GameManager::getInstance().getStepCount() - 1);
}

} // namespace ks
