#pragma once

#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/resource.h>

#include "AudioDevice.h"
#include "InputEvent.h"
#include "Object.h"
#include "PhysicalKey.h"
#include "Position.h"
#include "Screen.h"

// The lines of the log file (LogManager::getFileName) as written so far.
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
// on a headless screen unless a test opened another, so drawing fills the cell model (row())
// anywhere.
void resetEngine();

// One screen row of the current frame's cell model, as text; of the last frame shown.
std::string row(int y);
std::string shownRow(int y);

// The process-wide settings tests turn: the clock's time source, graphics' scale, title and font,
// the pause key, the paused and paced flags, the pause text and its place, the log's size cap and
// file name, the resources' data folder, the world's brute-force switch and the process's
// file-size limit.
struct Knobs {
    bool paused, paced, brute_force;
    int scale, pause_key;
    std::string pause_text;
    ks::Position pause_place;
    long max_log_size;
    struct rlimit file_size;
    std::string title, font_file, log_file, data_folder;

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

// A screen played by the test: the events it queues, the keys it holds, the frames shown.
class ScriptedScreen : public ks::Screen {
public:
    bool isOpen() const override { return open; }
    void close() override { open = false; }
    bool hasWindow() const override { return false; }
    int present(const std::vector<ks::CellDraw>& cells) override {
        presents++;
        last_frame = cells;
        return 0;
    }
    bool pollEvent(ks::InputEvent& event) override;
    bool isKeyHeld(ks::PhysicalKey key) override { return held.count(key) > 0; }

    // Queues a key press or release for the next poll.
    void key(ks::InputEvent::Type type, ks::PhysicalKey key);

    std::deque<ks::InputEvent> events;
    std::set<ks::PhysicalKey> held;
    bool open = true;
    int presents = 0;
    std::vector<ks::CellDraw> last_frame; // the cells of the last frame shown, in order
};

// Starts the graphics manager on a new scripted screen, which it owns, and returns it.
ScriptedScreen* startScripted();

// A sound device that keeps the sounds it is given and counts what its voices are asked to do.
class RecordingAudio : public ks::AudioDevice {
public:
    struct Record {
        std::vector<ks::SoundSamples> sounds; // every sound made, in order
        int plays = 0;                        // play() on any voice
    };

    std::unique_ptr<ks::Voice> createSound(const ks::SoundSamples& sound) override;
    std::unique_ptr<ks::Voice> createMusic(std::unique_ptr<ks::SampleStream> stream) override;

    // Shared with the voices, which may outlive the device.
    std::shared_ptr<Record> record = std::make_shared<Record>();
};
