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

inline std::string Describe(const RecordingCanvas::Call& t, const Rect& e) {
    return "'" + t.text.substr(0, t.text.find('\n')) + "' at " + std::to_string(e.left) + "," +
           std::to_string(e.top);
}

// Every fault, one sentence each; none for a drawing that reads right. The first
// rectangle drawn is the frame; every later one is a box that lines stop at.
inline std::vector<std::string> DrawingFaults(const RecordingCanvas& canvas, const Rect& page) {
    struct Measured {
        RecordingCanvas::Call call;
        Rect extent;
    };
    std::vector<Measured> texts;
    std::vector<Rect> boxes;
    std::vector<RecordingCanvas::Call> red;
    int font = 16;
    for (const RecordingCanvas::Call& c : canvas.calls()) {
        if (c.op == RecordingCanvas::Op::Font)
            font = c.fontHeight;
        else if (c.op == RecordingCanvas::Op::Text && !c.text.empty())
            texts.push_back({c, TextExtent(c.rect, c.text, c.flags, font)});
        else if (c.op == RecordingCanvas::Op::Rectangle)
            boxes.push_back(c.rect);
        else if (c.op == RecordingCanvas::Op::Line && c.pen.color == Color{255, 0, 0})
            red.push_back(c);
    }
    std::vector<std::string> faults;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const Measured& a = texts[i];
        if (!RectContains(a.call.rect, a.extent))
            faults.push_back("cut by its rectangle: " + Describe(a.call, a.extent));
        if (!RectContains(page, a.extent))
            faults.push_back("off the page: " + Describe(a.call, a.extent));
        for (std::size_t j = i + 1; j < texts.size(); ++j)
            if (RectsOverlap(a.extent, texts[j].extent))
                faults.push_back("over each other: " + Describe(a.call, a.extent) + " and " +
                                 Describe(texts[j].call, texts[j].extent));
    }
    for (const RecordingCanvas::Call& line : red) {
        const Point p = line.points[0], q = line.points[1];
        const Rect span{std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x) + 1,
                        std::max(p.y, q.y) + 1};
        for (const Measured& t : texts)
            if (RectsOverlap(span, t.extent))
                faults.push_back("a line at x " + std::to_string(p.x) +
                                 " through: " + Describe(t.call, t.extent));
        for (std::size_t b = 1; b < boxes.size(); ++b) {
            const Rect inside{boxes[b].left + 1, boxes[b].top + 1, boxes[b].right - 1,
                              boxes[b].bottom - 1};
            if (RectsOverlap(span, inside))
                faults.push_back("a line at x " + std::to_string(p.x) + " through a box");
        }
    }
    return faults;
}

inline std::string Joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines)
        out += l + "\n";
    return out;
}

} // namespace tavo::test
