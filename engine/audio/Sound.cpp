#include "Sound.h"

#include "AudioManager.h"
#include "LogManager.h"
#include "RegularFile.h"
#include "SoundDecoder.h"

namespace ks {

Sound::Sound(std::string filename, std::string new_label)
    : is_loaded(false), voice(), label(new_label) {
    if (!filename.empty())
        loadSound(filename);
}

Sound::~Sound() {
    if (voice)
        voice->stop();
}

int Sound::loadSound(std::string filename) {
    RegularFile file;
    SoundSamples sound;
    if (file.open(filename) != 0 || !SoundDecoder::decodeAll(file, sound)) {
        LogManager::getInstance().writeLog(
            "Sound::loadSound(): Error: could not load sound from file %s", filename.c_str());
        return -1;
    }
    if (voice)
        voice->stop();
    voice = AudioManager::getInstance().createSound(sound);
    is_loaded = true;
    return 0;
}

void Sound::play(bool loop) {
    if (voice)
        voice->play(loop);
}

void Sound::stop() {
    if (voice)
        voice->stop();
}

void Sound::pause() {
    if (voice)
        voice->pause();
}

} // namespace ks
