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

class SetupTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        folder = fs::temp_directory_path() / ("murkvault-setup-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        working_directory = fs::current_path();
    }
    void TearDown() override {
        fs::current_path(working_directory);
        fs::remove_all(folder);
    }

    // What checkDataFiles(folder) printed on stderr, and its result in result.
    std::string check(int& result) {
        testing::internal::CaptureStderr();
        result = checkDataFiles(folder.string());
        return testing::internal::GetCapturedStderr();
    }
    std::string notice(const std::string& missing) {
        return "murkvault: " + missing + " not found in " + folder.string() +
               ", the folder the game reads its data from; start it with ./play.sh in its "
               "source folder, or with the installed murkvault command\n";
    }

    fs::path folder, working_directory;
};

TEST_F(SetupTest, CompleteDataSaysNothing) {
    fs::create_directory(folder / "sprites");
    fs::create_directory(folder / "sounds");
    std::ofstream(folder / "ks-font.ttf") << "font";
    int result = -2;
    EXPECT_EQ(check(result), "");
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(logLines().empty());
    // The tests' own working directory links to the real data, as play.sh's folder has it.
    EXPECT_EQ(checkDataFiles(), 0);
}

TEST_F(SetupTest, MissingDataIsNamedWithTheFolderInOneLine) {
    int result = 0;
    EXPECT_EQ(check(result), notice("sprites/, sounds/, ks-font.ttf"));
    EXPECT_EQ(result, -1);
    EXPECT_TRUE(logHas("checkDataFiles(): Warning! sprites/, sounds/, ks-font.ttf not found in " +
                       folder.string()));

    // A file where a folder belongs, a folder where the font belongs, a dangling link: missing.
    std::ofstream(folder / "sprites") << "not a folder";
    fs::create_directory(folder / "ks-font.ttf");
    fs::create_directory_symlink(folder / "nowhere", folder / "sounds");
    EXPECT_EQ(check(result), notice("sprites/, sounds/, ks-font.ttf"));

    // Found through links, as the installed launcher's folder has them; the folder is named
    // in full even when given relative to the working directory.
    fs::remove(folder / "sprites");
    fs::create_directory(folder / "real-sprites");
    fs::create_directory_symlink(folder / "real-sprites", folder / "sprites");
    fs::remove(folder / "sounds");
    fs::create_directory(folder / "sounds");
    fs::current_path(folder / "sounds");
    testing::internal::CaptureStderr();
    result = checkDataFiles("..");
    fs::current_path(working_directory);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), notice("ks-font.ttf"));
    EXPECT_EQ(result, -1);
}
