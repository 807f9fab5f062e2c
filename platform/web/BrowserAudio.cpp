#include "BrowserAudio.h"

#include <cstdint>

extern "C" {
// ks-web.js
void ks_web_audio_open();
int ks_web_voice_create(const int16_t* p_samples, int count, int channels, int rate);
void ks_web_voice_play(int id, int loop);
void ks_web_voice_stop(int id);
void ks_web_voice_pause(int id);
void ks_web_voice_free(int id);
}

namespace ks {

namespace {

// A voice of the page's, by its number there.
class PageVoice : public Voice {
public:
    explicit PageVoice(int init_id) : id(init_id) {}
    ~PageVoice() override { ks_web_voice_free(id); }
    void play(bool loop) override { ks_web_voice_play(id, loop ? 1 : 0); }
    void stop() override { ks_web_voice_stop(id); }
    void pause() override { ks_web_voice_pause(id); }

private:
    int id;
};

} // namespace

BrowserAudio::BrowserAudio() {
    ks_web_audio_open();
}

std::unique_ptr<Voice> BrowserAudio::createSound(const SoundSamples& sound) {
    if (sound.channel_count == 0 || sound.sample_rate == 0)
        return nullptr;
    return std::make_unique<PageVoice>(ks_web_voice_create(
        sound.samples.data(), static_cast<int>(sound.samples.size()),
        static_cast<int>(sound.channel_count), static_cast<int>(sound.sample_rate)));
}

std::unique_ptr<Voice> BrowserAudio::createMusic(std::unique_ptr<SampleStream> stream) {
    if (!stream || stream->getChannelCount() == 0 || stream->getSampleRate() == 0)
        return nullptr;
    SoundSamples sound;
    sound.channel_count = stream->getChannelCount();
    sound.sample_rate = stream->getSampleRate();
    const uint64_t limit =
        static_cast<uint64_t>(sound.sample_rate) * sound.channel_count * MAX_MUSIC_SECONDS;
    const uint64_t chunk = static_cast<uint64_t>(sound.sample_rate) * sound.channel_count;
    while (sound.samples.size() < limit) {
        const size_t done = sound.samples.size();
        sound.samples.resize(done + chunk);
        const uint64_t got = stream->read(sound.samples.data() + done, chunk);
        sound.samples.resize(done + got);
        if (got < chunk)
            break;
    }
    return createSound(sound);
}

} // namespace ks
