#pragma once

#include <cstdint>
#include <vector>

#include "CellCanvas.h"
#include "CellLayout.h"
#include "Platform.h"

namespace ks {

class WebScreen;

/// The web page's canvas (the element with the id "canvas") as a CellCanvas: frames painted by
/// the platform's JavaScript half (ks-web.js) in the game's own font, loaded as a web font, on
/// the desktop's pixels (CellLayout). It also hears the page's keys, mouse and focus and hands
/// them to its screen; the keys it reads are the game's alone (WebKeys::leftToBrowser).
class BrowserCanvas : public CellCanvas {
public:
    /// The canvas laid out as the settings describe, not sized yet.
    explicit BrowserCanvas(const ScreenSettings& init_settings);
    /// Stops listening to the page.
    ~BrowserCanvas() override;

    /// Sizes the canvas, titles the page and loads the font from its file: OPENED, or NO_FONT
    /// when the file cannot be read (the cells are painted without glyphs).
    ScreenStatus open();
    /// Hands the page's input to the screen from now on (null: to nobody).
    void listen(WebScreen* p_new_screen);

    void paint(const std::vector<CellDraw>& cells) override;
    void close() override;

    BrowserCanvas(const BrowserCanvas&) = delete;
    BrowserCanvas& operator=(const BrowserCanvas&) = delete;

    /// The screen the page's input goes to (for the page's event handlers).
    WebScreen* getScreen() const { return p_screen; }
    /// How many times larger than its size the canvas is drawn.
    int getScale() const { return layout.getScale(); }

private:
    ScreenSettings settings;
    CellLayout layout;
    WebScreen* p_screen;
    /// The frame being handed to the JavaScript half, 8 numbers a cell.
    std::vector<int32_t> numbers;
};

} // namespace ks
