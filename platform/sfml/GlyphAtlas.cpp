#include "GlyphAtlas.h"

#include <SFML/Graphics/Glyph.hpp>
#include <SFML/System/String.hpp>

namespace ks {

namespace {

// The characters sf::Text lays out without a glyph quad.
bool isBlank(sf::Uint32 code) {
    return code == ' ' || code == '\n' || code == '\t' || code == '\r';
}

// The character as sf::Text sees it when given a one-character std::string.
sf::Uint32 codeOf(unsigned char ch) {
    return sf::String(std::string(1, static_cast<char>(ch)))[0];
}

} // namespace

GlyphAtlas::GlyphAtlas(unsigned int init_character_size)
    : character_size(init_character_size), file(), stream(file), font(), quads(),
      before_page_change() {}

bool GlyphAtlas::load(const std::string& font_file) {
    // FreeType reads the font as it needs glyphs: the file stays open as long as the font.
    const bool loaded = file.open(font_file) == 0 && font.loadFromStream(stream);
    for (Quad& q : quads)
        q.cached = false;
    // Everything the game draws, loaded before any coordinates are taken.
    for (int ch = 32; ch <= 126; ch++)
        font.getGlyph(codeOf(static_cast<unsigned char>(ch)), character_size, true);
    for (int ch = 32; ch <= 126; ch++)
        refresh(static_cast<unsigned char>(ch));
    return loaded;
}

const GlyphAtlas::Quad& GlyphAtlas::quad(char ch) {
    const unsigned char index = static_cast<unsigned char>(ch);
    if (!quads[index].cached)
        loadGlyph(index);
    return quads[index];
}

void GlyphAtlas::loadGlyph(unsigned char ch) {
    if (before_page_change)
        before_page_change();
    refresh(ch);
    // Adding a glyph may have rearranged the page: take every cached glyph's place again.
    for (int other = 0; other < 256; other++)
        if (quads[other].cached)
            refresh(static_cast<unsigned char>(other));
}

void GlyphAtlas::refresh(unsigned char ch) {
    const sf::Uint32 code = codeOf(ch);
    Quad& q = quads[ch];
    q.cached = true;
    q.has_quad = !isBlank(code);
    if (!q.has_quad)
        return;

    const sf::Glyph& glyph = font.getGlyph(code, character_size, true);
    // As sf::Text lays out the first character: origin at x 0, baseline at y = character size,
    // bounds and texture rectangle padded by one pixel.
    const float padding = 1.f;
    const float x = 0.f;
    const float y = static_cast<float>(character_size);
    q.left = x + (glyph.bounds.left - padding);
    q.top = y + (glyph.bounds.top - padding);
    q.right = x + (glyph.bounds.left + glyph.bounds.width + padding);
    q.bottom = y + (glyph.bounds.top + glyph.bounds.height + padding);
    q.u1 = static_cast<float>(glyph.textureRect.left) - padding;
    q.v1 = static_cast<float>(glyph.textureRect.top) - padding;
    q.u2 = static_cast<float>(glyph.textureRect.left + glyph.textureRect.width) + padding;
    q.v2 = static_cast<float>(glyph.textureRect.top + glyph.textureRect.height) + padding;
}

} // namespace ks
