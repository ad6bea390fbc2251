#include "canvas/text_extent.h"

#include <algorithm>
#include <cstdint>

namespace tavo {

namespace {

// Advance widths of the printable ASCII characters in thousandths of an em, the
// metrics Arial, Liberation Sans and Nimbus Sans share.
constexpr std::uint16_t kAsciiWidths[95] = {
    278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278, // ' ' .. '/'
    556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, // '0' .. '?'
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778, // '@' .. 'O'
    667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556, // 'P' .. '_'
    333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556, // '`' .. 'o'
    556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584,      // 'p' .. '~'
};
// Anything beyond ASCII (accented letters, dashes, the per-mille sign of Windows-1252)
// is taken as wide as the widest of them.
constexpr int kWideWidth = 1000;
// A control character other than the line break draws nothing wider than a blank.
constexpr int kControlWidth = 278;

int CharWidth(unsigned char c) {
    if (c >= 32 && c < 127)
        return kAsciiWidths[c - 32];
    return c >= 128 ? kWideWidth : kControlWidth;
}

// The face's ascent over its capitals' height: the ink starts this far below a line's
// top (11 - 9 units at an em of 12).
int InkInset(int em) {
    return (em * 905 + 999) / 1000 - (em * 729 + 999) / 1000;
}

} // namespace

int TextEm(int cellHeight) {
    // As the Qt canvases size their font: the cell height over 1.38, to the unit.
    const int px = static_cast<int>(cellHeight / 1.38 + 0.5);
    return px < 1 ? 1 : px;
}

int TextLinePitch(int cellHeight) {
    // Ascent 0.905 em and descent 0.212 em, each rounded up, as the face reports them.
    const int em = TextEm(cellHeight);
    return (em * 905 + 999) / 1000 + (em * 212 + 999) / 1000;
}

int TextLineCount(std::string_view text, bool singleLine) {
    if (singleLine)
        return 1;
    return 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

int TextWidth(std::string_view text, int cellHeight, bool singleLine) {
    const std::int64_t em = TextEm(cellHeight);
    std::int64_t widest = 0, line = 0;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\n' && !singleLine) {
            widest = std::max(widest, line);
            line = 0;
            continue;
        }
        if (c == '\r')
            continue;
        line += CharWidth(c == '\n' ? ' ' : c);
    }
    widest = std::max(widest, line);
    // Rounded up: a painter starts a text at a fraction of a unit, never more to the
    // side it was aligned to.
    const std::int64_t units = (widest * em + 999) / 1000;
    return static_cast<int>(std::min<std::int64_t>(units, 1 << 24));
}

Rect TextExtent(const Rect& rect, std::string_view text, unsigned flags, int cellHeight) {
    const bool single = (flags & TextSingleLine) != 0;
    const int width = TextWidth(text, cellHeight, single);
    const int height = TextLineCount(text, single) * TextLinePitch(cellHeight);
    Rect e;
    if (flags & TextHCenter)
        e.left = rect.left + (rect.right - rect.left - width) / 2;
    else if (flags & TextRight)
        e.left = rect.right - width;
    else
        e.left = rect.left;
    e.right = e.left + width;
    const int top =
        (flags & TextVCenter) ? rect.top + (rect.bottom - rect.top - height) / 2 : rect.top;
    e.top = top + InkInset(TextEm(cellHeight));
    e.bottom = top + height;
    return e;
}

bool RectsOverlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool RectContains(const Rect& outer, const Rect& inner) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

} // namespace tavo
