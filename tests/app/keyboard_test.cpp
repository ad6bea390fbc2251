// Every window of the program walked by keyboard alone (tests/support/keyboard_check.h),
// one row a window; and the main window's menus: a mnemonic on every menu and item,
// none twice in one menu, the desktop's shortcuts, no key bound twice.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>

#include "admin/ui/administer_dlg.h"
#include "admin/ui/calibrate_dlg.h"
#include "admin/ui/command_dlg.h"
#include "app/command_ids.h"
#include "app/main_frame.h"
#include "device/device_test_support.h"
#include "device/qt/qt_window_mailbox.h"
#include "device/qt/system_port_directory.h"
#include "device/recorder_protocol.h"
#include "device/recorder_worker.h"
#include "device/ui/download_dlg.h"
#include "exchange/ui/export_motor_dlg.h"
#include "predict/ui/predict_commands.h"
#include "predict/ui/predict_dlg.h"
#include "reports/ui/cd_report_dlg.h"
#include "reports/ui/motor_report_dlg.h"
#include "support/keyboard_check.h"
#include "support/scripted_prompt.h"
#include "support/text_fit_check.h"
#include "support/widget_flights.h"
#include "telemetry/ui/telemetry_dlg.h"
#include "view/core/display_dialogs.h"
#include "view/ui/details_dlg.h"
#include "view/ui/export_graph_dlg.h"
#include "view/ui/flight_stats_dlg.h"
#include "view/ui/scaling_dlg.h"
#include "view/ui/setup_dlg.h"
#include <QTableWidget>

