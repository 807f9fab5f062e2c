#include "GraphicsManager.h"

#include <cmath>

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Glyph.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/String.hpp>
#include <SFML/Window/VideoMode.hpp>

#include "Box.h"
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

} // namespace

GraphicsManager::GraphicsManager()
    : font(), p_window(nullptr), window_horizontal_pixels(WINDOW_HORIZONTAL_PIXELS_DEFAULT),
      window_vertical_pixels(WINDOW_VERTICAL_PIXELS_DEFAULT),
      window_horizontal_chars(WINDOW_HORIZONTAL_CHARS_DEFAULT),
      window_vertical_chars(WINDOW_VERTICAL_CHARS_DEFAULT), p_rectangle(nullptr), p_text(nullptr),
      batching(true), vertices(), glyphs() {
    setType("GraphicsManager");
    clearCells();
    setAllDrawn(true);
    vertices.reserve(static_cast<size_t>(window_horizontal_chars) * window_vertical_chars *
                     VERTICES_PER_CELL);
}

GraphicsManager::~GraphicsManager() {
    delete p_text;
    delete p_rectangle;
    delete p_window;
}

GraphicsManager& GraphicsManager::getInstance() {
    static GraphicsManager instance;
    return instance;
}

int GraphicsManager::startUp() {
    if (p_window)
        return 0;
    LogManager& log = LogManager::getInstance();
    // SFML aborts the process when it cannot reach a display, so ask X first. The probe stays
    // connected until the window exists: an X server with no clients left resets, and SFML's
    // own connection would race that reset.
    Display* p_probe = XOpenDisplay(nullptr);
    if (!p_probe) {
        log.writeLog("GraphicsManager::startUp(): Error: Unable to open a display");
        return -1;
    }
    p_window =
        new sf::RenderWindow(sf::VideoMode(window_horizontal_pixels, window_vertical_pixels, 32),
                             WINDOW_TITLE_DEFAULT, sf::Style::Titlebar);
    XCloseDisplay(p_probe);
    // Nothing is known of a new window's pixels until its first clear.
    setAllDrawn(true);
    p_window->setVerticalSyncEnabled(true);
    p_window->setMouseCursorVisible(false);

    // A load, failed or not, empties the font's pages.
    bool loaded = font.loadFromFile(FONT_FILE_DEFAULT);
    resetGlyphCache();
    if (!loaded) {
        log.writeLog("GraphicsManager::startUp(): Error: Unable to load font 'ks-font.ttf'");
        return -1;
    }

    Manager::startUp();
    log.writeLog("GraphicsManager::startUp(): GraphicsManager started");
    return 0;
}

void GraphicsManager::shutDown() {
    vertices.clear();
    // Closing and destroying here keeps the window from leaking; a later startUp opens a new one.
    if (p_window) {
        p_window->close();
        delete p_window;
        p_window = nullptr;
    }
    Manager::shutDown();
}

float GraphicsManager::charWidth() const {
    return static_cast<float>(window_horizontal_pixels) /
           static_cast<float>(window_horizontal_chars);
}

float GraphicsManager::charHeight() const {
    return static_cast<float>(window_vertical_pixels) / static_cast<float>(window_vertical_chars);
}

Position GraphicsManager::spacesToPixels(Position spaces) const {
    return Position(static_cast<int>(spaces.getX() * charWidth()),
                    static_cast<int>(spaces.getY() * charHeight()));
}

Position GraphicsManager::pixelsToSpaces(Position pixels) const {
    return Position(static_cast<int>(pixels.getX() / charWidth()),
                    static_cast<int>(pixels.getY() / charHeight()));
}

int GraphicsManager::drawCh(Position world_pos, char ch, int color) {
    if (!p_window)
        return -1;

    Position view_pos = worldToView(world_pos);
    Position pixel = spacesToPixels(view_pos);
    if (batching)
        queueCh(pixel, ch, color);
    else
        drawChImmediately(pixel, ch, color);
    // Either way the glyph's pixels are no longer black, for a batched background that follows.
    const GlyphQuad& g = glyphQuad(ch);
    if (g.has_quad)
        markDrawn(pixel.getX() + g.left, pixel.getY() + g.top, pixel.getX() + g.right,
                  pixel.getY() + g.bottom);

    int x = view_pos.getX();
    int y = view_pos.getY();
    if (x >= 0 && x < window_horizontal_chars && y >= 0 && y < window_vertical_chars) {
        cell_char[y][x] = ch;
        cell_color[y][x] = color;
    }
    return 0;
}

unsigned int GraphicsManager::characterSize() const {
    float size = charHeight() > charWidth() ? 2 * charWidth() : 2 * charHeight();
    return static_cast<unsigned int>(size);
}

