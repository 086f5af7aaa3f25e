// Small bitmap fonts for the wordmarks and the chooser's tiny button, drawn pixel
// for pixel so they stay sharp. Capitals, digits and a little punctuation; lower
// case is drawn as capitals.
#pragma once

#include <string_view>

#include "devices/pictures/canvas.h"

namespace vh::pictures {

struct Glyph {
    char c;
    const char* rows;  // rows of cells top to bottom, "|" between rows, "#" set
};

struct PixelFont {
    int width, height;
    const Glyph* glyphs;
    int count;
};

// 5 x 7: text on the pictures and the chooser panels.
const PixelFont& SmallFont();
// 3 x 5: the letters of the chooser's GO button.
const PixelFont& TinyFont();

// Width in pixels, with `spacing` pixels between letters.
int TextWidth(std::string_view text, const PixelFont& font, int spacing = 1);
// Draws with the top-left of the first letter at pixel (x, y); ignores the transform.
void DrawText(Canvas& canvas, int x, int y, std::string_view text, Colour colour,
              const PixelFont& font, int spacing = 1);

}  // namespace vh::pictures
