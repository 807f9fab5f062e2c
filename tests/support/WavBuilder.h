#pragma once

// WAV files built byte by byte, and the table of files the decoder is tested on: what each one
// opens as and reads. The SFML comparison decodes the same table with SFML.
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

namespace wav {

using namespace std::string_literals;

inline std::string le16(unsigned int v) {
    return {char(v & 0xFF), char(v >> 8 & 0xFF)};
}
inline std::string le32(uint32_t v) {
    return le16(v & 0xFFFF) + le16(v >> 16);
}
// A chunk stating the size given, whatever its body holds.
inline std::string chunk(const std::string& id, uint32_t size, const std::string& body) {
    return id + le32(size) + body;
}
inline std::string chunk(const std::string& id, const std::string& body) {
    return chunk(id, static_cast<uint32_t>(body.size()), body);
}
// The 16 bytes every format chunk starts with, byte rate and block align consistent.
inline std::string fmtBody(unsigned int format, unsigned int channels, uint32_t rate,
                           unsigned int bits) {
    const unsigned int align = channels * bits / 8;
    return le16(format) + le16(channels) + le32(rate) + le32(rate * align) + le16(align) +
           le16(bits);
}
inline std::string pcmFmt(unsigned int channels, uint32_t rate, unsigned int bits) {
    return chunk("fmt ", fmtBody(1, channels, rate, bits));
}
const std::string PCM_GUID("\x01\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 16);
const std::string FLOAT_GUID("\x03\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71",
                             16);
inline std::string extensibleFmt(unsigned int channels, uint32_t rate, unsigned int bits,
                                 unsigned int valid_bits, const std::string& guid) {
    return chunk("fmt ", fmtBody(0xFFFE, channels, rate, bits) + le16(22) + le16(valid_bits) +
                             le32(channels == 1 ? 4 : 3) + guid);
}
inline std::string riff(const std::string& chunks) {
    return "RIFF" + le32(static_cast<uint32_t>(chunks.size() + 4)) + "WAVE" + chunks;
}
inline std::string s16(std::initializer_list<int> samples) {
    std::string bytes;
    for (int s : samples)
        bytes += le16(static_cast<unsigned int>(s) & 0xFFFF);
    return bytes;
}
inline std::string wav(unsigned int channels, uint32_t rate, unsigned int bits,
                       const std::string& data) {
    return riff(pcmFmt(channels, rate, bits) + chunk("data", data));
}

// One file and what it is: refused by open(), or opened with these fields, reading these
// samples from the start, and taken whole by decodeAll() or not.
struct Row {
    std::string name;
    std::string bytes;
    bool opens = false;
    unsigned int channels = 0, rate = 0;
    uint64_t stated = 0;
    std::vector<int16_t> samples;
    bool decodes = false;
    // SFML divided by zero on it (a data chunk before any format): kept out of the comparison.
    bool sfml_crashes = false;
};

// Rows show by name in test output.
inline void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

inline Row refused(std::string name, std::string bytes) {
    Row row;
    row.name = name;
    row.bytes = bytes;
    return row;
}
inline Row opened(std::string name, std::string bytes, unsigned int channels, unsigned int rate,
                  uint64_t stated, std::vector<int16_t> samples, bool decodes) {
    return Row{name, bytes, true, channels, rate, stated, samples, decodes};
}

inline std::vector<Row> table() {
    const std::string two = s16({7, 8});
    std::string many_chunks;
    for (int i = 0; i < 1000; i++)
        many_chunks += chunk("junk", "");
    Row data_first = refused("DataBeforeFmt", riff(chunk("data", two) + pcmFmt(1, 8000, 16)));
    data_first.sfml_crashes = true;
    return {
        opened("Pcm16Mono", wav(1, 8000, 16, s16({0, 1, -1, 32767, -32768, 1000})), 1, 8000, 6,
               {0, 1, -1, 32767, -32768, 1000}, true),
        opened("Pcm16Stereo", wav(2, 44100, 16, s16({1, -2, 3, -4})), 2, 44100, 4, {1, -2, 3, -4},
               true),
        opened("Pcm8Unsigned", wav(1, 11025, 8, "\x00\x80\xFF\x01"s), 1, 11025, 4,
               {-32768, 0, 32512, -32512}, true),
        opened("Pcm24KeepsTheTop16Bits",
               wav(2, 48000, 24, "\x56\x34\x12\xBA\xDC\xFE\xFF\xFF\x7F\x00\x00\x80"s), 2, 48000, 4,
               {4660, -292, 32767, -32768}, true),
        opened("Pcm32KeepsTheTop16Bits",
               wav(1, 8000, 32, "\x78\x56\x34\x12\xFF\xFF\xFF\xFF\xFF\xFF\x00\x80"s), 1, 8000, 3,
               {4660, -1, -32768}, true),
        opened("ExtensiblePcm",
               riff(extensibleFmt(2, 22050, 16, 16, PCM_GUID) + chunk("data", s16({5, -5}))), 2,
               22050, 2, {5, -5}, true),
        refused("ExtensibleFloat",
                riff(extensibleFmt(1, 8000, 32, 32, FLOAT_GUID) + chunk("data", "\0\0\0\0"s))),
        refused("ExtensibleValidBitsDiffer",
                riff(extensibleFmt(1, 8000, 24, 20, PCM_GUID) + chunk("data", "\0\0\0"s))),
        refused("IeeeFloatFormat3",
                riff(chunk("fmt ", fmtBody(3, 1, 8000, 32)) + chunk("data", "\0\0\0\0"s))),
        refused("TwelveBitSamples", wav(1, 8000, 12, two)),
        opened("ChunksBeforeFmt",
               riff(chunk("LIST", "INFOISFT\x04\0\0\0abc\0"s) + chunk("junk", "0123456789") +
                    pcmFmt(1, 8000, 16) + chunk("data", two)),
               1, 8000, 2, {7, 8}, true),
        opened("ThousandEmptyChunksBeforeFmt",
               riff(many_chunks + pcmFmt(1, 8000, 16) + chunk("data", two)), 1, 8000, 2, {7, 8},
               true),
        opened(
            "FmtLongerThan16Bytes",
            riff(chunk("fmt ", fmtBody(1, 1, 8000, 16) + le16(6) + "extras") + chunk("data", two)),
            1, 8000, 2, {7, 8}, true),
        // Stating 0 bytes, its fields are read all the same; the walk then goes on from the
        // fields themselves, as a chunk "\1\0\1\0" of 8 bytes (the sample rate).
        opened("FmtStatingNoBytes",
               riff(chunk("fmt ", 0, fmtBody(1, 1, 8, 16)) + chunk("data", two)), 1, 8, 2, {7, 8},
               true),
        // A 16-byte extensible format: its extension is read from the next chunk.
        opened("ExtensionReadFromTheNextChunk",
               riff(chunk("fmt ", fmtBody(0xFFFE, 1, 8000, 16)) + chunk("\x16\0\x10\0"s, PCM_GUID) +
                    chunk("data", two)),
               1, 8000, 2, {7, 8}, true),
        refused("MissingData", riff(pcmFmt(1, 8000, 16))),
        refused("UppercaseDataIsNotData", riff(pcmFmt(1, 8000, 16) + chunk("DATA", two))),
        refused("TruncatedFmt", riff(pcmFmt(1, 8000, 16)).substr(0, 30)),
        data_first,
        opened("DataStatesMoreThanTheFileHolds",
               riff(pcmFmt(1, 8000, 16) + chunk("data", 200, two)), 1, 8000, 100, {7, 8}, false),
        opened("SampleCutShortByTheFileEnd",
               riff(pcmFmt(1, 8000, 24) + chunk("data", 6, "\0\1\2\3"s)), 1, 8000, 2, {513}, false),
        opened("ZeroChannels", wav(0, 8000, 16, two), 0, 8000, 2, {7, 8}, false),
        opened("ThreeChannels", wav(3, 8000, 16, s16({1, 2, 3})), 3, 8000, 3, {1, 2, 3}, false),
        opened("SixChannels", wav(6, 8000, 16, s16({1, 2, 3, 4, 5, 6})), 6, 8000, 6,
               {1, 2, 3, 4, 5, 6}, true),
        opened("StereoWithAnOddSampleCount", wav(2, 8000, 16, s16({1, 2, 3})), 2, 8000, 3,
               {1, 2, 3}, true),
        opened("SampleRateZero", wav(1, 0, 16, two), 1, 0, 2, {7, 8}, false),
        opened(
            "ByteRateAndBlockAlignIgnored",
            riff(chunk("fmt ", le16(1) + le16(1) + le32(8000) + le32(12345) + le16(7) + le16(16)) +
                 chunk("data", two)),
            1, 8000, 2, {7, 8}, true),
        opened("LaterFmtReplacesEarlier",
               riff(pcmFmt(2, 11025, 8) + pcmFmt(1, 8000, 16) + chunk("data", s16({-3}))), 1, 8000,
               1, {-3}, true),
        opened("EmptyData", wav(1, 8000, 16, ""), 1, 8000, 0, {}, false),
        opened("OddDataSizeDropsTheLastByte", wav(1, 8000, 16, two + "\x7F"), 1, 8000, 2, {7, 8},
               true),
        opened("ReadStopsAtTheDataEnd",
               riff(pcmFmt(1, 8000, 16) + chunk("data", two) + chunk("LIST", "INFOabcd")), 1, 8000,
               2, {7, 8}, true),
        opened("RiffSizeIgnored", "RIFF" + le32(0) + wav(1, 8000, 16, two).substr(8), 1, 8000, 2,
               {7, 8}, true),
        // Bytes that start a FLAC frame or name other formats, inside a WAV file.
        opened("OtherFormatsMarksInside",
               riff(chunk("junk", "fLaCOggS") + pcmFmt(1, 8000, 16) +
                    chunk("data", "\xFF\xF8\xFF\xF9"s)),
               1, 8000, 2, {-1793, -1537}, true),
        refused("OddChunkPadByteNotSkipped",
                riff(chunk("junk", "abc") + "\0"s + pcmFmt(1, 8000, 16) + chunk("data", two))),
        refused("HugeUnknownChunk", riff(chunk("junk", 0xFFFFFFF0u, "abcd") + pcmFmt(1, 8000, 16) +
                                         chunk("data", two))),
        refused("HugeFmtChunk",
                riff(chunk("fmt ", 0xFFFFFFFFu, fmtBody(1, 1, 8000, 16)) + chunk("data", two))),
        opened("HugeDataChunk", riff(pcmFmt(1, 8000, 16) + chunk("data", 0xFFFFFFFFu, two)), 1,
               8000, 2147483647, {7, 8}, false),
        refused("BigEndianRifx", "RIFX" + wav(1, 8000, 16, two).substr(4)),
        refused("RiffButNotWave", "RIFF" + le32(4) + "AVI " + pcmFmt(1, 8000, 16)),
        refused("ElevenBytes", "RIFF\0\0\0\0WAV"s),
        refused("HeaderOnly", "RIFF\4\0\0\0WAVE"s),
        refused("NotRiffAtAll", "this is a text file, not a sound\n"),
    };
}

} // namespace wav
