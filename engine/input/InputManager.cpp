#include "InputManager.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include "DisplayBackend.h"
#include "EventKeyboard.h"
#include "EventMouse.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "Position.h"
#include "WorldManager.h"

namespace ks {

namespace {

// The keys sampled for KEY_DOWN, in the order they are tested; the first held one wins.
const sf::Keyboard::Key HELD_ORDER[] = {
    sf::Keyboard::A,      sf::Keyboard::B,        sf::Keyboard::C,        sf::Keyboard::D,
    sf::Keyboard::E,      sf::Keyboard::F,        sf::Keyboard::G,        sf::Keyboard::H,
    sf::Keyboard::I,      sf::Keyboard::J,        sf::Keyboard::K,        sf::Keyboard::L,
    sf::Keyboard::M,      sf::Keyboard::N,        sf::Keyboard::O,        sf::Keyboard::P,
    sf::Keyboard::Q,      sf::Keyboard::R,        sf::Keyboard::S,        sf::Keyboard::T,
    sf::Keyboard::U,      sf::Keyboard::V,        sf::Keyboard::W,        sf::Keyboard::X,
    sf::Keyboard::Y,      sf::Keyboard::Z,        sf::Keyboard::Space,    sf::Keyboard::Return,
    sf::Keyboard::Escape, sf::Keyboard::Tab,      sf::Keyboard::Left,     sf::Keyboard::Right,
    sf::Keyboard::Up,     sf::Keyboard::Down,     sf::Keyboard::Pause,    sf::Keyboard::Subtract,
    sf::Keyboard::Add,    sf::Keyboard::Tilde,    sf::Keyboard::Period,   sf::Keyboard::Comma,
    sf::Keyboard::Slash,  sf::Keyboard::LControl, sf::Keyboard::RControl, sf::Keyboard::LShift,
    sf::Keyboard::RShift, sf::Keyboard::F1,       sf::Keyboard::F2,       sf::Keyboard::F3,
    sf::Keyboard::F4,     sf::Keyboard::F5,       sf::Keyboard::F6,       sf::Keyboard::F7,
    sf::Keyboard::F8,     sf::Keyboard::F9,       sf::Keyboard::F10,      sf::Keyboard::F11,
    sf::Keyboard::F12,    sf::Keyboard::Num0,     sf::Keyboard::Num1,     sf::Keyboard::Num2,
    sf::Keyboard::Num3,   sf::Keyboard::Num4,     sf::Keyboard::Num5,     sf::Keyboard::Num6,
    sf::Keyboard::Num7,   sf::Keyboard::Num8,     sf::Keyboard::Num9,
};

// The keys both columns of the key table agree on; Escape, Dash/Subtract and the Alt keys differ.
int commonKey(sf::Keyboard::Key key) {
    if (key >= sf::Keyboard::A && key <= sf::Keyboard::Z)
        return Keyboard::A + (key - sf::Keyboard::A);
    if (key >= sf::Keyboard::Num0 && key <= sf::Keyboard::Num9)
        return Keyboard::NUM0 + (key - sf::Keyboard::Num0);
    if (key >= sf::Keyboard::F1 && key <= sf::Keyboard::F12)
        return Keyboard::F1 + (key - sf::Keyboard::F1);
    switch (key) {
    case sf::Keyboard::Space:
        return Keyboard::SPACE;
    case sf::Keyboard::Return:
        return Keyboard::RETURN;
    case sf::Keyboard::Tab:
        return Keyboard::TAB;
    case sf::Keyboard::Left:
        return Keyboard::LEFTARROW;
    case sf::Keyboard::Right:
        return Keyboard::RIGHTARROW;
    case sf::Keyboard::Up:
        return Keyboard::UPARROW;
    case sf::Keyboard::Down:
        return Keyboard::DOWNARROW;
    case sf::Keyboard::Pause:
        return Keyboard::PAUSE;
    case sf::Keyboard::Add:
        return Keyboard::PLUS;
    case sf::Keyboard::Tilde:
        return Keyboard::TILDE;
    case sf::Keyboard::Period:
        return Keyboard::PERIOD;
    case sf::Keyboard::Comma:
        return Keyboard::COMMA;
    case sf::Keyboard::Slash:
        return Keyboard::SLASH;
    case sf::Keyboard::LControl:
        return Keyboard::LEFTCONTROL;
    case sf::Keyboard::RControl:
        return Keyboard::RIGHTCONTROL;
    case sf::Keyboard::LShift:
        return Keyboard::LEFTSHIFT;
    case sf::Keyboard::RShift:
        return Keyboard::RIGHTSHIFT;
    default:
        return Keyboard::UNDEFINED_KEY;
    }
}

// The replay line of a delivered keyboard or mouse event.
Replay::Input inputOf(const Event& event) {
    int cycle = GameManager::getInstance().getStepCount();
    if (auto* p_key = dynamic_cast<const EventKeyboard*>(&event))
        return {cycle, Replay::Input::KEYBOARD, p_key->getKeyboardAction(), p_key->getKey(),
                Position()};
    auto* p_mouse = dynamic_cast<const EventMouse*>(&event);
    return {cycle, Replay::Input::MOUSE, p_mouse ? p_mouse->getMouseAction() : 0,
            p_mouse ? p_mouse->getMouseButton() : 0,
            p_mouse ? p_mouse->getMousePosition() : Position()};
}

} // namespace

InputManager::InputManager()
    : pause_key(Keyboard::UNDEFINED_KEY), p_record(nullptr), p_replay(nullptr), replay_next(0) {
    setType("InputManager");
}

InputManager& InputManager::getInstance() {
    static InputManager instance;
    return instance;
}

int InputManager::startUp() {
    GraphicsManager& graphics = GraphicsManager::getInstance();
    if (!graphics.isStarted() || !graphics.getBackend())
        return -1;
    if (sf::RenderWindow* p_window = graphics.getWindow())
        p_window->setKeyRepeatEnabled(false);
    Manager::startUp();
    LogManager::getInstance().writeLog("InputManager::startUp(): InputManager started");
    return 0;
}

void InputManager::shutDown() {
    // Forget the keys the window had down; a new window starts with none.
    keys_down.clear();
    released_early.clear();
    Manager::shutDown();
}

int InputManager::keyFromEvent(sf::Keyboard::Key key) {
    switch (key) {
    case sf::Keyboard::Dash:
        return Keyboard::MINUS;
    case sf::Keyboard::LAlt:
        return Keyboard::LEFTALT;
    case sf::Keyboard::RAlt:
        return Keyboard::RIGHTALT;
    default:
        // Escape included: the queue reports it as an undefined key.
        return commonKey(key);
    }
}

int InputManager::keyFromHeld(sf::Keyboard::Key key) {
    switch (key) {
    case sf::Keyboard::Escape:
        return Keyboard::ESCAPE;
    case sf::Keyboard::Subtract:
        return Keyboard::MINUS;
    default:
        return commonKey(key);
    }
}

int InputManager::buttonFromSfml(sf::Mouse::Button button) {
    switch (button) {
    case sf::Mouse::Left:
        return Mouse::LEFT;
    case sf::Mouse::Right:
        return Mouse::RIGHT;
    case sf::Mouse::Middle:
        return Mouse::MIDDLE;
    default:
        return Mouse::UNDEFINED_MOUSE_BUTTON;
    }
}

void InputManager::handleEvent(const sf::Event& event) {
    switch (event.type) {
    case sf::Event::Closed:
        endGame();
        break;
    case sf::Event::KeyPressed:
        if (event.key.code == sf::Keyboard::Escape)
            endGame();
        if (event.key.code != sf::Keyboard::Unknown) {
            keys_down.insert(event.key.code);
            released_early.erase(event.key.code);
        }
        sendEvent(EventKeyboard(KEY_PRESSED, keyFromEvent(event.key.code)));
        break;
    case sf::Event::KeyReleased:
        keys_down.erase(event.key.code);
        if (released_early.erase(event.key.code) > 0)
            break;
        sendEvent(EventKeyboard(KEY_RELEASED, keyFromEvent(event.key.code)));
        break;
    case sf::Event::MouseButtonPressed:
        sendEvent(EventMouse(MOUSE_PRESSED, buttonFromSfml(event.mouseButton.button),
                             Position(event.mouseButton.x, event.mouseButton.y)));
        break;
    case sf::Event::MouseButtonReleased:
        sendEvent(EventMouse(MOUSE_RELEASED, buttonFromSfml(event.mouseButton.button),
                             Position(event.mouseButton.x, event.mouseButton.y)));
        break;
    case sf::Event::MouseMoved:
        sendEvent(EventMouse(MOUSE_MOVED, Mouse::UNDEFINED_MOUSE_BUTTON,
                             Position(event.mouseMove.x, event.mouseMove.y)));
        break;
    default:
        break;
    }
}

void InputManager::sendHeldKey(KeyHeldTest is_held) {
    if (!is_held)
        return;
    EventKeyboard event(KEY_DOWN, Keyboard::UNDEFINED_KEY);
    for (sf::Keyboard::Key key : HELD_ORDER) {
        if (!is_held(key))
            continue;
        event.setKey(keyFromHeld(key));
        sendHeld(event);
        return;
    }
}

void InputManager::releaseLostKeys(KeyHeldTest is_held) {
    if (!is_held)
        return;
    for (auto it = keys_down.begin(); it != keys_down.end();) {
        const sf::Keyboard::Key key = *it;
        if (is_held(key)) {
            ++it;
            continue;
        }
        it = keys_down.erase(it);
        released_early.insert(key);
        sendEvent(EventKeyboard(KEY_RELEASED, keyFromEvent(key)));
    }
}

void InputManager::sendEvent(const Event& event) {
    record(inputOf(event));
    auto* p_key = dynamic_cast<const EventKeyboard*>(&event);
    if (p_key && p_key->getKeyboardAction() == KEY_PRESSED &&
        pause_key != Keyboard::UNDEFINED_KEY && p_key->getKey() == pause_key) {
        GameManager& game = GameManager::getInstance();
        game.setPaused(!game.isPaused());
    }
    WorldManager::getInstance().onEvent(&event);
    LogManager::getInstance().writeLog("InputManager::getInput(): event of type %s sent to all "
                                       "objects",
                                       event.getType().c_str());
}

void InputManager::sendHeld(EventKeyboard& event) {
    record(inputOf(event));
    if (event.getKey() == Keyboard::A)
        LogManager::getInstance().writeLog("pressing key %d", event.getKey());
    onEvent(&event);
}

void InputManager::endGame() {
    record({GameManager::getInstance().getStepCount(), Replay::Input::QUIT, 0, 0, Position()});
    if (DisplayBackend* p_backend = GraphicsManager::getInstance().getBackend())
        p_backend->close();
    GameManager::getInstance().setGameOver(true);
}

void InputManager::getInput() {
    DisplayBackend* p_backend = GraphicsManager::getInstance().getBackend();
    if (!p_backend)
        return;
    if (p_replay) {
        // Only the window's way out counts while a replay plays.
        sf::Event event;
        while (p_backend->pollEvent(event))
            if (event.type == sf::Event::Closed ||
                (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape))
                endGame();
        playReplay();
        return;
    }
    GameManager& game = GameManager::getInstance();
    sf::Event event;
    while (p_backend->pollEvent(event))
        if (!game.isPaused() || countsWhilePaused(event))
            handleEvent(event);
    if (game.isPaused())
        return; // no key is held for a paused game
    // One look at the keyboard serves every key tested below.
    p_backend->sampleKeyboard();
    auto is_held = [p_backend](sf::Keyboard::Key key) { return p_backend->isKeyHeld(key); };
    releaseLostKeys(is_held);
    sendHeldKey(is_held);
}

bool InputManager::countsWhilePaused(const sf::Event& event) const {
    if (event.type == sf::Event::Closed)
        return true;
    if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape)
        return true;
    // The pause key, pressed and released.
    return (event.type == sf::Event::KeyPressed || event.type == sf::Event::KeyReleased) &&
           pause_key != Keyboard::UNDEFINED_KEY && keyFromEvent(event.key.code) == pause_key;
}

