#include "Music.h"

#include <utility>

#include "AudioManager.h"
#include "FileSampleStream.h"
#include "LogManager.h"

namespace ks {

Music::Music(std::string filename, std::string new_label)
    : is_loaded(false), voice(), label(new_label) {
    if (!filename.empty())
        loadMusic(filename);
}

Music::~Music() {
    if (voice)
        voice->stop();
}

int Music::loadMusic(std::string filename) {
    // The device may read the stream on a thread of its own: it stops before anything changes.
    if (voice)
        voice->stop();
    auto stream = std::make_unique<FileSampleStream>();
    if (stream->open(filename) != 0) {
        LogManager::getInstance().writeLog(
            "Music::loadMusic(): Error: could not load music from filename %s", filename.c_str());
        return -1;
    }
    voice = AudioManager::getInstance().createMusic(std::move(stream));
    is_loaded = true;
    return 0;
}

void Music::play(bool loop) {
    if (voice)
        voice->play(loop);
}

void Music::stop() {
    if (voice)
        voice->stop();
}

void Music::pause() {
    if (voice)
        voice->pause();
}

} // namespace ks
