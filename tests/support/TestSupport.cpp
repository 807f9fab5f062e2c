#include "TestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "Clock.h"
#include "Event.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "HeadlessScreen.h"
#include "InputManager.h"
#include "LogManager.h"
#include "ResourceManager.h"
#include "WorldManager.h"

std::vector<std::string> logLines() {
    std::vector<std::string> lines;
    std::ifstream in(ks::LogManager::getInstance().getFileName());
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool logHas(const std::string& line) {
    return logCount(line) > 0;
}

int logCount(const std::string& line) {
    const std::vector<std::string> lines = logLines();
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

std::string fileText(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool hasDisplay() {
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}

void resetEngine() {
    ks::WorldManager& world = ks::WorldManager::getInstance();
    world.shutDown();
    ks::LogManager::getInstance().startUp();
    world.startUp();
    ks::GameManager::getInstance().setGameOver(false);
    ks::GameManager::getInstance().setStepCount(0);
    ks::InputManager::getInstance().shutDown();
    ks::GraphicsManager& graphics = ks::GraphicsManager::getInstance();
    if (!graphics.getScreen())
        graphics.startUp(std::make_unique<ks::HeadlessScreen>());
    graphics.swapBuffers();
    ks::LogManager::getInstance().startUp();
}

std::string row(int y) {
    return ks::GraphicsManager::getInstance().getRowText(y);
}

std::string shownRow(int y) {
    return ks::GraphicsManager::getInstance().getShownCells().rowText(y);
}

Knobs Knobs::save() {
    ks::GraphicsManager& graphics = ks::GraphicsManager::getInstance();
    ks::GameManager& game = ks::GameManager::getInstance();
    Knobs knobs{game.isPaused(),
                game.getPaced(),
                ks::WorldManager::getInstance().isBruteForce(),
                graphics.getScale(),
                ks::InputManager::getInstance().getPauseKey(),
                game.getPauseText(),
                game.getPausePlace(),
                ks::LogManager::getInstance().getMaxFileSize(),
                {},
                graphics.getTitle(),
                graphics.getFontFile(),
                ks::LogManager::getInstance().getFileName(),
                ks::ResourceManager::getInstance().getDataFolder()};
    getrlimit(RLIMIT_FSIZE, &knobs.file_size);
    return knobs;
}

void Knobs::restore() const {
    ks::Clock::setTimeSource(nullptr);
    ks::GraphicsManager::getInstance().setScale(scale);
    ks::GraphicsManager::getInstance().setTitle(title);
    ks::GraphicsManager::getInstance().setFontFile(font_file);
    ks::LogManager::getInstance().setFileName(log_file);
    ks::ResourceManager::getInstance().setDataFolder(data_folder);
    ks::InputManager::getInstance().setPauseKey(pause_key);
    ks::GameManager::getInstance().setPaused(paused);
    ks::GameManager::getInstance().setPauseText(pause_text);
    ks::GameManager::getInstance().setPausePlace(pause_place);
    ks::GameManager::getInstance().setPaced(paced);
    ks::LogManager::getInstance().setMaxFileSize(max_log_size);
    ks::WorldManager::getInstance().setBruteForce(brute_force);
    setrlimit(RLIMIT_FSIZE, &file_size);
}

void EngineTest::TearDown() {
    knobs.restore();
    // A window a test opened stays for the next test; any other screen goes.
    ks::GraphicsManager& graphics = ks::GraphicsManager::getInstance();
    if (graphics.getScreen() && !graphics.getScreen()->hasWindow())
        graphics.shutDown();
}

Recorder::Recorder(ks::Position position, std::string type) : ks::Object(position) {
    setType(type);
}

int Recorder::eventHandler(const ks::Event* p_event) {
    events.push_back(p_event->getType());
    return 1;
}

bool ScriptedScreen::pollEvent(ks::InputEvent& event) {
    if (events.empty())
        return false;
    event = events.front();
    events.pop_front();
    return true;
}

void ScriptedScreen::key(ks::InputEvent::Type type, ks::PhysicalKey code) {
    events.push_back({type, code});
}

ScriptedScreen* startScripted() {
    auto screen = std::make_unique<ScriptedScreen>();
    ScriptedScreen* p_screen = screen.get();
    ks::GraphicsManager::getInstance().startUp(std::move(screen));
    return p_screen;
}

namespace {

class RecordingVoice : public ks::Voice {
public:
    explicit RecordingVoice(std::shared_ptr<RecordingAudio::Record> new_record)
        : record(std::move(new_record)) {}
    void play(bool) override { record->plays++; }
    void stop() override {}
    void pause() override {}

private:
    std::shared_ptr<RecordingAudio::Record> record;
};

} // namespace

std::unique_ptr<ks::Voice> RecordingAudio::createSound(const ks::SoundSamples& sound) {
    record->sounds.push_back(sound);
    return std::make_unique<RecordingVoice>(record);
}

std::unique_ptr<ks::Voice> RecordingAudio::createMusic(std::unique_ptr<ks::SampleStream>) {
    return std::make_unique<RecordingVoice>(record);
}
