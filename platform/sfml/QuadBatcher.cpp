#include "QuadBatcher.h"

#include <algorithm>
#include <cmath>

#include <SFML/Graphics/RenderStates.hpp>

namespace ks {

namespace {

// SFML keeps a 2x2 white square at the top-left of every font page; sampling its centre gives
// plain white under linear filtering, which the vertex colour then tints.
const sf::Vector2f WHITE_TEXEL(1.f, 1.f);

const sf::Color BACKGROUND = sf::Color::Black;

// Two quads of two triangles per cell.
const size_t VERTICES_PER_CELL = 12;

// Rasterisation snaps vertices to a fraction of a pixel; a pixel of margin keeps every pixel a
// quad can touch inside the regions looked at.
const float REGION_MARGIN = 1.f;

// The region of one cell's size holding pixel coordinate v, kept inside 0 .. count - 1.
int regionOf(float v, float size, int count) {
    float region = std::floor(v / size);
    if (region < 0)
        return 0;
    if (region > count - 1)
        return count - 1;
    return static_cast<int>(region);
}

} // namespace

QuadBatcher::QuadBatcher(int init_window_width, int init_window_height, int init_columns,
                         int init_rows)
    : window_width(init_window_width), window_height(init_window_height), columns(init_columns),
      rows(init_rows),
      region_width(static_cast<float>(init_window_width) / static_cast<float>(init_columns)),
      region_height(static_cast<float>(init_window_height) / static_cast<float>(init_rows)),
      pixels_known(false), vertices(), frame_glyphs(),
      region_glyphs(static_cast<size_t>(init_columns) * init_rows), glyph_stamps(), stamp(0) {
    vertices.reserve(static_cast<size_t>(columns) * rows * VERTICES_PER_CELL);
}

void QuadBatcher::startFrame() {
    for (const Rect& glyph : frame_glyphs) {
        RegionRange r = regionsUnder(glyph);
        for (int y = r.top; y <= r.bottom; y++)
            for (int x = r.left; x <= r.right; x++)
                region_glyphs[static_cast<size_t>(y) * columns + x].clear();
    }
    frame_glyphs.clear();
    glyph_stamps.clear();
}

void QuadBatcher::emitQuad(const Rect& r, sf::Color color, sf::Vector2f uv1, sf::Vector2f uv2) {
    // sf::Text's two triangles, in its vertex order.
    vertices.emplace_back(sf::Vector2f(r.x0, r.y0), color, sf::Vector2f(uv1.x, uv1.y));
    vertices.emplace_back(sf::Vector2f(r.x1, r.y0), color, sf::Vector2f(uv2.x, uv1.y));
    vertices.emplace_back(sf::Vector2f(r.x0, r.y1), color, sf::Vector2f(uv1.x, uv2.y));
    vertices.emplace_back(sf::Vector2f(r.x0, r.y1), color, sf::Vector2f(uv1.x, uv2.y));
    vertices.emplace_back(sf::Vector2f(r.x1, r.y0), color, sf::Vector2f(uv2.x, uv1.y));
    vertices.emplace_back(sf::Vector2f(r.x1, r.y1), color, sf::Vector2f(uv2.x, uv2.y));
}

void QuadBatcher::addBackground(const Rect& background) {
    if (isOffWindow(background))
        return;
    if (!pixels_known) {
        emitQuad(background, BACKGROUND, WHITE_TEXEL, WHITE_TEXEL);
        return;
    }
    // A pixel is painted by a quad when its centre lies inside; the centres inside both the
    // background and a glyph quad are exactly those inside their intersection, so painting the
    // intersections blackens every pixel the whole background would have changed.
    stamp++;
    RegionRange r = regionsUnder(background);
    for (int y = r.top; y <= r.bottom; y++)
        for (int x = r.left; x <= r.right; x++)
            for (int index : region_glyphs[static_cast<size_t>(y) * columns + x]) {
                if (glyph_stamps[index] == stamp)
                    continue;
                glyph_stamps[index] = stamp;
                const Rect& glyph = frame_glyphs[index];
                Rect cut{std::max(background.x0, glyph.x0), std::max(background.y0, glyph.y0),
                         std::min(background.x1, glyph.x1), std::min(background.y1, glyph.y1)};
                if (cut.x0 < cut.x1 && cut.y0 < cut.y1)
                    emitQuad(cut, BACKGROUND, WHITE_TEXEL, WHITE_TEXEL);
            }
}

void QuadBatcher::addGlyph(const Rect& quad, sf::Color color, sf::Vector2f uv1, sf::Vector2f uv2) {
    if (isOffWindow(quad))
        return;
    emitQuad(quad, color, uv1, uv2);
    const int index = static_cast<int>(frame_glyphs.size());
    frame_glyphs.push_back(quad);
    glyph_stamps.push_back(0);
    RegionRange r = regionsUnder(quad);
    for (int y = r.top; y <= r.bottom; y++)
        for (int x = r.left; x <= r.right; x++)
            region_glyphs[static_cast<size_t>(y) * columns + x].push_back(index);
}

void QuadBatcher::flush(sf::RenderTarget& target, const sf::Texture& page) {
    if (vertices.empty())
        return;
    sf::RenderStates states;
    states.texture = &page;
    target.draw(vertices.data(), vertices.size(), sf::Triangles, states);
    vertices.clear();
}

QuadBatcher::RegionRange QuadBatcher::regionsUnder(const Rect& r) const {
    return {regionOf(r.x0 - REGION_MARGIN, region_width, columns),
            regionOf(r.x1 + REGION_MARGIN, region_width, columns),
            regionOf(r.y0 - REGION_MARGIN, region_height, rows),
            regionOf(r.y1 + REGION_MARGIN, region_height, rows)};
}

bool QuadBatcher::isOffWindow(const Rect& r) const {
    // A pixel of margin, as for the regions.
    return r.x1 + REGION_MARGIN < 0 || r.y1 + REGION_MARGIN < 0 ||
           r.x0 - REGION_MARGIN > window_width || r.y0 - REGION_MARGIN > window_height;
}

} // namespace ks
