#pragma once

// Registers every sprite and sound of the game under the labels the game objects look up.
void loadResources();

// Creates the first objects of the game: the title screen.
void populateWorld();
