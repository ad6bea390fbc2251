#pragma once
// The one view of the main window: paints the graph and turns mouse events into the
// controller's cursor drags and curve switches.

#include <QWidget>

#include "view/graph_controller.h"

namespace tavo {

class CTAVOkitView : public QWidget, public ViewPrompt {
public:
    CTAVOkitView(CTAVOkitDoc& doc, QWidget* parent = nullptr);

    GraphViewState& State() { return m_state; }
    GraphController& Controller() { return m_controller; }
    CTAVOkitDoc& Document() { return m_doc; }

    // The "Warning" question before a cut; tests replace it with a scripted answer.
    std::function<bool(const QString&)> askWarning;
    bool AskWarning(const std::string& text) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CTAVOkitDoc& m_doc;
    GraphViewState m_state;
    GraphController m_controller;
};

} // namespace tavo
