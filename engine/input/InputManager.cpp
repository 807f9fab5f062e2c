#include "InputManager.h"

#include "EventKeyboard.h"
#include "EventMouse.h"
#include "GraphicsManager.h"
#include "KeyTable.h"
#include "LogLines.h"
#include "LogManager.h"
#include "LoopControl.h"
#include "Position.h"
#include "Screen.h"

namespace ks {

namespace {

// The replay line of a delivered keyboard or mouse event.
Replay::Input inputOf(const Event& event, int cycle) {
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
    : p_loop(nullptr), pause_key(Keyboard::UNDEFINED_KEY), recorder(), p_replay(nullptr),
      replay_next(0), pressed_keys() {
    setType("InputManager");
}

InputManager& InputManager::getInstance() {
    static InputManager instance;
    return instance;
}

int InputManager::startUp() {
    GraphicsManager& graphics = GraphicsManager::getInstance();
    if (!graphics.isStarted() || !graphics.getScreen())
        return -1;
    graphics.getScreen()->setKeyRepeat(false);
    Manager::startUp();
    LogManager::getInstance().writeVolatileLog("InputManager::startUp(): InputManager started");
    return 0;
}

void InputManager::shutDown() {
    // Forget the keys the window had down; a new window starts with none.
    pressed_keys.clear();
    Manager::shutDown();
}

int InputManager::cycle() const {
    return p_loop ? p_loop->getStepCount() : 0;
}

void InputManager::handleEvent(const InputEvent& event) {
    using Type = InputEvent::Type;
    switch (event.type) {
    case Type::CLOSED:
        endGame();
        break;
    case Type::KEY_PRESSED:
        if (event.key == PhysicalKey::ESCAPE)
            endGame();
        pressed_keys.pressed(event.key);
        sendEvent(EventKeyboard(KEY_PRESSED, KeyTable::fromQueue(event.key)));
        break;
    case Type::KEY_RELEASED:
        if (!pressed_keys.released(event.key))
            break; // released already, when it was found no longer held
        sendEvent(EventKeyboard(KEY_RELEASED, KeyTable::fromQueue(event.key)));
        break;
    case Type::MOUSE_PRESSED:
        sendEvent(EventMouse(MOUSE_PRESSED, event.button, Position(event.x, event.y)));
        break;
    case Type::MOUSE_RELEASED:
        sendEvent(EventMouse(MOUSE_RELEASED, event.button, Position(event.x, event.y)));
        break;
    case Type::MOUSE_MOVED:
        sendEvent(
            EventMouse(MOUSE_MOVED, Mouse::UNDEFINED_MOUSE_BUTTON, Position(event.x, event.y)));
        break;
    case Type::FOCUS_GAINED:
    case Type::FOCUS_LOST:
        break;
    }
}

void InputManager::sendHeldKey(KeyHeldTest is_held) {
    if (!is_held)
        return;
    EventKeyboard event(KEY_DOWN, Keyboard::UNDEFINED_KEY);
    for (size_t i = 0; i < KeyTable::HELD_COUNT; i++) {
        if (!is_held(KeyTable::ROWS[i].from_held))
            continue;
        event.setKey(KeyTable::ROWS[i].code);
        sendHeld(event);
        return;
    }
}

void InputManager::releaseLostKeys(KeyHeldTest is_held) {
    if (!is_held)
        return;
    for (PhysicalKey key : pressed_keys.lost(is_held))
        sendEvent(EventKeyboard(KEY_RELEASED, KeyTable::fromQueue(key)));
}

void InputManager::sendEvent(const Event& event) {
    recorder.write(inputOf(event, cycle()));
    auto* p_key = dynamic_cast<const EventKeyboard*>(&event);
    if (p_key && p_key->getKeyboardAction() == KEY_PRESSED &&
        pause_key != Keyboard::UNDEFINED_KEY && p_key->getKey() == pause_key && p_loop)
        p_loop->setPaused(!p_loop->isPaused());
    onEvent(&event);
    LogManager::getInstance().writeLog("InputManager::getInput(): event of type %s sent to all "
                                       "objects",
                                       event.getType().c_str());
}

void InputManager::sendHeld(EventKeyboard& event) {
    recorder.write(inputOf(event, cycle()));
    if (event.getKey() == Keyboard::A)
        LogManager::getInstance().writeLog(LOG_PRESSING_KEY, event.getKey());
    onEvent(&event);
}

void InputManager::endGame() {
    recorder.write({cycle(), Replay::Input::QUIT, 0, 0, Position()});
    if (Screen* p_screen = GraphicsManager::getInstance().getScreen())
        p_screen->close();
    if (p_loop)
        p_loop->setGameOver(true);
}

void InputManager::getInput() {
    Screen* p_screen = GraphicsManager::getInstance().getScreen();
    if (!p_screen)
        return;
    InputEvent event;
    if (p_replay) {
        // Only the screen's way out counts while a replay plays.
        while (p_screen->pollEvent(event))
            if (event.type == InputEvent::Type::CLOSED ||
                (event.type == InputEvent::Type::KEY_PRESSED && event.key == PhysicalKey::ESCAPE))
                endGame();
        playReplay();
        return;
    }
    // The pause key may change it between two events.
    auto paused = [this] { return p_loop && p_loop->isPaused(); };
    while (p_screen->pollEvent(event))
        if (!paused() || countsWhilePaused(event))
            handleEvent(event);
    if (paused())
        return; // no key is held for a paused game
    // One look at the keyboard serves every key tested below.
    p_screen->sampleKeyboard();
    auto is_held = [p_screen](PhysicalKey key) { return p_screen->isKeyHeld(key); };
    releaseLostKeys(is_held);
    sendHeldKey(is_held);
}

bool InputManager::countsWhilePaused(const InputEvent& event) const {
    using Type = InputEvent::Type;
    if (event.type == Type::CLOSED)
        return true;
    if (event.type == Type::KEY_PRESSED && event.key == PhysicalKey::ESCAPE)
        return true;
    // The pause key, pressed and released.
    return (event.type == Type::KEY_PRESSED || event.type == Type::KEY_RELEASED) &&
           pause_key != Keyboard::UNDEFINED_KEY && KeyTable::fromQueue(event.key) == pause_key;
}

void InputManager::playReplay() {
    const int now = cycle();
    const std::vector<Replay::Input>& inputs = p_replay->getInputs();
    for (; replay_next < inputs.size() && inputs[replay_next].cycle <= now; replay_next++) {
        const Replay::Input& input = inputs[replay_next];
        if (input.cycle < now)
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
    if (now >= p_replay->getLastCycle() && p_loop)
        p_loop->setGameOver(true);
}

void InputManager::startReplay(const Replay* p_new_replay) {
    p_replay = p_new_replay;
    replay_next = 0;
}

int InputManager::startRecording(const std::string& filename, unsigned long seed) {
    if (recorder.open(filename, seed) != 0) {
        LogManager::getInstance().writeLog(
            "InputManager::startRecording(): Error: cannot write replay file %s", filename.c_str());
        return -1;
    }
    return 0;
}

void InputManager::stopRecording(int last_cycle) {
    recorder.close(last_cycle);
}

} // namespace ks
