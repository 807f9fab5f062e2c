#include "InputManager.h"

#include <cstdio>

#include "EventKeyboard.h"
#include "EventMouse.h"
#include "ExitSignals.h"
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
    : p_loop(nullptr), pause_key(Keyboard::UNDEFINED_KEY), notice(), p_recorder(nullptr),
      recording_failure_noted(false), p_replay(nullptr), replay_next(0), mark_next(0),
      replay_diverged(false), replay_agreed_cycle(-1), pressed_keys() {
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
    record(inputOf(event, cycle()));
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
    record(inputOf(event, cycle()));
    if (event.getKey() == Keyboard::A)
        LogManager::getInstance().writeLog(LOG_PRESSING_KEY, event.getKey());
    onEvent(&event);
}

void InputManager::endGame() {
    record({cycle(), Replay::Input::QUIT, 0, 0, Position()});
    if (Screen* p_screen = GraphicsManager::getInstance().getScreen())
        p_screen->close();
    if (p_loop)
        p_loop->setGameOver(true);
}

void InputManager::getInput() {
    Screen* p_screen = GraphicsManager::getInstance().getScreen();
    if (!p_screen)
        return;
    if (p_recorder)
        keepRecording();
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
    compareMarks(now - 1);
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

void InputManager::compareMarks(int done) {
    const std::vector<Replay::Mark>& marks = p_replay->getMarks();
    for (; mark_next < marks.size() && marks[mark_next].cycle <= done; mark_next++) {
        const Replay::Mark& mark = marks[mark_next];
        // Only the first disagreement tells where the replay went its own way.
        if (mark.cycle < done || replay_diverged)
            continue;
        const uint64_t checksum = LogManager::getInstance().getChecksum();
        if (checksum == mark.checksum) {
            replay_agreed_cycle = mark.cycle;
            continue;
        }
        replay_diverged = true;
        std::string agreed;
        if (replay_agreed_cycle >= 0)
            agreed = "; the same at cycle " + std::to_string(replay_agreed_cycle);
        warn("InputManager::getInput()",
             "replay diverged from the recording at cycle " + std::to_string(mark.cycle) +
                 " (log checksum recorded " + Replay::checksumText(mark.checksum) + ", replayed " +
                 Replay::checksumText(checksum) + agreed + ")");
    }
}

void InputManager::startReplay(const Replay* p_new_replay) {
    p_replay = p_new_replay;
    replay_next = 0;
    mark_next = 0;
    replay_diverged = false;
    replay_agreed_cycle = -1;
}

void InputManager::finishReplay(int last_cycle) {
    if (p_replay)
        compareMarks(last_cycle);
    p_replay = nullptr;
}

void InputManager::setNotice(std::function<void(const std::string&)> new_notice) {
    notice = std::move(new_notice);
}

void InputManager::warn(const char* where, const std::string& message) {
    if (notice)
        notice(message);
    else
        fprintf(stderr, "%s\n", message.c_str());
    // Not counted in the checksum: it is about this run's file or build, not about the game.
    LogManager::getInstance().writeVolatileLog("%s: Warning! %s", where, message.c_str());
}

void InputManager::startRecording(ReplayRecorder* p_new_recorder) {
    p_recorder = p_new_recorder;
    recording_failure_noted = false;
}

void InputManager::stopRecording(int last_cycle) {
    if (!p_recorder)
        return;
    p_recorder->close(last_cycle, LogManager::getInstance().getChecksum());
    noteRecordingFailure();
    p_recorder = nullptr;
}

void InputManager::keepRecording() {
    const int now = cycle();
    p_recorder->setCycle(now);
    // The mark of a cycle is written as the next begins, when all its lines are in the log.
    if (now > 0 && (now - 1) % Replay::MARK_INTERVAL == 0) {
        p_recorder->writeTime(now - 1, LogManager::getInstance().getChecksum());
        noteRecordingFailure();
    }
    // The loop ends after this cycle, so this comes once.
    if (ExitSignals::getStopSignal() != 0)
        endGame();
}

void InputManager::record(const Replay::Input& input) {
    if (!p_recorder)
        return;
    p_recorder->write(input);
    noteRecordingFailure();
}

void InputManager::noteRecordingFailure() {
    if (recording_failure_noted || !p_recorder->hasFailed())
        return;
    recording_failure_noted = true;
    warn("InputManager::getInput()", "recording stopped at cycle " +
                                         std::to_string(p_recorder->getFailedCycle()) + ": " +
                                         p_recorder->getError());
}

} // namespace ks
