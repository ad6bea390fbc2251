#pragma once
// Lists every text of a window that the user cannot read whole: a label, a button's
// caption, a group's title or a read-only field cut short, a wrapped label with more
// lines than it has room for. Each fault is one readable line, as in keyboard_check.h.
// A test runs it at the scale factors the program is used at (QT_SCALE_FACTOR).

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QWidget>

#include "support/keyboard_check.h"

namespace tavo::test {

inline QStringList TextFitFaults(QWidget& window) {
    window.show();
    QApplication::processEvents();
    QStringList faults;
    const auto cut = [&faults](const QWidget* w, const QString& text, QSize need) {
        faults << QStringLiteral("\"%1\" needs %2 x %3 and has %4 x %5")
                      .arg(PlainText(text).replace(QLatin1Char('\n'), QLatin1Char(' ')))
                      .arg(need.width())
                      .arg(need.height())
                      .arg(w->width())
                      .arg(w->height());
    };
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&window) || label->text().isEmpty())
            continue;
        const QSize need = label->wordWrap() ? QSize(label->minimumSizeHint().width(),
                                                     label->heightForWidth(label->width()))
                                             : label->sizeHint();
        if (need.width() > label->width() || need.height() > label->height())
            cut(label, label->text(), need);
    }
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(&window) || button->text().isEmpty())
            continue;
        const QSize need = button->sizeHint();
        if (need.width() > button->width() || need.height() > button->height())
            cut(button, button->text(), need);
    }
    for (QGroupBox* group : window.findChildren<QGroupBox*>()) {
        if (!group->isVisibleTo(&window) || group->title().isEmpty())
            continue;
        if (group->minimumSizeHint().width() > group->width())
            cut(group, group->title(), group->minimumSizeHint());
    }
    // A field the user cannot type into must show its whole value.
    for (QLineEdit* edit : window.findChildren<QLineEdit*>()) {
        if (!edit->isVisibleTo(&window) || !edit->isReadOnly() || edit->text().isEmpty())
            continue;
        const QMargins m = edit->textMargins() + edit->contentsMargins();
        const int need = edit->fontMetrics().horizontalAdvance(edit->text()) + m.left() +
                         m.right() + 2 * edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        if (need > edit->width())
            cut(edit, edit->text(), QSize(need, edit->height()));
    }
    for (QComboBox* combo : window.findChildren<QComboBox*>()) {
        if (!combo->isVisibleTo(&window) || combo->isEditable())
            continue;
        if (combo->sizeHint().width() > combo->width())
            cut(combo, combo->currentText(), combo->sizeHint());
    }
    return faults;
}

} // namespace tavo::test
