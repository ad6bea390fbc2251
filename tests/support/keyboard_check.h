#pragma once
// Walks a dialog the way a keyboard user does and lists what they would trip over: a
// field Tab never reaches, a mnemonic letter used twice or leading nowhere, a field no
// mnemonic reaches, no default button, Enter swallowed by a one-line field, Esc that
// does not close. Each fault is one readable line, so a test shows them all at once.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <QTextEdit>

namespace tavo::test {

struct KeyboardExpectations {
    KeyboardExpectations(QWidget* first = nullptr, QString button = QStringLiteral("OK"))
        : firstFocus(first), defaultButton(std::move(button)) {}
    // The field that has the focus when the dialog opens; null: not checked.
    QWidget* firstFocus;
    // The text (without '&') of the button Enter presses; empty: the dialog has none.
    QString defaultButton;
    // Fields that take Enter for themselves (a multi-line edit, a list).
    QList<QWidget*> keepsEnter;
    // Fields that need no mnemonic: the only field, or one no label stands beside.
    QList<QWidget*> noMnemonic;
};

// The mnemonic letter of a text ('&x'), lower case; 0 when it has none.
inline QChar MnemonicOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return text[i + 1].toLower();
        ++i; // "&&" is a literal ampersand
    }
    return QChar();
}

inline QString PlainText(QString text) {
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}

namespace detail {

inline QString Describe(const QWidget* w) {
    QString what = QString::fromLatin1(w->metaObject()->className());
    if (const auto* b = qobject_cast<const QAbstractButton*>(w))
        return what + QStringLiteral(" \"") + PlainText(b->text()) + QLatin1Char('"');
    if (const auto* l = qobject_cast<const QLabel*>(w))
        return what + QStringLiteral(" \"") + PlainText(l->text()) + QLatin1Char('"');
    if (!w->objectName().isEmpty())
        return what + QStringLiteral(" ") + w->objectName();
    // A field is named after the label that stands for it, where one does.
    for (const QLabel* l : w->window()->findChildren<QLabel*>())
        if (l->buddy() == w)
            return what + QStringLiteral(" of \"") + PlainText(l->text()) + QLatin1Char('"');
    return what;
}

// The widgets a user types into, ticks or presses: the outermost focusable ones (a
// combo box's or spin box's own line edit belongs to it).
inline bool IsInput(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QAbstractItemView*>(w);
}

inline QWidget* OutermostInput(QWidget* w, const QWidget* dialog) {
    QWidget* found = nullptr;
    for (QWidget* p = w; p != nullptr && p != dialog; p = p->parentWidget())
        if (IsInput(p))
            found = p;
    return found;
}

// Radio buttons of one exclusive group are one stop of the Tab order; arrows move inside.
inline const QObject* RadioGroup(const QWidget* w) {
    const auto* radio = qobject_cast<const QRadioButton*>(w);
    if (radio == nullptr)
        return nullptr;
    if (radio->group() != nullptr)
        return radio->group();
    return radio->autoExclusive() ? radio->parentWidget() : nullptr;
}

class EnterWatch : public QObject {
public:
    bool seen = false;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                seen = true;
                return true; // only watched: the default button is not pressed
            }
        }
        return false;
    }
};

} // namespace detail

