#include "step_player.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>

namespace guideshots {
namespace {

constexpr int kTickMs = 40;

QString Plain(QString text) {
    // "&&" stands for a literal ampersand; a single one marks the mnemonic.
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

// The first widget of a form row's field, which may be a layout of several.
QWidget* FirstFieldWidget(QLayoutItem* item) {
    if (item == nullptr)
        return nullptr;
    if (QWidget* w = item->widget())
        return w;
    if (QLayout* layout = item->layout()) {
        for (int i = 0; i < layout->count(); ++i)
            if (QWidget* w = FirstFieldWidget(layout->itemAt(i)))
                return w;
    }
    return nullptr;
}

} // namespace

void Fail(const QString& message) {
    std::fprintf(stderr, "guideshots: %s\n", qPrintable(message));
    std::fflush(stderr);
    // Modal loops and capture threads may be running: nothing below them is worth
    // unwinding for a run that has failed.
    std::_Exit(3);
}

StepPlayer::StepPlayer(std::vector<Step> steps) : m_steps(std::move(steps)) {
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { Tick(); });
}

void StepPlayer::Start(std::function<void()> done) {
    m_done = std::move(done);
    m_next = 0;
    m_stepClock.start();
    m_timer.start();
}

void StepPlayer::Tick() {
    if (m_bInTick)
        return;
    m_bInTick = true;
    if (m_next >= m_steps.size()) {
        m_timer.stop();
        m_bInTick = false;
        if (m_done)
            m_done();
        return;
    }
    Step& step = m_steps[m_next];
    if (step.poll()) {
        std::printf("guideshots: %s\n", qPrintable(step.what));
        std::fflush(stdout);
        ++m_next;
        m_stepClock.restart();
    } else if (m_stepClock.elapsed() > step.timeoutMs) {
        QStringList shown;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) {
                const auto* box = qobject_cast<QMessageBox*>(w);
                shown << (box ? QStringLiteral("'%1' saying \"%2\"")
                                    .arg(w->windowTitle(), box->text())
                              : QStringLiteral("'%1'").arg(w->windowTitle()));
            }
        Fail(QStringLiteral("step %1 (%2) timed out after %3 s; windows shown: %4")
                 .arg(m_next + 1)
                 .arg(step.what)
                 .arg(step.timeoutMs / 1000)
                 .arg(shown.join(QStringLiteral(", "))));
    }
    m_bInTick = false;
}

QWidget* FindWindow(const QString& title) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && Plain(w->windowTitle()) == title)
            return w;
    return nullptr;
}

QAbstractButton* FindButton(QWidget* window, const QString& text) {
    if (window == nullptr)
        return nullptr;
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (b->isVisible() && b->isEnabled() && Plain(b->text()) == text)
            return b;
    return nullptr;
}

QWidget* FieldByLabel(QWidget* window, const QString& label) {
    if (window == nullptr)
        return nullptr;
    for (QLabel* l : window->findChildren<QLabel*>()) {
        if (Plain(l->text()) != label)
            continue;
        if (l->buddy() != nullptr)
            return l->buddy();
        for (QFormLayout* form : window->findChildren<QFormLayout*>()) {
            int row = -1;
            QFormLayout::ItemRole role;
            form->getWidgetPosition(l, &row, &role);
            if (row >= 0)
                return FirstFieldWidget(form->itemAt(row, QFormLayout::FieldRole));
        }
    }
    return nullptr;
}

bool Idle() {
    return QApplication::overrideCursor() == nullptr;
}

Step Command(const QString& what, std::function<void()> post) {
    return Step{what, [post] {
                    // Queued: the command may run a modal dialog of its own.
                    QTimer::singleShot(0, qApp, post);
                    return true;
                }};
}

Step WaitWindow(const QString& title, std::function<bool(QWidget*)> ready, int timeoutMs) {
    return Step{QStringLiteral("window '%1'").arg(title),
                [title, ready] {
                    QWidget* w = FindWindow(title);
                    return w != nullptr && Idle() && (!ready || ready(w));
                },
                timeoutMs};
}

Step WaitGone(const QString& title) {
    return Step{QStringLiteral("window '%1' closed").arg(title),
                [title] { return FindWindow(title) == nullptr; }};
}

Step Click(const QString& title, const QString& text) {
    return Step{QStringLiteral("'%1' in '%2'").arg(text, title), [title, text] {
                    QAbstractButton* b = FindButton(FindWindow(title), text);
                    if (b == nullptr)
                        return false;
                    QTimer::singleShot(0, b, &QAbstractButton::click);
                    return true;
                }};
}

Step ChooseFile(const QString& title, const QString& path) {
    // The whole path typed into the name field, as a user may, and confirmed.
    return Step{QStringLiteral("file '%1' chosen in '%2'").arg(path, title), [title, path] {
                    auto* dialog = qobject_cast<QFileDialog*>(FindWindow(title));
                    auto* name = dialog
                                     ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                                     : nullptr;
                    if (name == nullptr)
                        return false;
                    name->setText(path);
                    QTimer::singleShot(0, dialog, &QDialog::accept);
                    return true;
                }};
}

Step Pause(int ms) {
    auto clock = std::make_shared<QElapsedTimer>();
    return Step{QStringLiteral("pause %1 ms").arg(ms), [clock, ms] {
                    if (!clock->isValid())
                        clock->start();
                    return clock->elapsed() >= ms;
                }};
}

Step Do(const QString& what, std::function<void()> action) {
    return Step{what, [action] {
                    action();
                    return true;
                }};
}

Step Until(const QString& what, std::function<bool()> condition, int timeoutMs) {
    return Step{what, std::move(condition), timeoutMs};
}

Step Shot(const QString& path, std::function<QWidget*()> window) {
    return Step{QStringLiteral("picture %1").arg(path), [path, window] {
                    QWidget* w = window();
                    if (w == nullptr || !Idle())
                        return false;
                    if (!w->grab().save(path, "PNG"))
                        Fail(QStringLiteral("could not write %1").arg(path));
                    return true;
                }};
}

} // namespace guideshots
