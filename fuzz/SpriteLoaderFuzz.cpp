// Feeds arbitrary bytes, straight from memory, to the sprite parser as a sprite file. A parse
// must either return a sprite that keeps the format's promises or fail with a fault text;
// crashes, leaks, sanitizer reports and runaway memory are found by libFuzzer.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <memory>
#include <streambuf>
#include <string>

#include "Sprite.h"
#include "SpriteParser.h"

namespace {

// The input bytes as a stream, without copying them.
class MemoryBuffer : public std::streambuf {
public:
    MemoryBuffer(const uint8_t* data, size_t size) {
        char* p_begin = reinterpret_cast<char*>(const_cast<uint8_t*>(data));
        setg(p_begin, p_begin, p_begin + size);
    }
};

void fail(const char* what) {
    fprintf(stderr, "SpriteLoaderFuzz: %s\n", what);
    abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryBuffer buffer(data, size);
    std::istream in(&buffer);
    std::string fault;
    std::unique_ptr<ks::Sprite> p_sprite =
        ks::SpriteParser::parse(in, "fuzz-input", "fuzz-label", fault);
    if (!p_sprite) {
        if (fault.empty())
            fail("a parse failed without a fault");
        return 0;
    }
    if (!fault.empty())
        fail("a parse succeeded with a fault");
    if (p_sprite->getLabel() != "fuzz-label")
        fail("the sprite lost its label");
    const long long cells = static_cast<long long>(p_sprite->getWidth()) * p_sprite->getHeight();
    if (p_sprite->getWidth() < 0 || p_sprite->getHeight() < 0 ||
        cells > ks::SpriteParser::MAX_FRAME_CELLS ||
        p_sprite->getFrameCount() > ks::SpriteParser::MAX_FRAMES)
        fail("the sprite's header is out of range");
    // Every frame is of the sprite's size and made of bytes that were really read.
    if (cells * p_sprite->getFrameCount() > static_cast<long long>(size))
        fail("the frames hold more cells than the input has bytes");
    for (int f = 0; f < p_sprite->getFrameCount(); f++) {
        ks::Frame frame = p_sprite->getFrame(f);
        if (frame.getWidth() != p_sprite->getWidth() ||
            frame.getHeight() != p_sprite->getHeight() ||
            static_cast<long long>(frame.getString().size()) != cells)
            fail("a frame does not match the sprite's size");
    }
    return 0;
}
