#pragma once

#include <cstdint>
#include <vector>

#include "AudioDevice.h" // SoundSamples
#include "ByteSource.h"

namespace ks {

/// Reads PCM WAV sound files (8, 16, 24 or 32 bits a sample, plain or WAVE_FORMAT_EXTENSIBLE) as
/// 16-bit samples. It takes and refuses exactly the files SFML 2.5 took, and gives the same
/// samples, so that every platform plays the same sounds: quirks included (the RIFF size and
/// the pad byte after an odd-sized chunk are ignored, the format's fields are read on past a
/// short "fmt " chunk, 24- and 32-bit samples keep their top 16 bits). The source must outlive
/// the decoder, and nothing else may read it while the decoder does.
class SoundDecoder {
public:
    /// A decoder with no sound open.
    SoundDecoder();

    SoundDecoder(const SoundDecoder&) = delete;
    SoundDecoder& operator=(const SoundDecoder&) = delete;

    /// Reads the header from the start of the source, leaving it at the first sample. False
    /// (and nothing open) when it is not a WAV file this decoder can read. A header stating
    /// zero channels or more samples than the source holds is still taken (see decodeAll()).
    bool open(ByteSource& source);
    /// The number of samples, all channels together, that the data chunk's size states: the
    /// source may hold fewer. 0 when nothing is open.
    uint64_t getSampleCount() const;
    /// Channels per frame, as the header states them (possibly 0); 0 when nothing is open.
    unsigned int getChannelCount() const;
    /// Frames per second, as the header states them; 0 when nothing is open.
    unsigned int getSampleRate() const;
    /// Decodes up to count samples from the current position into p_samples. Fewer at the end
    /// of the data chunk, at the end of the source or on a failed read; 0 when nothing is open,
    /// p_samples is null or count is 0.
    uint64_t read(int16_t* p_samples, uint64_t count);
    /// Moves to a sample (all channels counted, not rounded to a frame), for music that
    /// restarts or jumps; an offset past the stated count goes to its end. After a seek the
    /// source cannot make, reads give nothing until the next seek.
    void seek(uint64_t sample_offset);

    /// Decodes a whole sound effect. False for any fault, with `out` left empty: a source over
    /// 16 MiB (refused before reading it), a file open() refuses, a stated count of 0 or over
    /// 16 Mi samples, fewer samples than stated, and what an SFML sound buffer would refuse
    /// (0 channels or a channel count other than 1, 2, 4, 6, 7 or 8, a sample rate of 0).
    /// Memory grows with the samples really decoded, never with what the header claims.
    static bool decodeAll(ByteSource& source, SoundSamples& out);

private:
    /// Reads the RIFF header and walks the chunks up to the data; false on any refusal.
    bool parseHeader(ByteSource& source);
    /// Reads an "fmt " chunk's fields from the current position.
    bool parseFormat(ByteSource& source);
    /// Forgets the open sound.
    void reset();

    ByteSource* p_source;
    unsigned int channel_count;
    unsigned int sample_rate;
    unsigned int bytes_per_sample;
    uint64_t sample_count;
    uint64_t data_start;
    uint64_t data_end;
    /// A seek the source refused: reads give nothing, as they did past the end of SFML's streams.
    bool past_end;
};

} // namespace ks
