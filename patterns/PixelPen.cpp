// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/PixelPen.h"

#include "canvas/Twips.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int GlyphRows = 5;

struct Glyph {
    char symbol;
    const char* rows[GlyphRows];
};

const Glyph glyphs[] = {
    {'0', {"###", "#.#", "#.#", "#.#", "###"}},
    {'1', {".#.", "##.", ".#.", ".#.", "###"}},
    {'2', {"###", "..#", "###", "#..", "###"}},
    {'3', {"###", "..#", ".##", "..#", "###"}},
    {'4', {"#.#", "#.#", "###", "..#", "..#"}},
    {'5', {"###", "#..", "###", "..#", "###"}},
    {'6', {"###", "#..", "###", "#.#", "###"}},
    {'7', {"###", "..#", "..#", ".#.", ".#."}},
    {'8', {"###", "#.#", "###", "#.#", "###"}},
    {'9', {"###", "#.#", "###", "..#", "###"}},
    {',', {"..", "..", "..", ".#", "#."}},
};

const Glyph* glyphOf(char symbol)
{
    for (const Glyph& glyph : glyphs)
        if (glyph.symbol == symbol)
            return &glyph;
    return nullptr;
}

int glyphWidth(const Glyph& glyph)
{
    return int(std::char_traits<char>::length(glyph.rows[0]));
}

// The text's width in cells, the gaps between glyphs included.
int textCells(std::string_view text)
{
    int cells = 0;
    for (char symbol : text)
        if (const Glyph* glyph = glyphOf(symbol))
            cells += (cells ? 1 : 0) + glyphWidth(*glyph);
    return cells;
}

} // namespace

QSize PixelPen::screen() const
{
    return QSize(
        int(twipsToPixel(canvas_.screenWidth())), int(twipsToPixel(canvas_.screenHeight())));
}

void PixelPen::line(int x1, int y1, int x2, int y2, RgbColor colour)
{
    canvas_.line(
        pixelsToTwips(x1), pixelsToTwips(y1), pixelsToTwips(x2), pixelsToTwips(y2), colour);
}

void PixelPen::fill(const QRect& pixels, RgbColor colour)
{
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        line(pixels.left(), y, pixels.right(), y, colour);
}

void PixelPen::diagonal(const QRect& area, int d, RgbColor colour)
{
    const int from = std::max(area.left(), area.top() + d);
    const int to = std::min(area.right(), area.bottom() + d);
    if (from <= to)
        line(from, from - d, to, to - d, colour);
}

void PixelPen::antiDiagonal(const QRect& area, int sum, RgbColor colour)
{
    const int from = std::max(area.left(), sum - area.bottom());
    const int to = std::min(area.right(), sum - area.top());
    if (from <= to)
        line(from, sum - from, to, sum - to, colour);
}

int PixelPen::numberScale(std::string_view text, QSize room)
{
    const int cells = textCells(text);
    if (cells == 0)
        return 0;
    return std::max(0, std::min(room.width() / cells, room.height() / GlyphRows));
}

QSize PixelPen::numberSize(std::string_view text, int scale)
{
    return QSize(textCells(text) * scale, GlyphRows * scale);
}

void PixelPen::number(std::string_view text, QPoint topLeft, int scale, RgbColor colour)
{
    int x = topLeft.x();
    for (char symbol : text) {
        const Glyph* glyph = glyphOf(symbol);
        if (!glyph)
            continue;
        for (int row = 0; row < GlyphRows; ++row)
            for (int cell = 0; cell < glyphWidth(*glyph); ++cell)
                if (glyph->rows[row][cell] == '#')
                    fill(QRect(x + cell * scale, topLeft.y() + row * scale, scale, scale), colour);
        x += (glyphWidth(*glyph) + 1) * scale;
    }
}
