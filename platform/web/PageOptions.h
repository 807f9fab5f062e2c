#pragma once

#include <string>

#include "Launcher.h"

namespace ks {

/// A game's options as a web page's address gives them, in place of a command line:
///
///     ?seed=N      the seed (0 to 4294967295), as --seed
///     ?scale=N     the canvas N times larger (1 to 4), as --scale
///     ?replay=NAME a recording served next to the page, played instead of a new game
///     ?fast=1      with a replay: as fast as it goes, as --headless plays it (the canvas shows
///                  it all the same)
///     ?mute=1      no sound, as --mute
///
/// Other parameters are the page's own business and are let be.
struct PageOptions {
    LaunchOptions launch; ///< what the launcher is given (the replay by its file name)
    bool fast = false;    ///< a replay played unpaced

    /// Reads the query of the address ("?seed=42&scale=2", the '?' optional). 0, or -1 with the
    /// error saying which parameter is wrong and why, in one line.
    int parse(const std::string& query, std::string& error);

    /// The file name a replay's name is saved under next to the game (its last part, after any
    /// '/'): the page fetches the recording and stores it there.
    static std::string replayFileOf(const std::string& name);
    /// A parameter's value with the address's escapes undone (%2F, + for a space).
    static std::string decode(const std::string& text);
};

} // namespace ks
