#include "view/ui/flight_stats_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "uikit/dlg_common.h"

namespace tavo {

namespace {

// The core's text is "name: value" a line; a line without a name is the note.
struct StatsLines {
    std::vector<std::pair<QString, QString>> rows;
    QString note;
};

StatsLines SplitStats(const FlightStats& stats) {
    StatsLines out;
    for (const QString& line : FromUtf8(FlightStatsText(stats)).split(QLatin1Char('\n'))) {
        const int colon = line.indexOf(QStringLiteral(": "));
        if (colon < 0)
            out.note = line;
        else
            out.rows.emplace_back(line.left(colon) + QLatin1Char(':'), line.mid(colon + 2));
    }
    return out;
}

QLabel* Value(const QString& text) {
    auto* value = new QLabel(text);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return value;
}

QLabel* Heading(const QString& text) {
    auto* label = new QLabel(text);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

// The flight's rows in its order; a figure another flight does not give reads "-".
QGridLayout* SideBySide(const StatsLines& main, const std::string& mainName,
                        const std::vector<StatsColumn>& others, QStringList& notes) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(18);
    grid->addWidget(Heading(FromUtf8(mainName)), 0, 1);
    std::vector<StatsLines> columns;
    int column = 2;
    for (const StatsColumn& o : others) {
        grid->addWidget(Heading(FromUtf8(o.name)), 0, column++);
        columns.push_back(o.computed ? SplitStats(o.stats) : StatsLines{});
        if (!o.computed)
            notes << FromUtf8(o.name + ": " + o.reason);
    }
    int row = 1;
    for (const auto& [name, value] : main.rows) {
        grid->addWidget(new QLabel(name), row, 0);
        grid->addWidget(Value(value), row, 1);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            QString text = QStringLiteral("-");
            for (const auto& [n, v] : columns[c].rows)
                if (n == name)
                    text = v;
            grid->addWidget(Value(text), row, static_cast<int>(c) + 2);
        }
        ++row;
    }
    return grid;
}

} // namespace

CFlightStatsDlg::CFlightStatsDlg(const FlightStats& stats, QWidget* parent,
                                 const std::string& flightName,
                                 const std::vector<StatsColumn>& others)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Flight Statistics"));
    const StatsLines lines = SplitStats(stats);
    auto* layout = new QVBoxLayout(this);
    QStringList notes;
    if (!lines.note.isEmpty())
        notes << lines.note;
    if (others.empty()) {
        form = new QFormLayout;
        for (const auto& [name, value] : lines.rows)
            form->addRow(name, Value(value));
        layout->addLayout(form);
    } else {
        grid = SideBySide(lines, flightName, others, notes);
        layout->addLayout(grid);
    }
    for (const QString& note : notes) {
        auto* foot = new QLabel(note);
        foot->setWordWrap(true);
        layout->addWidget(foot);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace tavo
