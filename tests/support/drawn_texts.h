#pragma once
// What a flyer would find wrong with a drawing, read off a recording canvas: texts that
// cover each other, a text cut by its rectangle or by the page, a cursor or marker line
// (the red pen) through a text or a box. Texts are measured as the canvases draw them
// (canvas/text_extent.h), not by the rectangles they are given.

#include <string>
#include <vector>

#include "canvas/recording_canvas.h"
#include "canvas/text_extent.h"

namespace tavo::test {

inline std::string Describe(const std::string& text, const Rect& e) {
    return "'" + text.substr(0, text.find('\n')) + "' at " + std::to_string(e.left) + "," +
           std::to_string(e.top) + "\n";
}

// Every fault, a line each; empty for a drawing that reads right. The first rectangle
// drawn is the frame; every later one is a box that lines stop at.
inline std::string DrawingFaults(const RecordingCanvas& canvas, const Rect& page) {
    std::vector<std::pair<std::string, Rect>> texts, obstacles; // what a line must not cross
    std::vector<RecordingCanvas::Call> red;
    std::string faults;
    int font = 16, rectangles = 0;
    for (const RecordingCanvas::Call& c : canvas.calls()) {
        if (c.op == RecordingCanvas::Op::Font)
            font = c.fontHeight;
        if (c.op == RecordingCanvas::Op::Text && !c.text.empty()) {
            const Rect e = TextExtent(c.rect, c.text, c.flags, font);
            if (!RectContains(c.rect, e))
                faults += "cut by its rectangle: " + Describe(c.text, e);
            if (!RectContains(page, e))
                faults += "off the page: " + Describe(c.text, e);
            for (const auto& [other, o] : texts)
                if (RectsOverlap(e, o))
                    faults +=
                        "over each other: " + Describe(c.text, e) + "  and " + Describe(other, o);
            texts.push_back({c.text, e});
            obstacles.push_back(texts.back());
        }
        const Rect& b = c.rect;
        if (c.op == RecordingCanvas::Op::Rectangle && rectangles++ > 0)
            obstacles.push_back({"a box", {b.left + 1, b.top + 1, b.right - 1, b.bottom - 1}});
        if (c.op == RecordingCanvas::Op::Line && c.pen.color == Color{255, 0, 0})
            red.push_back(c);
    }
    for (const RecordingCanvas::Call& line : red) {
        const Point p = line.points[0], q = line.points[1];
        const Rect span{std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x) + 1,
                        std::max(p.y, q.y) + 1};
        for (const auto& [what, o] : obstacles)
            if (RectsOverlap(span, o))
                faults += "a line at x " + std::to_string(p.x) + " through " + Describe(what, o);
    }
    return faults;
}

} // namespace tavo::test
