#pragma once

#include <string>

namespace ks {
class Launcher;
class Platform;
} // namespace ks

// Registers every sprite and sound of the game under the labels the game objects look up.
void loadResources();

// Creates the first objects of the game: the title screen.
void populateWorld();

// Looks in folder (the working directory by default) for the data the game reads from there:
// the folders sprites/ and sounds/ and the file ks-font.ttf. When any is missing it prints one
// line on stderr naming what is missing, the folder (as an absolute path) and how to start the
// game, writes one log line, and returns -1; 0 when everything is there. It only reports: the
// game runs either way.
int checkDataFiles(const std::string& folder = ".");

// Starts a game as murkvault does once its options are set: names the game's window, log and
// font, reads a replay, chooses the seed and starts the log (ks::Launcher::prepare), notes missing
// data (checkDataFiles), makes P the pause key with its label on the top row, opens the platform's
// screen and sound (the headless one's for a headless run), starts the recording or the replay,
// loads the resources and shows the title. 0, or the exit code after one line on stderr. The
// platforms must outlive the game.
int startGame(ks::Launcher& launcher, ks::Platform& platform, ks::Platform& headless);
