#pragma once

namespace ks {

/// What the input manager needs of the game loop: the cycle it delivers input in, and the means to
/// pause the game and to end it. GameManager is the one in a game; the input manager is handed it
/// (InputManager::setLoop) rather than reaching up for it.
class LoopControl {
public:
    /// The last cycle a loop can play: its count of cycles, one more, must still fit an int.
    static constexpr int MAX_CYCLE = 2147483646;

    /// The loop is not owned through this interface.
    virtual ~LoopControl() = default;
    /// The cycle under way.
    virtual int getStepCount() const = 0;
    /// Ends the loop after the current cycle.
    virtual void setGameOver(bool new_game_over = true) = 0;
    /// Whether the game is paused.
    virtual bool isPaused() const = 0;
    /// Pauses or resumes the game.
    virtual void setPaused(bool new_paused) = 0;
};

} // namespace ks
