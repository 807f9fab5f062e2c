// Data files: only regular files open, and nothing else may block or stream without end.
#include <cstdio>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "RegularFile.h"
#include "TestSupport.h"

class RegularFileTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        TearDown();
        mkfifo("fifo", 0600);
        mkdir("folder", 0700);
        symlink("/dev/zero", "zeros");
        std::ofstream("plain", std::ios::binary) << "hello world";
        symlink("plain", "link");
    }
    void TearDown() override {
        for (const char* name : {"fifo", "zeros", "plain", "link"})
            unlink(name);
        rmdir("folder");
    }
};

// A FIFO with no writer would block an ordinary open for ever: this test would hang.
TEST_F(RegularFileTest, RefusesFifosDevicesFoldersAndMissingFilesAtOnce) {
    ks::RegularFile file;
    ASSERT_EQ(0, file.open("plain"));
    for (const char* name : {"fifo", "zeros", "folder", "missing"}) {
        EXPECT_EQ(-1, file.open(name)) << name;
        EXPECT_FALSE(file.isOpen()) << name; // the file open before is closed too
        EXPECT_EQ(-1, file.getSize()) << name;
        char byte;
        EXPECT_EQ(-1, file.read(&byte, 1)) << name;
    }
    EXPECT_TRUE(logLines().empty()); // the callers say what the file was for
}

TEST_F(RegularFileTest, ReadsThroughALinkShortOnlyAtTheEnd) {
    ks::RegularFile file;
    ASSERT_EQ(0, file.open("link"));
    EXPECT_EQ(11, file.getSize());
    char text[32] = {};
    EXPECT_EQ(5, file.read(text, 5));
    EXPECT_EQ("hello", std::string(text, 5));
    EXPECT_EQ(6, file.seek(6));
    EXPECT_EQ(5, file.read(text, sizeof(text)));
    EXPECT_EQ("world", std::string(text, 5));
    EXPECT_EQ(11, file.tell());
    EXPECT_EQ(0, file.read(text, sizeof(text)));
}
