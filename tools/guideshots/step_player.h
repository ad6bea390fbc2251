#pragma once
// Plays a list of steps against the running program's real windows, one step at a time
// from a repeating timer. Modal dialogs run their own event loops, and the timer keeps
// firing inside them, so a step can open a dialog, wait for it, press its buttons and
// photograph it. Anything that may open a modal window is posted, never called from
// the timer, so the player is never stuck inside the window it is meant to drive.

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <vector>

class QAbstractButton;
class QWidget;

namespace guideshots {

struct Step {
    QString what;               // shown when the step times out
    std::function<bool()> poll; // true when the step is done; called until then
    int timeoutMs = 30000;
};

class StepPlayer : public QObject {
public:
    explicit StepPlayer(std::vector<Step> steps);
    // Starts playing; `done` runs when the last step has finished.
    void Start(std::function<void()> done);

private:
    void Tick();

    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    bool m_bInTick = false;
    QTimer m_timer;
    QElapsedTimer m_stepClock;
    std::function<void()> m_done;
};

// Ends the run at once with `message`: a step that cannot do its part.
[[noreturn]] void Fail(const QString& message);

// A visible top-level window with this title (mnemonic ampersands ignored), or nullptr.
QWidget* FindWindow(const QString& title);
// An enabled, visible button of `window` showing `text` (ampersands ignored), or nullptr.
QAbstractButton* FindButton(QWidget* window, const QString& text);
// The line edit or combo box beside the form label `label` in `window`, or nullptr.
QWidget* FieldByLabel(QWidget* window, const QString& label);
// True while no busy cursor is set: long work has ended.
bool Idle();

// Step makers. Each one polls until it can do its part.
// Posts a command of the main window, as a menu item would.
Step Command(const QString& what, std::function<void()> post);
// Waits for a window titled `title`, idle, and for `ready` (when given) to hold.
Step WaitWindow(const QString& title, std::function<bool(QWidget*)> ready = {},
                int timeoutMs = 30000);
// Waits until no window titled `title` is shown.
Step WaitGone(const QString& title);
// Clicks the button `text` of window `title` once it is enabled.
Step Click(const QString& title, const QString& text);
// Answers the file chooser titled `title` with `path`.
Step ChooseFile(const QString& title, const QString& path);
// Waits `ms` milliseconds (for a repaint or live data to arrive).
Step Pause(int ms);
// Runs `action` once (no modal windows may open from it).
Step Do(const QString& what, std::function<void()> action);
// Waits for `condition`.
Step Until(const QString& what, std::function<bool()> condition, int timeoutMs = 30000);
// Saves `window()`'s own picture as a PNG; fails the run when it cannot be written.
Step Shot(const QString& path, std::function<QWidget*()> window);

} // namespace guideshots
