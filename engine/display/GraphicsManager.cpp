#include "GraphicsManager.h"

#include <algorithm>
#include <cstdlib>

#include <sys/stat.h>

#include "LogManager.h"
#include "Platform.h"

#ifndef KS_INSTALLED_FONT_FILE
#define KS_INSTALLED_FONT_FILE "/usr/local/share/ks/ks-font.ttf"
#endif

namespace ks {

namespace {

bool isRegularFile(const std::string& name) {
    struct stat status;
    return stat(name.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// The value of an environment variable, or fallback when it is unset or empty.
std::string environment(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

} // namespace

GraphicsManager::GraphicsManager()
    : window_horizontal_pixels(WINDOW_HORIZONTAL_PIXELS_DEFAULT),
      window_vertical_pixels(WINDOW_VERTICAL_PIXELS_DEFAULT),
      window_horizontal_chars(WINDOW_HORIZONTAL_CHARS_DEFAULT),
      window_vertical_chars(WINDOW_VERTICAL_CHARS_DEFAULT), p_platform(nullptr), scale(1),
      title(WINDOW_TITLE_DEFAULT), font_file(), view_corner(), screen(),
      cells(WINDOW_HORIZONTAL_CHARS_DEFAULT, WINDOW_VERTICAL_CHARS_DEFAULT),
      shown_cells(WINDOW_HORIZONTAL_CHARS_DEFAULT, WINDOW_VERTICAL_CHARS_DEFAULT), frame_draws(),
      last_frame_draws(), redrawing(false) {
    setType("GraphicsManager");
}

GraphicsManager::~GraphicsManager() = default;

GraphicsManager& GraphicsManager::getInstance() {
    static GraphicsManager instance;
    return instance;
}

std::string GraphicsManager::getInstalledFontFile() {
    return KS_INSTALLED_FONT_FILE;
}

std::string GraphicsManager::findFontFile() const {
    if (!font_file.empty())
        return font_file;
    std::vector<std::string> candidates = {FONT_FILE_DEFAULT, getInstalledFontFile()};
    const char* home = std::getenv("HOME");
    const std::string data_home =
        environment("XDG_DATA_HOME", home && *home ? std::string(home) + "/.local/share" : "");
    std::string data_dirs = environment("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
    if (!data_home.empty())
        data_dirs = data_home + ":" + data_dirs;
    size_t start = 0;
    while (start <= data_dirs.size()) {
        size_t end = data_dirs.find(':', start);
        if (end == std::string::npos)
            end = data_dirs.size();
        if (end > start)
            candidates.push_back(data_dirs.substr(start, end - start) + "/ks/" + FONT_FILE_DEFAULT);
        start = end + 1;
    }
    for (const std::string& candidate : candidates)
        if (isRegularFile(candidate))
            return candidate;
    return FONT_FILE_DEFAULT;
}

int GraphicsManager::startUp() {
    if (screen)
        return 0;
    LogManager& log = LogManager::getInstance();
    cells.clear();
    if (!p_platform) {
        log.writeVolatileLog("GraphicsManager::startUp(): Error: no platform to open a screen on");
        return -1;
    }
    ScreenSettings settings;
    settings.horizontal_pixels = window_horizontal_pixels;
    settings.vertical_pixels = window_vertical_pixels;
    settings.horizontal_chars = window_horizontal_chars;
    settings.vertical_chars = window_vertical_chars;
    settings.scale = scale;
    settings.title = title;
    settings.font_file = findFontFile();
    ScreenStatus status = ScreenStatus::NO_DISPLAY;
    std::unique_ptr<Screen> opened = p_platform->openScreen(settings, status);
    if (!opened || status == ScreenStatus::NO_DISPLAY) {
        log.writeVolatileLog("GraphicsManager::startUp(): Error: Unable to open a display");
        return -1;
    }
    screen = std::move(opened);
    if (status == ScreenStatus::NO_FONT) {
        log.writeVolatileLog("GraphicsManager::startUp(): Error: Unable to load font '%s'",
                             settings.font_file.c_str());
        return -1;
    }
    Manager::startUp();
    log.writeVolatileLog(screen->hasWindow()
                             ? "GraphicsManager::startUp(): GraphicsManager started"
                             : "GraphicsManager::startUp(): GraphicsManager started without a "
                               "window");
    return 0;
}

int GraphicsManager::startUp(std::unique_ptr<Screen> new_screen) {
    if (!new_screen)
        return -1;
    shutDown();
    cells.clear();
    screen = std::move(new_screen);
    return Manager::startUp();
}

void GraphicsManager::shutDown() {
    // Closing and destroying here keeps the window from leaking; a later startUp opens a new one.
    if (screen) {
        screen->close();
        screen.reset();
    }
    frame_draws.clear();
    last_frame_draws.clear();
    redrawing = false;
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

Position GraphicsManager::toView(Position world_pos) const {
    return Position(
        Position::inRange(static_cast<long long>(world_pos.getX()) - view_corner.getX()),
        Position::inRange(static_cast<long long>(world_pos.getY()) - view_corner.getY()));
}

Position worldToView(Position world_pos) {
    return GraphicsManager::getInstance().toView(world_pos);
}

int GraphicsManager::drawCh(Position world_pos, char ch, int color) {
    if (!screen)
        return -1;
    drawViewCh(toView(world_pos), ch, color);
    return 0;
}

void GraphicsManager::drawViewCh(Position view_pos, char ch, int color) {
    cells.set(view_pos.getX(), view_pos.getY(), ch, color);
    frame_draws.push_back({view_pos.getX(), view_pos.getY(), ch, color});
}

int GraphicsManager::redrawLastFrame() {
    if (!screen)
        return -1;
    redrawing = true;
    for (const CellDraw& draw : last_frame_draws)
        drawViewCh(Position(draw.x, draw.y), draw.ch, draw.color);
    return 0;
}

int GraphicsManager::drawFrame(Position world_pos, Frame frame, bool centered, int color) {
    int width = frame.getWidth();
    int height = frame.getHeight();
    if (width == 0 && height == 0)
        return -1;

    if (!screen)
        return 0; // nothing drawn, as every cell's drawCh would have refused
    int x_offset = centered ? width / 2 : 0;
    int y_offset = centered ? height / 2 : 0;
    // Only the cells that can be seen: those in the view and the ring around it, whose glyphs may
    // reach a pixel into the window. A frame far larger than the screen costs no more than one
    // that fills it.
    const Position first = toView(
        Position(world_pos.getX() + x_offset, world_pos.getY() + y_offset)); // of cell (0, 0)
    const long x_begin = std::max(0L, -1L - first.getX());
    const long x_end =
        std::min<long>(width, static_cast<long>(window_horizontal_chars) + 1 - first.getX());
    const long y_begin = std::max(0L, -1L - first.getY());
    const long y_end =
        std::min<long>(height, static_cast<long>(window_vertical_chars) + 1 - first.getY());
    const std::string& str = frame.getString();
    for (long y = y_begin; y < y_end; y++) {
        for (long x = x_begin; x < x_end; x++) {
            // A frame built with a short string: the missing characters are blank.
            size_t index = static_cast<size_t>(y) * width + x;
            char ch = index < str.size() ? str[index] : ' ';
            drawViewCh(toView(Position(world_pos.getX() + static_cast<int>(x) + x_offset,
                                       world_pos.getY() + static_cast<int>(y) + y_offset)),
                       ch, color);
        }
    }
    return 0;
}

int GraphicsManager::drawString(Position world_pos, std::string str, Justification just,
                                int color) {
    if (!screen)
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
    const int result = screen ? screen->present(frame_draws) : -1;
    shown_cells = cells;
    cells.clear();
    // A redrawn frame keeps the scene it was drawn over as the one to redraw next.
    if (!redrawing)
        last_frame_draws.swap(frame_draws);
    redrawing = false;
    frame_draws.clear();
    return result;
}

} // namespace ks
