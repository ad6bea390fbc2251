// The reach the layout counts on for each text, against the font the Qt canvases really
// draw with: no drawn text may reach beyond its measured extent, or texts placed clear
// of each other would still touch on screen and paper.

#include "canvas/text_extent.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QFontMetricsF>

#include "canvas/qt/qpainter_canvas.h"
#include "flight/text_format.h"
#include "support/qt_app.h"

namespace tavo {
namespace {

TEST(TextExtent, NoDrawnTextReachesBeyondItsMeasure) {
    test::GuiApp();
    const QFontMetricsF fm(PlotFont(16));
    // Every ASCII glyph alone, and lines of the drawings with the widest and the
    // overhanging ones.
    std::vector<std::string> texts{"Apogee=317 Meters", "Total: 8.87N s  1.99lb s", "WWW@@@%%%mmm",
                                   "Caf\xe9 M\xfcller \x97 \x89",
                                   "Flight summary\nMax. velocity: 92.3 m/s\nC1=-12.8 , 37.6s"};
    for (char c = 32; c < 127; ++c)
        texts.push_back(std::string(1, c));
    const Rect rect{100, 50, 400, 150};
    for (const unsigned flags : {unsigned{TextLeft}, unsigned{TextHCenter},
                                 unsigned{TextRight | TextVCenter | TextSingleLine}}) {
        for (const std::string& text : texts) {
            const QString shown = QString::fromStdString(Windows1252ToUtf8(text));
            const Rect e = TextExtent(rect, text, flags, 16);
            const QRectF laid =
                fm.boundingRect(QRectF(100, 50, 300, 100), QtAlignment(flags), shown);
            EXPECT_GE(laid.left(), e.left - 0.5) << text << " " << flags;
            EXPECT_LE(laid.right(), e.right + 0.5) << text << " " << flags;
            // Yet not so generous that the layout wastes room (beyond ASCII a letter is
            // taken as wide as the widest, on purpose).
            if (std::all_of(text.begin(), text.end(), [](char c) { return c > 0; })) {
                EXPECT_LE(e.right - e.left - laid.width(), 2.0 + 0.03 * laid.width()) << text;
            }
            // The ink: from the tallest glyph of the first line to the last line's bottom.
            const QString first = shown.section(QLatin1Char('\n'), 0, 0);
            const double ink = laid.top() + fm.ascent() + fm.tightBoundingRect(first).top();
            EXPECT_GE(ink, e.top - 0.5) << text << " " << flags;
            EXPECT_LE(laid.bottom(), e.bottom + 0.5) << text << " " << flags;
        }
    }
}

} // namespace
} // namespace tavo
