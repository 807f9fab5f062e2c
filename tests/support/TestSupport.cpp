#include "TestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "Clock.h"
#include "Event.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "Map.h"
#include "Setup.h"
#include "WorldManager.h"

std::vector<std::string> logLines() {
    std::vector<std::string> lines;
    std::ifstream in("kestrel.log");
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
    if (!graphics.getBackend()) {
        graphics.setHeadless(true);
        graphics.startUp();
    }
    graphics.swapBuffers();
    ks::LogManager::getInstance().startUp();
}

void loadGameResources() {
    static bool loaded = false;
    if (!loaded)
        loadResources();
    loaded = true;
}

bool openWindow() {
    ks::GraphicsManager& graphics = ks::GraphicsManager::getInstance();
    if (!graphics.getWindow() && hasDisplay()) {
        graphics.shutDown();
        graphics.setHeadless(false);
        graphics.startUp();
    }
    return graphics.getWindow() != nullptr;
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
    Knobs knobs{Map::getNextSeed(),
                graphics.isHeadless(),
                game.isPaused(),
                game.getPaced(),
                ks::WorldManager::getInstance().isBruteForce(),
                graphics.getScale(),
                ks::InputManager::getInstance().getPauseKey(),
                ks::LogManager::getInstance().getMaxFileSize(),
                {}};
    getrlimit(RLIMIT_FSIZE, &knobs.file_size);
    return knobs;
}

void Knobs::restore() const {
    Map::setNextSeed(next_seed);
    ks::Clock::setTimeSource(nullptr);
    ks::GraphicsManager::getInstance().setHeadless(headless);
    ks::GraphicsManager::getInstance().setScale(scale);
    ks::InputManager::getInstance().setPauseKey(pause_key);
    ks::GameManager::getInstance().setPaused(paused);
    ks::GameManager::getInstance().setPaced(paced);
    ks::LogManager::getInstance().setMaxFileSize(max_log_size);
    ks::WorldManager::getInstance().setBruteForce(brute_force);
    setrlimit(RLIMIT_FSIZE, &file_size);
}

void EngineTest::TearDown() {
    knobs.restore();
    if (!ks::GraphicsManager::getInstance().getWindow())
        ks::GraphicsManager::getInstance().shutDown();
}

Recorder::Recorder(ks::Position position, std::string type) : ks::Object(position) {
    setType(type);
}

int Recorder::eventHandler(const ks::Event* p_event) {
    events.push_back(p_event->getType());
    return 1;
}

bool ScriptedBackend::pollEvent(sf::Event& event) {
    if (events.empty())
        return false;
    event = events.front();
    events.pop_front();
    return true;
}

void ScriptedBackend::key(sf::Event::EventType type, sf::Keyboard::Key code) {
    sf::Event event{};
    event.type = type;
    event.key.code = code;
    events.push_back(event);
}

ScriptedBackend* startScripted() {
    auto backend = std::make_unique<ScriptedBackend>();
    ScriptedBackend* p_backend = backend.get();
    ks::GraphicsManager::getInstance().startUp(std::move(backend));
    return p_backend;
}
