#include "AudioManager.h"

#include <utility>

#include "Platform.h"

namespace ks {

AudioManager::AudioManager() : p_platform(nullptr), device() {
    setType("AudioManager");
}

AudioManager& AudioManager::getInstance() {
    static AudioManager instance;
    return instance;
}

int AudioManager::startUp() {
    if (!device && p_platform)
        device = p_platform->openAudio();
    return Manager::startUp();
}

int AudioManager::startUp(std::unique_ptr<AudioDevice> new_device) {
    device = std::move(new_device);
    return Manager::startUp();
}

void AudioManager::shutDown() {
    Manager::shutDown();
}

std::unique_ptr<Voice> AudioManager::createSound(const SoundSamples& sound) {
    return device ? device->createSound(sound) : nullptr;
}

std::unique_ptr<Voice> AudioManager::createMusic(std::unique_ptr<SampleStream> stream) {
    return device ? device->createMusic(std::move(stream)) : nullptr;
}

} // namespace ks
