#pragma once

#include <memory>

#include "AudioDevice.h"

namespace ks {

/// The desktop's sound device: sound effects as SFML sound buffers, music as an SFML sound
/// stream pulling the engine's decoded samples. SFML mixes and streams on threads of its own.
/// Its voices stay usable after the device object is gone (SFML keeps the device itself).
class SfmlAudio : public AudioDevice {
public:
    /// Makes SFML's error stream first, so that it outlives every voice (voices still write to
    /// it at exit when there is no sound hardware).
    SfmlAudio();
    /// A voice over an SFML buffer of the samples; null when SFML refuses them.
    std::unique_ptr<Voice> createSound(const SoundSamples& sound) override;
    /// A voice streaming the samples, a second at a time.
    std::unique_ptr<Voice> createMusic(std::unique_ptr<SampleStream> stream) override;
};

} // namespace ks