// Shows `dialog`, walks it and closes it with Esc. Returns the faults found.
inline QStringList KeyboardFaults(QDialog& dialog, const KeyboardExpectations& expect = {}) {
    using detail::Describe;
    QStringList faults;
    dialog.show();
    dialog.activateWindow();
    if (!QTest::qWaitForWindowActive(&dialog))
        return {QStringLiteral("the dialog never became the active window")};

    QList<QWidget*> inputs;
    for (QWidget* w : dialog.findChildren<QWidget*>())
        if (detail::IsInput(w) && detail::OutermostInput(w, &dialog) == w && w->isVisible() &&
            (w->focusPolicy() & Qt::TabFocus))
            inputs << w;

    // Focus on open.
    QWidget* start = detail::OutermostInput(QApplication::focusWidget(), &dialog);
    if (start == nullptr && !inputs.isEmpty())
        faults << QStringLiteral("no field has the focus when the dialog opens");
    else if (expect.firstFocus != nullptr && start != expect.firstFocus)
        faults << QStringLiteral("the focus opens on %1, not on %2")
                      .arg(Describe(start), Describe(expect.firstFocus));

    // Tab from the first field round to it again.
    QList<QWidget*> order;
    QSet<const QObject*> groupsReached;
    for (int i = 0; start != nullptr && i < 4 * static_cast<int>(inputs.size()) + 4; ++i) {
        QWidget* at = detail::OutermostInput(QApplication::focusWidget(), &dialog);
        if (at == nullptr) {
            faults << QStringLiteral("Tab leaves the dialog's fields");
            break;
        }
        // A date edit takes Tab from section to section before it lets go.
        if (!order.isEmpty() && at == order.last()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            continue;
        }
        if (!order.isEmpty() && at == order.first())
            break;
        order << at;
        if (const QObject* g = detail::RadioGroup(at))
            groupsReached.insert(g);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    for (QWidget* w : inputs) {
        if (!w->isEnabled() || order.contains(w))
            continue;
        const QObject* g = detail::RadioGroup(w);
        if (g == nullptr || !groupsReached.contains(g))
            faults << QStringLiteral("Tab never reaches %1").arg(Describe(w));
    }

    // Mnemonics: one letter one control, each leading somewhere.
    QMap<QChar, QString> owner;
    QSet<const QWidget*> byMnemonic;
    const auto claim = [&](QChar letter, const QWidget* w) {
        if (letter.isNull())
            return;
        if (owner.contains(letter))
            faults << QStringLiteral("'%1' is the mnemonic of both %2 and %3")
                          .arg(letter)
                          .arg(owner[letter], Describe(w));
        else
            owner[letter] = Describe(w);
    };
    for (QLabel* l : dialog.findChildren<QLabel*>()) {
        if (!l->isVisible())
            continue;
        const QChar letter = MnemonicOf(l->text());
        claim(letter, l);
        if (!letter.isNull() && l->buddy() == nullptr)
            faults << QStringLiteral("%1 has a mnemonic but no field").arg(Describe(l));
        if (letter.isNull() && l->buddy() != nullptr && detail::IsInput(l->buddy()))
            faults << QStringLiteral("%1 stands for a field but has no mnemonic").arg(Describe(l));
        if (!letter.isNull() && l->buddy() != nullptr)
            byMnemonic.insert(detail::OutermostInput(l->buddy(), &dialog));
    }
    for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>()) {
        if (!b->isVisible() || !inputs.contains(b))
            continue;
        claim(MnemonicOf(b->text()), b);
        if (!MnemonicOf(b->text()).isNull())
            byMnemonic.insert(b);
    }
    for (QGroupBox* g : dialog.findChildren<QGroupBox*>())
        if (g->isVisible())
            claim(MnemonicOf(g->title()), g);
    for (QWidget* w : inputs) {
        const auto* edit = qobject_cast<const QLineEdit*>(w);
        const auto* push = qobject_cast<const QPushButton*>(w);
        // Enter and Esc are the keys of OK and Cancel; a field only shown needs none.
        const bool exempt =
            (edit != nullptr && edit->isReadOnly()) ||
            (push != nullptr && (push->isDefault() || PlainText(push->text()) == "OK" ||
                                 PlainText(push->text()) == "Cancel")) ||
            expect.noMnemonic.contains(w);
        if (!exempt && !byMnemonic.contains(w))
            faults << QStringLiteral("no mnemonic reaches %1").arg(Describe(w));
    }

    // The default button, and Enter reaching it from every one-line field.
    QList<QPushButton*> defaults;
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->isVisible() && b->isDefault())
            defaults << b;
    if (expect.defaultButton.isEmpty() && !defaults.isEmpty())
        faults << QStringLiteral("%1 is a default button the dialog should not have")
                      .arg(Describe(defaults.first()));
    if (!expect.defaultButton.isEmpty() &&
        (defaults.size() != 1 || PlainText(defaults.first()->text()) != expect.defaultButton))
        faults << QStringLiteral("Enter does not press the one default button \"%1\"")
                      .arg(expect.defaultButton);
    if (!expect.defaultButton.isEmpty()) {
        detail::EnterWatch watch;
        dialog.installEventFilter(&watch);
        for (QWidget* w : inputs) {
            if (!w->isEnabled() || qobject_cast<QPushButton*>(w) != nullptr ||
                expect.keepsEnter.contains(w))
                continue;
            watch.seen = false;
            w->setFocus(Qt::TabFocusReason);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            if (!watch.seen)
                faults << QStringLiteral("Enter in %1 never reaches the default button")
                              .arg(Describe(w));
        }
        dialog.removeEventFilter(&watch);
    }

    // Esc closes without accepting.
    dialog.setResult(QDialog::Accepted);
    (start != nullptr ? start : static_cast<QWidget*>(&dialog))->setFocus();
    QTest::keyClick(QApplication::focusWidget() != nullptr ? QApplication::focusWidget()
                                                           : static_cast<QWidget*>(&dialog),
                    Qt::Key_Escape);
    if (dialog.isVisible() || dialog.result() != QDialog::Rejected)
        faults << QStringLiteral("Esc does not close the dialog as cancelled");
    return faults;
}

} // namespace tavo::test
