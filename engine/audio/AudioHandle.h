#pragma once

#include <memory>
#include <string>

#include "AudioDevice.h"

namespace ks {

/// What a Sound and a piece of Music share: the label the resource manager finds it by, whether
/// a file was loaded, and the device's voice that plays it (none without a device, or before a
/// file loads: it then plays nothing).
class AudioHandle {
public:
    AudioHandle(const AudioHandle&) = delete;
    AudioHandle& operator=(const AudioHandle&) = delete;

    /// Stops; the next play starts from the beginning.
    void stop();
    /// Pauses where it is.
    void pause();

    /// Whether a file was loaded.
    bool isLoaded() const { return is_loaded; }
    /// The label the resource manager finds it by.
    std::string getLabel() const { return label; }
    /// Sets the label the resource manager finds it by.
    void setLabel(std::string new_label) { label = new_label; }

protected:
    /// Nothing loaded yet.
    explicit AudioHandle(std::string init_label);
    /// Stops the voice before it goes.
    ~AudioHandle();

    /// Starts the voice from the beginning (a paused one resumes), looping if asked.
    void playVoice(bool loop);
    /// Takes the voice of a file just loaded (null without a device), stopping the one before.
    void setVoice(std::unique_ptr<Voice> new_voice);

private:
    bool is_loaded;
    std::unique_ptr<Voice> voice;
    std::string label;
};

} // namespace ks
