// The game's options from the page's address.
#include <gtest/gtest.h>

#include "PageOptions.h"

namespace {

ks::PageOptions parsed(const std::string& query) {
    ks::PageOptions options;
    std::string error;
    EXPECT_EQ(options.parse(query, error), 0) << query << ": " << error;
    return options;
}

std::string errorOf(const std::string& query) {
    ks::PageOptions options;
    std::string error;
    EXPECT_EQ(options.parse(query, error), -1) << query;
    return error;
}

// The page's own parameters (picked=, utm_source=) are let be.
TEST(PageOptionsTest, TheAddressGivesTheSeedScaleAndSound) {
    const ks::PageOptions options = parsed("?seed=4294967295&scale=2&mute=1");
    EXPECT_TRUE(options.launch.has_seed);
    EXPECT_EQ(options.launch.seed, 4294967295UL);
    EXPECT_EQ(options.launch.scale, 2);
    EXPECT_TRUE(options.launch.mute);
    EXPECT_TRUE(options.launch.replay_file.empty());
    EXPECT_FALSE(parsed("").launch.has_seed);
    EXPECT_EQ(parsed("?picked=x.rpl&seed=7&utm_source=mail").launch.seed, 7UL);
}

// A recording served in a folder next to the page is kept in the game's memory by its name.
TEST(PageOptionsTest, AReplayIsPlayedFromItsFileNameAndMayBeFast) {
    const ks::PageOptions options = parsed("replay=games%2Fmy+game.rpl&fast=1");
    EXPECT_EQ(options.launch.replay_file, "my game.rpl");
    EXPECT_TRUE(options.fast);
    EXPECT_FALSE(options.launch.headless);
    EXPECT_EQ(ks::PageOptions::decode("%41%zz%4"), "A%zz%4");
}

TEST(PageOptionsTest, AWrongParameterIsOneLineNamingIt) {
    EXPECT_EQ(errorOf("?seed=abc"), "?seed=abc: the seed is a number from 0 to 4294967295");
    EXPECT_EQ(errorOf("?seed=4294967296"),
              "?seed=4294967296: the seed is a number from 0 to 4294967295");
    EXPECT_EQ(errorOf("?seed=-1"), "?seed=-1: the seed is a number from 0 to 4294967295");
    EXPECT_EQ(errorOf("?seed="), "?seed=: the seed is a number from 0 to 4294967295");
    EXPECT_EQ(errorOf("?scale=5"), "?scale=5: the scale is a number from 1 to 4");
    EXPECT_EQ(errorOf("?scale=0"), "?scale=0: the scale is a number from 1 to 4");
    EXPECT_EQ(errorOf("?replay=games/"),
              "?replay=games/: name a recording served next to the page");
    EXPECT_EQ(errorOf("?replay=a.rpl&seed=1"),
              "?replay= and ?seed= do not go together: a recording brings its own seed");
    EXPECT_EQ(errorOf("?fast=1"), "?fast needs ?replay=: only a recording can be played faster");
}

} // namespace
