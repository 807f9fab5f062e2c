#include "Sound.h"

#include "LogManager.h"

namespace ks {

Sound::Sound(std::string filename, std::string new_label)
    : is_loaded(false), sound(), sound_buffer(), label(new_label) {
    if (!filename.empty())
        loadSound(filename);
}

Sound::~Sound() {
    // The voice must let go of the buffer before the buffer goes.
    sound.stop();
    sound.resetBuffer();
}

int Sound::loadSound(std::string filename) {
    if (!sound_buffer.loadFromFile(filename)) {
        LogManager::getInstance().writeLog(
            "Sound::loadSound(): Error: could not load sound from file %s", filename.c_str());
        return -1;
    }
    sound.setBuffer(sound_buffer);
    is_loaded = true;
    return 0;
}

void Sound::play(bool loop) {
    sound.setLoop(loop);
    sound.play();
}

void Sound::stop() {
    sound.stop();
}

void Sound::pause() {
    sound.pause();
}

} // namespace ks
