#include "Music.h"

#include "LogManager.h"

namespace ks {

Music::Music(std::string filename, std::string new_label)
    : is_loaded(false), file(), music(), label(new_label) {
    if (!filename.empty())
        loadMusic(filename);
}

Music::~Music() {
    music.stop();
}

int Music::loadMusic(std::string filename) {
    // The stream thread reads the file: it stops before the file changes.
    music.stop();
    if (file.open(filename) != 0 || !music.openFromStream(file)) {
        LogManager::getInstance().writeLog(
            "Music::loadMusic(): Error: could not load music from filename %s", filename.c_str());
        return -1;
    }
    is_loaded = true;
    return 0;
}

void Music::play(bool loop) {
    music.setLoop(loop);
    music.play();
}

void Music::stop() {
    music.stop();
}

void Music::pause() {
    music.pause();
}

} // namespace ks
