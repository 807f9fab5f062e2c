// The engine's WAV decoder against SFML 2.5, which decoded the sounds before it: on the table of
// files (WavBuilder.h), on thousands of variations of valid files and on the game's own sounds,
// both take and refuse the same files and give the same samples. SFML's side is the engine's
// earlier decoding, caps and sound buffer included.
#include <algorithm>
#include <random>
#include <sstream>

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/System/Err.hpp>
#include <gtest/gtest.h>

#include "MemorySource.h"
#include "RegularFile.h"
#include "SoundDecoder.h"
#include "WavBuilder.h"

namespace {

// What a decoder made of a file: its header, the samples from the start and after seek(1),
// and the file decoded whole as a sound effect.
struct Outcome {
    bool opens = false;
    unsigned int channels = 0, rate = 0;
    uint64_t stated = 0;
    std::vector<int16_t> from_start, after_seek, whole;
    bool decodes = false;

    std::string describe() const {
        std::ostringstream text;
        text << "opens " << opens << " channels " << channels << " rate " << rate << " stated "
             << stated << " samples";
        for (int16_t s : from_start)
            text << " " << s;
        text << " after seek";
        for (int16_t s : after_seek)
            text << " " << s;
        text << " decodes " << decodes << " (" << whole.size() << " samples)";
        return text.str();
    }
    bool operator==(const Outcome& o) const {
        return opens == o.opens && channels == o.channels && rate == o.rate && stated == o.stated &&
               from_start == o.from_start && after_seek == o.after_seek && decodes == o.decodes &&
               whole == o.whole;
    }
};

// The engine's decoding before the decoder (Sound.cpp): whole files through sf::InputSoundFile
// in blocks, under the same caps, into a sound buffer.
bool sfmlDecodeAll(sf::InputSoundFile& input, std::vector<int16_t>& samples) {
    const sf::Uint64 stated = input.getSampleCount();
    const unsigned int channels = input.getChannelCount();
    if (stated == 0 || stated > (16 << 20) || channels == 0)
        return false;
    const sf::Uint64 block = 65536 - 65536 % channels;
    while (samples.size() < stated) {
        const sf::Uint64 wanted = std::min<sf::Uint64>(block, stated - samples.size());
        const size_t done = samples.size();
        samples.resize(done + wanted);
        if (input.read(samples.data() + done, wanted) != wanted)
            return false;
    }
    sf::SoundBuffer buffer;
    return buffer.loadFromSamples(samples.data(), samples.size(), channels, input.getSampleRate());
}

// The header and the first samples from the start and after seek(1), read from an opened reader
// (sf::InputSoundFile or ks::SoundDecoder, which share these operations).
template <typename Reader> void readOpened(Reader& reader, Outcome& outcome) {
    outcome.channels = reader.getChannelCount();
    outcome.rate = reader.getSampleRate();
    outcome.stated = reader.getSampleCount();
    outcome.from_start.resize(64);
    outcome.from_start.resize(reader.read(outcome.from_start.data(), 64));
    reader.seek(1);
    outcome.after_seek.resize(64);
    outcome.after_seek.resize(reader.read(outcome.after_seek.data(), 64));
}

Outcome bySfml(const std::string& bytes) {
    sf::err().rdbuf(nullptr); // its complaints about bad files are expected
    // One audio device for the whole run, rather than one opened and closed per sound buffer.
    static sf::SoundBuffer keep_device_open;
    Outcome outcome;
    sf::InputSoundFile input;
    outcome.opens = input.openFromMemory(bytes.data(), bytes.size());
    if (outcome.opens)
        readOpened(input, outcome);
    sf::InputSoundFile whole;
    if (bytes.size() <= (16 << 20) && whole.openFromMemory(bytes.data(), bytes.size()))
        outcome.decodes = sfmlDecodeAll(whole, outcome.whole);
    if (!outcome.decodes)
        outcome.whole.clear();
    return outcome;
}

Outcome byDecoder(const std::string& bytes) {
    Outcome outcome;
    ks::MemorySource source(bytes);
    ks::SoundDecoder decoder;
    outcome.opens = decoder.open(source);
    if (outcome.opens)
        readOpened(decoder, outcome);
    ks::SoundSamples whole;
    outcome.decodes = ks::SoundDecoder::decodeAll(source, whole);
    outcome.whole = whole.samples;
    return outcome;
}

std::vector<wav::Row> rowsSfmlSurvives() {
    std::vector<wav::Row> rows;
    for (const wav::Row& row : wav::table())
        if (!row.sfml_crashes)
            rows.push_back(row);
    return rows;
}

} // namespace

