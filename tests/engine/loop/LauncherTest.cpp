// The start every game shares: its options, which platform opens the screen and the sound, and
// the one line and exit code of each way a start fails.
#include <fstream>
#include <sstream>
#include <vector>

#include "AudioManager.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "HeadlessScreen.h"
#include "InputManager.h"
#include "Launcher.h"
#include "NullAudio.h"
#include "Platform.h"
#include "TestSupport.h"

namespace {

struct Parsed {
    int code;
    std::string out, err;
    ks::LaunchOptions options;
};

Parsed parse(std::vector<const char*> args) {
    args.insert(args.begin(), "game");
    ks::Launcher launcher("game", "2.1");
    Parsed p;
    std::ostringstream out, err;
    p.code = launcher.parse(static_cast<int>(args.size()), args.data(), out, err);
    p.out = out.str();
    p.err = err.str();
    p.options = launcher.getOptions();
    return p;
}

TEST(LauncherParseTest, HelpAndVersionPrintAndEndWithZero) {
    Parsed help = parse({"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* option :
         {"--seed N", "--record FILE", "--replay FILE", "--headless", "--mute", "--scale N"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option << " in " << help.out;
    Parsed version = parse({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "game 2.1\n");
}

TEST(LauncherParseTest, UsageErrorsEndWithTwoAndTheUsageOnStderr) {
    const std::vector<std::vector<const char*>> cases = {
        {"--seed", "x"},
        {"--seed", "-1"},
        {"--seed", "4294967296"},
        {"--frobnicate"},
        {"--headless"},
        {"--replay", "a", "--record", "b"},
        {"--replay", "a", "--seed", "3"},
        {"--record"},
        {"extra"},
        {"--scale", "5"},
        {"--replay", "a", "--headless", "--scale", "2"},
    };
    for (const auto& args : cases) {
        Parsed p = parse(args);
        EXPECT_EQ(p.code, 2) << args[0];
        EXPECT_EQ(p.err.rfind("game: ", 0), 0u) << p.err;
        EXPECT_NE(p.err.find("--replay FILE"), std::string::npos) << "no usage for " << args[0];
        EXPECT_EQ(p.out, "");
    }
}

TEST(LauncherParseTest, TheOptionsAreReadIntoTheRun) {
    Parsed p = parse({"--seed", "4294967295", "--record", "r.rpl", "--mute", "--scale", "3"});
    ASSERT_EQ(p.code, ks::Launcher::RUN);
    EXPECT_TRUE(p.options.has_seed);
    EXPECT_EQ(p.options.seed, 4294967295UL);
    EXPECT_EQ(p.options.record_file, "r.rpl");
    EXPECT_TRUE(p.options.mute);
    EXPECT_EQ(p.options.scale, 3);
    Parsed q = parse({"--replay", "g.rpl", "--headless"});
    ASSERT_EQ(q.code, ks::Launcher::RUN);
    EXPECT_FALSE(q.options.has_seed);
    EXPECT_TRUE(q.options.headless);
}

// A platform that counts what it is asked to open; without a display it opens no screen.
class CountingPlatform : public ks::Platform {
public:
    const char* getName() const override { return "counting"; }
    std::unique_ptr<ks::Screen> openScreen(const ks::ScreenSettings& settings,
                                           ks::ScreenStatus& status) override {
        screens++;
        scale = settings.scale;
        status = display ? ks::ScreenStatus::OPENED : ks::ScreenStatus::NO_DISPLAY;
        return display ? std::make_unique<ks::HeadlessScreen>() : nullptr;
    }
    std::unique_ptr<ks::AudioDevice> openAudio() override {
        devices++;
        return std::make_unique<ks::NullAudio>();
    }
    bool display = true;
    int screens = 0, devices = 0, scale = 0;
};

class LauncherTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        ks::GraphicsManager::getInstance().shutDown();
    }
    void TearDown() override {
        // The platforms go with the test: nothing may keep them.
        ks::InputManager::getInstance().startReplay(nullptr);
        ks::InputManager::getInstance().stopRecording(0);
        ks::GraphicsManager::getInstance().setPlatform(nullptr);
        ks::AudioManager::getInstance().setPlatform(nullptr);
        ks::AudioManager::getInstance().startUp(nullptr);
        EngineTest::TearDown();
    }

    // Starts a run with the options; the exit code, and what was said on stderr.
    int start(const ks::LaunchOptions& options, std::string& err) {
        ks::Launcher launcher("game");
        launcher.setOptions(options);
        testing::internal::CaptureStderr();
        const int code = launcher.start(platform, headless);
        err = testing::internal::GetCapturedStderr();
        seed = launcher.getSeed();
        return code;
    }

    CountingPlatform platform, headless;
    unsigned long seed = 0;
};

TEST_F(LauncherTest, TheGamesPlatformOpensTheScreenAndTheSound) {
    ks::LaunchOptions options;
    options.has_seed = true;
    options.seed = 77;
    options.scale = 2;
    std::string err;
    EXPECT_EQ(start(options, err), 0);
    EXPECT_EQ(err, "");
    EXPECT_EQ(seed, 77u);
    EXPECT_EQ(platform.screens, 1);
    EXPECT_EQ(platform.devices, 1);
    EXPECT_EQ(platform.scale, 2);
    EXPECT_EQ(headless.screens + headless.devices, 0);
    EXPECT_TRUE(ks::GameManager::getInstance().getPaced());
}

// Muted, the sound device is the headless platform's: the game's sound hardware is not opened.
TEST_F(LauncherTest, MutedTheSoundComesFromTheHeadlessPlatform) {
    ks::LaunchOptions options;
    options.mute = true;
    std::string err;
    EXPECT_EQ(start(options, err), 0);
    EXPECT_EQ(platform.screens, 1);
    EXPECT_EQ(platform.devices, 0);
    EXPECT_EQ(headless.devices, 1);
}

// A headless replay opens nothing of the game's platform, plays the replay's seed, unpaced.
TEST_F(LauncherTest, AHeadlessReplayRunsOnTheHeadlessPlatformUnpaced) {
    std::ofstream("game.rpl") << "ks-replay 1\nseed 4242\n10 end\n";
    ks::LaunchOptions options;
    options.replay_file = "game.rpl";
    options.headless = true;
    std::string err;
    EXPECT_EQ(start(options, err), 0);
    EXPECT_EQ(seed, 4242u);
    EXPECT_EQ(platform.screens + platform.devices, 0);
    EXPECT_EQ(headless.screens, 1);
    EXPECT_EQ(headless.devices, 1);
    EXPECT_FALSE(ks::GameManager::getInstance().getPaced());
    EXPECT_TRUE(ks::InputManager::getInstance().isReplaying());
}

// Driven a cycle at a time (by a web page), the recording ends with the last cycle played, as
// after run().
TEST_F(LauncherTest, ARunDrivenCycleByCycleEndsItsRecordingWithTheLastCycle) {
    ks::LaunchOptions options;
    options.has_seed = true;
    options.seed = 9;
    options.record_file = "driven.rpl";
    ks::Launcher launcher("game");
    launcher.setOptions(options);
    ASSERT_EQ(launcher.start(platform, headless), 0);
    launcher.beginRun();
    for (int cycle = 0; cycle < 3; cycle++)
        EXPECT_TRUE(launcher.runCycle());
    EXPECT_EQ(fileText("driven.rpl"), "ks-replay 1\nseed 9\n");
    ks::GameManager::getInstance().setGameOver(true);
    EXPECT_FALSE(launcher.runCycle());
    EXPECT_EQ(fileText("driven.rpl"), "ks-replay 1\nseed 9\n2 end\n");
}

TEST_F(LauncherTest, EachFailedStartIsOneLineAndAnExitCode) {
    std::string err;
    ks::LaunchOptions bad_replay;
    bad_replay.replay_file = "missing.rpl";
    EXPECT_EQ(start(bad_replay, err), 2);
    EXPECT_EQ(err, "game: missing.rpl: cannot open: No such file or directory\n");
    EXPECT_EQ(platform.screens, 0); // refused before anything opens

    platform.display = false;
    EXPECT_EQ(start(ks::LaunchOptions(), err), 1);
    EXPECT_EQ(err, "game: cannot open a window: no display (is DISPLAY set?)\n");

    platform.display = true;
    ks::GraphicsManager::getInstance().shutDown();
    ks::LaunchOptions unwritable;
    unwritable.record_file = "no-such-folder/game.rpl";
    EXPECT_EQ(start(unwritable, err), 1);
    EXPECT_EQ(err, "game: cannot write the replay file no-such-folder/game.rpl\n");
}

} // namespace
