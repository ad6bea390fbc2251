#pragma once
// Accelerometer calibration, opened from the Administer dialog on its link: two sensor
// readings, taken on the link's worker, and their difference, to help the user choose
// the two-G value.

#include <QDialog>

#include "admin/command_logic.h"
#include "device/recorder_worker.h"
#include "device/thread_prompt.h"
#include "uikit/qt_user_prompt.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavo {

class CCalibrateDlg : public QDialog {
    Q_OBJECT
public:
    // Starts from the Administer dialog's two-G value.
    CCalibrateDlg(RecorderWorker& worker, RecorderProtocol& protocol, int twoGeeValue,
                  QWidget* parent = nullptr);
    ~CCalibrateDlg() override;

    UserPrompt* prompt = &m_ownPrompt;
    // The value confirmed by OK.
    int TwoGeeValue() const { return m_logic.TwoGeeValue(); }
    bool IsReading() const { return m_bReading; }

    QLineEdit* twoGee = nullptr;
    QPushButton* readButton[2] = {nullptr, nullptr};
    QLineEdit* reading[2] = {nullptr, nullptr};
    QLabel* difference = nullptr;

public slots:
    void OnRead(int which);
    void accept() override;
    void reject() override;

signals:
    void ReadEnded();

private:
    void SetReading(bool on);

    QtUserPrompt m_ownPrompt{this};
    ThreadPrompt m_linkPrompt;
    RecorderWorker& m_worker;
    CalibrateLogic m_logic;
    QPushButton* m_ok = nullptr;
    bool m_bReading = false;
    bool m_bCloseWhenDone = false;
};

} // namespace tavo
