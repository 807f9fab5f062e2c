#pragma once

#include <memory>

#include "AudioDevice.h"
#include "Manager.h"

namespace ks {

class Platform;

/// Holds the sound device that sounds and music play on, opened from the platform the program
/// chose (setPlatform). Without a device every sound is still read and checked, the same way,
/// and plays nothing: a game runs the same with sound or without.
class AudioManager : public Manager {
public:
    /// The one audio manager, created on first use.
    static AudioManager& getInstance();

    /// Opens the platform's sound device. Without a platform there is no device and sounds are
    /// silent; 0 either way, and 0 without doing anything when a device is open already.
    int startUp() override;
    /// Starts with the given device instead (a test's); null for none. 0.
    int startUp(std::unique_ptr<AudioDevice> new_device);
    /// Marks the manager stopped. The device stays: the sounds made on it may still play or be
    /// destroyed, and startUp opens no second one.
    void shutDown() override;

    /// The platform the next startUp opens its device on; it must outlive that call.
    void setPlatform(Platform* p_new_platform) { p_platform = p_new_platform; }
    /// The platform startUp opens its device on; null when none was given.
    Platform* getPlatform() const { return p_platform; }
    /// The device in use; null before startUp or without a platform.
    AudioDevice* getDevice() const { return device.get(); }

    /// A voice for decoded samples on the device; null without a device.
    std::unique_ptr<Voice> createSound(const SoundSamples& sound);
    /// A voice streaming the samples while it plays; null without a device.
    std::unique_ptr<Voice> createMusic(std::unique_ptr<SampleStream> stream);

    AudioManager(const AudioManager&) = delete;
    AudioManager& operator=(const AudioManager&) = delete;

private:
    AudioManager();

    Platform* p_platform;
    std::unique_ptr<AudioDevice> device;
};

} // namespace ks
