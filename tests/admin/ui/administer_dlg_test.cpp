// The Administer, command and calibration windows offscreen, against the simulated
// recorder: their texts, lists, enabled states and refusals, with every exchange run
// on the link's thread while the window's event loop keeps going.

#include "admin/ui/administer_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "admin/ui/calibrate_dlg.h"
#include "admin/ui/command_dlg.h"
#include "device/device_test_support.h"
#include "support/qt_app.h"

namespace tavo {
namespace {

using test::BenchDirectory;
using test::HostBytes;
using Lines = std::vector<std::string>;

QStringList Items(QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

class AdministerDialog : public testing::Test {
protected:
    explicit AdministerDialog(Zr7Options options = {}) {
        test::App();
        device = ports.Add(std::move(options));
    }
    std::unique_ptr<CAdministerDlg> Open() {
        auto d = std::make_unique<CAdministerDlg>(ports, "COM1:", false);
        d->prompt = &user;
        d->runDialog = [this](QDialog& sub) {
            ++subDialogs;
            return onSubDialog ? onSubDialog(sub) : int(QDialog::Rejected);
        };
        d->show();
        d->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(d.get()));
        return d;
    }
    // Clicks and waits for the exchange it starts to end.
    static bool Click(CAdministerDlg& d, QPushButton* button, int timeoutMs = 60000) {
        QSignalSpy ended(&d, &CAdministerDlg::ExchangeEnded);
        QTest::mouseClick(button, Qt::LeftButton);
        return ended.count() > 0 || ended.wait(timeoutMs);
    }
    template <typename Pred> static bool WaitFor(Pred done, int timeoutMs) {
        QElapsedTimer timer;
        timer.start();
        while (!done()) {
            if (timer.elapsed() > timeoutMs)
                return false;
            QTest::qWait(5);
        }
        return true;
    }

    BenchDirectory ports;
    std::shared_ptr<SimulatedDevice> device;
    test::ScriptedPrompt user;
    std::function<int(QDialog&)> onSubDialog;
    int subDialogs = 0;
};

TEST_F(AdministerDialog, OpensWithItsTextsListsAndDefaults) {
    auto d = Open();
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Administer"));
    const std::pair<QPushButton*, const char*> buttons[] = {
        {d->connectButton, "Connect"},
        {d->readButton, "Read Values from TAVO"},
        {d->writeButton, "Write Values to TAVO"},
        {d->defaultsButton, "Set Defaults"},
        {d->okButton, "OK"},
        {d->cancelButton, "Cancel"},
        {d->calibrateButton, "Calibrate"},
        {d->commandButton, "Command"}};
    for (const auto& [button, text] : buttons)
        EXPECT_EQ(button->text().remove(QLatin1Char('&')), QLatin1String(text));
    EXPECT_EQ(Items(d->sampleRate).join(QLatin1Char(',')),
              QStringLiteral("4 Hz,8 Hz,10 Hz,20 Hz,25 Hz,40 Hz,50 Hz,100 Hz,125 Hz,200 Hz,"
                             "250 Hz,500 Hz,1000 Hz"));
    EXPECT_EQ(Items(d->preLaunch).join(QLatin1Char(',')),
              QStringLiteral("64 samples,128 samples,256 samples,512 samples,1024 samples,"
                             "2048 samples,4096 samples"));
    EXPECT_EQ(d->sampleRate->currentText(), QStringLiteral("200 Hz"));
    EXPECT_EQ(d->preLaunch->currentText(), QStringLiteral("256 samples"));
    EXPECT_TRUE(d->eventApogee->isChecked());
    EXPECT_TRUE(d->normallyClosed->isChecked());
    EXPECT_EQ(d->twoGee->text(), QStringLiteral("15"));
    EXPECT_EQ(d->actionTime->text(), QStringLiteral("200"));
    EXPECT_EQ(d->eventDelay->text(), QStringLiteral("1"));
    EXPECT_FALSE(d->burnOutNumber->isEnabled());
    EXPECT_FALSE(d->normallyOpen->isEnabled());
    EXPECT_FALSE(d->normallyClosed->isEnabled());
    EXPECT_TRUE(d->breakwire->isEnabled());
    EXPECT_EQ(d->portName->currentText(), QStringLiteral("COM1:"));
    EXPECT_EQ(d->portName->itemText(0), QStringLiteral("COM1:"));
    EXPECT_TRUE(d->StatusLines().isEmpty());
    EXPECT_EQ(HostBytes(*device), "");
    // Tabbing walks the buttons first, then the settings in their groups.
    d->connectButton->setFocus();
    QWidget* w = d->connectButton;
    QStringList walk;
    for (int i = 0; i < 4; ++i) {
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus)
            w = w->nextInFocusChain();
        walk << (qobject_cast<QPushButton*>(w)
                     ? qobject_cast<QPushButton*>(w)->text().remove(QLatin1Char('&'))
                     : QStringLiteral("?"));
    }
    EXPECT_EQ(walk, (QStringList{QStringLiteral("Read Values from TAVO"),
                                 QStringLiteral("Write Values to TAVO"),
                                 QStringLiteral("Set Defaults"), QStringLiteral("OK")}));
}

TEST_F(AdministerDialog, ThePortBoxListsThePortsAndKeepsAStoredNameThatIsGone) {
    ports.Add();
    struct Case {
        const char* stored;
        QStringList names;
        int selected;
    };
    const Case cases[] = {
        {"COM2:", {QStringLiteral("COM1:"), QStringLiteral("COM2:")}, 1},
        {"com1", {QStringLiteral("COM1:"), QStringLiteral("COM2:")}, 0},
        {"COM9:", {QStringLiteral("COM1:"), QStringLiteral("COM2:"), QStringLiteral("COM9:")}, 2},
    };
    for (const Case& c : cases) {
        CAdministerDlg d(ports, c.stored, false);
        EXPECT_EQ(Items(d.portName), c.names) << c.stored;
        EXPECT_EQ(d.portName->currentIndex(), c.selected) << c.stored;
        EXPECT_EQ(d.portName->currentText(), QString::fromLatin1(c.stored)) << c.stored;
        // Each entry carries its device beside its name.
        EXPECT_EQ(d.portName->model()->index(1, 1).data().toString(), QStringLiteral("sim2"));
    }
}

TEST_F(AdministerDialog, ConnectShowsTheRecorderWhileTheWindowKeepsRunning) {
    {
        auto lock = device->Lock();
        device->Recorder().SetWord(2, 10);
        device->Recorder().SetWord(4, 2);
    }
    auto d = Open();
    QSignalSpy ended(d.get(), &CAdministerDlg::ExchangeEnded);
    QTest::mouseClick(d->connectButton, Qt::LeftButton);
    EXPECT_TRUE(d->IsExchanging());
    EXPECT_FALSE(d->okButton->isEnabled());
    EXPECT_FALSE(d->connectButton->isEnabled());
    EXPECT_TRUE(d->cancelButton->isEnabled());
    ASSERT_TRUE(ended.wait(60000));
    EXPECT_FALSE(d->busyBar->isVisible());
    EXPECT_EQ(d->connectButton->text().remove(QLatin1Char('&')), QStringLiteral("Disconnect"));
    EXPECT_EQ(d->model->text(), QStringLiteral("ZR7"));
    EXPECT_EQ(d->version->text(), QStringLiteral("210"));
    EXPECT_EQ(d->serialNumber->text(), QStringLiteral("1234"));
    EXPECT_EQ(d->sampleRate->currentText(), QStringLiteral("100 Hz"));
    EXPECT_TRUE(d->eventBurnOut->isChecked());
    EXPECT_TRUE(d->burnOutNumber->isEnabled());
    EXPECT_TRUE(d->normallyOpen->isEnabled());
    EXPECT_EQ(d->StatusLines(),
              (QStringList{QStringLiteral("Loaded data from TAVO"), QStringLiteral("Connected"),
                           QStringLiteral("Comm port open")}));
    ASSERT_TRUE(Click(*d, d->connectButton));
    EXPECT_EQ(d->connectButton->text().remove(QLatin1Char('&')), QStringLiteral("Connect"));
    EXPECT_EQ(d->StatusLines().value(0), QStringLiteral("Disconnected"));
}

TEST_F(AdministerDialog, OldFirmwareDisablesTheGatedControlsAfterItsMessage) {
    {
        auto lock = device->Lock();
        device->Recorder().Options().firmwareVersion = 209;
    }
    auto d = Open();
    ASSERT_TRUE(Click(*d, d->connectButton));
    EXPECT_EQ(user.MessageTexts(), Lines{kFirmwareMessage});
    for (QWidget* w : std::initializer_list<QWidget*>{d->normallyOpen, d->normallyClosed,
                                                      d->burnOutNumber, d->actionTime, d->breakwire,
                                                      d->actionTimeLabel, d->actionTimeHint})
        EXPECT_FALSE(w->isEnabled()) << w->metaObject()->className();
}

TEST_F(AdministerDialog, RefusedFieldsKeepTheDialogOpenAndAreFocused) {
    struct Case {
        QLineEdit* CAdministerDlg::*field;
        const char* text;
        const char* message;
    };
    // The messages of every field are the rules' (administer_logic_test.cpp).
    const Case cases[] = {
        {&CAdministerDlg::eventDelay, "soon", "Please enter an integer."},
        {&CAdministerDlg::burnOutNumber, "6", "Please enter an integer between 1 and 5."},
    };
    for (const Case& c : cases) {
        user = test::ScriptedPrompt{};
        auto d = Open();
        QLineEdit* edit = (*d).*c.field;
        QTest::mouseClick(d->eventBurnOut, Qt::LeftButton); // its number can be typed
        edit->setText(QString::fromLatin1(c.text));
        ASSERT_TRUE(Click(*d, d->okButton));
        EXPECT_TRUE(d->isVisible()) << c.text;
        EXPECT_EQ(user.MessageTexts(), Lines{c.message}) << c.text;
        EXPECT_TRUE(edit->hasFocus()) << c.text;
        d->reject();
        EXPECT_FALSE(d->isVisible());
    }
}

TEST_F(AdministerDialog, OkAsksWhenModifiedAndCancelNever) {
    auto d = Open();
    ASSERT_TRUE(Click(*d, d->connectButton));
    d->sampleRate->setFocus();
    d->sampleRate->setCurrentIndex(10);
    emit d->sampleRate->activated(10); // as a user's choice
    user.okCancel = Answer::Cancel;
    ASSERT_TRUE(Click(*d, d->okButton));
    EXPECT_EQ(user.QuestionTexts(), Lines{"Data modified but not saved.\nContinue to exit?"});
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(d->Logic().PortOpen());
    d->reject();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(user.questions.size(), 1u);
    EXPECT_FALSE(d->Logic().PortOpen());
}

TEST_F(AdministerDialog, CalibrateAndCommandWantAConnectionFirst) {
    auto d = Open();
    QTest::mouseClick(d->calibrateButton, Qt::LeftButton);
    QTest::mouseClick(d->commandButton, Qt::LeftButton);
    EXPECT_EQ(user.MessageTexts(), (Lines{"Please connect first.", "Please connect first."}));
    EXPECT_EQ(subDialogs, 0);
    EXPECT_EQ(HostBytes(*device), "");
}

TEST_F(AdministerDialog, CalibrationReadsOnTheLinkAndItsValueComesBack) {
    auto d = Open();
    ASSERT_TRUE(Click(*d, d->connectButton));
    onSubDialog = [this](QDialog& sub) {
        auto& c = dynamic_cast<CCalibrateDlg&>(sub);
        c.show();
        EXPECT_EQ(c.windowTitle(), QStringLiteral("Calibrate acceleration"));
        EXPECT_EQ(c.twoGee->text(), QStringLiteral("15"));
        c.twoGee->setText(QStringLiteral("180"));
        const int readings[] = {620, 400};
        for (int i = 0; i < 2; ++i) {
            {
                auto lock = device->Lock();
                device->Recorder().SetFlight({static_cast<std::uint16_t>(readings[i])}, 0, 15);
            }
            QSignalSpy ended(&c, &CCalibrateDlg::ReadEnded);
            QTest::mouseClick(c.readButton[i], Qt::LeftButton);
            EXPECT_TRUE(ended.wait(60000));
        }
        EXPECT_EQ(c.reading[0]->text(), QStringLiteral("620"));
        EXPECT_EQ(c.reading[1]->text(), QStringLiteral("400"));
        EXPECT_EQ(c.difference->text(), QStringLiteral("220"));
        EXPECT_EQ(c.twoGee->text(), QStringLiteral("180")); // typed, not undone by READ
        c.accept();
        return c.result();
    };
    QTest::mouseClick(d->calibrateButton, Qt::LeftButton);
    EXPECT_EQ(subDialogs, 1);
    EXPECT_EQ(d->twoGee->text(), QStringLiteral("180"));
    EXPECT_EQ(d->Logic().Settings().m_nTwoGeeValue, 180);
}

TEST_F(AdministerDialog, CommandConsoleSendsOnTheLinkAndShowsTheReply) {
    auto d = Open();
    ASSERT_TRUE(Click(*d, d->connectButton));
    {
        auto lock = device->Lock();
        device->Recorder().SetWord(10, 512);
    }
    onSubDialog = [this](QDialog& sub) {
        auto& c = dynamic_cast<CCommandDlg&>(sub);
        c.show();
        c.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&c));
        EXPECT_EQ(c.windowTitle(), QStringLiteral("Command "));
        EXPECT_TRUE(c.sendButton->isDefault());
        auto send = [&c](const char* command, const char* value, const char* address) {
            c.command->setText(QString::fromLatin1(command));
            c.value->setText(QString::fromLatin1(value));
            c.address->setText(QString::fromLatin1(address));
            QSignalSpy ended(&c, &CCommandDlg::SendEnded);
            QTest::keyClick(c.command, Qt::Key_Return); // Enter sends
            EXPECT_TRUE(ended.wait(60000)) << command;
            return c.reply->text();
        };
        EXPECT_EQ(send("S", "0", "10"), QStringLiteral("512K"));
        EXPECT_EQ(send("s", "0", "10"), QStringLiteral("Invalid command"));
        EXPECT_EQ(send("R", "70000", "6"), QStringLiteral("Invalid command"));
        EXPECT_TRUE(c.value->hasFocus());
        user.okCancel = Answer::Cancel;
        EXPECT_EQ(send("R", "300", "6"), QString());
        QTest::mouseClick(c.helpButton, Qt::LeftButton);
        QTest::keyClick(&c, Qt::Key_Escape);
        EXPECT_FALSE(c.isVisible());
        return c.result();
    };
    QTest::mouseClick(d->commandButton, Qt::LeftButton);
    EXPECT_EQ(subDialogs, 1);
    EXPECT_EQ(user.MessageTexts(),
              (Lines{"Please enter an integer between 0 and 65535.", kCommandHelp}));
    EXPECT_EQ(user.QuestionTexts(), Lines{kWriteMemoryQuestion});
    auto lock = device->Lock();
    EXPECT_EQ(device->Recorder().Word(6), 1); // the write was cancelled
}

