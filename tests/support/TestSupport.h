#pragma once

#include <deque>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/resource.h>

#include "DisplayBackend.h"
#include "Object.h"

// The lines of "kestrel.log" in the working directory, as written so far.
std::vector<std::string> logLines();
// Whether some line of the log equals the text exactly; how many do.
bool logHas(const std::string& line);
int logCount(const std::string& line);
// The whole content of a file ("" when it cannot be read).
std::string fileText(const std::string& name);
// Whether an X display is named (tests of the window skip without one).
bool hasDisplay();

// Puts the log (emptied), the world (no objects, 80 x 24 view), and the game manager (not over,
// step 0) back to a clean state. Objects left from an earlier test are destroyed. Graphics run
// without a window unless a test opened one, so drawing fills the cell model (row()) anywhere.
void resetEngine();
// Loads the game's sprites and sounds once per process (the registry is kept between tests).
void loadGameResources();
// Opens the game window (for tests of its pixels) once per process; false without a display.
bool openWindow();

// One screen row of the current frame's cell model, as text; of the last frame shown.
std::string row(int y);
std::string shownRow(int y);

// The process-wide settings tests turn: the next map's seed, the clock's time source, graphics'
// headless flag and scale, the pause key, the paused and paced flags, the log's size cap, the
// world's brute-force switch and the process's file-size limit.
struct Knobs {
    unsigned long next_seed;
    bool headless, paused, paced, brute_force;
    int scale, pause_key;
    long max_log_size;
    struct rlimit file_size;

    static Knobs save();
    // Puts every setting back as saved, and the real clock back as the time source.
    void restore() const;
};

// A fixture for tests of the engine and the game: every test starts from resetEngine(), and
// every knob it turns is put back when it ends; a screen without a window (a scripted one) is
// closed then too.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        knobs = Knobs::save();
        resetEngine();
    }
    void TearDown() override;

private:
    Knobs knobs;
};

// An object that records the type label of every event it receives, in order.
class Recorder : public ks::Object {
public:
    explicit Recorder(ks::Position position = ks::Position(), std::string type = "Recorder");

    int eventHandler(const ks::Event* p_event) override;

    std::vector<std::string> events;
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
