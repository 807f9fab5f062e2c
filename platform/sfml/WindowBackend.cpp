#include "WindowBackend.h"

#include <algorithm>
#include <cmath>

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Glyph.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/String.hpp>
#include <SFML/Window/VideoMode.hpp>

#include "Color.h"
#include "LogManager.h"

// Last: its macros (None, Status, ...) would break the SFML headers.
#include <X11/Xlib.h>

namespace ks {

namespace {

const sf::Color WINDOW_BACKGROUND_COLOR = sf::Color::Black;

// Two quads of two triangles per cell.
const size_t VERTICES_PER_CELL = 12;

// SFML keeps a 2x2 white square at the top-left of every font page; sampling its centre gives
// plain white under linear filtering, which the vertex colour then tints.
const sf::Vector2f WHITE_TEXEL(1.f, 1.f);

// The characters sf::Text lays out without a glyph quad.
bool isBlank(sf::Uint32 code) {
    return code == ' ' || code == '\n' || code == '\t' || code == '\r';
}

sf::Color toSfmlColor(int color) {
    // Indexed by colour number; any other number is white.
    static const sf::Color COLORS[] = {sf::Color::Black,  sf::Color::Red,  sf::Color::Green,
                                       sf::Color::Blue,   sf::Color::Cyan, sf::Color::Magenta,
                                       sf::Color::Yellow, sf::Color::White};
    return color >= BLACK && color <= WHITE ? COLORS[color] : sf::Color::White;
}

// The region of one cell's size holding pixel coordinate v, kept inside 0 .. count - 1.
int regionOf(float v, float size, int count) {
    float region = std::floor(v / size);
    if (region < 0)
        return 0;
    if (region > count - 1)
        return count - 1;
    return static_cast<int>(region);
}

// The window the X error handler watches, and whether the server said another program destroyed
// it. (Xlib's own handler ends the process at the first error.)
unsigned long watched_window = 0;
bool window_destroyed = false;

int onXError(Display* /*p_display*/, XErrorEvent* p_error) {
    // Once the window is gone every request on it fails (BadWindow, BadDrawable, GLX's own):
    // note it, so that the game ends as if it had been closed. Errors about other resources
    // are dropped: the display is shared with SFML, which tests what it needs.
    if (watched_window != 0 && p_error->resourceid == watched_window)
        window_destroyed = true;
    return 0;
}

// Rasterisation snaps vertices to a fraction of a pixel; a pixel of margin keeps every pixel a
// quad can touch inside the regions looked at.
const float REGION_MARGIN = 1.f;

} // namespace

WindowBackend::WindowBackend(int horizontal_pixels, int vertical_pixels, int horizontal_chars,
                             int vertical_chars, int init_scale)
    : scale(init_scale >= 1 ? init_scale : 1), window_horizontal_pixels(horizontal_pixels * scale),
      window_vertical_pixels(vertical_pixels * scale), window_horizontal_chars(horizontal_chars),
      window_vertical_chars(vertical_chars), font(), window(), keyboard(), focused(false),
      lost_reported(false), cell_background(), cell_text(), batching(true), vertices(), glyphs(),
      frame_glyphs(), region_glyphs(static_cast<size_t>(horizontal_chars) * vertical_chars),
      glyph_stamps(), stamp(0), pixels_unknown(true), frame_draws(), shown_draws(),
      drawn_early(false), repaint(true), repaint_interval(std::chrono::seconds(1)), last_shown(),
      frames_shown(0), frames_skipped(0) {
    vertices.reserve(static_cast<size_t>(window_horizontal_chars) * window_vertical_chars *
                     VERTICES_PER_CELL);
}

// The text and rectangle refer to the font: they go first.
WindowBackend::~WindowBackend() {
    cell_text.reset();
    cell_background.reset();
    window.reset();
}

WindowBackend::OpenResult WindowBackend::open(const std::string& title,
                                              const std::string& font_file) {
    // SFML aborts the process when it cannot reach a display, so ask X first. The probe stays
    // connected until the window exists: an X server with no clients left resets, and SFML's
    // own connection would race that reset.
    Display* p_probe = XOpenDisplay(nullptr);
    if (!p_probe)
        return NO_DISPLAY;
    window = std::make_unique<sf::RenderWindow>(
        sf::VideoMode(window_horizontal_pixels, window_vertical_pixels, 32), title,
        sf::Style::Titlebar);
    XCloseDisplay(p_probe);
    watched_window = window->getSystemHandle();
    window_destroyed = false;
    lost_reported = false;
    XSetErrorHandler(onXError);
    place();
    keyboard = std::make_unique<KeyboardSampler>();
    focused = window->hasFocus();
    // Nothing is known of a new window's pixels until its first clear.
    startFrame();
    pixels_unknown = true;
    repaint = true;
    window->setVerticalSyncEnabled(true);
    window->setMouseCursorVisible(false);

    // A load, failed or not, empties the font's pages.
    bool loaded = font.loadFromFile(font_file);
    resetGlyphCache();
    return loaded ? OPENED : NO_FONT;
}

void WindowBackend::place() {
    // Centred on the screen, but never with its top or left edge off it: a window larger than
    // the screen shows its top-left part, where the health display is.
    const sf::VideoMode screen = sf::VideoMode::getDesktopMode();
    const int x = (static_cast<int>(screen.width) - window_horizontal_pixels) / 2;
    const int y = (static_cast<int>(screen.height) - window_vertical_pixels) / 2;
    window->setPosition(sf::Vector2i(x > 0 ? x : 0, y > 0 ? y : 0));
}

bool WindowBackend::isOpen() const {
    return window && window->isOpen();
}

void WindowBackend::close() {
    vertices.clear();
    if (window)
        window->close();
    watched_window = 0;
}

bool WindowBackend::pollEvent(sf::Event& event) {
    if (!window)
        return false;
    if (window_destroyed && !lost_reported) {
        // Destroyed by another program (xdotool windowclose, xkill -id): a close request.
        lost_reported = true;
        LogManager::getInstance().writeLog(
            "WindowBackend::pollEvent(): Error: the window was destroyed by another program");
        event = sf::Event();
        event.type = sf::Event::Closed;
        return true;
    }
    if (!window->pollEvent(event))
        return false;
    // The game reads the mouse in the pixels of the unscaled window.
    if (event.type == sf::Event::MouseMoved) {
        event.mouseMove.x /= scale;
        event.mouseMove.y /= scale;
    } else if (event.type == sf::Event::MouseButtonPressed ||
               event.type == sf::Event::MouseButtonReleased) {
        event.mouseButton.x /= scale;
        event.mouseButton.y /= scale;
    }
    if (event.type == sf::Event::GainedFocus) {
        focused = true;
        repaint = true; // what covered the window may have left its mark
    } else if (event.type == sf::Event::LostFocus)
        focused = false;
    return true;
}

void WindowBackend::sampleKeyboard() {
    if (keyboard)
        keyboard->sample();
}

bool WindowBackend::isKeyHeld(sf::Keyboard::Key key) {
    return focused && keyboard && keyboard->isDown(key);
}

float WindowBackend::charWidth() const {
    return static_cast<float>(window_horizontal_pixels) /
           static_cast<float>(window_horizontal_chars);
}

float WindowBackend::charHeight() const {
    return static_cast<float>(window_vertical_pixels) / static_cast<float>(window_vertical_chars);
}

unsigned int WindowBackend::characterSize() const {
    float size = charHeight() > charWidth() ? 2 * charWidth() : 2 * charHeight();
    return static_cast<unsigned int>(size);
}

void WindowBackend::drawCell(Position cell_pixel, char ch, int color) {
    if (!window)
        return;
    frame_draws.push_back({cell_pixel.getX(), cell_pixel.getY(), ch, color});
    const Position pixel(cell_pixel.getX() * scale, cell_pixel.getY() * scale);
    if (batching)
        queueCell(pixel, ch, color);
    else
        drawCellImmediately(pixel, ch, color);
    // Either way the glyph's pixels are lit now, for a background that follows.
    const GlyphQuad& g = glyphQuad(ch);
    if (g.has_quad)
        addFrameGlyph({pixel.getX() + g.left, pixel.getY() + g.top, pixel.getX() + g.right,
                       pixel.getY() + g.bottom});
}

void WindowBackend::drawCellImmediately(Position pixel, char ch, int color) {
    drawn_early = true;
    if (!cell_background)
        cell_background =
            std::make_unique<sf::RectangleShape>(sf::Vector2f(charWidth(), charHeight() - scale));
    cell_background->setFillColor(WINDOW_BACKGROUND_COLOR);
    cell_background->setPosition(pixel.getX() + charWidth() / 2 - 5 * scale,
                                 pixel.getY() + charHeight() / 2 - 12 * scale);
    window->draw(*cell_background);

    if (!cell_text)
        cell_text = std::make_unique<sf::Text>("", font, 30);
    cell_text->setString(std::string(1, ch));
    cell_text->setStyle(sf::Text::Bold);
    cell_text->setCharacterSize(characterSize());
    cell_text->setPosition(static_cast<float>(pixel.getX()), static_cast<float>(pixel.getY()));
    cell_text->setFillColor(toSfmlColor(color));
    // A space has no glyph pixels; its background rectangle already did the work.
    if (ch != ' ')
        window->draw(*cell_text);
}

void WindowBackend::emitQuad(const Rect& r, sf::Color color, sf::Vector2f uv1, sf::Vector2f uv2) {
    // sf::Text's two triangles, in its vertex order.
    vertices.emplace_back(sf::Vector2f(r.x0, r.y0), color, sf::Vector2f(uv1.x, uv1.y));
    vertices.emplace_back(sf::Vector2f(r.x1, r.y0), color, sf::Vector2f(uv2.x, uv1.y));
    vertices.emplace_back(sf::Vector2f(r.x0, r.y1), color, sf::Vector2f(uv1.x, uv2.y));
    vertices.emplace_back(sf::Vector2f(r.x0, r.y1), color, sf::Vector2f(uv1.x, uv2.y));
    vertices.emplace_back(sf::Vector2f(r.x1, r.y0), color, sf::Vector2f(uv2.x, uv1.y));
    vertices.emplace_back(sf::Vector2f(r.x1, r.y1), color, sf::Vector2f(uv2.x, uv2.y));
}

void WindowBackend::queueCell(Position pixel, char ch, int color) {
    const GlyphQuad& g = glyphQuad(ch);

    // The background: the rectangle the unbatched path draws, computed the same way (its
    // position in float, then its size added) so that its edges fall on the same pixels.
    float x0 = pixel.getX() + charWidth() / 2 - 5 * scale;
    float y0 = pixel.getY() + charHeight() / 2 - 12 * scale;
    queueBackground({x0, y0, x0 + charWidth(), y0 + (charHeight() - scale)});

    float px = static_cast<float>(pixel.getX());
    float py = static_cast<float>(pixel.getY());
    Rect quad{px + g.left, py + g.top, px + g.right, py + g.bottom};
    if (!g.has_quad || isOffWindow(quad))
        return;
    emitQuad(quad, toSfmlColor(color), sf::Vector2f(g.u1, g.v1), sf::Vector2f(g.u2, g.v2));
}

void WindowBackend::queueBackground(const Rect& background) {
    if (isOffWindow(background))
        return;
    if (pixels_unknown) {
        emitQuad(background, WINDOW_BACKGROUND_COLOR, WHITE_TEXEL, WHITE_TEXEL);
        return;
    }
    // A pixel is painted by a quad when its centre lies inside; the centres inside both the
    // background and a glyph quad are exactly those inside their intersection, so painting the
    // intersections blackens every pixel the whole background would have changed.
    stamp++;
    RegionRange r = regionsUnder(background);
    for (int y = r.top; y <= r.bottom; y++)
        for (int x = r.left; x <= r.right; x++)
            for (int index : region_glyphs[static_cast<size_t>(y) * window_horizontal_chars + x]) {
                if (glyph_stamps[index] == stamp)
                    continue;
                glyph_stamps[index] = stamp;
                const Rect& glyph = frame_glyphs[index];
                Rect cut{std::max(background.x0, glyph.x0), std::max(background.y0, glyph.y0),
                         std::min(background.x1, glyph.x1), std::min(background.y1, glyph.y1)};
                if (cut.x0 < cut.x1 && cut.y0 < cut.y1)
                    emitQuad(cut, WINDOW_BACKGROUND_COLOR, WHITE_TEXEL, WHITE_TEXEL);
            }
}

const WindowBackend::GlyphQuad& WindowBackend::glyphQuad(char ch) {
    unsigned char index = static_cast<unsigned char>(ch);
    if (!glyphs[index].cached)
        cacheGlyph(index);
    return glyphs[index];
}

WindowBackend::RegionRange WindowBackend::regionsUnder(const Rect& r) const {
    return {regionOf(r.x0 - REGION_MARGIN, charWidth(), window_horizontal_chars),
            regionOf(r.x1 + REGION_MARGIN, charWidth(), window_horizontal_chars),
            regionOf(r.y0 - REGION_MARGIN, charHeight(), window_vertical_chars),
            regionOf(r.y1 + REGION_MARGIN, charHeight(), window_vertical_chars)};
}

void WindowBackend::addFrameGlyph(const Rect& glyph) {
    if (isOffWindow(glyph))
        return;
    const int index = static_cast<int>(frame_glyphs.size());
    frame_glyphs.push_back(glyph);
    glyph_stamps.push_back(0);
    RegionRange r = regionsUnder(glyph);
    for (int y = r.top; y <= r.bottom; y++)
        for (int x = r.left; x <= r.right; x++)
            region_glyphs[static_cast<size_t>(y) * window_horizontal_chars + x].push_back(index);
}

bool WindowBackend::isOffWindow(const Rect& r) const {
    // A pixel of margin, as for the regions.
    return r.x1 + REGION_MARGIN < 0 || r.y1 + REGION_MARGIN < 0 ||
           r.x0 - REGION_MARGIN > window_horizontal_pixels ||
           r.y0 - REGION_MARGIN > window_vertical_pixels;
}

void WindowBackend::startFrame() {
    for (int index = 0; index < static_cast<int>(frame_glyphs.size()); index++) {
        RegionRange r = regionsUnder(frame_glyphs[index]);
        for (int y = r.top; y <= r.bottom; y++)
            for (int x = r.left; x <= r.right; x++)
                region_glyphs[static_cast<size_t>(y) * window_horizontal_chars + x].clear();
    }
    frame_glyphs.clear();
    glyph_stamps.clear();
    frame_draws.clear();
    drawn_early = false;
}

void WindowBackend::resetGlyphCache() {
    vertices.clear();
    for (GlyphQuad& g : glyphs)
        g.cached = false;
    // Everything the game draws, loaded before any coordinates are taken.
    for (int ch = 32; ch <= 126; ch++)
        font.getGlyph(sf::String(std::string(1, static_cast<char>(ch)))[0], characterSize(), true);
    for (int ch = 32; ch <= 126; ch++)
        refreshGlyph(static_cast<unsigned char>(ch));
}

void WindowBackend::cacheGlyph(unsigned char ch) {
    // Queued vertices hold texture coordinates of the page as it is now.
    flush();
    refreshGlyph(ch);
    for (int other = 0; other < 256; other++)
        if (glyphs[other].cached)
            refreshGlyph(static_cast<unsigned char>(other));
}

void WindowBackend::refreshGlyph(unsigned char ch) {
    // The character as sf::Text sees it when given a one-character std::string.
    sf::Uint32 code = sf::String(std::string(1, static_cast<char>(ch)))[0];
    GlyphQuad& g = glyphs[ch];
    g.cached = true;
    g.has_quad = !isBlank(code);
    if (!g.has_quad)
        return;

    const sf::Glyph& glyph = font.getGlyph(code, characterSize(), true);
    // As sf::Text lays out the first character: origin at x 0, baseline at y = character size,
    // bounds and texture rectangle padded by one pixel.
    const float padding = 1.f;
    const float x = 0.f;
    const float y = static_cast<float>(characterSize());
    g.left = x + (glyph.bounds.left - padding);
    g.top = y + (glyph.bounds.top - padding);
    g.right = x + (glyph.bounds.left + glyph.bounds.width + padding);
    g.bottom = y + (glyph.bounds.top + glyph.bounds.height + padding);
    g.u1 = static_cast<float>(glyph.textureRect.left) - padding;
    g.v1 = static_cast<float>(glyph.textureRect.top) - padding;
    g.u2 = static_cast<float>(glyph.textureRect.left + glyph.textureRect.width) + padding;
    g.v2 = static_cast<float>(glyph.textureRect.top + glyph.textureRect.height) + padding;
}

int WindowBackend::flush() {
    if (!window) {
        vertices.clear();
        return -1;
    }
    if (vertices.empty())
        return 0;
    drawn_early = true;
    sf::RenderStates states;
    states.texture = &font.getTexture(characterSize());
    window->draw(vertices.data(), vertices.size(), sf::Triangles, states);
    vertices.clear();
    return 0;
}

void WindowBackend::setBatching(bool new_batching) {
    flush();
    batching = new_batching;
}

int WindowBackend::present() {
    if (!window)
        return -1;
    const auto now = std::chrono::steady_clock::now();
    // The frame on screen is still right: leave it there, and this frame's queue unused.
    if (!repaint && !drawn_early && !pixels_unknown && frame_draws == shown_draws &&
        now - last_shown < repaint_interval) {
        vertices.clear();
        startFrame();
        frames_skipped++;
        return 0;
    }
    flush();
    window->display();
    window->clear(sf::Color(0, 0, 0, 255));
    frames_shown++;
    last_shown = now;
    repaint = false;
    pixels_unknown = false;
    shown_draws.swap(frame_draws);
    startFrame();
    return 0;
}

} // namespace ks
