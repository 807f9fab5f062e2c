#pragma once

#include <string>

#include "AudioDevice.h"
#include "RegularFile.h"
#include "SoundDecoder.h"

namespace ks {

/// The samples of a WAV file, decoded as they are read: what music streams from.
class FileSampleStream : public SampleStream {
public:
    /// Opens the file and reads its header. 0, or -1 when it is not a regular WAV file the
    /// engine decodes.
    int open(const std::string& filename);

    unsigned int getChannelCount() const override;
    unsigned int getSampleRate() const override;
    uint64_t read(int16_t* p_samples, uint64_t count) override;
    void seek(uint64_t sample_offset) override;

private:
    RegularFile file;
    SoundDecoder decoder;
};

} // namespace ks
