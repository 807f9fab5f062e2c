#pragma once

#include <memory>
#include <string>

#include "AudioDevice.h"

namespace ks {

/// A short sound effect held in memory, played on the audio manager's device. Its file is a WAV
/// file (PCM, 8 to 32 bits a sample), read and checked the same way on every platform.
class Sound {
public:
    /// Loads the file unless the name is empty; a failed load leaves a silent sound.
    Sound(std::string filename = "", std::string label = "");
    /// Stops the sound.
    ~Sound();

    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    /// Decodes the whole file into memory. 0 on success; -1 (logged) when the file cannot be
    /// loaded: not a regular file, not a WAV file, too large for a sound effect, or damaged (a
    /// header stating more than the file holds included). A failed load leaves the sound as it
    /// was.
    int loadSound(std::string filename);
    /// Starts the sound from the beginning, even if it is already playing; a paused sound resumes
    /// where it was. With loop, it repeats until stopped. A sound that did not load, or loaded
    /// while there was no sound device, plays nothing.
    void play(bool loop = false);
    /// Stops the sound; the next play starts from the beginning.
    void stop();
    /// Pauses the sound where it is.
    void pause();

    /// Whether a file was loaded.
    bool isLoaded() const { return is_loaded; }
    /// The label the resource manager finds it by.
    std::string getLabel() const { return label; }
    /// Sets the label the resource manager finds it by.
    void setLabel(std::string new_label) { label = new_label; }

private:
    bool is_loaded;
    /// The device's voice; null without a device.
    std::unique_ptr<Voice> voice;
    std::string label;
};

} // namespace ks
