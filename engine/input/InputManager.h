#pragma once

#include <cstddef>
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
/// It can also write every input it delivers to a replay file (startRecording), with a time mark
/// of the log's checksum each second of play, and deliver the inputs of a replay instead of the
/// window's (startReplay), cycle by cycle, so that a recorded game plays again exactly as it was
/// played; a replay compares the log's checksum with each mark as it goes, and says when they
/// disagree. What a player must hear at once (a recording that stopped, a replay that diverged) is
/// said through the notice (setNotice) and written to the log.
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

    /// Where notices go: one line each, without its line end. By default, and when given an
    /// empty function, standard error.
    void setNotice(std::function<void(const std::string&)> new_notice);

    /// Writes every input delivered from now on to the recorder, which has begun its file and
    /// must outlive the recording; after each cycle that MARK_INTERVAL divides, a time mark with
    /// the log's checksum. Each cycle the recorder learns the cycle under way (for the line a
    /// crash leaves), and a signal that asked the game to end (ExitSignals) ends it. Should a
    /// write fail, that is said once (notice and log) and the game goes on. Null stops recording
    /// without an end line.
    void startRecording(ReplayRecorder* p_new_recorder);
    /// Writes the end line, with the cycle given and the log's checksum, and closes the file,
    /// saying so if that fails. Nothing when not recording. The cycle is the last one played:
    /// after GameManager::run returns, getStepCount() has gone one past it, so the call is
    /// stopRecording(getStepCount() - 1); Launcher::run makes it for a game.
    void stopRecording(int last_cycle);
    /// Whether inputs are being written to a replay file.
    bool isRecording() const { return p_recorder != nullptr; }

    /// Plays the replay's inputs from now on, instead of the window's and the keyboard's; the
    /// replay must outlive its playing. Null stops replaying.
    void startReplay(const Replay* p_new_replay);
    /// Compares the log's checksum with the replay's marks of the last cycle played (the end
    /// line's among them), as after every cycle before, and stops replaying.
    void finishReplay(int last_cycle);
    /// Whether a mark of the replay disagreed with the log: it was said then, in a notice
    /// "replay diverged from the recording at cycle N" with both checksums.
    bool hasReplayDiverged() const { return replay_diverged; }
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
    /// Compares the replay's marks of the cycle done (and skips those before it).
    void compareMarks(int done);
    /// The recording's work at the start of a cycle: the time mark of the cycle before, the
    /// cycle for the died line, and the end of the game when a signal asked for it.
    void keepRecording();
    /// Writes an input to the recording, if any.
    void record(const Replay::Input& input);
    /// Says once that the recording stopped, if it did.
    void noteRecordingFailure();
    /// Says a notice and logs it.
    void warn(const char* where, const std::string& message);
    /// Whether a screen event still counts while the game is paused.
    bool countsWhilePaused(const InputEvent& event) const;
    /// The cycle under way (0 without a loop).
    int cycle() const;

    LoopControl* p_loop;
    int pause_key;
    std::function<void(const std::string&)> notice;
    ReplayRecorder* p_recorder;
    bool recording_failure_noted;
    const Replay* p_replay;
    size_t replay_next;
    size_t mark_next;
    bool replay_diverged;
    int replay_agreed_cycle;
    PressedKeys pressed_keys;
};

} // namespace ks
