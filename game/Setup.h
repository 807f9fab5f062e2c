#pragma once

#include <string>

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
