#include "TestSupport.h"

#include <cstdlib>
#include <fstream>

#include "EventCollision.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "Setup.h"
#include "WorldManager.h"

std::vector<std::string> logLines() {
    std::vector<std::string> lines;
    std::ifstream in("kestrel.log");
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

bool logHas(const std::string& line) {
    return logCount(line) > 0;
}

int logCount(const std::string& line) {
    int count = 0;
    for (const std::string& l : logLines())
        if (l == line)
            count++;
    return count;
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
    if (!loaded) {
        loadResources();
        loaded = true;
    }
}

bool openWindow() {
    ks::GraphicsManager& graphics = ks::GraphicsManager::getInstance();
    if (!graphics.getWindow()) {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display)
            return false;
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

Recorder::Recorder(ks::Position position, std::string type) : ks::Object(position) {
    setType(type);
}

int Recorder::eventHandler(const ks::Event* p_event) {
    events.push_back(p_event->getType());
    if (p_event->getType() == ks::COLLISION_EVENT)
        collided_with.push_back(
            static_cast<const ks::EventCollision*>(p_event)->getOtherObject(this));
    return result;
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
