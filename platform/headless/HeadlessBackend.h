#pragma once

#include "DisplayBackend.h"

namespace ks {

/// A screen without a window: it draws nothing, has no events and no keys held. The game runs on
/// it exactly as on a window (the graphics manager still keeps every cell), only faster.
class HeadlessBackend : public DisplayBackend {
public:
    bool isOpen() const override;
    void close() override;
    void drawCell(Position pixel, char ch, int color) override;
    int present() override;
    bool pollEvent(sf::Event& event) override;
    bool isKeyHeld(sf::Keyboard::Key key) override;

private:
    bool open = true;
};

} // namespace ks
