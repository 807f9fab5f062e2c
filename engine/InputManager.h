#pragma once

#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>

#include "Manager.h"

namespace ks {

// Turns what happens at the window into keyboard and mouse events broadcast to every object, and
// ends the game when the window is closed or Escape is pressed.
class InputManager : public Manager {
public:
    // Whether a key is held right now; sf::Keyboard::isKeyPressed in the game, a fake in tests.
    using KeyHeldTest = bool (*)(sf::Keyboard::Key);

    static InputManager& getInstance();

    // -1 unless the graphics manager is started; turns the window's key repeat off.
    int startUp() override;
    void shutDown() override;

    // Drains the window's event queue (handleEvent for each), then samples the held keys
    // (sendHeldKey). Does nothing when there is no window.
    void getInput();

    // Acts on one window event: closing or Escape ends the game; keys and mouse become events.
    void handleEvent(const sf::Event& event);
    // Sends one KEY_DOWN event for the first held key in the fixed sampling order, if any.
    void sendHeldKey(KeyHeldTest is_held);

    // The engine key code of an SFML key as it comes from the event queue.
    static int keyFromEvent(sf::Keyboard::Key key);
    // The engine key code of an SFML key found held by sampling (UNDEFINED_KEY if never sampled).
    static int keyFromHeld(sf::Keyboard::Key key);
    // The engine button code of an SFML mouse button.
    static int buttonFromSfml(sf::Mouse::Button button);

    InputManager(const InputManager&) = delete;
    InputManager& operator=(const InputManager&) = delete;

private:
    InputManager();
};

} // namespace ks
