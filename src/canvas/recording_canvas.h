#pragma once
// A canvas that keeps every call, in order, with its exact arguments. Tests draw
// through it and assert coordinates and texts without pixels.

#include <string>
#include <vector>

#include "canvas/canvas.h"

namespace tavo {

class RecordingCanvas : public Canvas {
public:
    enum class Op { Pen, Font, Fill, Rectangle, Line, Polyline, Text };

    struct Call {
        Op op = Op::Pen;
        Pen pen;                   // Pen: the pen; every drawing call: the pen in force
        int fontHeight = 0;        // Font
        Color color;               // Fill
        Rect rect;                 // Fill, Rectangle, Text
        std::vector<Point> points; // Line (two points), Polyline
        std::string text;          // Text
        unsigned flags = 0;        // Text
        Color textColor;           // Text: the text colour in force
    };

    void SetPen(const Pen& pen) override;
    void SetFont(int cellHeight) override;
    void FillRect(const Rect& rect, Color color) override;
    void DrawRectangle(const Rect& rect) override;
    void DrawLine(Point from, Point to) override;
    void DrawPolyline(const std::vector<Point>& points) override;
    void DrawText(const Rect& rect, const std::string& text, unsigned flags) override;
    void SetTextColor(Color color) override { m_textColor = color; }

    const std::vector<Call>& calls() const { return m_calls; }

    // Every text call, in drawing order.
    std::vector<Call> Texts() const { return Of(Op::Text); }
    // Every line call, in drawing order.
    std::vector<Call> Lines() const { return Of(Op::Line); }
    // Every polyline call, in drawing order.
    std::vector<Call> Polylines() const { return Of(Op::Polyline); }
    // The first text call whose text equals `text`, or nullptr.
    const Call* FindText(const std::string& text) const;
    // Every call of one kind, in drawing order.
    std::vector<Call> Of(Op op) const;

private:
    std::vector<Call> m_calls;
    Pen m_pen;
    Color m_textColor;
};

} // namespace tavo
