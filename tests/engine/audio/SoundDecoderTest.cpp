// The WAV decoder: the table of files (WavBuilder.h), reads and seeks, the caps on a whole sound
// effect, and sources that fail or never end.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "MemorySource.h"
#include "SoundDecoder.h"
#include "WavBuilder.h"

using ks::SoundDecoder;
using namespace std::string_literals;

namespace {

// Bytes in memory that counts what is read and, from fail_at on, fails (a read across it stops
// there, as a disk error would cut it).
class ProbeSource : public ks::ByteSource {
public:
    explicit ProbeSource(std::string bytes, int64_t new_fail_at = INT64_MAX)
        : memory(std::move(bytes)), fail_at(new_fail_at) {}
    int64_t read(void* p_data, int64_t size) override {
        if (memory.tell() >= fail_at)
            return -1;
        const int64_t got = memory.read(p_data, std::min(size, fail_at - memory.tell()));
        bytes_read += got;
        return got;
    }
    int64_t seek(int64_t position) override { return memory.seek(position); }
    int64_t tell() override { return memory.tell(); }
    int64_t getSize() override { return memory.getSize(); }

    int64_t bytes_read = 0;

private:
    ks::MemorySource memory;
    int64_t fail_at;
};

// A RIFF/WAVE header, then zeros for a terabyte: empty chunks named "\0\0\0\0" one after another.
class EndlessSource : public ks::ByteSource {
public:
    int64_t read(void* p_data, int64_t size) override {
        const std::string head = "RIFF\0\0\0\0WAVE"s;
        for (int64_t i = 0; i < size; i++, position++)
            static_cast<char*>(p_data)[i] = position < 12 ? head[position] : '\0';
        return size;
    }
    int64_t seek(int64_t new_position) override { return position = new_position; }
    int64_t tell() override { return position; }
    int64_t getSize() override { return int64_t(1) << 40; }

private:
    int64_t position = 0;
};

std::vector<int16_t> readUpTo(SoundDecoder& decoder, uint64_t count) {
    std::vector<int16_t> samples(count);
    samples.resize(decoder.read(samples.data(), count));
    return samples;
}

} // namespace

class SoundDecoderRowTest : public ::testing::TestWithParam<wav::Row> {};

TEST_P(SoundDecoderRowTest, OpensReadsAndDecodesAsTheRowSays) {
    const wav::Row& row = GetParam();
    ks::MemorySource source(row.bytes);
    SoundDecoder decoder;
    ASSERT_EQ(decoder.open(source), row.opens);
    EXPECT_EQ(decoder.getChannelCount(), row.channels);
    EXPECT_EQ(decoder.getSampleRate(), row.rate);
    EXPECT_EQ(decoder.getSampleCount(), row.stated);
    EXPECT_EQ(readUpTo(decoder, 64), row.samples);
    ks::SoundSamples whole{{1, 2, 3}, 9, 9}; // a refusal leaves nothing of this
    EXPECT_EQ(SoundDecoder::decodeAll(source, whole), row.decodes);
    EXPECT_EQ(whole.samples, row.decodes ? row.samples : std::vector<int16_t>());
    EXPECT_EQ(whole.channel_count, row.decodes ? row.channels : 0u);
    EXPECT_EQ(whole.sample_rate, row.decodes ? row.rate : 0u);
}

INSTANTIATE_TEST_SUITE_P(Wav, SoundDecoderRowTest, ::testing::ValuesIn(wav::table()),
                         [](const ::testing::TestParamInfo<wav::Row>& info) {
                             return info.param.name;
                         });

// A file over 16 MiB is refused unread; a stated count over 16 Mi samples on its header alone
// (44 bytes), where a count at the cap goes on to the (missing) samples.
TEST(SoundDecoderTest, WholeSoundsOverTheCapsAreRefusedBeforeTheirSamplesAreRead) {
    ks::SoundSamples out;
    ProbeSource over(wav::wav(1, 8000, 8, std::string((16 << 20) + 1 - 44, '\x80')));
    EXPECT_FALSE(SoundDecoder::decodeAll(over, out));
    EXPECT_EQ(over.bytes_read, 0);
    ks::MemorySource at_cap(wav::wav(1, 8000, 16, std::string((16 << 20) - 44, '\x01')));
    ASSERT_TRUE(SoundDecoder::decodeAll(at_cap, out));
    EXPECT_EQ(out.samples.size(), 8388586u);
    EXPECT_EQ(out.samples.back(), 257);
    const std::string samples(16, '\x80');
    ProbeSource stated_over(
        wav::riff(wav::pcmFmt(1, 8000, 8) + wav::chunk("data", (16 << 20) + 1, samples)));
    EXPECT_FALSE(SoundDecoder::decodeAll(stated_over, out));
    EXPECT_EQ(stated_over.bytes_read, 44);
    ProbeSource stated_at_cap(
        wav::riff(wav::pcmFmt(1, 8000, 8) + wav::chunk("data", 16 << 20, samples)));
    EXPECT_FALSE(SoundDecoder::decodeAll(stated_at_cap, out));
    EXPECT_EQ(stated_at_cap.bytes_read, 60);
}

