#pragma once
// Lists every text of a window that the user cannot read whole: a label, a button's
// caption, a group's title or a list's choice cut short, a wrapped label with more
// lines than it has room for. Each fault is one readable line, as in keyboard_check.h.
// A test runs it at the scale factors the program is used at (QT_SCALE_FACTOR).

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QStringList>
#include <QWidget>

#include "support/keyboard_check.h"

namespace tavo::test {

inline QStringList TextFitFaults(QWidget& window) {
    window.show();
    QApplication::processEvents();
    QStringList faults;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        QString text;
        QSize need; // a height of 0: only the width counts
        if (auto* label = qobject_cast<QLabel*>(w)) {
            text = label->text();
            need = label->wordWrap() ? QSize(label->minimumSizeHint().width(),
                                             label->heightForWidth(label->width()))
                                     : label->sizeHint();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            text = button->text();
            need = button->sizeHint();
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            text = group->title();
            need = QSize(group->minimumSizeHint().width(), 0);
        } else if (auto* combo = qobject_cast<QComboBox*>(w); combo && !combo->isEditable()) {
            text = combo->currentText();
            need = QSize(combo->sizeHint().width(), 0);
        }
        if (text.isEmpty() || !w->isVisibleTo(&window))
            continue;
        if (need.width() > w->width() || need.height() > w->height())
            faults << QStringLiteral("\"%1\" needs %2 x %3 and has %4 x %5")
                          .arg(PlainText(text).replace(QLatin1Char('\n'), QLatin1Char(' ')))
                          .arg(need.width())
                          .arg(need.height())
                          .arg(w->width())
                          .arg(w->height());
    }
    return faults;
}

} // namespace tavo::test
