#pragma once

#include <string>

#include <SFML/Audio/Music.hpp>

#include "RegularFile.h"

namespace ks {

/// A piece of music streamed from its file while it plays.
class Music {
public:
    /// Opens the file unless the name is empty; a failed open leaves music that plays nothing.
    Music(std::string filename = "", std::string label = "");
    /// Stops the music before its file is closed.
    ~Music();

    Music(const Music&) = delete;
    Music& operator=(const Music&) = delete;

    /// Stops what is playing and opens the file to stream from. 0 on success; -1 (logged) when
    /// the file cannot be opened (or is not a regular file).
    int loadMusic(std::string filename);
    /// Starts the music from the beginning, even if it is already playing; paused music resumes
    /// where it was. By default it loops until stopped.
    void play(bool loop = true);
    /// Stops the music; the next play starts from the beginning.
    void stop();
    /// Pauses the music where it is.
    void pause();

    /// Whether a file was opened, so that play makes a sound.
    bool isLoaded() const { return is_loaded; }
    /// The label the resource manager finds it by.
    std::string getLabel() const { return label; }
    /// Sets the label the resource manager finds it by.
    void setLabel(std::string new_label) { label = new_label; }

private:
    bool is_loaded;
    /// What the music streams from; declared first, so that it outlives the stream.
    RegularFile file;
    sf::Music music;
    std::string label;
};

} // namespace ks
