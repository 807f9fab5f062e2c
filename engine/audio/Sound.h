#pragma once

#include <string>

#include "AudioHandle.h"

namespace ks {

/// A short sound effect held in memory, played on the audio manager's device. Its file is a WAV
/// file (PCM, 8 to 32 bits a sample), read and checked the same way on every platform.
class Sound : public AudioHandle {
public:
    /// Loads the file unless the name is empty; a failed load leaves a silent sound.
    Sound(std::string filename = "", std::string label = "");

    /// Decodes the whole file into memory. 0 on success; -1 (logged) when the file cannot be
    /// loaded: not a regular file, not a WAV file, too large for a sound effect, or damaged (a
    /// header stating more than the file holds included). A failed load leaves the sound as it
    /// was.
    int loadSound(std::string filename);
    /// Starts the sound from the beginning, even if it is already playing; a paused sound resumes
    /// where it was. With loop, it repeats until stopped. A sound that did not load, or loaded
    /// while there was no sound device, plays nothing.
    void play(bool loop = false);
};

} // namespace ks