// Across the blocks of a whole decode (65,536 samples) and of reads in small pieces (4,096).
TEST(SoundDecoderTest, LongSoundsGiveEverySampleAcrossBlocks) {
    std::string data;
    for (int i = 0; i < 140000; i++)
        data += wav::le16(i % 30000);
    ks::MemorySource source(wav::wav(2, 8000, 16, data));
    ks::SoundSamples out;
    ASSERT_TRUE(SoundDecoder::decodeAll(source, out));
    ASSERT_EQ(out.samples.size(), 140000u);
    EXPECT_EQ(out.samples[65535], 5535);
    EXPECT_EQ(out.samples[65536], 5536);
    EXPECT_EQ(out.samples[139999], 19999);

    std::string data24;
    for (int i = 0; i < 5000; i++)
        data24 += std::string(1, '\x11') + wav::le16(i);
    ks::MemorySource source24(wav::wav(1, 8000, 24, data24));
    SoundDecoder decoder;
    ASSERT_TRUE(decoder.open(source24));
    std::vector<int16_t> samples;
    for (std::vector<int16_t> piece; !(piece = readUpTo(decoder, 7)).empty();)
        samples.insert(samples.end(), piece.begin(), piece.end());
    ASSERT_EQ(samples.size(), 5000u);
    EXPECT_EQ(samples[4095], 4095);
    EXPECT_EQ(samples[4096], 4096);
    EXPECT_EQ(samples[4999], 4999);
}

// A seek goes to a sample, not rounded to a frame. The source refuses a seek past the file's
// end: the samples after the old position must not show until the next seek.
TEST(SoundDecoderTest, SeeksGoToASampleAndPastTheEndReadNothing) {
    ks::MemorySource source(
        wav::riff(wav::pcmFmt(2, 8000, 16) + wav::chunk("data", 200, wav::s16({10, 20, 30, 40}))));
    SoundDecoder decoder;
    ASSERT_TRUE(decoder.open(source));
    EXPECT_EQ(readUpTo(decoder, 2), std::vector<int16_t>({10, 20}));
    for (uint64_t past : {50, 500}) {
        decoder.seek(past);
        EXPECT_EQ(readUpTo(decoder, 8), std::vector<int16_t>()) << past;
    }
    decoder.seek(1);
    EXPECT_EQ(readUpTo(decoder, 8), std::vector<int16_t>({20, 30, 40}));
}

TEST(SoundDecoderTest, AFailingSourceEndsTheReadAfterTheWholeSamplesBefore) {
    ProbeSource source(wav::wav(1, 8000, 16, wav::s16({1, 2, 3, 4, 5, 6})), 44 + 7);
    SoundDecoder decoder;
    ASSERT_TRUE(decoder.open(source));
    EXPECT_EQ(readUpTo(decoder, 8), std::vector<int16_t>({1, 2, 3}));
    EXPECT_EQ(readUpTo(decoder, 8), std::vector<int16_t>());
}

// Nothing is read before a sound is open, into no buffer, or after a file is refused: a data
// chunk with no format before it must not take the sample width of the earlier file.
TEST(SoundDecoderTest, WithoutASoundOrABufferNothingIsRead) {
    SoundDecoder decoder;
    decoder.seek(3);
    int16_t samples[4] = {};
    EXPECT_EQ(decoder.read(samples, 4), 0u);
    ks::MemorySource first(wav::wav(1, 8000, 16, wav::s16({1, 2})));
    ASSERT_TRUE(decoder.open(first));
    EXPECT_EQ(decoder.read(nullptr, 4), 0u);
    EXPECT_EQ(decoder.read(samples, 0), 0u);
    EXPECT_EQ(decoder.read(samples, 4), 2u);
    ks::MemorySource second(wav::riff(wav::chunk("data", "\x01\x02") + wav::pcmFmt(1, 8000, 16)));
    EXPECT_FALSE(decoder.open(second));
    EXPECT_EQ(decoder.getSampleCount(), 0u);
    EXPECT_EQ(decoder.getChannelCount(), 0u);
    decoder.seek(0);
    EXPECT_EQ(decoder.read(samples, 4), 0u);
}

TEST(SoundDecoderTest, AnEndlessRunOfEmptyChunksIsRefused) {
    EndlessSource source;
    SoundDecoder decoder;
    EXPECT_FALSE(decoder.open(source));
}
