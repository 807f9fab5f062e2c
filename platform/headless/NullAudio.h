#pragma once

#include <memory>

#include "AudioDevice.h"

namespace ks {

/// A sound device that plays nothing and never touches sound hardware: for runs without a window
/// (a headless replay on a server) and for a game's own mute switch. Sounds are still read and
/// checked by the engine exactly as with a real device, so the log does not change.
class NullAudio : public AudioDevice {
public:
    /// A voice that plays nothing.
    std::unique_ptr<Voice> createSound(const SoundSamples& sound) override;
    /// A voice that plays nothing; the stream is let go at once.
    std::unique_ptr<Voice> createMusic(std::unique_ptr<SampleStream> stream) override;
};

} // namespace ks