class PacedAdministerDialog : public AdministerDialog {
protected:
    static Zr7Options Paced() {
        Zr7Options options;
        options.byteMicros = kByteMicros19200;
        return options;
    }
    PacedAdministerDialog() : AdministerDialog(Paced()) {
        ports.portClock = &RealClock::Instance();
    }
};

TEST_F(PacedAdministerDialog, ClosingInTheMiddleOfAWriteStopsItAtAWholeCommand) {
    auto d = Open();
    ASSERT_TRUE(Click(*d, d->connectButton));
    {
        auto lock = device->Lock();
        device->ClearHostLog();
    }
    QTest::mouseClick(d->writeButton, Qt::LeftButton);
    EXPECT_TRUE(d->busyBar->isVisible());
    // The window is served while the recorder works: wait for the second word to start.
    ASSERT_TRUE(WaitFor([&] { return HostBytes(*device).size() >= 5; }, 60000));
    QTest::keyClick(d.get(), Qt::Key_Escape);
    ASSERT_TRUE(WaitFor([&] { return !d->isVisible(); }, 60000));
    EXPECT_EQ(d->result(), QDialog::Rejected);
    const std::string bytes = HostBytes(*device);
    EXPECT_EQ(bytes.size() % 4, 0u) << "a memory write frame was cut";
    EXPECT_LT(bytes.size(), 32u);
    EXPECT_TRUE(user.messages.empty());
    EXPECT_FALSE(d->Logic().PortOpen());
}

TEST_F(PacedAdministerDialog, ControlsLeaveTheRulesAloneWhileAnExchangeHasThem) {
    auto d = Open();
    ASSERT_TRUE(Click(*d, d->connectButton));
    {
        auto lock = device->Lock();
        device->Recorder().SetWord(address::kEventDelay, 9);
        device->ClearHostLog();
    }
    QSignalSpy ended(d.get(), &CAdministerDlg::ExchangeEnded);
    QTest::mouseClick(d->readButton, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return !HostBytes(*device).empty(); }, 60000));
    // What a control would hand over while it is disabled: each handler returns at once.
    emit d->defaultsButton->clicked();
    emit d->sampleRate->activated(0);
    emit d->eventDelay->textEdited(QStringLiteral("77"));
    emit d->breakwire->clicked(true);
    ASSERT_TRUE(ended.count() > 0 || ended.wait(60000));
    EXPECT_EQ(d->Logic().Settings().m_nEventDelay, 9);
    EXPECT_FALSE(d->Logic().Settings().m_bBreakwire);
    EXPECT_EQ(d->sampleRate->currentText(), QStringLiteral("200 Hz"));
    EXPECT_FALSE(d->Logic().IsModified());
}

} // namespace
} // namespace tavo
