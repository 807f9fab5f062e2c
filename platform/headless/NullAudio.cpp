#include "NullAudio.h"

namespace ks {

namespace {

class SilentVoice : public Voice {
public:
    void play(bool /*loop*/) override {}
    void stop() override {}
    void pause() override {}
};

} // namespace

std::unique_ptr<Voice> NullAudio::createSound(const SoundSamples& /*sound*/) {
    return std::make_unique<SilentVoice>();
}

std::unique_ptr<Voice> NullAudio::createMusic(std::unique_ptr<SampleStream> /*stream*/) {
    return std::make_unique<SilentVoice>();
}

} // namespace ks
