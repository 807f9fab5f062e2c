#include "GraphicsManager.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/VideoMode.hpp>

#include "Box.h"
#include "LogManager.h"

// Last: its macros (None, Status, ...) would break the SFML headers.
#include <X11/Xlib.h>

namespace ks {

namespace {

const sf::Color WINDOW_BACKGROUND_COLOR = sf::Color::Black;

sf::Color toSfmlColor(int color) {
    switch (color) {
    case BLACK:
        return sf::Color::Black;
    case RED:
        return sf::Color::Red;
    case GREEN:
        return sf::Color::Green;
    case BLUE:
        return sf::Color::Blue;
    case CYAN:
        return sf::Color::Cyan;
    case MAGENTA:
        return sf::Color::Magenta;
    case YELLOW:
        return sf::Color::Yellow;
    default:
        return sf::Color::White;
    }
}

} // namespace

GraphicsManager::GraphicsManager()
    : font(), p_window(nullptr), window_horizontal_pixels(WINDOW_HORIZONTAL_PIXELS_DEFAULT),
      window_vertical_pixels(WINDOW_VERTICAL_PIXELS_DEFAULT),
      window_horizontal_chars(WINDOW_HORIZONTAL_CHARS_DEFAULT),
      window_vertical_chars(WINDOW_VERTICAL_CHARS_DEFAULT), p_rectangle(nullptr), p_text(nullptr) {
    setType("GraphicsManager");
    clearCells();
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
    p_window->setVerticalSyncEnabled(true);
    p_window->setMouseCursorVisible(false);

    if (!font.loadFromFile(FONT_FILE_DEFAULT)) {
        log.writeLog("GraphicsManager::startUp(): Error: Unable to load font 'ks-font.ttf'");
        return -1;
    }

    Manager::startUp();
    log.writeLog("GraphicsManager::startUp(): GraphicsManager started");
    return 0;
}

void GraphicsManager::shutDown() {
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
    float size = charHeight() > charWidth() ? 2 * charWidth() : 2 * charHeight();
    p_text->setCharacterSize(static_cast<unsigned int>(size));
    p_text->setPosition(static_cast<float>(pixel.getX()), static_cast<float>(pixel.getY()));
    p_text->setFillColor(toSfmlColor(color));
    // A space has no glyph pixels; its background rectangle already did the work.
    if (ch != ' ')
        p_window->draw(*p_text);

    int x = view_pos.getX();
    int y = view_pos.getY();
    if (x >= 0 && x < window_horizontal_chars && y >= 0 && y < window_vertical_chars) {
        cell_char[y][x] = ch;
        cell_color[y][x] = color;
    }
    return 0;
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
    if (!p_window)
        return -1;
    p_window->display();
    p_window->clear(sf::Color(0, 0, 0, 255));
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