class SoundDecoderSfmlRowTest : public ::testing::TestWithParam<wav::Row> {};

TEST_P(SoundDecoderSfmlRowTest, DecodesTheRowAsSfmlDid) {
    const Outcome sfml = bySfml(GetParam().bytes);
    const Outcome ours = byDecoder(GetParam().bytes);
    EXPECT_EQ(ours, sfml) << "decoder: " << ours.describe() << "\nSFML:    " << sfml.describe();
}

INSTANTIATE_TEST_SUITE_P(Wav, SoundDecoderSfmlRowTest, ::testing::ValuesIn(rowsSfmlSurvives()),
                         [](const ::testing::TestParamInfo<wav::Row>& info) {
                             return info.param.name;
                         });

// Valid files with header bytes overwritten (never the "fmt " tag, which comes first, so that
// SFML never meets a data chunk without a format) and cut at random lengths.
TEST(SoundDecoderSfmlTest, VariationsOfValidFilesDecodeAsSfmlDid) {
    const std::vector<std::string> bases = {
        wav::wav(2, 22050, 16, wav::s16({1, -2, 3, -4, 5, -6})),
        wav::wav(1, 8000, 8, "\x01\x80\xFF\x7F\x00"),
        wav::wav(1, 48000, 24, "\x01\x02\x03\x04\x05\x06\x07\x08\x09"),
        wav::riff(wav::extensibleFmt(2, 8000, 32, 32, wav::PCM_GUID) +
                  wav::chunk("data", std::string(16, '\x55')) + wav::chunk("LIST", "INFO")),
    };
    const unsigned char values[] = {0, 1, 2, 3, 4, 6, 8, 16, 24, 32, 0x7F, 0x80, 0xFE, 0xFF};
    std::mt19937 random(20240601);
    int differences = 0;
    std::string first_difference;
    for (int i = 0; i < 4000; i++) {
        std::string bytes = bases[i % bases.size()];
        const size_t end = std::min<size_t>(bytes.size(), 68);
        for (int changes = 1 + random() % 3; changes > 0; changes--) {
            const size_t at = 16 + random() % (end - 16);
            bytes[at] = random() % 2 ? char(values[random() % sizeof values]) : char(random());
        }
        if (random() % 4 == 0)
            bytes.resize(random() % bytes.size());
        const Outcome sfml = bySfml(bytes), ours = byDecoder(bytes);
        if (!(ours == sfml) && differences++ == 0)
            first_difference = "decoder: " + ours.describe() + "\nSFML:    " + sfml.describe();
    }
    EXPECT_EQ(differences, 0) << first_difference;
}

// SFML reading the file itself, the decoder reading it as the engine does (RegularFile).
TEST(SoundDecoderSfmlTest, TheGamesSoundsDecodeAsSfmlDid) {
    for (const char* name :
         {"sounds/arrow.wav", "sounds/cash_register.wav", "sounds/death_sound.wav",
          "sounds/zombie1.wav", "sounds/zombie2.wav", "sounds/zombie3.wav"}) {
        SCOPED_TRACE(name);
        sf::InputSoundFile input;
        ASSERT_TRUE(input.openFromFile(name));
        std::vector<int16_t> sfml;
        ASSERT_TRUE(sfmlDecodeAll(input, sfml));
        ks::RegularFile file;
        ASSERT_EQ(file.open(name), 0);
        ks::SoundSamples ours;
        ASSERT_TRUE(ks::SoundDecoder::decodeAll(file, ours));
        EXPECT_TRUE(ours.samples == sfml);
        EXPECT_EQ(ours.channel_count, input.getChannelCount());
        EXPECT_EQ(ours.sample_rate, input.getSampleRate());
    }
}