namespace tavo {
namespace {

using test::KeyboardExpectations;

// What every row may borrow: a flight, the simulated recorder and a link to it.
struct Bench {
    Bench() {
        test::App();
        ports.Add();
    }
    test::ScriptedPrompt user;
    CTAVOkitDoc doc;
    test::BenchDirectory ports;
    QtWindowMailbox window;
    RecorderWorker worker{ports, &window.Mailbox()};
    SerialLink link{ports, user};
    RecorderProtocol protocol{link, ConnectReport::MessageBox};
};

struct Opened {
    std::unique_ptr<QDialog> dialog;
    KeyboardExpectations expect;
};

struct Row {
    const char* name;
    std::function<Opened(Bench&)> open;
};

template <typename Dlg> Dlg* Scripted(Dlg* dialog, Bench& b) {
    dialog->prompt = &b.user;
    return dialog;
}

const Row kRows[] = {
    {"Setup",
     [](Bench& b) {
         auto* d = Scripted(new CSetupDlg(SetupFromDoc(b.doc), b.ports), b);
         KeyboardExpectations e{d->commPort};
         e.noMnemonic = {d->twoGee}; // beside "Use other value", next by Tab
         return Opened{std::unique_ptr<QDialog>(d), e};
     }},
    {"Scaling",
     [](Bench& b) {
         auto* d = Scripted(new CScalingDlg(b.doc), b);
         return Opened{std::unique_ptr<QDialog>(d), {d->edits[0]}};
     }},
    {"Details",
     [](Bench& b) {
         auto* d = Scripted(new CDetailsDlg(b.doc.Record()), b);
         KeyboardExpectations e{d->date};
         e.keepsEnter = {d->comment}; // Enter starts a new line of the comment
         e.noMnemonic = {static_cast<QWidget*>(d->units[0]), d->units[1],
                         d->units[2]}; // each after its value
         return Opened{std::unique_ptr<QDialog>(d), e};
     }},
    {"FlightStatistics",
     [](Bench&) {
         FlightStats stats;
         return Opened{std::make_unique<CFlightStatsDlg>(stats), {}};
     }},
    {"FlightStatisticsSideBySide",
     [](Bench&) {
         FlightStats stats;
         const std::vector<StatsColumn> others = {
             {"second flight with a long name.flt", true, stats, ""},
             {"broken.flt", false, stats, "the raw display has no statistics"}};
         return Opened{std::make_unique<CFlightStatsDlg>(stats, nullptr, "demo.flt", others), {}};
     }},
    {"ExportGraph",
     [](Bench&) {
         auto* d = new CExportGraphDlg(640, 480);
         KeyboardExpectations e{d->format};
         e.noMnemonic = {static_cast<QWidget*>(d->width), d->height}; // after "Other size:", by Tab
         return Opened{std::unique_ptr<QDialog>(d), e};
     }},
    {"DownloadData",
     [](Bench& b) {
         auto* d = Scripted(new CDownloadDlg(b.doc, b.ports, "COM1:", false), b);
         // Read EEPROM has the focus: Enter there reads, and OK takes the focus after.
         QPushButton* read = nullptr;
         for (QPushButton* button : d->findChildren<QPushButton*>())
             if (test::PlainText(button->text()) == QStringLiteral("Read EEPROM"))
                 read = button;
         KeyboardExpectations e{read, QStringLiteral("Read EEPROM")};
         return Opened{std::unique_ptr<QDialog>(d), e};
     }},
    {"DownloadDataRead",
     [](Bench& b) {
         // After a transfer cut short by the maximum: the note below the fields says so.
         {
             auto lock = b.ports.devices[0]->Lock();
             b.ports.devices[0]->Recorder().SetFlight(GenerateTestFlight(7000), 200, 40);
         }
         b.doc.Settings().m_nMaxSamples = 12000;
         auto* d = Scripted(new CDownloadDlg(b.doc, b.ports, "COM1:", false), b);
         d->show();
         QSignalSpy ended(d, &CDownloadDlg::TransferEnded);
         d->OnReadEeprom();
         ended.wait(60000);
         KeyboardExpectations e;
         return Opened{std::unique_ptr<QDialog>(d), e};
     }},
    {"AdministerTavo",
     [](Bench& b) {
         // A stored port name, selected when Tab arrives, must not hold Enter back.
         auto* d = Scripted(new CAdministerDlg(b.ports, "COM1:", false), b);
         KeyboardExpectations e{d->portName};
         e.keepsEnter = {d->status};
         e.noMnemonic = {d->burnOutNumber}; // beside its radio button, next by Tab
         return Opened{std::unique_ptr<QDialog>(d), e};
     }},
    {"Command",
     [](Bench& b) {
         auto* d = Scripted(new CCommandDlg(b.worker, b.link), b);
         KeyboardExpectations e{d->command, QStringLiteral("Send")};
         return Opened{std::unique_ptr<QDialog>(d), e};
     }},
    {"Calibrate",
     [](Bench& b) {
         auto* d = Scripted(new CCalibrateDlg(b.worker, b.protocol, 30), b);
         return Opened{std::unique_ptr<QDialog>(d), {d->twoGee}};
     }},
    {"Predict",
     [](Bench& b) {
         // The demo flight's burn between the cursors, the shipped motors listed.
         FileError error;
         b.doc.OnOpenDocument(TAVOKIT_SOURCE_DIR "/data/demo.flt", error);
         b.doc.Recompute();
         const CursorRange burn{b.doc.Curves().m_nEvent1, b.doc.Curves().m_nEvent2};
         auto* d = new CPredictDlg(ReadPredictFlight(b.doc.Data(), burn, 0.0), BundledMotorFiles(),
                                   nullptr, &b.user);
         KeyboardExpectations e{d->flownMotor, QStringLiteral("Predict")};
         e.keepsEnter = {static_cast<QWidget*>(d->table)};
         return Opened{std::unique_ptr<QDialog>(d), e};
     }},
    {"LaunchSite",
     [](Bench&) {
         auto* d = new CLaunchSiteDlg(1200.0);
         return Opened{std::unique_ptr<QDialog>(d), {d->altitude}};
     }},
    {"ExportMotor",
     [](Bench& b) {
         auto* d = Scripted(new CExportMotorDlg, b);
         return Opened{std::unique_ptr<QDialog>(d), {}};
     }},
    {"MotorReport",
     [](Bench& b) {
         KeyboardExpectations e;
         e.defaultButton.clear(); // a page: Esc closes it, its menu has the rest
         return Opened{std::make_unique<CMotorReportDlg>(nullptr, nullptr, &b.user), e};
     }},
    {"CdReport",
     [](Bench& b) {
         KeyboardExpectations e;
         e.defaultButton.clear();
         return Opened{std::make_unique<CCdReportDlg>(nullptr, &b.user), e};
     }},
    {"TelemetryData",
     [](Bench&) {
         auto* d = new CTelemetryDlg({"Sample\tAltitude", "12\t40"});
         KeyboardExpectations e;
         e.defaultButton.clear(); // no buttons: Esc closes the list
         e.noMnemonic = {d->findChild<QListView*>()};
         e.keepsEnter = {d->findChild<QListView*>()};
         return Opened{std::unique_ptr<QDialog>(d), e};
     }},
};

class KeyboardTest : public testing::TestWithParam<Row> {};

TEST_P(KeyboardTest, UsableByKeyboardAlone) {
    Bench bench;
    Opened opened = GetParam().open(bench);
    const QStringList faults = test::KeyboardFaults(*opened.dialog, opened.expect);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}

// Every text whole, at the scale factor the test runs under (ctest runs it at 1 and 2).
TEST_P(KeyboardTest, EveryTextFits) {
    Bench bench;
    Opened opened = GetParam().open(bench);
    const QStringList faults = test::TextFitFaults(*opened.dialog);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Dialogs, KeyboardTest, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<Row>& info) {
                             return std::string(info.param.name);
                         });

// The About box comes from the main window, as the user meets it.
TEST(KeyboardFrameTest, AboutBoxClosesByKeyboardAndEveryTextFits) {
    test::App();
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
    CTAVOkitDoc doc;
    SystemPortDirectory ports;
    CMainFrame frame(doc, settings, ports);
    test::ScriptedPrompt user;
    frame.prompt = &user;
    QStringList faults{QStringLiteral("the About box was never opened")};
    frame.runDialog = [&](QDialog& d) {
        faults = test::KeyboardFaults(d) + test::TextFitFaults(d);
        return d.result();
    };
    frame.OnCommand(ID_APP_ABOUT);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}

// Lists the menu faults of `menu` and the menus under it.
void MenuFaults(const QMenu& menu, QStringList& faults) {
    QMap<QChar, QString> owner;
    for (QAction* a : menu.actions()) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        const QString text = test::PlainText(a->text());
        const QChar letter = test::MnemonicOf(a->text());
        if (letter.isNull())
            faults << QStringLiteral("%1 > %2 has no mnemonic").arg(menu.title(), text);
        else if (owner.contains(letter))
            faults << QStringLiteral("%1 > '%2' is the mnemonic of both %3 and %4")
                          .arg(menu.title(), QString(letter), owner[letter], text);
        else
            owner[letter] = text;
        if (a->menu() != nullptr)
            MenuFaults(*a->menu(), faults);
    }
}

