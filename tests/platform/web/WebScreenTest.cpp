// The web page's screen: frames painted once, the page's keys held from keydown to keyup. (Every
// key let go when the page loses the focus: web_e2e.py, in a real browser.)
#include <memory>

#include <gtest/gtest.h>

#include "WebScreen.h"

namespace {

using Type = ks::InputEvent::Type;

// Counts what it is asked to paint.
class CountingCanvas : public ks::CellCanvas {
public:
    void paint(const std::vector<ks::CellDraw>& cells) override {
        paints++;
        last = cells;
    }
    void close() override { closed = true; }
    int paints = 0;
    bool closed = false;
    std::vector<ks::CellDraw> last;
};

struct Screen {
    Screen() {
        auto owned = std::make_unique<CountingCanvas>();
        canvas = owned.get();
        screen = std::make_unique<ks::WebScreen>(std::move(owned));
    }
    // The events queued so far, as "type key" pairs.
    std::vector<std::pair<Type, ks::PhysicalKey>> drain() {
        std::vector<std::pair<Type, ks::PhysicalKey>> got;
        ks::InputEvent event;
        while (screen->pollEvent(event))
            got.push_back({event.type, event.key});
        return got;
    }
    CountingCanvas* canvas;
    std::unique_ptr<ks::WebScreen> screen;
};

TEST(WebScreenTest, AFrameEqualToTheOnePaintedIsNotPaintedAgain) {
    Screen s;
    const std::vector<ks::CellDraw> title = {{0, 0, '#', 6}, {1, 0, '#', 6}};
    const std::vector<ks::CellDraw> moved = {{0, 0, '#', 6}, {2, 0, '#', 6}};
    EXPECT_EQ(s.screen->present(title), 0);
    EXPECT_EQ(s.screen->present(title), 0);
    EXPECT_EQ(s.canvas->paints, 1);
    EXPECT_EQ(s.screen->present(moved), 0);
    EXPECT_EQ(s.canvas->paints, 2);
    EXPECT_EQ(s.canvas->last, moved);
    EXPECT_EQ(s.screen->getFramesSkipped(), 1);
}

// Held from keydown to keyup, as the cycle's sample finds it; the events in the order they came.
TEST(WebScreenTest, AKeyIsHeldFromItsKeydownToItsKeyupAtTheCyclesSample) {
    Screen s;
    s.screen->keyChanged(ks::PhysicalKey::D, true, false);
    EXPECT_FALSE(s.screen->isKeyHeld(ks::PhysicalKey::D)); // not sampled yet
    s.screen->sampleKeyboard();
    EXPECT_TRUE(s.screen->isKeyHeld(ks::PhysicalKey::D));
    s.screen->keyChanged(ks::PhysicalKey::D, false, false);
    s.screen->sampleKeyboard();
    EXPECT_FALSE(s.screen->isKeyHeld(ks::PhysicalKey::D));
    const std::vector<std::pair<Type, ks::PhysicalKey>> expected = {
        {Type::KEY_PRESSED, ks::PhysicalKey::D}, {Type::KEY_RELEASED, ks::PhysicalKey::D}};
    EXPECT_EQ(s.drain(), expected);
}

TEST(WebScreenTest, TheBrowsersRepeatsArePressesOnlyWhileKeyRepeatIsOn) {
    Screen s;
    for (bool repeat : {false, true, true})
        s.screen->keyChanged(ks::PhysicalKey::W, true, repeat);
    EXPECT_EQ(s.drain().size(), 3u);
    s.screen->setKeyRepeat(false);
    for (bool repeat : {false, true, true})
        s.screen->keyChanged(ks::PhysicalKey::A, true, repeat);
    EXPECT_EQ(s.drain().size(), 1u);
    s.screen->sampleKeyboard();
    EXPECT_TRUE(s.screen->isKeyHeld(ks::PhysicalKey::A));
}

TEST(WebScreenTest, TheMouseOnACanvasDrawnLargerIsReadAtScaleOne) {
    Screen s;
    s.screen->mouseChanged(Type::MOUSE_PRESSED, ks::Mouse::LEFT, 201, 101, 2);
    ks::InputEvent event;
    ASSERT_TRUE(s.screen->pollEvent(event));
    EXPECT_EQ(event.type, Type::MOUSE_PRESSED);
    EXPECT_EQ(event.button, ks::Mouse::LEFT);
    EXPECT_EQ(event.x, 100);
    EXPECT_EQ(event.y, 50);
}

TEST(WebScreenTest, AClosedScreenPaintsAndQueuesNothing) {
    Screen s;
    s.screen->keyChanged(ks::PhysicalKey::D, true, false);
    s.screen->close();
    EXPECT_TRUE(s.canvas->closed);
    EXPECT_FALSE(s.screen->isOpen());
    EXPECT_EQ(s.screen->present({{0, 0, 'x', 7}}), -1);
    s.screen->keyChanged(ks::PhysicalKey::D, false, false);
    EXPECT_TRUE(s.drain().empty());
    EXPECT_EQ(s.canvas->paints, 0);
}

TEST(WebScreenTest, EventsBeyondTheQueuesBoundAreDropped) {
    Screen s;
    for (size_t i = 0; i < ks::WebScreen::MAX_QUEUED + 10; i++)
        s.screen->keyChanged(ks::PhysicalKey::W, true, true);
    EXPECT_EQ(s.drain().size(), ks::WebScreen::MAX_QUEUED);
}

} // namespace
