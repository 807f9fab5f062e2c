#include "Music.h"

#include <memory>
#include <utility>

#include "AudioManager.h"
#include "FileSampleStream.h"
#include "LogManager.h"

namespace ks {

Music::Music(std::string filename, std::string new_label) : AudioHandle(new_label) {
    if (!filename.empty())
        loadMusic(filename);
}

int Music::loadMusic(std::string filename) {
    // The device may read the stream on a thread of its own: it stops before anything changes.
    stop();
    auto stream = std::make_unique<FileSampleStream>();
    if (stream->open(filename) != 0) {
        LogManager::getInstance().writeLog(
            "Music::loadMusic(): Error: could not load music from filename %s", filename.c_str());
        return -1;
    }
    setVoice(AudioManager::getInstance().createMusic(std::move(stream)));
    return 0;
}

void Music::play(bool loop) {
    playVoice(loop);
}

} // namespace ks
