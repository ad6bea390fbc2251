#pragma once
// The drawing surface that the graph and the report pages are drawn on. Plain C++:
// the screen, the printer, PDF, PNG and SVG all sit behind adapters, and tests use
// a recording canvas that keeps every call with its exact coordinates.

#include <cstdint>
#include <string>
#include <vector>

namespace tavo {

struct Color {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

enum class PenStyle { Solid, Dash };

struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 1;
    Color color;
    friend bool operator==(const Pen&, const Pen&) = default;
};

struct Point {
    int x = 0, y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Left, top, right, bottom in view units, as the drawing code computes them.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Text placement within its rectangle. Without a horizontal flag the text is left
// aligned; without a vertical flag it is top aligned; line breaks at "\n" unless
// SingleLine; never word-wrapped; always clipped to the rectangle.
enum TextFlags : unsigned {
    TextLeft = 0,
    TextHCenter = 1u << 0,
    TextRight = 1u << 1,
    TextTop = 0,
    TextVCenter = 1u << 2,
    TextSingleLine = 1u << 3,
};

class Canvas {
public:
    virtual ~Canvas() = default;
    // Selects the pen for lines, polylines and rectangle outlines.
    virtual void SetPen(const Pen& pen) = 0;
    // Selects the text font by its cell height in view units (default face).
    virtual void SetFont(int cellHeight) = 0;
    // Fills a rectangle without an outline.
    virtual void FillRect(const Rect& rect, Color color) = 0;
    // Outlines a rectangle with the current pen and fills its inside with white.
    virtual void DrawRectangle(const Rect& rect) = 0;
    // One straight segment with the current pen.
    virtual void DrawLine(Point from, Point to) = 0;
    // Connected segments through every point, with the current pen.
    virtual void DrawPolyline(const std::vector<Point>& points) = 0;
    // Text in a rectangle (8-bit Windows-1252 text), with TextFlags, in the text colour.
    virtual void DrawText(const Rect& rect, const std::string& text, unsigned flags) = 0;
    // The colour of the texts drawn from now on; black until it is set.
    virtual void SetTextColor(Color color) = 0;
    // Whether the canvas lights whole pixels at one view unit each, so a long polyline
    // may come thinned to what lights each pixel column (see ColumnThinner in plot).
    virtual bool ThinsColumns() const { return false; }
};

} // namespace tavo
