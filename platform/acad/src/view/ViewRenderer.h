#pragma once
// Draws a scene into a Cairo image surface (24-bit, as the windowing library's bitmaps are):
// the classic black background, the palette colours, one-pixel lines without smoothing.
// Items outside the picture are skipped by their extents; a reference smaller than a couple of
// pixels is drawn as the dot it looks like rather than as its whole block.

#include <cstdint>
#include <unordered_set>

#include "view/DrawingScene.h"
#include "view/Viewport.h"

typedef struct _cairo_surface cairo_surface_t;

namespace view {

// The palette colour of an index (1 to 255) as 0xRRGGBB; 7 is white on the dark background.
std::uint32_t PaletteColour(int index);

constexpr std::uint32_t kBackground = 0x000000;

// What a render did, for the benchmark and the tests.
struct RenderCount {
    std::size_t drawn = 0, dots = 0, culled = 0;
};

// Draws `scene` as `viewport` sees it; the items whose slots are in `highlighted` are drawn
// dashed, as selected entities are.
RenderCount RenderScene(cairo_surface_t* surface, const DrawingScene& scene,
                        const Viewport& viewport,
                        const std::unordered_set<std::uint32_t>& highlighted = {});

} // namespace view
