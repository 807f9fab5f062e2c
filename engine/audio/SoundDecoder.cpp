#include "SoundDecoder.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace ks {

namespace {

// A sound effect lasts seconds. A file or a sound larger than these (16 MiB is about 95 s of
// CD-quality stereo) comes from a corrupt or hostile file, refused before it is decoded.
const int64_t MAX_SOUND_FILE_BYTES = 16 << 20;
const uint64_t MAX_SOUND_SAMPLES = 16 << 20;
// Samples are decoded this many at a time, so memory follows what the file really holds.
const uint64_t DECODE_BLOCK = 1 << 16;
// The chunk walk gives up after this many chunks. A sound effect (16 MiB at most) holds at most
// 2 Mi chunk headers, so none is refused by it; it only stops a walk through gigabytes of empty
// chunks, which would otherwise take minutes.
const long MAX_CHUNKS = 1 << 22;

const uint16_t FORMAT_PCM = 1;
const uint16_t FORMAT_EXTENSIBLE = 0xFFFE;
const unsigned char PCM_SUBFORMAT[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                         0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

const int64_t MAX_POSITION = std::numeric_limits<int64_t>::max();

bool readExactly(ByteSource& source, void* p_data, int64_t size) {
    return source.read(p_data, size) == size;
}

bool readU16(ByteSource& source, uint16_t& value) {
    unsigned char bytes[2];
    if (!readExactly(source, bytes, 2))
        return false;
    value = static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
    return true;
}

bool readU32(ByteSource& source, uint32_t& value) {
    unsigned char bytes[4];
    if (!readExactly(source, bytes, 4))
        return false;
    value = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
            static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    return true;
}

int16_t fromBits(unsigned int bits) {
    return bits < 0x8000 ? static_cast<int16_t>(bits) : static_cast<int16_t>(int(bits) - 0x10000);
}

// 8-bit samples are unsigned around 128; wider ones keep their top 16 bits, truncated rather
// than rounded, as SFML did (rounding would change every sample, and the replays' sums).
int16_t toSample(const unsigned char* p, unsigned int bytes_per_sample) {
    switch (bytes_per_sample) {
    case 1:
        return static_cast<int16_t>((p[0] - 128) * 256);
    case 2:
        return fromBits(p[0] | p[1] << 8);
    case 3:
        return fromBits(p[1] | p[2] << 8);
    default:
        return fromBits(p[2] | p[3] << 8);
    }
}

// The channel layouts an SFML sound buffer plays (over OpenAL); any other count was refused
// when the samples were handed to it.
bool playable(unsigned int channels) {
    return channels == 1 || channels == 2 || channels == 4 || (channels >= 6 && channels <= 8);
}

} // namespace

SoundDecoder::SoundDecoder() {
    reset();
}

void SoundDecoder::reset() {
    p_source = nullptr;
    channel_count = 0;
    sample_rate = 0;
    bytes_per_sample = 0;
    sample_count = 0;
    data_start = 0;
    data_end = 0;
    past_end = false;
}

bool SoundDecoder::open(ByteSource& source) {
    reset();
    if (!parseHeader(source)) {
        reset();
        return false;
    }
    p_source = &source;
    return true;
}

bool SoundDecoder::parseHeader(ByteSource& source) {
    char riff[12];
    if (source.seek(0) != 0 || !readExactly(source, riff, sizeof riff))
        return false;
    // The RIFF size between the two tags is never looked at.
    if (memcmp(riff, "RIFF", 4) != 0 || memcmp(riff + 8, "WAVE", 4) != 0)
        return false;
    for (long chunk = 0; chunk < MAX_CHUNKS; chunk++) {
        char id[4];
        uint32_t size = 0;
        if (!readExactly(source, id, sizeof id) || !readU32(source, size))
            return false;
        const int64_t start = source.tell();
        if (start < 0)
            return false;
        if (memcmp(id, "data", 4) == 0) {
            // SFML divided by the sample width here even without an "fmt " chunk before, and
            // crashed; such a file is refused.
            if (bytes_per_sample == 0)
                return false;
            // The data may state more than the file holds: reads stop where the bytes do.
            sample_count = size / bytes_per_sample;
            data_start = static_cast<uint64_t>(start);
            data_end = data_start + sample_count * bytes_per_sample;
            return true;
        }
        if (memcmp(id, "fmt ", 4) == 0 && !parseFormat(source))
            return false;
        // On after the stated size, wherever the format's fields ended; the pad byte RIFF puts
        // after an odd-sized chunk is not skipped (SFML did not, so such files stay refused).
        if (start > MAX_POSITION - size || source.seek(start + size) < 0)
            return false;
    }
    return false;
}

bool SoundDecoder::parseFormat(ByteSource& source) {
    // Read whatever the chunk's size: a short chunk's fields come from the bytes after it.
    uint16_t format = 0, channels = 0, block_align = 0, bits = 0;
    uint32_t rate = 0, byte_rate = 0;
    if (!readU16(source, format) || (format != FORMAT_PCM && format != FORMAT_EXTENSIBLE))
        return false;
    // The byte rate and the block alignment are read but never checked.
    if (!readU16(source, channels) || !readU32(source, rate) || !readU32(source, byte_rate) ||
        !readU16(source, block_align) || !readU16(source, bits))
        return false;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    if (format == FORMAT_EXTENSIBLE) {
        uint16_t extension_size = 0, valid_bits = 0;
        uint32_t channel_mask = 0;
        unsigned char subformat[sizeof PCM_SUBFORMAT];
        if (!readU16(source, extension_size) || !readU16(source, valid_bits) ||
            !readU32(source, channel_mask) || !readExactly(source, subformat, sizeof subformat))
            return false;
        if (memcmp(subformat, PCM_SUBFORMAT, sizeof subformat) != 0 || valid_bits != bits)
            return false;
    }
    // A later "fmt " chunk replaces an earlier one.
    channel_count = channels;
    sample_rate = rate;
    bytes_per_sample = bits / 8u;
    return true;
}

uint64_t SoundDecoder::getSampleCount() const {
    return sample_count;
}

unsigned int SoundDecoder::getChannelCount() const {
    return channel_count;
}

unsigned int SoundDecoder::getSampleRate() const {
    return sample_rate;
}

uint64_t SoundDecoder::read(int16_t* p_samples, uint64_t count) {
    if (!p_source || !p_samples || count == 0 || past_end)
        return 0;
    const int64_t position = p_source->tell();
    if (position < 0 || static_cast<uint64_t>(position) >= data_end)
        return 0;
    // A sample is read when it starts before the data's end.
    const uint64_t left =
        (data_end - static_cast<uint64_t>(position) + bytes_per_sample - 1) / bytes_per_sample;
    const uint64_t wanted = std::min(count, left);
    // Whole samples of every width (1, 2, 3 and 4 bytes) fit it exactly.
    unsigned char bytes[12 << 10];
    const uint64_t per_block = sizeof bytes / bytes_per_sample;
    uint64_t done = 0;
    while (done < wanted) {
        const int64_t asked =
            static_cast<int64_t>(std::min(wanted - done, per_block) * bytes_per_sample);
        const int64_t got = std::min(p_source->read(bytes, asked), asked);
        if (got <= 0)
            break;
        const uint64_t whole = static_cast<uint64_t>(got) / bytes_per_sample;
        for (uint64_t i = 0; i < whole; i++)
            p_samples[done + i] = toSample(bytes + i * bytes_per_sample, bytes_per_sample);
        done += whole;
        // The source's end: a sample cut short there is dropped.
        if (got < asked)
            break;
    }
    return done;
}

void SoundDecoder::seek(uint64_t sample_offset) {
    if (!p_source)
        return;
    const uint64_t position = data_start + std::min(sample_offset, sample_count) * bytes_per_sample;
    // SFML's streams took a seek past their end and then read nothing; a ByteSource may refuse
    // it instead, which must read the same.
    past_end = position > static_cast<uint64_t>(MAX_POSITION) ||
               p_source->seek(static_cast<int64_t>(position)) < 0;
}

bool SoundDecoder::decodeAll(ByteSource& source, SoundSamples& out) {
    out = SoundSamples();
    const int64_t size = source.getSize();
    if (size < 0 || size > MAX_SOUND_FILE_BYTES)
        return false;
    SoundDecoder decoder;
    if (!decoder.open(source))
        return false;
    const uint64_t stated = decoder.getSampleCount();
    const unsigned int channels = decoder.getChannelCount();
    if (stated == 0 || stated > MAX_SOUND_SAMPLES || !playable(channels) ||
        decoder.getSampleRate() == 0)
        return false;
    // Whole frames a block, so a block never ends inside one.
    const uint64_t block = DECODE_BLOCK - DECODE_BLOCK % channels;
    std::vector<int16_t> samples;
    while (samples.size() < stated) {
        const uint64_t wanted = std::min<uint64_t>(block, stated - samples.size());
        const size_t done = samples.size();
        samples.resize(done + wanted);
        // A header that states more than the file holds comes up short here.
        if (decoder.read(samples.data() + done, wanted) != wanted)
            return false;
    }
    out.samples = std::move(samples);
    out.channel_count = channels;
    out.sample_rate = decoder.getSampleRate();
    return true;
}

} // namespace ks
