// The graphics manager's cell model: frames far larger than the screen, and what a frame hands
// its screen. (Where each cell's text lands is seen in the game's screens.)
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "Frame.h"
#include "GraphicsManager.h"
#include "HeadlessScreen.h"
#include "Platform.h"
#include "TestSupport.h"

namespace {

using ks::Position;

ks::GraphicsManager& gm() {
    return ks::GraphicsManager::getInstance();
}

using GraphicsManagerTest = EngineTest;

// A frame far larger than the screen, anywhere around it, draws only the cells in view and the
// ring around them whose glyphs can reach into the window.
TEST_F(GraphicsManagerTest, AHugeFrameVisitsOnlyTheCellsThatCanBeSeen) {
    startScripted();
    const ks::Frame huge(100000, 100000, "");
    EXPECT_EQ(0, gm().drawFrame(Position(-50000, -50000), huge, false, ks::RED));
    EXPECT_EQ(gm().getFrameDraws().size(), 82u * 26u);
    EXPECT_EQ(std::string(80, ' '), row(0));
    EXPECT_EQ(ks::RED, gm().getCellColor(79, 23));
    gm().swapBuffers();
    gm().drawFrame(Position(78, 22), huge, false, ks::RED); // its corner near the bottom right
    EXPECT_EQ(gm().getFrameDraws().size(), 3u * 3u);
    gm().swapBuffers();
    gm().drawFrame(Position(-100001, 0), huge, false, ks::RED); // wholly off the left edge
    EXPECT_EQ(gm().getFrameDraws().size(), 0u);
}

// The screen gets each frame's cells in drawing order, in view cells (the view's corner taken
// off), a cell drawn twice twice; a paused game's redraw gives it the last frame again.
TEST_F(GraphicsManagerTest, TheScreenGetsTheFramesCellsInDrawingOrder) {
    ScriptedScreen* screen = startScripted();
    gm().setViewCorner(Position(100, 50));
    gm().drawCh(Position(110, 55), 'a', ks::GREEN);
    gm().drawString(Position(110, 55), "bc", ks::LEFT_JUSTIFIED, ks::YELLOW);
    gm().drawCh(Position(110, 55), 'd', ks::RED);
    const std::vector<ks::CellDraw> expected = {{10, 5, 'a', ks::GREEN},
                                                {11, 5, 'b', ks::YELLOW},
                                                {12, 5, 'c', ks::YELLOW},
                                                {10, 5, 'd', ks::RED}};
    EXPECT_EQ(gm().getFrameDraws(), expected);
    EXPECT_EQ(gm().swapBuffers(), 0);
    EXPECT_EQ(screen->presents, 1);
    EXPECT_EQ(screen->last_frame, expected);
    EXPECT_TRUE(gm().getFrameDraws().empty());
    gm().redrawLastFrame();
    EXPECT_EQ(gm().getFrameDraws(), expected);
    gm().setViewCorner(Position(0, 0));
}

// Two runs' screens are compared as text: the rows, then the colours, '.' where nothing was drawn.
TEST(CellGridTest, AsTextAGridIsItsRowsThenItsColours) {
    ks::CellGrid grid(3, 2);
    grid.set(1, 0, 'x', ks::GREEN);
    grid.set(2, 1, ' ', ks::BLACK);
    EXPECT_EQ(grid.toText(), " x \n   \n.2.\n..0\n");
}

// Without a platform there is no screen to open; without a screen nothing is drawn or shown.
TEST_F(GraphicsManagerTest, WithoutAPlatformOrAScreenNothingIsDrawn) {
    gm().shutDown();
    gm().setPlatform(nullptr);
    EXPECT_EQ(gm().startUp(), -1);
    EXPECT_TRUE(logHas("GraphicsManager::startUp(): Error: no platform to open a screen on"));
    EXPECT_EQ(gm().drawCh(Position(1, 1), 'x', ks::WHITE), -1);
    EXPECT_EQ(gm().drawString(Position(1, 1), "xy", ks::LEFT_JUSTIFIED, ks::WHITE), -1);
    EXPECT_EQ(gm().swapBuffers(), -1);
    EXPECT_TRUE(gm().getFrameDraws().empty());
}

// A platform that keeps the settings of the screen it was asked for.
class SettingsPlatform : public ks::Platform {
public:
    const char* getName() const override { return "settings"; }
    std::unique_ptr<ks::Screen> openScreen(const ks::ScreenSettings& new_settings,
                                           ks::ScreenStatus& status) override {
        settings = new_settings;
        status = ks::ScreenStatus::OPENED;
        return std::make_unique<ks::HeadlessScreen>();
    }
    std::unique_ptr<ks::AudioDevice> openAudio() override { return nullptr; }

