#pragma once

#include <functional>
#include <string>

#include "EventKeyboard.h"
#include "InputEvent.h"
#include "Manager.h"
#include "PhysicalKey.h"
#include "PressedKeys.h"
#include "Replay.h"
#include "ReplayRecorder.h"

namespace ks {

class Event;
class LoopControl;

/// Turns what happens at the screen into keyboard and mouse events broadcast to every object, and
/// ends the game when the window is closed or Escape is pressed. It reads the screen the graphics
/// manager shows frames on, and tells the game loop (setLoop) to pause or end.
///
/// It can also write every input it delivers to a replay file (startRecording), and deliver the
/// inputs of a replay instead of the window's (startReplay), cycle by cycle, so that a recorded
/// game plays again exactly as it was played.
class InputManager : public Manager {
public:
    /// Whether a key is held right now; the screen's keyboard in the game, a fake in tests.
    using KeyHeldTest = std::function<bool(PhysicalKey)>;

    /// The one input manager, created on first use.
    static InputManager& getInstance();

    /// -1 unless the graphics manager is started; turns the screen's key repeat off, so that a
    /// held key gives one KEY_PRESSED only. Neither GameManager::startUp nor the Launcher calls
    /// it: unless the game does, key repeat stays on and a held key gives KEY_PRESSED again at
    /// the keyboard's repeat rate, with no KEY_RELEASED between (recordings show them so).
    int startUp() override;
    /// Also forgets which keys the window had down.
    void shutDown() override;

    /// The game loop whose cycles input is delivered in, and which the pause key and the way out
    /// act on (GameManager hands itself over when it is made). Null: cycle 0, nothing to end.
    void setLoop(LoopControl* p_new_loop) { p_loop = p_new_loop; }

    /// Drains the screen's event queue (handleEvent for each), then samples the held keys
    /// (sendHeldKey). Does nothing when the graphics manager has no screen. While a replay runs,
    /// it delivers the replay's inputs of this cycle instead (the window can still end the game),
    /// and sets game over in the replay's last cycle.
    void getInput();

    /// The key (an engine key code) whose press pauses and resumes the game; UNDEFINED_KEY (the
    /// default) for none. Its presses and releases still reach the objects. While the game is
    /// paused, every other input but Escape and closing the window is dropped: nothing moves.
    void setPauseKey(int new_pause_key) { pause_key = new_pause_key; }
    /// The pause key (an engine key code), UNDEFINED_KEY for none.
    int getPauseKey() const { return pause_key; }

    /// Writes the replay file's header with the seed, then every input delivered from now on. -1
    /// (logged) when the file cannot be written.
    int startRecording(const std::string& filename, unsigned long seed);
    /// Writes the end line with the cycle given, the last cycle played, and closes the file.
    /// After GameManager::run returns, getStepCount() has gone one past the last cycle, so the
    /// call is stopRecording(getStepCount() - 1); Launcher::run makes it for a game.
    void stopRecording(int last_cycle);
    /// Whether inputs are being written to a replay file.
    bool isRecording() const { return recorder.isOpen(); }

    /// Plays the replay's inputs from now on, instead of the window's and the keyboard's; the
    /// replay must outlive its playing. Null stops replaying.
    void startReplay(const Replay* p_new_replay);
    /// Whether a replay is being played.
    bool isReplaying() const { return p_replay != nullptr; }

    /// Acts on one screen event: closing or Escape ends the game; keys and mouse become events.
    void handleEvent(const InputEvent& event);
    /// Sends one KEY_DOWN event for the first held key in the fixed sampling order, if any.
    void sendHeldKey(KeyHeldTest is_held);
    /// Sends KEY_RELEASED, once, for each key pressed in the window and not released there that
    /// is no longer held: a key let go while another window had the focus (Alt+Tab) would
    /// otherwise stay down for the game until pressed again. Its late release from the window,
    /// should one come, is then not sent again.
    void releaseLostKeys(KeyHeldTest is_held);

    InputManager(const InputManager&) = delete;
    InputManager& operator=(const InputManager&) = delete;

private:
    InputManager();

    /// Delivers a keyboard or mouse event from the event queue to every object, logs it, and
    /// records it.
    void sendEvent(const Event& event);
    /// The same for a held key (logged as the sampling logs it).
    void sendHeld(EventKeyboard& event);
    /// Closes the window and sets game over, recording it.
    void endGame();
    /// Delivers the replay's inputs of the current cycle.
    void playReplay();
    /// Whether a screen event still counts while the game is paused.
    bool countsWhilePaused(const InputEvent& event) const;
    /// The cycle under way (0 without a loop).
    int cycle() const;

    LoopControl* p_loop;
    int pause_key;
    ReplayRecorder recorder;
    const Replay* p_replay;
    size_t replay_next;
    PressedKeys pressed_keys;
};

} // namespace ks
