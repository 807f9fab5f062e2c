#pragma once

#include <string>

// The one line a recorded or replayed run prints when it ends, the same for a game and its
// replay: "cycles 4211 floor 2 score 310 health 60 checksum 0123456789abcdef". Floor, score and
// health are those shown when the run ended: on the title screen all three are 0; on the game-over
// screen the floor is 0, the score the final score and the health 0. The checksum is the log's
// (ks::LogManager::getChecksum).
std::string summaryLine();
