// The check for the game's data in the folder it starts in: silent when sprites/, sounds/ and
// ks-font.ttf are there, one line on stderr naming what is missing, where and how to start
// the game otherwise.
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "Setup.h"
#include "TestSupport.h"

namespace fs = std::filesystem;

// Each test works in a scratch folder of its own, as the game's working directory.
class SetupTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        home = fs::current_path();
        folder = fs::temp_directory_path() / ("murkvault-setup-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::current_path(folder);
    }
    void TearDown() override {
        fs::current_path(home);
        fs::remove_all(folder);
        EngineTest::TearDown();
    }

    // What checkDataFiles() printed on stderr; its result goes to result.
    std::string check(int& result) {
        testing::internal::CaptureStderr();
        result = checkDataFiles();
        return testing::internal::GetCapturedStderr();
    }
    std::string notice(const std::string& missing) {
        return "murkvault: " + missing + " not found in " + folder.string() +
               ", the folder the game reads its data from; start it with ./play.sh in its "
               "source folder, or with the installed murkvault command\n";
    }

    fs::path home, folder;
};

TEST_F(SetupTest, MissingDataIsNamedWithTheFullFolderInOneLine) {
    int result = 0;
    EXPECT_EQ(check(result), notice("sprites/, sounds/, ks-font.ttf"));
    EXPECT_EQ(result, -1);
    fs::current_path(home); // where the log is
    EXPECT_TRUE(logHas("checkDataFiles(): Warning! sprites/, sounds/, ks-font.ttf not found in " +
                       folder.string()));
    fs::current_path(folder);

    // A file where a folder belongs, a folder where the font belongs, a dangling link.
    std::ofstream("sprites") << "not a folder";
    fs::create_directory("ks-font.ttf");
    fs::create_directory_symlink(folder / "nowhere", "sounds");
    EXPECT_EQ(check(result), notice("sprites/, sounds/, ks-font.ttf"));

    fs::remove("sprites");
    fs::create_directory("real-sprites");
    fs::create_directory_symlink(folder / "real-sprites", "sprites");
    fs::remove("sounds");
    fs::create_directory("sounds");
    EXPECT_EQ(check(result), notice("ks-font.ttf"));
}
