// The start every game shares: its options, which platform opens the screen and the sound, and
// the one line and exit code of each way a start fails; the end of a run, and its exit code.
#include <csignal>
#include <fstream>
#include <sstream>
#include <vector>

#include "AudioManager.h"
#include "EventStep.h"
#include "ExitSignals.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "HeadlessScreen.h"
#include "InputManager.h"
#include "Launcher.h"
#include "LogManager.h"
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

// The help is for a player: every option, every line within 80 columns, nothing of the parser's
// notation.
TEST(LauncherParseTest, HelpAndVersionPrintInAPlayersWordsAndEndWithZero) {
    Parsed help = parse({"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* option :
         {"--seed N", "--record FILE", "--replay FILE", "--headless", "--mute", "--scale N"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option << " in " << help.out;
    std::istringstream lines(help.out);
    int count = 0;
    for (std::string line; std::getline(lines, line); count++) {
        EXPECT_LE(line.size(), 80u) << line;
        for (const char* jargon : {"UINT", "INT", "TEXT", "Excludes", "Needs", "[0 - "})
            EXPECT_EQ(line.find(jargon), std::string::npos) << line;
    }
    EXPECT_GT(count, 10);
    Parsed version = parse({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "game 2.1\n");
}

// Each usage error ends with 2 and says on stderr alone, first, what is wrong in a player's words,
// then the usage.
TEST(LauncherParseTest, EachUsageErrorSaysWhatIsWrongThenTheUsageAndEndsWithTwo) {
    const std::pair<std::vector<const char*>, std::string> cases[] = {
        {{"--seed", "abc"}, "game: --seed abc: not a number (N is from 0 to 4294967295)"},
        {{"--seed", "4294967296"},
         "game: --seed 4294967296: out of range (N is from 0 to 4294967295)"},
        {{"--seed", "-1"}, "game: --seed -1: out of range (N is from 0 to 4294967295)"},
        {{"--scale", "2x"}, "game: --scale 2x: not a number (N is from 1 to 4)"},
        {{"--scale", "5"}, "game: --scale 5: out of range (N is from 1 to 4)"},
        {{"--scale"}, "game: --scale needs a number (N is from 1 to 4)"},
        {{"--record"}, "game: --record needs a file name"},
        {{"--version", "--bogus"}, "game: unknown option --bogus"},
        {{"extra"}, "game: unexpected argument extra"},
        {{"--headless"}, "game: --headless works only with --replay"},
        {{"--replay", "a", "--record", "b"}, "game: --replay and --record cannot go together"},
        {{"--replay", "a", "--seed", "3"},
         "game: --replay and --seed cannot go together (a replay has its seed)"},
        {{"--replay", "a", "--headless", "--scale", "2"},
         "game: --headless and --scale cannot go together (no window to scale)"},
        {{"--help", "--seed", "abc"}, "game: --seed abc: not a number (N is from 0 to 4294967295)"},
    };
    for (const auto& [args, first] : cases) {
        Parsed p = parse(args);
        EXPECT_EQ(p.code, 2) << args[0];
        EXPECT_EQ(p.err.substr(0, p.err.find('\n')), first);
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
        ks::InputManager::getInstance().startRecording(nullptr);
        ks::InputManager::getInstance().setNotice(nullptr);
        ks::ExitSignals::uninstall();
        for (const char* name : {"run.rpl", "changed.rpl"})
            remove(name);
        ks::GraphicsManager::getInstance().setPlatform(nullptr);
        ks::AudioManager::getInstance().setPlatform(nullptr);
        ks::AudioManager::getInstance().startUp(nullptr);
        EngineTest::TearDown();
    }

    // Starts a launcher with the options on the platform (the counting one unless given); the
    // exit code, and what was said on stderr.
    int start(const ks::LaunchOptions& options, std::string& err, ks::Platform* p_game = nullptr) {
        launcher = std::make_unique<ks::Launcher>("game");
        launcher->setOptions(options);
        testing::internal::CaptureStderr();
        const int code = launcher->start(p_game ? *p_game : platform, headless);
        err = testing::internal::GetCapturedStderr();
        seed = launcher->getSeed();
        return code;
    }

    std::unique_ptr<ks::Launcher> launcher;
    CountingPlatform platform, headless;
    unsigned long seed = 0;
};

// Muted, the sound device is the headless platform's: the game's sound hardware is not opened.
TEST_F(LauncherTest, TheGamesPlatformOpensTheScreenAndTheSoundUnlessMuted) {
    ks::LaunchOptions options;
    options.has_seed = true;
    options.seed = 77;
    options.scale = 2;
    std::string err;
    EXPECT_EQ(start(options, err), 0);
    EXPECT_EQ(err, "");
    EXPECT_EQ(seed, 77u);
    EXPECT_EQ(platform.scale, 2);
    EXPECT_TRUE(ks::GameManager::getInstance().getPaced());
    ks::GraphicsManager::getInstance().shutDown();
    ks::AudioManager::getInstance().startUp(nullptr);
    options.mute = true;
    EXPECT_EQ(start(options, err), 0);
    EXPECT_EQ(platform.screens, 2);
    EXPECT_EQ(platform.devices, 1);
    EXPECT_EQ(headless.screens, 0);
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
    std::string err;
    ASSERT_EQ(start(options, err), 0);
    launcher->beginRun();
    for (int cycle = 0; cycle < 3; cycle++)
        EXPECT_TRUE(launcher->runCycle());
    const std::string going = fileText("driven.rpl");
    EXPECT_EQ(going.rfind("ks-replay 2\nseed 9\n0 time ", 0), 0u) << going;
    EXPECT_EQ(going.find(" end "), std::string::npos) << going;
    ks::GameManager::getInstance().setGameOver(true);
    EXPECT_FALSE(launcher->runCycle());
    const std::string ended = fileText("driven.rpl");
    EXPECT_EQ(ended.substr(0, going.size()), going);
    EXPECT_EQ(ended.substr(going.size(), 6), "2 end ") << ended;
    EXPECT_EQ(launcher->getExitCode(), 0);
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
}

// The file to record to is checked before anything opens and before the log starts, which
// empties the log: a start that refuses it leaves the log of the game before as it was.
TEST_F(LauncherTest, ARefusedRecordingSaysWhyAndLeavesTheOldLogAsItWas) {
    ks::LogManager::getInstance().shutDown();
    std::ofstream("kestrel.log") << "the game before\n";
    const std::pair<const char*, const char*> cases[] = {
        {"kestrel.log", "game: cannot record to kestrel.log: it is the game's log file\n"},
        {"no-such-folder/game.rpl",
         "game: cannot record to no-such-folder/game.rpl: No such file or directory\n"},
    };
    for (const auto& [name, error] : cases) {
        ks::LaunchOptions options;
        options.record_file = name;
        std::string err;
        EXPECT_EQ(start(options, err), 1) << name;
        EXPECT_EQ(err, error);
        EXPECT_EQ(fileText("kestrel.log"), "the game before\n") << name;
    }
    EXPECT_EQ(platform.screens, 0);
}

// Ends the game after the step of the cycle given.
class Ender : public ks::Object {
public:
    explicit Ender(int init_last) : last(init_last) {}
    int eventHandler(const ks::Event* p_event) override {
        auto* p_step = dynamic_cast<const ks::EventStep*>(p_event);
        if (p_step && p_step->getStepCount() == last)
            ks::GameManager::getInstance().setGameOver(true);
        return p_step ? 1 : 0;
    }
    int last;
};

// A whole run of the launcher: its exit code, and what it said on stderr.
struct Outcome {
    int code;
    std::string err;
    uint64_t checksum; // the log's when the run ended
};

class LauncherRunTest : public LauncherTest {
protected:
    // Starts and runs the options, the game ended after cycle last (or by a signal raised once
    // the run started, when signal_number is not 0), on the counting platform unless given.
    Outcome run(const ks::LaunchOptions& options, int last, int signal_number = 0,
                ks::Platform* p_game = nullptr) {
        Outcome outcome{0, "", 0};
        outcome.code = start(options, outcome.err, p_game);
        if (outcome.code != 0)
            return outcome;
        Ender ender(last);
        ks::GameManager::getInstance().setPaced(false);
        if (signal_number != 0)
            raise(signal_number);
        testing::internal::CaptureStderr();
        outcome.code = launcher->run();
        outcome.err += testing::internal::GetCapturedStderr();
        outcome.checksum = ks::LogManager::getInstance().getChecksum();
        return outcome;
    }
    static ks::LaunchOptions recording() {
        ks::LaunchOptions options;
        options.record_file = "run.rpl";
        options.has_seed = true;
        options.seed = 5;
        return options;
    }
    static ks::LaunchOptions replaying(const char* name) {
        ks::LaunchOptions options;
        options.replay_file = name;
        options.headless = true;
        return options;
    }
};

// A recorded run ends its file with the end line carrying the log's checksum, the one a summary
// shows; its replay agrees with every mark and ends with 0. A mark changed, or the end line cut
// off, and the replay says so and ends with a code of its own.
TEST_F(LauncherRunTest, EachRunEndsWithTheCodeOfWhatWentWrongWithItsFile) {
    Outcome recorded = run(recording(), 40);
    EXPECT_EQ(recorded.code, 0);
    EXPECT_EQ(recorded.err, "");
    const std::string end = "40 end " + ks::Replay::checksumText(recorded.checksum) + "\n";
    const std::string text = fileText("run.rpl");
    ASSERT_EQ(text.substr(0, 26), "ks-replay 2\nseed 5\n0 time ") << text;
    ASSERT_EQ(text.substr(42, 9), "\n30 time ") << text;
    ASSERT_EQ(text.substr(68), end) << text;

    Outcome replayed = run(replaying("run.rpl"), -1);
    EXPECT_EQ(replayed.code, 0);
    EXPECT_EQ(replayed.err, "");

    std::string changed = text;
    changed[51] = changed[51] == '0' ? '1' : '0'; // the mark after cycle 30
    std::ofstream("changed.rpl") << changed;
    Outcome diverged = run(replaying("changed.rpl"), -1);
    EXPECT_EQ(diverged.code, ks::Launcher::REPLAY_DIVERGED);
    EXPECT_EQ(diverged.err.rfind("game: replay diverged from the recording at cycle 30 (", 0), 0u)
        << diverged.err;

    std::ofstream("changed.rpl") << text.substr(0, 68);
    Outcome cut = run(replaying("changed.rpl"), -1);
    EXPECT_EQ(cut.code, ks::Launcher::REPLAY_CUT_OFF);
    EXPECT_EQ(cut.err, "game: changed.rpl:5: recording cut off (no end line): it ends at cycle "
                       "30, its last complete line\n");
}

// SIGTERM while recording ends the game at the next cycle, as closing the window would: the file
// gets its end line, and the code is a shell's for a process the signal ended, 128 + 15.
TEST_F(LauncherRunTest, ATerminationSignalEndsTheRecordingProperly) {
    Outcome recorded = run(recording(), 40, SIGTERM);
    EXPECT_EQ(recorded.code, 143);
    EXPECT_EQ(recorded.err, "");
    EXPECT_EQ(fileText("run.rpl"), "ks-replay 2\nseed 5\n0 quit\n0 end " +
                                       ks::Replay::checksumText(recorded.checksum) + "\n");
    EXPECT_EQ(ks::ExitSignals::getStopSignal(), 0);
}

// Escape while watching a replay: the summary would read like a replay gone astray, so one line
// says the viewer stopped it, in the summary's count of cycles. A replay played to its end says
// nothing.
TEST_F(LauncherRunTest, AReplayStoppedByTheViewerSaysSoOnStderr) {
    std::ofstream("game.rpl") << "ks-replay 1\nseed 5\n10 key pressed W\n99 end\n";
    class Viewer : public CountingPlatform {
    public:
        std::unique_ptr<ks::Screen> openScreen(const ks::ScreenSettings&,
                                               ks::ScreenStatus& status) override {
            auto screen = std::make_unique<ScriptedScreen>();
            screen->key(ks::InputEvent::Type::KEY_PRESSED, ks::PhysicalKey::ESCAPE);
            status = ks::ScreenStatus::OPENED;
            return screen;
        }
    } viewer;
    for (bool stopped : {true, false}) {
        ks::GraphicsManager::getInstance().shutDown();
        ks::LaunchOptions options = replaying("game.rpl");
        options.headless = !stopped;
        EXPECT_EQ(run(options, -1, 0, &viewer).err,
                  stopped ? "game: stopped by the viewer at cycle 1 of 100\n" : "");
        EXPECT_EQ(ks::GameManager::getInstance().getStepCount(), stopped ? 1 : 100);
    }
}

} // namespace
