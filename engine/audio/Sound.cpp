#include "Sound.h"

#include <algorithm>
#include <vector>

#include <SFML/Audio/InputSoundFile.hpp>

#include "LogManager.h"
#include "RegularFile.h"

namespace ks {

namespace {

// A sound effect lasts seconds. A file or a sound larger than these (16 MiB is about 95 s of
// CD-quality stereo) comes from a corrupt or hostile file, refused before it is decoded.
const sf::Int64 MAX_SOUND_FILE_BYTES = 16 << 20;
const sf::Uint64 MAX_SOUND_SAMPLES = 16 << 20;
// Samples are decoded this many at a time, so memory follows what the file really holds.
const sf::Uint64 DECODE_BLOCK = 1 << 16;

// Decodes a whole sound file into the buffer. Refuses a file over the cap, a stated length over
// the cap, and a stated length beyond what the file holds (a header that lies), without ever
// taking memory for more samples than were really decoded.
bool decode(const std::string& filename, sf::SoundBuffer& buffer) {
    RegularFile file;
    if (file.open(filename) != 0 || file.getSize() > MAX_SOUND_FILE_BYTES)
        return false;
    sf::InputSoundFile input;
    if (!input.openFromStream(file))
        return false;
    const sf::Uint64 stated = input.getSampleCount();
    const unsigned int channels = input.getChannelCount();
    if (stated == 0 || stated > MAX_SOUND_SAMPLES || channels == 0)
        return false;
    const sf::Uint64 block = DECODE_BLOCK - DECODE_BLOCK % channels;
    std::vector<sf::Int16> samples;
    while (samples.size() < stated) {
        const sf::Uint64 wanted = std::min<sf::Uint64>(block, stated - samples.size());
        const size_t done = samples.size();
        samples.resize(done + wanted);
        if (input.read(samples.data() + done, wanted) != wanted)
            return false;
    }
    return buffer.loadFromSamples(samples.data(), samples.size(), channels, input.getSampleRate());
}

} // namespace

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
    if (!decode(filename, sound_buffer)) {
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
