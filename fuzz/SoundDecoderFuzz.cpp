// Feeds arbitrary bytes, straight from memory, to the WAV decoder as a sound file: as a sound
// effect decoded whole, and as music read in pieces and sought about. Either way the decoder
// must never read more samples than it states, nor give more than asked; crashes, leaks,
// sanitizer reports and runaway memory are found by libFuzzer.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "AudioDevice.h"
#include "MemorySource.h"
#include "SoundDecoder.h"

namespace {

void fail(const char* what) {
    fprintf(stderr, "SoundDecoderFuzz: %s\n", what);
    abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    ks::MemorySource whole(bytes);
    ks::SoundSamples sound;
    if (ks::SoundDecoder::decodeAll(whole, sound)) {
        if (sound.samples.empty() || sound.channel_count == 0 || sound.sample_rate == 0)
            fail("a sound decoded whole but empty");
    } else if (!sound.samples.empty()) {
        fail("a refused sound left samples behind");
    }

    ks::MemorySource streamed(bytes);
    ks::SoundDecoder decoder;
    if (!decoder.open(streamed))
        return 0;
    const uint64_t stated = decoder.getSampleCount();
    std::vector<int16_t> block(4096);
    uint64_t total = 0;
    for (int pass = 0; pass < 2; pass++) {
        for (int i = 0; i < 64; i++) {
            const uint64_t got = decoder.read(block.data(), block.size());
            if (got > block.size())
                fail("more samples than asked for");
            total += got;
            if (got == 0)
                break;
        }
        if (total > stated * 2)
            fail("more samples than stated");
        decoder.seek(size % 2 == 0 ? 0 : stated / 2);
    }
    return 0;
}
