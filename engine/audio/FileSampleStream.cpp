#include "FileSampleStream.h"

namespace ks {

int FileSampleStream::open(const std::string& filename) {
    if (file.open(filename) != 0 || !decoder.open(file) || decoder.getChannelCount() == 0)
        return -1;
    return 0;
}

unsigned int FileSampleStream::getChannelCount() const {
    return decoder.getChannelCount();
}

unsigned int FileSampleStream::getSampleRate() const {
    return decoder.getSampleRate();
}

uint64_t FileSampleStream::read(int16_t* p_samples, uint64_t count) {
    return decoder.read(p_samples, count);
}

void FileSampleStream::seek(uint64_t sample_offset) {
    decoder.seek(sample_offset);
}

} // namespace ks
