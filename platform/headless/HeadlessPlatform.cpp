#include "HeadlessPlatform.h"

#include "HeadlessScreen.h"
#include "NullAudio.h"

namespace ks {

std::unique_ptr<Screen> HeadlessPlatform::openScreen(const ScreenSettings& /*settings*/,
                                                     ScreenStatus& status) {
    status = ScreenStatus::OPENED;
    return std::make_unique<HeadlessScreen>();
}

std::unique_ptr<AudioDevice> HeadlessPlatform::openAudio() {
    return std::make_unique<NullAudio>();
}

} // namespace ks
