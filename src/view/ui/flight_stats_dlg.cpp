#include "view/ui/flight_stats_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "uikit/dlg_common.h"

namespace tavo {

CFlightStatsDlg::CFlightStatsDlg(const FlightStats& stats, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Flight Statistics"));
    form = new QFormLayout;
    QString note;
    // The core's text is "name: value" a line; a line without a name is the note.
    for (const QString& line : FromUtf8(FlightStatsText(stats)).split(QLatin1Char('\n'))) {
        const int colon = line.indexOf(QStringLiteral(": "));
        if (colon < 0) {
            note = line;
            continue;
        }
        auto* value = new QLabel(line.mid(colon + 2));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(line.left(colon) + QLatin1Char(':'), value);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    if (!note.isEmpty()) {
        auto* foot = new QLabel(note);
        foot->setWordWrap(true);
        layout->addWidget(foot);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace tavo