void GraphicsManager::drawChImmediately(Position pixel, char ch, int color) {
    if (!p_rectangle)
        p_rectangle = new sf::RectangleShape(sf::Vector2f(charWidth(), charHeight() - 1));
    p_rectangle->setFillColor(WINDOW_BACKGROUND_COLOR);
    p_rectangle->setPosition(pixel.getX() + charWidth() / 2 - 5,
                             pixel.getY() + charHeight() / 2 - 12);
    p_window->draw(*p_rectangle);

    if (!p_text)
        p_text = new sf::Text("", font, 30);
    p_text->setString(std::string(1, ch));
    p_text->setStyle(sf::Text::Bold);
    p_text->setCharacterSize(characterSize());
    p_text->setPosition(static_cast<float>(pixel.getX()), static_cast<float>(pixel.getY()));
    p_text->setFillColor(toSfmlColor(color));
    // A space has no glyph pixels; its background rectangle already did the work.
    if (ch != ' ')
        p_window->draw(*p_text);
}

void GraphicsManager::queueCh(Position pixel, char ch, int color) {
    const GlyphQuad& g = glyphQuad(ch);

    // The background: the rectangle the unbatched path draws, computed the same way (its
    // position in float, then its size added) so that its edges fall on the same pixels.
    float x0 = pixel.getX() + charWidth() / 2 - 5;
    float y0 = pixel.getY() + charHeight() / 2 - 12;
    float x1 = x0 + charWidth();
    float y1 = y0 + (charHeight() - 1);
    if (!isBlack(x0, y0, x1, y1)) {
        vertices.emplace_back(sf::Vector2f(x0, y0), WINDOW_BACKGROUND_COLOR, WHITE_TEXEL);
        vertices.emplace_back(sf::Vector2f(x1, y0), WINDOW_BACKGROUND_COLOR, WHITE_TEXEL);
        vertices.emplace_back(sf::Vector2f(x0, y1), WINDOW_BACKGROUND_COLOR, WHITE_TEXEL);
        vertices.emplace_back(sf::Vector2f(x0, y1), WINDOW_BACKGROUND_COLOR, WHITE_TEXEL);
        vertices.emplace_back(sf::Vector2f(x1, y0), WINDOW_BACKGROUND_COLOR, WHITE_TEXEL);
        vertices.emplace_back(sf::Vector2f(x1, y1), WINDOW_BACKGROUND_COLOR, WHITE_TEXEL);
    }

    float px = static_cast<float>(pixel.getX());
    float py = static_cast<float>(pixel.getY());
    if (!g.has_quad || isOffWindow(px + g.left, py + g.top, px + g.right, py + g.bottom))
        return;
    // The glyph: sf::Text's two triangles, in its vertex order, moved to the text's position.
    sf::Color c = toSfmlColor(color);
    vertices.emplace_back(sf::Vector2f(px + g.left, py + g.top), c, sf::Vector2f(g.u1, g.v1));
    vertices.emplace_back(sf::Vector2f(px + g.right, py + g.top), c, sf::Vector2f(g.u2, g.v1));
    vertices.emplace_back(sf::Vector2f(px + g.left, py + g.bottom), c, sf::Vector2f(g.u1, g.v2));
    vertices.emplace_back(sf::Vector2f(px + g.left, py + g.bottom), c, sf::Vector2f(g.u1, g.v2));
    vertices.emplace_back(sf::Vector2f(px + g.right, py + g.top), c, sf::Vector2f(g.u2, g.v1));
    vertices.emplace_back(sf::Vector2f(px + g.right, py + g.bottom), c, sf::Vector2f(g.u2, g.v2));
}

const GraphicsManager::GlyphQuad& GraphicsManager::glyphQuad(char ch) {
    unsigned char index = static_cast<unsigned char>(ch);
    if (!glyphs[index].cached)
        cacheGlyph(index);
    return glyphs[index];
}

namespace {

// The region of one cell's size holding pixel coordinate v, kept inside 0 .. count - 1.
int regionOf(float v, float size, int count) {
    float region = std::floor(v / size);
    if (region < 0)
        return 0;
    if (region > count - 1)
        return count - 1;
    return static_cast<int>(region);
}

// Rasterisation snaps vertices to a fraction of a pixel; a pixel of margin keeps every pixel a
// quad can touch inside the regions looked at.
const float REGION_MARGIN = 1.f;

} // namespace

GraphicsManager::RegionRange GraphicsManager::regionsUnder(float x0, float y0, float x1,
                                                           float y1) const {
    return {regionOf(x0 - REGION_MARGIN, charWidth(), window_horizontal_chars),
            regionOf(x1 + REGION_MARGIN, charWidth(), window_horizontal_chars),
            regionOf(y0 - REGION_MARGIN, charHeight(), window_vertical_chars),
            regionOf(y1 + REGION_MARGIN, charHeight(), window_vertical_chars)};
}

void GraphicsManager::markDrawn(float x0, float y0, float x1, float y1) {
    if (isOffWindow(x0, y0, x1, y1))
        return;
    RegionRange r = regionsUnder(x0, y0, x1, y1);
    for (int y = r.top; y <= r.bottom; y++)
        for (int x = r.left; x <= r.right; x++)
            region_drawn[y][x] = true;
}

