#include "canvas/recording_canvas.h"

namespace tavo {

void RecordingCanvas::SetPen(const Pen& pen) {
    m_pen = pen;
    Call c;
    c.op = Op::Pen;
    c.pen = pen;
    m_calls.push_back(std::move(c));
}

void RecordingCanvas::SetFont(int cellHeight) {
    Call c;
    c.op = Op::Font;
    c.pen = m_pen;
    c.fontHeight = cellHeight;
    m_calls.push_back(std::move(c));
}

void RecordingCanvas::FillRect(const Rect& rect, Color color) {
    Call c;
    c.op = Op::Fill;
    c.pen = m_pen;
    c.rect = rect;
    c.color = color;
    m_calls.push_back(std::move(c));
}

void RecordingCanvas::DrawRectangle(const Rect& rect) {
    Call c;
    c.op = Op::Rectangle;
    c.pen = m_pen;
    c.rect = rect;
    m_calls.push_back(std::move(c));
}

void RecordingCanvas::DrawLine(Point from, Point to) {
    Call c;
    c.op = Op::Line;
    c.pen = m_pen;
    c.points = {from, to};
    m_calls.push_back(std::move(c));
}

void RecordingCanvas::DrawPolyline(const std::vector<Point>& points) {
    Call c;
    c.op = Op::Polyline;
    c.pen = m_pen;
    c.points = points;
    m_calls.push_back(std::move(c));
}

void RecordingCanvas::DrawText(const Rect& rect, const std::string& text, unsigned flags) {
    Call c;
    c.op = Op::Text;
    c.pen = m_pen;
    c.rect = rect;
    c.text = text;
    c.flags = flags;
    c.textColor = m_textColor;
    m_calls.push_back(std::move(c));
}

const RecordingCanvas::Call* RecordingCanvas::FindText(const std::string& text) const {
    for (const Call& c : m_calls)
        if (c.op == Op::Text && c.text == text)
            return &c;
    return nullptr;
}

std::vector<RecordingCanvas::Call> RecordingCanvas::Of(Op op) const {
    std::vector<Call> out;
    for (const Call& c : m_calls)
        if (c.op == op)
            out.push_back(c);
    return out;
}

} // namespace tavo
