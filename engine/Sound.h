#pragma once

#include <string>

#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>

namespace ks {

// A short sound effect held in memory.
class Sound {
public:
    // Loads the file unless the name is empty; a failed load leaves a silent sound.
    Sound(std::string filename = "", std::string label = "");
    ~Sound();

    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    // 0 on success; -1 (logged) when the file cannot be loaded: not a regular file, too large
    // for a sound effect, or damaged (a header stating more than the file holds included).
    int loadSound(std::string filename);
    // Starts the sound from the beginning, even if it is already playing.
    void play(bool loop = false);
    void stop();
    void pause();

    bool isLoaded() const { return is_loaded; }
    std::string getLabel() const { return label; }
    void setLabel(std::string new_label) { label = new_label; }
    sf::Sound getSound() const { return sound; }

private:
    bool is_loaded;
    sf::Sound sound;
    sf::SoundBuffer sound_buffer;
    std::string label;
};

} // namespace ks
