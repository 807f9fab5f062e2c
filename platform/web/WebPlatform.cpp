#include "WebPlatform.h"

#include <utility>

#include "BrowserAudio.h"
#include "BrowserCanvas.h"
#include "WebScreen.h"

namespace ks {

std::unique_ptr<Screen> WebPlatform::openScreen(const ScreenSettings& settings,
                                                ScreenStatus& status) {
    auto canvas = std::make_unique<BrowserCanvas>(settings);
    BrowserCanvas* p_canvas = canvas.get();
    status = p_canvas->open();
    auto screen = std::make_unique<WebScreen>(std::move(canvas));
    p_canvas->listen(screen.get());
    return screen;
}

std::unique_ptr<AudioDevice> WebPlatform::openAudio() {
    return std::make_unique<BrowserAudio>();
}

} // namespace ks
