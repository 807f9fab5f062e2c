#pragma once

#include <memory>

#include "AudioDevice.h"

namespace ks {

/// The web page's sound device: voices played through Web Audio by the platform's JavaScript
/// half (ks-web.js). Browsers allow sound only once the page has been used, so the device starts
/// sounding at the first key press or click on the page; what is played before then is not
/// heard.
///
/// Music is read from its stream whole, up to MAX_MUSIC_SECONDS, when it is made, and then
/// played like a sound.
class BrowserAudio : public AudioDevice {
public:
    /// Music longer than this is cut there.
    static const int MAX_MUSIC_SECONDS = 600;

    /// Starts listening for the page's first use.
    BrowserAudio();
    /// A voice over the samples.
    std::unique_ptr<Voice> createSound(const SoundSamples& sound) override;
    /// A voice over the stream's samples, read whole; null for a stream without samples.
    std::unique_ptr<Voice> createMusic(std::unique_ptr<SampleStream> stream) override;
};

} // namespace ks
