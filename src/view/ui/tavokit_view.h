#pragma once
// The one view of the main window: paints the graph and turns mouse, wheel and key
// events into the controller's cursor drags, zoom, pan and curve switches.

#include <QImage>
#include <QWidget>

#include "uikit/qt_user_prompt.h"
#include "view/core/extra_flights.h"
#include "view/core/graph_controller.h"

namespace tavo {

class CTAVOkitView : public QWidget {
public:
    CTAVOkitView(CTAVOkitDoc& doc, QWidget* parent = nullptr);

    GraphViewState& State() { return m_state; }
    GraphController& Controller() { return m_controller; }
    CTAVOkitDoc& Document() { return m_doc; }
    // The document's flight for a drawing of it (the window, a printed page, a picture):
    // a live flight's curves are first carried on over the lines that came.
    FlightData FlightToDraw();
    // The flights laid over the document's (File > Overlay Flight..., Predict's Draw on
    // Graph), and the list a drawing takes, in the document's units; valid until the
    // list changes.
    ExtraFlights& Extra() { return m_extra; }
    std::vector<ExtraFlight> ExtraToDraw();

    // How the view asks before a cut: message boxes over the view, unless a test
    // answers instead.
    UserPrompt* prompt = &m_ownPrompt;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Tab belongs to the graph (it switches the cursors), not to focus changes.
    bool focusNextPrevChild(bool next) override;

private:
    void UpdatePage();
    void UpdatePointer(int x);

    CTAVOkitDoc& m_doc;
    GraphViewState m_state;
    GraphController m_controller;
    ExtraFlights m_extra;
    QtUserPrompt m_ownPrompt{this};
    QImage m_picture; // drawn in, then copied to the window (see PaintGraphOnScreen)
};

} // namespace tavo
