#pragma once

#include <string>

#include <SFML/Audio/Music.hpp>

#include "RegularFile.h"

namespace ks {

// A piece of music streamed from its file while it plays.
class Music {
public:
    // Opens the file unless the name is empty.
    Music(std::string filename = "", std::string label = "");
    ~Music();

    Music(const Music&) = delete;
    Music& operator=(const Music&) = delete;

    // 0 on success; -1 (logged) when the file cannot be opened (or is not a regular file).
    int loadMusic(std::string filename);
    void play(bool loop = true);
    void stop();
    void pause();

    bool isLoaded() const { return is_loaded; }
    std::string getLabel() const { return label; }
    void setLabel(std::string new_label) { label = new_label; }

private:
    bool is_loaded;
    // What the music streams from; declared first, so that it outlives the stream.
    RegularFile file;
    sf::Music music;
    std::string label;
};

} // namespace ks
