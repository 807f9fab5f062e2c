// Sprites: frames are added up to the stated count and only when of the sprite's size.
#include "Sprite.h"
#include "Color.h"
#include "Frame.h"
#include "TestSupport.h"

using SpriteTest = EngineTest;

TEST_F(SpriteTest, AddFrameRefusesFramesOfAnotherSizeAndFramesPastTheCount) {
    ks::Sprite sprite(2, 3, 2, ks::RED);
    EXPECT_EQ(-1, sprite.addFrame(ks::Frame(2, 3, "abcdef"))); // the same cells, turned
    EXPECT_EQ(-1, sprite.addFrame(ks::Frame()));
    EXPECT_EQ(0, sprite.getFrameCount());
    EXPECT_EQ((std::vector<std::string>{
                  "Sprite::addFrame(): Error: frame of 2 x 3 does not fit a sprite of 3 x 2",
                  "Sprite::addFrame(): Error: frame of 0 x 0 does not fit a sprite of 3 x 2"}),
              logLines());
    EXPECT_EQ(0, sprite.addFrame(ks::Frame(3, 2, "abcdef")));
    EXPECT_EQ(0, sprite.addFrame(ks::Frame(3, 2, "ghijkl")));
    EXPECT_EQ(-1, sprite.addFrame(ks::Frame(3, 2, "mnopqr")));
    EXPECT_TRUE(logHas("Sprite::addFrame(): Error: attempted to add frame past max frame count"));
    EXPECT_EQ(2, sprite.getFrameCount());
    EXPECT_EQ("ghijkl", sprite.getFrame(1).getString());
}
