#include "CommandLine.h"

#include <CLI/CLI.hpp>

#ifndef MURKVAULT_VERSION
#define MURKVAULT_VERSION "unknown"
#endif

int CommandLine::parse(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
    CLI::App app("Murkvault: a dungeon of coloured text characters.\n"
                 "Without options, plays the game in its window.",
                 "murkvault");
    app.set_version_flag("--version", std::string("murkvault ") + MURKVAULT_VERSION);
    CLI::Option* p_seed =
        app.add_option("--seed", seed,
                       "Build the dungeon from seed N (0 to 4294967295): the same N, the same "
                       "floors. Without it the seed comes from the clock; kestrel.log names it.")
            ->type_name("N")
            ->check(CLI::Range(0UL, 4294967295UL));
    CLI::Option* p_record =
        app.add_option("--record", record_file,
                       "Write the seed and every input to FILE, to replay the game later.")
            ->type_name("FILE");
    CLI::Option* p_replay =
        app.add_option("--replay", replay_file, "Play a game recorded with --record again.")
            ->type_name("FILE");
    CLI::Option* p_headless = app.add_flag(
        "--headless", headless, "With --replay: play it without a window, as fast as it goes.");
    CLI::Option* p_scale =
        app.add_option("--scale", scale,
                       "Open the window N times larger (1 to 4), for large screens; the glyphs "
                       "are drawn at that size, crisp.")
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
        err << "murkvault: " << e.what() << "\n\n" << app.help();
        return 2;
    }
    has_seed = p_seed->count() > 0;
    return RUN;
}
