#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace ks {

/// A sound decoded to signed 16-bit samples, the channels interleaved.
struct SoundSamples {
    std::vector<int16_t> samples;   ///< all channels, frame after frame
    unsigned int channel_count = 0; ///< 1 mono, 2 stereo, ...
    unsigned int sample_rate = 0;   ///< frames a second
};

/// Samples pulled while a piece of music plays, so that it need not be held in memory. A device
/// may pull them on a thread of its own, but never while the engine calls it.
class SampleStream {
public:
    /// Streams are owned and destroyed through this base.
    virtual ~SampleStream();
    /// 1 mono, 2 stereo, ...
    virtual unsigned int getChannelCount() const = 0;
    /// Frames a second.
    virtual unsigned int getSampleRate() const = 0;
    /// Copies up to count samples; fewer only at the end (0 there).
    virtual uint64_t read(int16_t* p_samples, uint64_t count) = 0;
    /// Goes back or forward to the sample (counted over all channels) from the start.
    virtual void seek(uint64_t sample_offset) = 0;
};

/// A sound or a piece of music, ready to play on a device.
class Voice {
public:
    /// Voices are owned and destroyed through this base; a playing one stops.
    virtual ~Voice();
    /// Starts from the beginning, even when already playing; a paused voice resumes where it was.
    /// With loop, it repeats until stopped.
    virtual void play(bool loop) = 0;
    /// Stops; the next play starts from the beginning.
    virtual void stop() = 0;
    /// Pauses where it is.
    virtual void pause() = 0;
};

/// What the engine needs from a sound device: voices made of decoded samples. The engine decodes
/// and checks every file itself, the same way on every platform, so a device only plays. A
/// device without sound hardware (NullAudio) plays nothing and opens nothing.
class AudioDevice {
public:
    /// Devices are owned and destroyed through this base, after every voice they made.
    virtual ~AudioDevice();
    /// A voice for a sound effect held in memory; null when the device cannot make one.
    virtual std::unique_ptr<Voice> createSound(const SoundSamples& sound) = 0;
    /// A voice streaming the samples while it plays (it keeps the stream); null when the device
    /// cannot make one.
    virtual std::unique_ptr<Voice> createMusic(std::unique_ptr<SampleStream> stream) = 0;
};

} // namespace ks