class MenuKeysTest : public testing::Test {
protected:
    void SetUp() override {
        test::App();
        settings = std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.ini")),
                                               QSettings::IniFormat);
        frame = std::make_unique<CMainFrame>(doc, *settings, ports);
        frame->prompt = &user;
    }
    test::ScriptedPrompt user;
    QTemporaryDir dir;
    CTAVOkitDoc doc;
    SystemPortDirectory ports;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(MenuKeysTest, EveryMenuAndItemHasItsOwnMnemonic) {
    QStringList faults;
    QMap<QChar, QString> owner;
    for (QAction* top : frame->menuBar()->actions()) {
        const QChar letter = test::MnemonicOf(top->text());
        if (letter.isNull() || owner.contains(letter))
            faults << QStringLiteral("menu %1 has no mnemonic of its own").arg(top->text());
        owner[letter] = top->text();
        if (top->menu() != nullptr)
            MenuFaults(*top->menu(), faults);
    }
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();

    // A file name with an ampersand is shown as it is, not read as a mnemonic.
    const QString path = QString::fromStdString(test::WriteTestFlight(dir, "R&D.flt"));
    ASSERT_TRUE(frame->OpenFile(path));
    bool shown = false;
    for (QAction* a : frame->menuBar()->actions().first()->menu()->actions())
        shown = shown || test::PlainText(a->text()).endsWith(path);
    EXPECT_TRUE(shown);
}

TEST_F(MenuKeysTest, DesktopShortcutsEachBoundOnce) {
    const struct {
        int id;
        QKeySequence key;
    } expected[] = {
        {ID_FILE_NEW, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {ID_FILE_OPEN, QKeySequence(Qt::CTRL | Qt::Key_O)},
        {ID_FILE_SAVE, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {ID_FILE_SAVE_AS, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {ID_FILE_PRINT, QKeySequence(Qt::CTRL | Qt::Key_P)},
        {ID_APP_EXIT, QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {ID_EDIT_UNDO, QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {ID_EDIT_REDO, QKeySequence(Qt::CTRL | Qt::Key_Y)},
        {ID_EDIT_CUT, QKeySequence(Qt::CTRL | Qt::Key_X)},
        {ID_EDIT_COPY, QKeySequence(Qt::CTRL | Qt::Key_C)},
        {ID_EDIT_PASTE, QKeySequence(Qt::CTRL | Qt::Key_V)},
        {ID_HELP_KEYS, QKeySequence(Qt::Key_F1)},
    };
    for (const auto& e : expected)
        EXPECT_TRUE(frame->Action(e.id)->shortcuts().contains(e.key))
            << frame->Action(e.id)->text().toStdString() << " lacks "
            << e.key.toString().toStdString();

    // Qt runs neither action of a key bound twice in one window.
    QMap<QKeySequence, QString> owner;
    for (const QAction* a : frame->findChildren<QAction*>())
        for (const QKeySequence& key : a->shortcuts()) {
            EXPECT_FALSE(owner.contains(key))
                << key.toString().toStdString() << " is bound to both " << owner[key].toStdString()
                << " and " << a->text().toStdString();
            owner[key] = a->text();
        }
}

} // namespace
} // namespace tavo
