#pragma once

#include <string>

#include "LoopControl.h"
#include "Manager.h"
#include "Position.h"

/// The ks engine: singleton managers for the game loop (GameManager), the log (LogManager), the
/// world of objects (WorldManager), the screen (GraphicsManager), input (InputManager) and
/// resources (ResourceManager); the objects and events of the world; sprites, sounds and
/// geometry. Every manager is reached through its getInstance().
namespace ks {

class Platform;

/// Milliseconds per game-loop cycle: a thirtieth of a second, truncated.
const int FRAME_TIME = static_cast<int>(1000.0 / 30.0);

/// Starts the other managers and runs the fixed-rate game loop.
class GameManager : public Manager, public LoopControl {
public:
    /// The one game manager, created on first use.
    static GameManager& getInstance();

    /// Starts the log, world, graphics, audio and resource managers, in that order, ignoring
    /// their results: a failed start (a missing font, say) still lets the game run. The screen
    /// and the sound device come from the platform given with setPlatform.
    int startUp() override;
    /// The platform the game runs on: the graphics manager opens its screen on it, the audio
    /// manager its sound device (see Launcher for the usual choice). It must outlive startUp.
    void setPlatform(Platform& platform);
    /// Ends the loop after the current cycle.
    void shutDown() override;

    /// Runs cycles until game over is set, pacing them to the frame time (unless unpaced).
    void run();

    /// Starts a run whose cycles are driven from outside, one runCycle() at a time (a browser's
    /// animation frames): game over false and the step count 0, as run() begins.
    void beginRun();
    /// One cycle of the loop as run() runs it, without waiting out the frame: the cycle's work,
    /// the log line every 30 cycles, the step count advanced. Whether the game goes on; once game
    /// over is set it does nothing and returns false.
    bool runCycle();

    /// The work of one cycle: input, world update, step events, drawing and showing the frame.
    /// run() calls it; tests and soak runs drive the game through it without pacing.
    void cycle();

    /// Ends the loop after the current cycle (true), or lets it go on (false).
    void setGameOver(bool new_game_over = true) override { game_over = new_game_over; }
    /// Whether the loop ends after the current cycle.
    bool getGameOver() const { return game_over; }
    /// Milliseconds per cycle (FRAME_TIME).
    int getFrameTime() const { return frame_time; }
    /// Cycles completed since run() began; the current cycle's EventStep carries it.
    int getStepCount() const override { return step_count; }
    /// Sets the cycle count (for tests that drive cycle() themselves).
    void setStepCount(int new_step_count) { step_count = new_step_count; }
    /// While paused, a cycle reads input (only the pause key, Escape and closing the window
    /// count, see InputManager::setPauseKey), moves nothing, sends no step events, and shows the
    /// last scene with the pause text over it (see setPausePlace); every paused frame is the
    /// same, so the screen need not draw it again. Cycles still count.
    void setPaused(bool new_paused) override { paused = new_paused; }
    /// Whether the game is paused.
    bool isPaused() const override { return paused; }
    /// The text shown across the screen while paused.
    void setPauseText(std::string new_pause_text) { pause_text = new_pause_text; }
    /// The text shown across the screen while paused.
    std::string getPauseText() const { return pause_text; }
    /// The screen cell the pause text is centred on: the middle of the screen unless set. A game
    /// puts it where it hides nothing the player paused to look at.
    void setPausePlace(Position new_pause_place) { pause_place = new_pause_place; }
    /// The screen cell the pause text is centred on.
    Position getPausePlace() const { return pause_place; }

    /// Whether run() waits out the rest of each frame (true, the default) or starts the next cycle
    /// at once, as a replay without a window does.
    void setPaced(bool new_paced) { paced = new_paced; }
    /// Whether run() waits out the rest of each frame.
    bool getPaced() const { return paced; }

    GameManager(const GameManager&) = delete;
    GameManager& operator=(const GameManager&) = delete;

private:
    GameManager();

    /// What closes every cycle: the log line every 30 cycles, then the step count advanced.
    void endCycle();

    bool game_over;
    int frame_time;
    int step_count;
    bool paced;
    bool paused;
    std::string pause_text;
    Position pause_place;
};

} // namespace ks
