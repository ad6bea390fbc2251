#pragma once
// "Telemetry Data": the captured samples as DAC values with their altitudes, one
// line each, filled once when the window opens. Esc or the close box closes it.

#include <string>
#include <vector>

#include <QDialog>

class QListView;

namespace tavo {

class CTelemetryDlg : public QDialog {
public:
    // `lines` as TelemetryListLines gives them: the header, then one line per sample,
    // the two columns separated by a tab.
    CTelemetryDlg(std::vector<std::string> lines, QWidget* parent = nullptr);

    QListView* List() const { return m_list; }
    // Where the tab stop falls, in pixels from the list's left edge: half its width.
    int TabStop() const;
    // The selected lines as text, one per line (what Ctrl+C copies).
    QString SelectedText() const;

private:
    QListView* m_list = nullptr;
};

} // namespace tavo
