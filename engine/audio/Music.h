#pragma once

#include <string>

#include "AudioHandle.h"

namespace ks {

/// A piece of music streamed from its file while it plays, on the audio manager's device. Its
/// file is a WAV file (PCM, 8 to 32 bits a sample), checked the same way on every platform.
class Music : public AudioHandle {
public:
    /// Opens the file unless the name is empty; a failed open leaves music that plays nothing.
    Music(std::string filename = "", std::string label = "");

    /// Stops what is playing and opens the file to stream from. 0 on success; -1 (logged) when
    /// the file cannot be opened (or is not a regular WAV file); the music is then as it was.
    int loadMusic(std::string filename);
    /// Starts the music from the beginning, even if it is already playing; paused music resumes
    /// where it was. By default it loops until stopped.
    void play(bool loop = true);
};

} // namespace ks
