#include "AudioHandle.h"

#include <utility>

namespace ks {

AudioHandle::AudioHandle(std::string init_label)
    : is_loaded(false), voice(), label(std::move(init_label)) {}

AudioHandle::~AudioHandle() {
    stop();
}

void AudioHandle::stop() {
    if (voice)
        voice->stop();
}

void AudioHandle::pause() {
    if (voice)
        voice->pause();
}

void AudioHandle::playVoice(bool loop) {
    if (voice)
        voice->play(loop);
}

void AudioHandle::setVoice(std::unique_ptr<Voice> new_voice) {
    stop();
    voice = std::move(new_voice);
    is_loaded = true;
}

} // namespace ks
