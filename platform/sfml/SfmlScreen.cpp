#include "SfmlScreen.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/VideoMode.hpp>

#include "Color.h"
#include "LogManager.h"

namespace ks {

namespace {

// SFML's keys stand in the same order as the engine's physical keys, one place earlier.
static_assert(static_cast<int>(PhysicalKey::A) == sf::Keyboard::A + 1, "letters");
static_assert(static_cast<int>(PhysicalKey::NUM0) == sf::Keyboard::Num0 + 1, "digits");
static_assert(static_cast<int>(PhysicalKey::ESCAPE) == sf::Keyboard::Escape + 1, "escape");
static_assert(static_cast<int>(PhysicalKey::HYPHEN) == sf::Keyboard::Hyphen + 1, "hyphen");
static_assert(static_cast<int>(PhysicalKey::SPACE) == sf::Keyboard::Space + 1, "space");
static_assert(static_cast<int>(PhysicalKey::DELETE) == sf::Keyboard::Delete + 1, "delete");
static_assert(static_cast<int>(PhysicalKey::LEFT) == sf::Keyboard::Left + 1, "arrows");
static_assert(static_cast<int>(PhysicalKey::NUMPAD0) == sf::Keyboard::Numpad0 + 1, "keypad");
static_assert(static_cast<int>(PhysicalKey::F1) == sf::Keyboard::F1 + 1, "function keys");
static_assert(static_cast<int>(PhysicalKey::PAUSE) == sf::Keyboard::Pause + 1, "pause");
static_assert(static_cast<int>(PhysicalKey::COUNT) == sf::Keyboard::KeyCount + 1, "all");

PhysicalKey physicalKeyOf(sf::Keyboard::Key key) {
    if (key < 0 || key >= sf::Keyboard::KeyCount)
        return PhysicalKey::UNKNOWN;
    return static_cast<PhysicalKey>(key + 1);
}

int buttonOf(sf::Mouse::Button button) {
    switch (button) {
    case sf::Mouse::Left:
        return Mouse::LEFT;
    case sf::Mouse::Right:
        return Mouse::RIGHT;
    case sf::Mouse::Middle:
        return Mouse::MIDDLE;
    default:
        return Mouse::UNDEFINED_MOUSE_BUTTON;
    }
}

sf::Color sfmlColorOf(int color) {
    // Indexed by colour number; any other number is white.
    static const sf::Color COLORS[] = {sf::Color::Black,  sf::Color::Red,  sf::Color::Green,
                                       sf::Color::Blue,   sf::Color::Cyan, sf::Color::Magenta,
                                       sf::Color::Yellow, sf::Color::White};
    return color >= BLACK && color <= WHITE ? COLORS[color] : sf::Color::White;
}

} // namespace

SfmlScreen::SfmlScreen(const ScreenSettings& init_settings)
    : settings(init_settings), layout(init_settings), x_watch(),
      atlas(static_cast<unsigned int>(layout.getGlyphSize())),
      batcher(layout.getWidth(), layout.getHeight(), init_settings.horizontal_chars,
              init_settings.vertical_chars),
      skipper(), window(), keyboard(), focused(false), lost_reported(false), batching(true),
      pixels_known(false), cell_background(), cell_text() {}

// The text and rectangle refer to the font: they go first.
SfmlScreen::~SfmlScreen() {
    cell_text.reset();
    cell_background.reset();
    close();
    window.reset();
}

ScreenStatus SfmlScreen::open() {
    // SFML aborts the process when it cannot reach a display: ask X first.
    if (!x_watch.probe())
        return ScreenStatus::NO_DISPLAY;
    window =
        std::make_unique<sf::RenderWindow>(sf::VideoMode(layout.getWidth(), layout.getHeight(), 32),
                                           settings.title, sf::Style::Titlebar);
    x_watch.release();
    x_watch.watch(window->getSystemHandle());
    lost_reported = false;
    place();
    keyboard = std::make_unique<KeyboardSampler>();
    focused = window->hasFocus();
    // Nothing is known of a new window's pixels until its first clear.
    pixels_known = false;
    skipper.requestRepaint();
    window->setVerticalSyncEnabled(true);
    window->setMouseCursorVisible(false);

    // A glyph added to the page mid-frame may move the others: what is queued goes first.
    atlas.setBeforePageChange([this] {
        if (window)
            batcher.flush(*window, atlas.getTexture());
    });
    return atlas.load(settings.font_file) ? ScreenStatus::OPENED : ScreenStatus::NO_FONT;
}

int SfmlScreen::fittingScale(const ScreenSettings& settings, int screen_width, int screen_height) {
    int fitting = settings.scale;
    while (fitting > 1 && (settings.horizontal_pixels * fitting > screen_width ||
                           settings.vertical_pixels * fitting > screen_height))
        fitting--;
    return fitting < 1 ? 1 : fitting;
}

void SfmlScreen::place() {
    // Centred on the screen, but never with its top or left edge off it: a window larger than
    // the screen shows its top-left part, where the health display is.
    const sf::VideoMode screen = sf::VideoMode::getDesktopMode();
    const int x = (static_cast<int>(screen.width) - layout.getWidth()) / 2;
    const int y = (static_cast<int>(screen.height) - layout.getHeight()) / 2;
    window->setPosition(sf::Vector2i(x > 0 ? x : 0, y > 0 ? y : 0));
}

bool SfmlScreen::isOpen() const {
    return window && window->isOpen();
}

void SfmlScreen::close() {
    batcher.discard();
    if (window)
        window->close();
    x_watch.watch(0);
}

void SfmlScreen::setKeyRepeat(bool repeat) {
    if (window)
        window->setKeyRepeatEnabled(repeat);
}

bool SfmlScreen::pollEvent(InputEvent& event) {
    if (!window)
        return false;
    if (x_watch.isWindowDestroyed() && !lost_reported) {
        // Destroyed by another program (xdotool windowclose, xkill -id): a close request.
        lost_reported = true;
        LogManager::getInstance().writeVolatileLog(
            "SfmlScreen::pollEvent(): Error: the window was destroyed by another program");
        event = InputEvent();
        event.type = InputEvent::Type::CLOSED;
        return true;
    }
    using Type = InputEvent::Type;
    sf::Event e;
    while (window->pollEvent(e)) {
        event = InputEvent();
        switch (e.type) {
        case sf::Event::Closed:
            event.type = Type::CLOSED;
            return true;
        case sf::Event::KeyPressed:
        case sf::Event::KeyReleased:
            event.type = e.type == sf::Event::KeyPressed ? Type::KEY_PRESSED : Type::KEY_RELEASED;
            event.key = physicalKeyOf(e.key.code);
            return true;
        case sf::Event::MouseButtonPressed:
        case sf::Event::MouseButtonReleased:
            event.type = e.type == sf::Event::MouseButtonPressed ? Type::MOUSE_PRESSED
                                                                 : Type::MOUSE_RELEASED;
            event.button = buttonOf(e.mouseButton.button);
            // The game reads the mouse in the pixels of the unscaled window.
            event.x = e.mouseButton.x / layout.getScale();
            event.y = e.mouseButton.y / layout.getScale();
            return true;
        case sf::Event::MouseMoved:
            event.type = Type::MOUSE_MOVED;
            event.x = e.mouseMove.x / layout.getScale();
            event.y = e.mouseMove.y / layout.getScale();
            return true;
        case sf::Event::GainedFocus:
            focused = true;
            skipper.requestRepaint(); // what covered the window may have left its mark
            event.type = Type::FOCUS_GAINED;
            return true;
        case sf::Event::LostFocus:
            focused = false;
            event.type = Type::FOCUS_LOST;
            return true;
        default:
            break; // resizing, text, the wheel: nothing the engine reads
        }
    }
    return false;
}

void SfmlScreen::sampleKeyboard() {
    if (keyboard)
        keyboard->sample();
}

bool SfmlScreen::isKeyHeld(PhysicalKey key) {
    return focused && keyboard && keyboard->isDown(key);
}

void SfmlScreen::queueCell(Position pixel, char ch, int color) {
    const GlyphAtlas::Quad& g = atlas.quad(ch);
    // The background: the rectangle the unbatched path draws, with the same edges.
    const EdgeRect edges = layout.backgroundEdges(pixel);
    batcher.addBackground({edges.left, edges.top, edges.right, edges.bottom});
    if (!g.has_quad)
        return;
    const float px = static_cast<float>(pixel.getX());
    const float py = static_cast<float>(pixel.getY());
    batcher.addGlyph({px + g.left, py + g.top, px + g.right, py + g.bottom}, sfmlColorOf(color),
                     sf::Vector2f(g.u1, g.v1), sf::Vector2f(g.u2, g.v2));
}

void SfmlScreen::drawCellImmediately(Position pixel, char ch, int color) {
    if (!cell_background)
        cell_background = std::make_unique<sf::RectangleShape>(sf::Vector2f(
            layout.getCellWidth(), layout.getCellHeight() - static_cast<float>(layout.getScale())));
    cell_background->setFillColor(sf::Color::Black);
    const EdgeRect edges = layout.backgroundEdges(pixel);
    cell_background->setPosition(edges.left, edges.top);
    window->draw(*cell_background);

    if (!cell_text)
        cell_text = std::make_unique<sf::Text>("", atlas.getFont(), 30);
    cell_text->setString(std::string(1, ch));
    cell_text->setStyle(sf::Text::Bold);
    cell_text->setCharacterSize(atlas.getCharacterSize());
    cell_text->setPosition(static_cast<float>(pixel.getX()), static_cast<float>(pixel.getY()));
    cell_text->setFillColor(sfmlColorOf(color));
    // A space has no glyph pixels; its background rectangle already did the work.
    if (ch != ' ')
        window->draw(*cell_text);
}

int SfmlScreen::drawFrame(const std::vector<CellDraw>& cells) {
    if (!window)
        return -1;
    batcher.startFrame();
    batcher.setPixelsKnown(pixels_known);
    for (const CellDraw& cell : cells) {
        const Position pixel = layout.corner(cell.x, cell.y);
        if (batching)
            queueCell(pixel, cell.ch, cell.color);
        else
            drawCellImmediately(pixel, cell.ch, cell.color);
    }
    batcher.flush(*window, atlas.getTexture());
    return 0;
}

void SfmlScreen::clearFrame() {
    if (!window)
        return;
    window->clear(sf::Color(0, 0, 0, 255));
    pixels_known = true;
}

int SfmlScreen::present(const std::vector<CellDraw>& cells) {
    if (!window)
        return -1;
    const FrameSkipper::Clock::time_point now = FrameSkipper::Clock::now();
    // The frame on screen is still right: leave it there.
    if (pixels_known && skipper.canSkip(cells, now)) {
        skipper.skipped();
        return 0;
    }
    drawFrame(cells);
    window->display();
    clearFrame();
    skipper.shown(cells, now);
    return 0;
}

} // namespace ks
