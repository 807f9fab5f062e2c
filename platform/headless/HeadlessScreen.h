#pragma once

#include <vector>

#include "Screen.h"

namespace ks {

/// A screen without a window: it shows nothing, has no input and no keys held. The game runs on
/// it exactly as on a window (the graphics manager still keeps every cell), only faster.
class HeadlessScreen : public Screen {
public:
    bool isOpen() const override;
    void close() override;
    bool hasWindow() const override { return false; }
    int present(const std::vector<CellDraw>& cells) override;
    bool pollEvent(InputEvent& event) override;
    bool isKeyHeld(PhysicalKey key) override;

private:
    bool open = true;
};

} // namespace ks
