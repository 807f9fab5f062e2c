#include "Sound.h"

#include "AudioManager.h"
#include "LogManager.h"
#include "RegularFile.h"
#include "SoundDecoder.h"

namespace ks {

Sound::Sound(std::string filename, std::string new_label) : AudioHandle(new_label) {
    if (!filename.empty())
        loadSound(filename);
}

int Sound::loadSound(std::string filename) {
    RegularFile file;
    SoundSamples sound;
    if (file.open(filename) != 0 || !SoundDecoder::decodeAll(file, sound)) {
        LogManager::getInstance().writeLog(
            "Sound::loadSound(): Error: could not load sound from file %s", filename.c_str());
        return -1;
    }
    setVoice(AudioManager::getInstance().createSound(sound));
    return 0;
}

void Sound::play(bool loop) {
    playVoice(loop);
}

} // namespace ks
