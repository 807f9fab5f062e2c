#pragma once

#include <deque>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DisplayBackend.h"
#include "Object.h"

// The lines of "kestrel.log" in the working directory, as written so far.
std::vector<std::string> logLines();

// Whether some line of the log equals the text exactly.
bool logHas(const std::string& line);

// The number of log lines equal to the text.
int logCount(const std::string& line);

// Puts the log (emptied), the world (no objects, 80 x 24 view), and the game manager (not over,
// step 0) back to a clean state. Objects left from an earlier test are destroyed. Graphics run
// without a window unless a test opened one, so drawing fills the cell model (row()) anywhere.
void resetEngine();

// Loads the game's sprites and sounds once per process (the registry is kept between tests).
void loadGameResources();

// Opens the game window (for tests of its pixels) once per process; false (and the test should
// skip) without a display.
bool openWindow();

// One screen row of the current frame's cell model, as text.
std::string row(int y);
// One screen row of the last frame shown, as text.
std::string shownRow(int y);

// A fixture for tests of the engine and the game: every test starts from resetEngine().
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }
};

// An object that records the type label of every event it receives, in order.
class Recorder : public ks::Object {
public:
    explicit Recorder(ks::Position position = ks::Position(), std::string type = "Recorder");

    int eventHandler(const ks::Event* p_event) override;

    std::vector<std::string> events;
    // For collisions: the other object of each one, in order.
    std::vector<ks::Object*> collided_with;
    // The result eventHandler returns.
    int result = 1;
};

// A screen played by the test: the window events it queues, the keys it holds, the frames shown.
class ScriptedBackend : public ks::DisplayBackend {
public:
    bool isOpen() const override { return open; }
    void close() override { open = false; }
    void drawCell(ks::Position, char, int) override { cells_drawn++; }
    int present() override {
        presents++;
        return 0;
    }
    bool pollEvent(sf::Event& event) override;
    bool isKeyHeld(sf::Keyboard::Key key) override { return held.count(key) > 0; }

    // Queues a key press or release for the next poll.
    void key(sf::Event::EventType type, sf::Keyboard::Key code);

    std::deque<sf::Event> events;
    std::set<sf::Keyboard::Key> held;
    bool open = true;
    int presents = 0;
    int cells_drawn = 0;
};

// Starts the graphics manager on a new scripted backend, which it owns, and returns it.
ScriptedBackend* startScripted();
