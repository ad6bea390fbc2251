#include "canvas/text_extent.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

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

// Glyphs whose ink reaches a unit past their advance on the right (the layout counts
// it), or a unit before their origin on the left; anything beyond ASCII may carry an
// accent that does either.
bool OverhangsRight(unsigned char c) {
    return c >= 128 ||
           std::string_view("/TW[\\fkt").find(static_cast<char>(c)) != std::string_view::npos;
}
bool OverhangsLeft(unsigned char c) {
    return c >= 128 ||
           std::string_view("jw_/\\").find(static_cast<char>(c)) != std::string_view::npos;
}

// How far above its base line a line's ink reaches, in units at `em`: the capitals and
// figures (0.729 em), a little more for a grave accent, a dollar or a percent sign, and
// an accented capital's full height (1 em) for anything beyond ASCII.
int InkReach(std::string_view line, int em) {
    int thousandths = 729;
    for (const char ch : line) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 128)
            return em;
        if (c == '`' || c == '$' || c == '%')
            thousandths = 810;
    }
    return (em * thousandths + 999) / 1000;
}

int Ascent(int em) {
    return (em * 905 + 999) / 1000;
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
    return Ascent(em) + (em * 212 + 999) / 1000;
}

int TextLineCount(std::string_view text, bool singleLine) {
    if (singleLine)
        return 1;
    return 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

namespace {

// The widest line and whether its ink reaches past its advance on either side.
struct LineMeasure {
    std::int64_t thousandths = 0; // of an em
    bool left = false, right = false;
};

LineMeasure Widest(std::string_view text, bool singleLine) {
    LineMeasure widest, line;
    unsigned char last = 0;
    const auto finish = [&] {
        line.right = last != 0 && OverhangsRight(last);
        if (line.thousandths + line.right * 1000 > widest.thousandths + widest.right * 1000)
            widest = line;
        widest.left = widest.left || line.left;
        line = {};
        last = 0;
    };
    for (const char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (c == '\n' && !singleLine) {
            finish();
            continue;
        }
        if (c == '\r')
            continue;
        if (c == '\n')
            c = ' ';
        if (line.thousandths == 0 && OverhangsLeft(c))
            line.left = true;
        line.thousandths += CharWidth(c);
        last = c;
    }
    finish();
    return widest;
}

int Units(std::int64_t thousandths, int em) {
    return static_cast<int>(std::min<std::int64_t>((thousandths * em + 999) / 1000, 1 << 24));
}

} // namespace

int TextWidth(std::string_view text, int cellHeight, bool singleLine) {
    // Rounded up: a painter starts a text at a fraction of a unit, never more to the
    // side it was aligned to. A glyph that overhangs its advance adds its unit.
    const LineMeasure m = Widest(text, singleLine);
    return Units(m.thousandths, TextEm(cellHeight)) + (m.right ? 1 : 0);
}

Rect TextExtent(const Rect& rect, std::string_view text, unsigned flags, int cellHeight) {
    const bool single = (flags & TextSingleLine) != 0;
    const int em = TextEm(cellHeight);
    const LineMeasure m = Widest(text, single);
    const int width = Units(m.thousandths, em) + (m.right ? 1 : 0);
    const int height = TextLineCount(text, single) * TextLinePitch(cellHeight);
    Rect e;
    if (flags & TextHCenter)
        e.left = rect.left + (rect.right - rect.left - width) / 2;
    else if (flags & TextRight)
        e.left = rect.right - width;
    else
        e.left = rect.left;
    e.right = e.left + width;
    e.left -= m.left ? 1 : 0;
    const int top =
        (flags & TextVCenter) ? rect.top + (rect.bottom - rect.top - height) / 2 : rect.top;
    const std::string_view first = single ? text : text.substr(0, text.find('\n'));
    e.top = top + Ascent(em) - InkReach(first, em);
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
