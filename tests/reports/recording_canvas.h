#pragma once
// A canvas that keeps every call, with the pen in force, so the report pages can be
// checked coordinate by coordinate. To be replaced by the shared recording canvas.

#include <string>
#include <vector>

#include "canvas/canvas.h"

namespace tavo::test {

struct DrawCall {
    enum Kind { Font, Fill, Rectangle, Line, Polyline, Text } kind;
    Pen pen;        // the pen selected when the call was made
    Rect rect;      // Fill, Rectangle, Text
    Point from, to; // Line
    std::vector<Point> points;
    std::string text;
    unsigned flags = 0;
    int fontHeight = 0;
};

class RecordingCanvas : public Canvas {
public:
    void SetPen(const Pen& pen) override { m_pen = pen; }
    void SetFont(int cellHeight) override { Add(DrawCall::Font).fontHeight = cellHeight; }
    void FillRect(const Rect& rect, Color) override { Add(DrawCall::Fill).rect = rect; }
    void DrawRectangle(const Rect& rect) override { Add(DrawCall::Rectangle).rect = rect; }
    void DrawLine(Point from, Point to) override {
        DrawCall& call = Add(DrawCall::Line);
        call.from = from;
        call.to = to;
    }
    void DrawPolyline(const std::vector<Point>& points) override {
        Add(DrawCall::Polyline).points = points;
    }
    void DrawText(const Rect& rect, const std::string& text, unsigned flags) override {
        DrawCall& call = Add(DrawCall::Text);
        call.rect = rect;
        call.text = text;
        call.flags = flags;
    }

    std::vector<DrawCall> Of(DrawCall::Kind kind) const {
        std::vector<DrawCall> found;
        for (const DrawCall& call : calls)
            if (call.kind == kind)
                found.push_back(call);
        return found;
    }

    std::vector<DrawCall> calls;

private:
    DrawCall& Add(DrawCall::Kind kind) {
        calls.push_back(DrawCall{kind, m_pen, {}, {}, {}, {}, {}, 0, 0});
        return calls.back();
    }
    Pen m_pen;
};

} // namespace tavo::test
