#include "telemetry/ui/telemetry_dlg.h"

#include <QAbstractListModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QListView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace tavo {
namespace {

// The lines, held as they came: a capture of many minutes gives hundreds of thousands,
// and a view over them asks only for the rows it shows.
class LinesModel final : public QAbstractListModel {
public:
    LinesModel(std::vector<std::string> lines, QObject* parent)
        : QAbstractListModel(parent), m_lines(std::move(lines)) {}
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0
                                : static_cast<int>(std::min<std::size_t>(m_lines.size(), INT_MAX));
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() < 0 ||
            static_cast<std::size_t>(index.row()) >= m_lines.size())
            return {};
        // Numbers, a tab and a fixed header: plain ASCII.
        return QString::fromLatin1(m_lines[static_cast<std::size_t>(index.row())].c_str());
    }

private:
    std::vector<std::string> m_lines;
};

// Draws a line's text after the tab at the list's tab stop, as a list box with tab
// stops does.
class TabStopDelegate final : public QStyledItemDelegate {
public:
    TabStopDelegate(const CTelemetryDlg& dialog, QObject* parent)
        : QStyledItemDelegate(parent), m_dialog(dialog) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem base = option;
        initStyleOption(&base, index);
        const QString text = base.text;
        base.text.clear();
        const QWidget* widget = option.widget;
        QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &base, painter, widget);

        const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &base, widget);
        const qsizetype tab = text.indexOf(QLatin1Char('\t'));
        const int stop = option.rect.left() + m_dialog.TabStop();
        painter->save();
        painter->setPen(option.palette.color(
            (option.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
        const QRect left(textRect.left(), textRect.top(), stop - textRect.left(),
                         textRect.height());
        painter->drawText(left, Qt::AlignLeft | Qt::AlignVCenter,
                          text.left(tab < 0 ? text.size() : tab));
        if (tab >= 0) {
            const QRect right(stop, textRect.top(), textRect.right() - stop, textRect.height());
            painter->drawText(right, Qt::AlignLeft | Qt::AlignVCenter, text.mid(tab + 1));
        }
        painter->restore();
    }

private:
    const CTelemetryDlg& m_dialog;
};

} // namespace

CTelemetryDlg::CTelemetryDlg(std::vector<std::string> lines, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Telemetry Data"));
    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("list"));
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->setModel(new LinesModel(std::move(lines), m_list));
    m_list->setItemDelegate(new TabStopDelegate(*this, m_list));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);

    auto* copy = new QAction(this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this,
            [this] { QApplication::clipboard()->setText(SelectedText()); });
    addAction(copy);

    resize(320, 400);
    m_list->setFocus();
}

int CTelemetryDlg::TabStop() const {
    return m_list->viewport()->width() / 2;
}

QString CTelemetryDlg::SelectedText() const {
    QModelIndexList rows = m_list->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    QStringList lines;
    for (const QModelIndex& row : rows)
        lines.append(row.data().toString());
    return lines.join(QLatin1Char('\n'));
}

} // namespace tavo
