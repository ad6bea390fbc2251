#include "device/ui/port_combo.h"

#include <QComboBox>
#include <QCompleter>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTreeView>
#include <algorithm>

namespace tavo {
namespace {

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void FillPortCombo(QComboBox& combo, const std::vector<PortChoice>& choices,
                   const QString& current) {
    auto* model = new QStandardItemModel(0, 3, &combo);
    for (const PortChoice& choice : choices) {
        QList<QStandardItem*> row{new QStandardItem(Utf8(choice.name)),
                                  new QStandardItem(Utf8(choice.device)),
                                  new QStandardItem(Utf8(choice.description))};
        if (!choice.present) {
            for (QStandardItem* item : row)
                item->setForeground(combo.palette().brush(QPalette::Disabled, QPalette::Text));
        }
        for (QStandardItem* item : row)
            item->setToolTip(Utf8(choice.device + (choice.description.empty() ? "" : " - ") +
                                  choice.description));
        model->appendRow(row);
    }
    auto* view = new QTreeView(&combo);
    view->setHeaderHidden(true);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setAllColumnsShowFocus(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setStyleSheet(QStringLiteral("QTreeView::item { padding-right: 12px; }"));
    view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->header()->setStretchLastSection(false);
    combo.setEditable(true);
    combo.setInsertPolicy(QComboBox::NoInsert);
    combo.setModel(model);
    combo.setView(view);
    combo.setModelColumn(0);
    // The list opens wide enough for every column, whatever the box's own width.
    const QFontMetrics metrics(view->font());
    int width = 0;
    for (int column = 0; column < 3; ++column) {
        int widest = 0;
        for (int row = 0; row < model->rowCount(); ++row)
            widest = std::max(widest, metrics.horizontalAdvance(model->item(row, column)->text()));
        width += widest + 3 * metrics.averageCharWidth();
    }
    view->setMinimumWidth(width);

    // Inline completion would take the first Enter for itself whenever the name is
    // selected, as it is when Tab arrives; a list of the matching ports keeps Enter for
    // the dialog's default button.
    if (combo.completer() != nullptr)
        combo.completer()->setCompletionMode(QCompleter::PopupCompletion);
    combo.setCurrentIndex(FindPortChoice(choices, current.toStdString()));
    combo.setEditText(current);
}

} // namespace tavo
