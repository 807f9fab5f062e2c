#pragma once

#include <string>

#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>

namespace ks {

/// A short sound effect held in memory.
class Sound {
public:
    /// Loads the file unless the name is empty; a failed load leaves a silent sound.
    Sound(std::string filename = "", std::string label = "");
    /// Stops the sound before its samples go.
    ~Sound();

    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    /// Decodes the whole file into memory. 0 on success; -1 (logged) when the file cannot be
    /// loaded: not a regular file, too large for a sound effect, or damaged (a header stating
    /// more than the file holds included).
    int loadSound(std::string filename);
    /// Starts the sound from the beginning, even if it is already playing; a paused sound resumes
    /// where it was. With loop, it repeats until stopped. A sound that did not load plays nothing.
    void play(bool loop = false);
    /// Stops the sound; the next play starts from the beginning.
    void stop();
    /// Pauses the sound where it is.
    void pause();

    /// Whether a file was loaded, so that play makes a sound.
    bool isLoaded() const { return is_loaded; }
    /// The label the resource manager finds it by.
    std::string getLabel() const { return label; }
    /// Sets the label the resource manager finds it by.
    void setLabel(std::string new_label) { label = new_label; }
    /// A copy of the SFML voice, on the same samples; it falls silent when this sound is destroyed.
    sf::Sound getSound() const { return sound; }

private:
    bool is_loaded;
    sf::Sound sound;
    sf::SoundBuffer sound_buffer;
    std::string label;
};

} // namespace ks
