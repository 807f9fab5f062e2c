#pragma once

#include <memory>
#include <string>

#include "AudioDevice.h"

namespace ks {

/// A piece of music streamed from its file while it plays, on the audio manager's device. Its
/// file is a WAV file (PCM, 8 to 32 bits a sample), checked the same way on every platform.
class Music {
public:
    /// Opens the file unless the name is empty; a failed open leaves music that plays nothing.
    Music(std::string filename = "", std::string label = "");
    /// Stops the music before its file is closed.
    ~Music();

    Music(const Music&) = delete;
    Music& operator=(const Music&) = delete;

    /// Stops what is playing and opens the file to stream from. 0 on success; -1 (logged) when
    /// the file cannot be opened (or is not a regular WAV file); the music is then as it was.
    int loadMusic(std::string filename);
    /// Starts the music from the beginning, even if it is already playing; paused music resumes
    /// where it was. By default it loops until stopped.
    void play(bool loop = true);
    /// Stops the music; the next play starts from the beginning.
    void stop();
    /// Pauses the music where it is.
    void pause();

    /// Whether a file was opened.
    bool isLoaded() const { return is_loaded; }
    /// The label the resource manager finds it by.
    std::string getLabel() const { return label; }
    /// Sets the label the resource manager finds it by.
    void setLabel(std::string new_label) { label = new_label; }

private:
    bool is_loaded;
    /// The device's voice, which holds the file it streams from; null without a device.
    std::unique_ptr<Voice> voice;
    std::string label;
};

} // namespace ks
