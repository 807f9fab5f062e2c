#pragma once

#include <functional>
#include <string>

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Texture.hpp>

#include "RegularFile.h"
#include "SfmlStream.h"

namespace ks {

/// The glyphs of the font at the size the cells draw them, in the font's texture page, with where
/// each character's quad goes relative to its cell and where it lies in the page. Printable ASCII
/// is loaded with the font; any other character the first time it is asked for.
class GlyphAtlas {
public:
    /// A character's glyph quad: relative to the cell's pixel corner, and in the page, both padded
    /// by a pixel on each side as sf::Text pads them.
    struct Quad {
        bool cached;   ///< whether the fields below are known
        bool has_quad; ///< false for whitespace, which draws nothing
        float left;    ///< the quad's left edge, from the cell's corner
        float top;     ///< its top edge
        float right;   ///< its right edge
        float bottom;  ///< its bottom edge
        float u1;      ///< the glyph's left edge in the page
        float v1;      ///< its top edge in the page
        float u2;      ///< its right edge in the page
        float v2;      ///< its bottom edge in the page
    };

    /// An atlas of glyphs of the character size (in pixels), with no font yet.
    explicit GlyphAtlas(unsigned int init_character_size);

    /// Loads the font file (a regular file only) and the printable glyphs. A load, failed or not,
    /// empties the page; false when the font could not be loaded (every glyph is then empty).
    bool load(const std::string& font_file);

    /// The quad of ch, loading its glyph into the page if it is not there yet.
    const Quad& quad(char ch);
    /// Called before a glyph is added to the page, which may move what is in it: quads taken
    /// from the page earlier must be drawn first.
    void setBeforePageChange(std::function<void()> callback) { before_page_change = callback; }

    /// The font (for drawing a cell with sf::Text).
    const sf::Font& getFont() const { return font; }
    /// The page the quads are taken from.
    const sf::Texture& getTexture() const { return font.getTexture(character_size); }
    /// The glyphs' size in pixels.
    unsigned int getCharacterSize() const { return character_size; }

private:
    void loadGlyph(unsigned char ch);
    void refresh(unsigned char ch);

    unsigned int character_size;
    /// What the font reads from, declared first so that it outlives the font.
    RegularFile file;
    SfmlStream stream;
    sf::Font font;
    Quad quads[256];
    std::function<void()> before_page_change;
};

} // namespace ks
