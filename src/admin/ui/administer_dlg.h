#pragma once
// Tools > Administer TAVO: a thin shell over AdministerLogic. Every exchange with the
// recorder runs on the dialog's recorder worker while the dialog shows that it is busy;
// its status lines and messages arrive in order, every other handler returns at once
// until it has ended (the rules belong to the worker's thread meanwhile), and closing
// the dialog in the middle of one stops it at its next whole command.

#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "admin/administer_logic.h"
#include "device/port_directory.h"
#include "device/qt/qt_window_mailbox.h"
#include "device/recorder_worker.h"
#include "device/thread_prompt.h"
#include "uikit/qt_user_prompt.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSettings;

namespace tavo {

class CAdministerDlg : public QDialog {
    Q_OBJECT
public:
    // Opens on the port chosen by the device dialogs' rule; nothing is sent yet.
    CAdministerDlg(PortDirectory& ports, const std::string& portName, bool autoPort,
                   QWidget* parent = nullptr);
    ~CAdministerDlg() override;

    // The dialog's messages and questions, the link's included: real boxes over the
    // dialog, unless a test answers instead.
    UserPrompt* prompt = &m_ownPrompt;
    // Runs the calibration and command windows (QDialog::exec); tests answer by script.
    std::function<int(QDialog& dialog)> runDialog;

    // The rules behind the dialog; look only while no exchange runs.
    const AdministerLogic& Logic() const { return *m_logic; }
    bool IsExchanging() const { return m_link.IsRunning(); }
    // The "Status:" list, newest first.
    QStringList StatusLines() const;

    QComboBox* portName = nullptr;
    QCheckBox* autoPort = nullptr;
    QPushButton* connectButton = nullptr;
    QPushButton* readButton = nullptr;
    QPushButton* writeButton = nullptr;
    QPushButton* defaultsButton = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QLabel* model = nullptr;
    QLabel* version = nullptr;
    QLabel* serialNumber = nullptr;
    QRadioButton* eventLaunch = nullptr;
    QRadioButton* eventBurnOut = nullptr;
    QRadioButton* eventApogee = nullptr;
    QLineEdit* burnOutNumber = nullptr;
    QLineEdit* eventDelay = nullptr;
    QComboBox* sampleRate = nullptr;
    QComboBox* preLaunch = nullptr;
    QPushButton* calibrateButton = nullptr;
    QLabel* twoGee = nullptr;
    QLabel* actionTimeLabel = nullptr;
    QLineEdit* actionTime = nullptr;
    QLabel* actionTimeHint = nullptr;
    QCheckBox* breakwire = nullptr;
    QRadioButton* normallyOpen = nullptr;
    QRadioButton* normallyClosed = nullptr;
    QListWidget* status = nullptr;
    QPushButton* commandButton = nullptr;
    QProgressBar* busyBar = nullptr;

public slots:
    void accept() override;
    void reject() override;

signals:
    // An exchange has ended and the dialog shows its result.
    void ExchangeEnded();

private:
    void BuildControls();
    void LayOut();
    void Wire();
    // Hands the edits' texts and the port to the rules, then runs `job` on the link's
    // thread; `after` runs on this thread once it has ended.
    void StartExchange(std::function<void()> job, std::function<void()> after = {});
    void SetExchanging(bool on);
    // An exchange runs or the dialog is going: the rules are not the window's to touch.
    bool Busy() const { return IsExchanging() || m_bGoing; }
    void Show(const AdministerView& view);
    void FocusRefused();
    void OnCalibrate();
    void OnCommand();

    QtUserPrompt m_ownPrompt{this};
    QtWindowMailbox m_window;
    ThreadPrompt m_linkPrompt{m_window.Mailbox(), prompt};
    std::unique_ptr<AdministerLogic> m_logic;
    // After the rules: its thread ends before they go.
    RecorderWorker m_link;
    QWidget* m_body = nullptr;
    QButtonGroup* m_eventGroup = nullptr;
    QButtonGroup* m_contactGroup = nullptr;
    bool m_bOkResult = false;
    bool m_bCloseWhenStopped = false;
    bool m_bGoing = false;
    bool m_bBusy = false;
};

// Tools > Administer TAVO: the dialog over `ports`, its port chosen from `settings` by
// the device dialogs' rule.
void RunAdministerDialog(QWidget* parent, QSettings& settings, PortDirectory& ports);

} // namespace tavo