    ks::ScreenSettings settings;
};

// Runs in a folder of its own, with the XDG data folders pointing into it; puts back the working
// folder, the variables and the graphics manager's platform.
class FontLookupTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        ASSERT_NE(nullptr, getcwd(home, sizeof(home)));
        for (auto& [name, value] : saved) {
            const char* now = std::getenv(name);
            value = now ? std::optional<std::string>(now) : std::nullopt;
        }
        std::filesystem::create_directory("fonts");
        ASSERT_EQ(0, chdir("fonts"));
        setenv("XDG_DATA_HOME", (std::string(home) + "/fonts/home").c_str(), 1);
        setenv("XDG_DATA_DIRS",
               (std::string(home) + "/fonts/nowhere:" + home + "/fonts/system").c_str(), 1);
    }
    void TearDown() override {
        ASSERT_EQ(0, chdir(home));
        std::filesystem::remove_all("fonts");
        for (const auto& [name, value] : saved)
            value ? setenv(name, value->c_str(), 1) : unsetenv(name);
        gm().shutDown();
        gm().setPlatform(nullptr);
        EngineTest::TearDown();
    }
    static void makeFont(const std::string& folder) {
        if (!folder.empty())
            std::filesystem::create_directories(folder + "/ks");
        std::ofstream(folder.empty() ? "ks-font.ttf" : folder + "/ks/ks-font.ttf") << "font";
    }
    // The font file the next window is opened with.
    std::string openedFont() {
        SettingsPlatform platform;
        gm().shutDown();
        gm().setPlatform(&platform);
        gm().startUp();
        gm().setPlatform(nullptr);
        return platform.settings.font_file;
    }

    char home[4096];
    std::pair<const char*, std::optional<std::string>> saved[2] = {{"XDG_DATA_HOME", {}},
                                                                   {"XDG_DATA_DIRS", {}}};
};

// A game that names no font gets one wherever the engine put it: the working directory's first,
// then the engine's installed one, then the XDG data folders' (the user's before the system's).
// One it names is taken as it is.
TEST_F(FontLookupTest, TheFontIsTheOneSetElseTheFirstFoundWhereTheEngineKeepsIt) {
    const std::string here = std::string(home) + "/fonts/";
    struct stat status;
    const bool installed = stat(ks::GraphicsManager::getInstalledFontFile().c_str(), &status) == 0;
    EXPECT_EQ("ks-font.ttf", openedFont()); // nowhere: the default name, which fails to load
    makeFont(here + "system");
    EXPECT_EQ(installed ? ks::GraphicsManager::getInstalledFontFile()
                        : here + "system/ks/ks-font.ttf",
              openedFont());
    makeFont(here + "home");
    if (!installed) {
        EXPECT_EQ(here + "home/ks/ks-font.ttf", openedFont());
    }
    makeFont("");
    EXPECT_EQ("ks-font.ttf", openedFont());
    gm().setFontFile("elsewhere/my.ttf");
    EXPECT_EQ("elsewhere/my.ttf", openedFont());
}

} // namespace
