#include "SfmlAudio.h"

#include <utility>
#include <vector>

#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Audio/SoundStream.hpp>
#include <SFML/System/Err.hpp>

namespace ks {

namespace {

// A sound effect: its samples in an SFML buffer, and the voice playing them.
class SoundVoice : public Voice {
public:
    bool load(const SoundSamples& sound) {
        if (!buffer.loadFromSamples(sound.samples.data(), sound.samples.size(), sound.channel_count,
                                    sound.sample_rate))
            return false;
        voice.setBuffer(buffer);
        return true;
    }
    ~SoundVoice() override {
        // The voice must let go of the buffer before the buffer goes.
        voice.stop();
        voice.resetBuffer();
    }
    void play(bool loop) override {
        voice.setLoop(loop);
        voice.play();
    }
    void stop() override { voice.stop(); }
    void pause() override { voice.pause(); }

private:
    sf::SoundBuffer buffer;
    sf::Sound voice;
};

// Music: SFML's stream thread pulls the samples a second at a time.
class MusicVoice : public Voice, private sf::SoundStream {
public:
    explicit MusicVoice(std::unique_ptr<SampleStream> new_stream)
        : stream(std::move(new_stream)),
          chunk(static_cast<size_t>(stream->getSampleRate()) * stream->getChannelCount()) {
        initialize(stream->getChannelCount(), stream->getSampleRate());
    }
    ~MusicVoice() override {
        // The stream thread reads the samples: it stops before they go.
        sf::SoundStream::stop();
    }
    void play(bool loop) override {
        setLoop(loop);
        sf::SoundStream::play();
    }
    void stop() override { sf::SoundStream::stop(); }
    void pause() override { sf::SoundStream::pause(); }

private:
    bool onGetData(Chunk& data) override {
        const uint64_t got = stream->read(chunk.data(), chunk.size());
        data.samples = chunk.data();
        data.sampleCount = static_cast<std::size_t>(got);
        return got == chunk.size();
    }
    void onSeek(sf::Time offset) override {
        const uint64_t frame =
            static_cast<uint64_t>(offset.asMicroseconds()) * stream->getSampleRate() / 1000000;
        stream->seek(frame * stream->getChannelCount());
    }

    std::unique_ptr<SampleStream> stream;
    std::vector<int16_t> chunk;
};

} // namespace

SfmlAudio::SfmlAudio() {
    sf::err();
}

std::unique_ptr<Voice> SfmlAudio::createSound(const SoundSamples& sound) {
    auto voice = std::make_unique<SoundVoice>();
    if (!voice->load(sound))
        return nullptr;
    return voice;
}

std::unique_ptr<Voice> SfmlAudio::createMusic(std::unique_ptr<SampleStream> stream) {
    if (!stream || stream->getChannelCount() == 0 || stream->getSampleRate() == 0)
        return nullptr;
    return std::make_unique<MusicVoice>(std::move(stream));
}

} // namespace ks