bool GraphicsManager::isBlack(float x0, float y0, float x1, float y1) const {
    // Wholly off the window: there is nothing to paint.
    if (isOffWindow(x0, y0, x1, y1))
        return true;
    RegionRange r = regionsUnder(x0, y0, x1, y1);
    for (int y = r.top; y <= r.bottom; y++)
        for (int x = r.left; x <= r.right; x++)
            if (region_drawn[y][x])
                return false;
    return true;
}

bool GraphicsManager::isOffWindow(float x0, float y0, float x1, float y1) const {
    // A pixel of margin, as for the regions.
    return x1 + REGION_MARGIN < 0 || y1 + REGION_MARGIN < 0 ||
           x0 - REGION_MARGIN > window_horizontal_pixels ||
           y0 - REGION_MARGIN > window_vertical_pixels;
}

void GraphicsManager::setAllDrawn(bool drawn) {
    for (int y = 0; y < WINDOW_VERTICAL_CHARS_DEFAULT; y++)
        for (int x = 0; x < WINDOW_HORIZONTAL_CHARS_DEFAULT; x++)
            region_drawn[y][x] = drawn;
}

void GraphicsManager::resetGlyphCache() {
    vertices.clear();
    for (GlyphQuad& g : glyphs)
        g.cached = false;
    // Everything the game draws, loaded before any coordinates are taken.
    for (int ch = 32; ch <= 126; ch++)
        font.getGlyph(sf::String(std::string(1, static_cast<char>(ch)))[0], characterSize(), true);
    for (int ch = 32; ch <= 126; ch++)
        refreshGlyph(static_cast<unsigned char>(ch));
}

void GraphicsManager::cacheGlyph(unsigned char ch) {
    // Queued vertices hold texture coordinates of the page as it is now.
    flush();
    refreshGlyph(ch);
    for (int other = 0; other < 256; other++)
        if (glyphs[other].cached)
            refreshGlyph(static_cast<unsigned char>(other));
}

void GraphicsManager::refreshGlyph(unsigned char ch) {
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

int GraphicsManager::flush() {
    if (!p_window) {
        vertices.clear();
        return -1;
    }
    if (vertices.empty())
        return 0;
    sf::RenderStates states;
    states.texture = &font.getTexture(characterSize());
    p_window->draw(vertices.data(), vertices.size(), sf::Triangles, states);
    vertices.clear();
    return 0;
}

void GraphicsManager::setBatching(bool new_batching) {
    flush();
    batching = new_batching;
}

int GraphicsManager::drawFrame(Position world_pos, Frame frame, bool centered, int color) {
    int width = frame.getWidth();
    int height = frame.getHeight();
    if (width == 0 && height == 0)
        return -1;

    int x_offset = centered ? width / 2 : 0;
    int y_offset = centered ? height / 2 : 0;
    std::string str = frame.getString();
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            // A frame built with a short string: the missing characters are blank.
            size_t index = static_cast<size_t>(y) * width + x;
            char ch = index < str.size() ? str[index] : ' ';
            drawCh(Position(world_pos.getX() + x + x_offset, world_pos.getY() + y + y_offset), ch,
                   color);
        }
    }
    return 0;
}

int GraphicsManager::drawString(Position world_pos, std::string str, Justification just,
                                int color) {
    if (!p_window)
        return -1;

    Position pos = world_pos;
    int length = static_cast<int>(str.size());
    if (just == RIGHT_JUSTIFIED)
        pos.moveX(-length);
    else if (just == CENTER_JUSTIFIED)
        pos.moveX(-length / 2);

    for (char ch : str) {
        pos.moveX(1);
        drawCh(pos, ch, color);
    }
    return 0;
}

int GraphicsManager::swapBuffers() {
    clearCells();
    if (flush() != 0)
        return -1;
    p_window->display();
    p_window->clear(sf::Color(0, 0, 0, 255));
    setAllDrawn(false);
    return 0;
}

char GraphicsManager::getCellChar(int view_x, int view_y) const {
    if (view_x < 0 || view_x >= window_horizontal_chars || view_y < 0 ||
        view_y >= window_vertical_chars)
        return ' ';
    return cell_char[view_y][view_x];
}

int GraphicsManager::getCellColor(int view_x, int view_y) const {
    if (view_x < 0 || view_x >= window_horizontal_chars || view_y < 0 ||
        view_y >= window_vertical_chars)
        return -1;
    return cell_color[view_y][view_x];
}

std::string GraphicsManager::getRowText(int view_y) const {
    std::string text(window_horizontal_chars, ' ');
    if (view_y < 0 || view_y >= window_vertical_chars)
        return text;
    for (int x = 0; x < window_horizontal_chars; x++)
        text[x] = cell_char[view_y][x];
    return text;
}

void GraphicsManager::clearCells() {
    for (int y = 0; y < WINDOW_VERTICAL_CHARS_DEFAULT; y++) {
        for (int x = 0; x < WINDOW_HORIZONTAL_CHARS_DEFAULT; x++) {
            cell_char[y][x] = ' ';
            cell_color[y][x] = -1;
        }
    }
}

} // namespace ks