void InputManager::playReplay() {
    const int cycle = GameManager::getInstance().getStepCount();
    const std::vector<Replay::Input>& inputs = p_replay->getInputs();
    for (; replay_next < inputs.size() && inputs[replay_next].cycle <= cycle; replay_next++) {
        const Replay::Input& input = inputs[replay_next];
        if (input.cycle < cycle)
            continue; // a cycle already gone (a replay started late): nothing to do
        switch (input.kind) {
        case Replay::Input::QUIT:
            endGame();
            break;
        case Replay::Input::KEYBOARD:
            if (input.action == KEY_DOWN) {
                EventKeyboard held(KEY_DOWN, input.code);
                sendHeld(held);
            } else {
                sendEvent(EventKeyboard(input.action, input.code));
            }
            break;
        case Replay::Input::MOUSE:
            sendEvent(EventMouse(input.action, input.code, input.position));
            break;
        }
    }
    if (cycle >= p_replay->getLastCycle())
        GameManager::getInstance().setGameOver(true);
}

void InputManager::startReplay(const Replay* p_new_replay) {
    p_replay = p_new_replay;
    replay_next = 0;
}

int InputManager::startRecording(const std::string& filename, unsigned long seed) {
    if (p_record)
        fclose(p_record);
    p_record = fopen(filename.c_str(), "w");
    if (!p_record) {
        LogManager::getInstance().writeLog(
            "InputManager::startRecording(): Error: cannot write replay file %s", filename.c_str());
        return -1;
    }
    fprintf(p_record, "%s\n%s\n", Replay::headerLine().c_str(), Replay::seedLine(seed).c_str());
    fflush(p_record);
    return 0;
}

void InputManager::record(const Replay::Input& input) {
    if (!p_record)
        return;
    // Flushed line by line: a game that crashes still leaves a replay up to its last input.
    fprintf(p_record, "%s\n", Replay::inputLine(input).c_str());
    fflush(p_record);
}

void InputManager::stopRecording(int last_cycle) {
    if (!p_record)
        return;
    fprintf(p_record, "%s\n", Replay::endLine(last_cycle).c_str());
    fclose(p_record);
    p_record = nullptr;
}

} // namespace ks
