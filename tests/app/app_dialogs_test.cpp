// The display dialogs as the user meets them: through their commands, with OK,
// Cancel, AUTO, unit switching and the refusal of text that is not a number; and the
// settings at exit.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>

#include "app/main_frame.h"
#include "app/tavokit_app.h"
#include "device/qt/system_port_directory.h"
#include "support/scripted_prompt.h"
#include "support/widget_flights.h"
#include "view/ui/details_dlg.h"
#include "view/ui/scaling_dlg.h"
#include "view/ui/setup_dlg.h"

namespace tavo {
namespace {

using test::App;

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        settings = std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.ini")),
                                               QSettings::IniFormat);
        frame = std::make_unique<CMainFrame>(doc, *settings, ports);
        ASSERT_TRUE(frame->OpenFile(QString::fromStdString(test::WriteTestFlight(dir, "d.flt"))));
    }

    // Runs the next dialog through `script` instead of exec(): the script fills in the
    // fields and presses a button; refusals are collected.
    template <typename Dlg> void Script(std::function<void(Dlg&)> script) {
        frame->runDialog = [this, script](QDialog& d) {
            auto* dlg = dynamic_cast<Dlg*>(&d);
            EXPECT_NE(dlg, nullptr);
            if (dlg == nullptr)
                return static_cast<int>(QDialog::Rejected);
            dlg->prompt = &user;
            script(*dlg);
            return d.result();
        };
    }

    QTemporaryDir dir;
    CTAVOkitDoc doc;
    SystemPortDirectory ports;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<CMainFrame> frame;
    test::ScriptedPrompt user;

    // The refusals shown, in order.
    QStringList Refusals() const {
        QStringList texts;
        for (const auto& said : user.messages)
            texts << QString::fromStdString(said.text);
        return texts;
    }
};

TEST_F(DialogsTest, SetupOkAppliesRecomputesAndWritesThePortAtOnce) {
    doc.Settings().m_strCommPort = "COM1:";
    Script<CSetupDlg>([](CSetupDlg& d) {
        EXPECT_GE(d.commPort->count(), 1); // the stored name is listed even with no port
        EXPECT_EQ(d.commPort->currentText(), QStringLiteral("COM1:"));
        EXPECT_FALSE(d.baud->isEnabled());
        EXPECT_TRUE(d.accelOffset->isReadOnly());
        EXPECT_FALSE(d.saveTwoGee->isChecked());
        d.commPort->setEditText(QStringLiteral("/dev/ttyUSB7"));
        d.autoCom->setChecked(false);
        d.sampleRate->setText(QStringLiteral("200"));
        d.cursorRight->setChecked(true);
        d.useOtherTwoGee->setChecked(true);
        d.twoGee->setText(QStringLiteral("20"));
        d.accept();
    });
    EXPECT_TRUE(frame->OnCommand(ID_TOOLS_SETUP));
    EXPECT_EQ(doc.Settings().m_strCommPort, "/dev/ttyUSB7");
    EXPECT_EQ(doc.Record().m_nSampleRate, 200);
    EXPECT_FLOAT_EQ(doc.Curves().m_fSampleInterval, 0.005f) << "recomputed from the new rate";
    EXPECT_EQ(doc.Settings().m_nCursorPosition, 1);
    EXPECT_FALSE(doc.Settings().m_bUseFileTwoGee);
    EXPECT_FLOAT_EQ(doc.Curves().m_fTwoGee, 20.0f);
    EXPECT_FLOAT_EQ(doc.Record().m_fTwoGeeFile, 30.0f);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(settings->value(QStringLiteral("MySettings/CommPort")).toString(),
              QStringLiteral("/dev/ttyUSB7"));
    EXPECT_EQ(settings->value(QStringLiteral("MySettings/AutoComPort")).toInt(), 0);
}

TEST_F(DialogsTest, SetupSavedTwoGeeBecomesTheFlightsOwn) {
    Script<CSetupDlg>([](CSetupDlg& d) {
        d.useOtherTwoGee->setChecked(true);
        d.twoGee->setText(QStringLiteral("16.5"));
        d.saveTwoGee->setChecked(true);
        d.accept();
    });
    frame->OnCommand(ID_TOOLS_SETUP);
    EXPECT_TRUE(doc.Settings().m_bUseFileTwoGee);
    EXPECT_FLOAT_EQ(doc.Record().m_fTwoGeeFile, 16.5f);
    Script<CSetupDlg>([](CSetupDlg& d) {
        EXPECT_TRUE(d.useFileTwoGee->isChecked());
        d.reject();
    });
    frame->OnCommand(ID_TOOLS_SETUP);
}

TEST_F(DialogsTest, SetupRefusesTextThatIsNotANumberAndCancelChangesNothing) {
    Script<CSetupDlg>([](CSetupDlg& d) {
        d.sampleRate->setText(QStringLiteral("fast"));
        d.accept();
        EXPECT_EQ(d.result(), QDialog::Rejected) << "the dialog stays open";
        d.sampleRate->setText(QStringLiteral("50"));
        d.twoGee->setText(QStringLiteral("1,5"));
        d.accept();
        EXPECT_EQ(d.result(), QDialog::Rejected);
        d.reject();
    });
    frame->OnCommand(ID_TOOLS_SETUP);
    EXPECT_EQ(Refusals(), (QStringList{QStringLiteral("Please enter an integer."),
                                       QStringLiteral("Please enter a number.")}));
    EXPECT_EQ(doc.Record().m_nSampleRate, 100);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DialogsTest, ScalingOkSetsLimitsAndAutoWorksEvenWhenCancelled) {
    const float autoMax = doc.Curves().m_fAccelMax;
    Script<CScalingDlg>([](CScalingDlg& d) {
        d.edits[0]->setText(QStringLiteral("12.5"));
        d.edits[5]->setText(QStringLiteral("-3"));
        d.accept();
    });
    frame->OnCommand(ID_VIEW_SCALING);
    EXPECT_FLOAT_EQ(doc.Curves().m_fAccelMax, 12.5f);
    EXPECT_FLOAT_EQ(doc.Curves().m_fAltMin, -3.0f);
    EXPECT_FALSE(doc.IsModified());

    Script<CScalingDlg>([](CScalingDlg& d) {
        d.edits[0]->setText(QStringLiteral("99"));
        d.reject();
    });
    frame->OnCommand(ID_VIEW_SCALING);
    EXPECT_FLOAT_EQ(doc.Curves().m_fAccelMax, 12.5f) << "Cancel without AUTO changes nothing";

    Script<CScalingDlg>([](CScalingDlg& d) {
        EXPECT_EQ(d.edits[0]->text(), QStringLiteral("12.5"));
        d.edits[1]->setText(QStringLiteral("low"));
        d.accept();
        EXPECT_EQ(d.result(), QDialog::Rejected);
        d.autoButton->click();
        d.reject();
    });
    frame->OnCommand(ID_VIEW_SCALING);
    EXPECT_EQ(Refusals(), QStringList{QStringLiteral("Please enter a number.")});
    EXPECT_FLOAT_EQ(doc.Curves().m_fAccelMax, autoMax) << "AUTO holds after Cancel";
    EXPECT_FLOAT_EQ(doc.Curves().m_fAltMin, 0.0f);
}

TEST_F(DialogsTest, DetailsSwitchUnitsAndHandKilogramsAndMetresToTheFlight) {
    doc.Record().m_fLaunchWeight = 1.0f;
    doc.Record().m_fMaxDiameter = 0.05f;
    const std::int64_t when = doc.Record().m_timeDate;
    Script<CDetailsDlg>([](CDetailsDlg& d) {
        EXPECT_EQ(d.values[0]->text(), QStringLiteral("1"));
        d.units[0]->setCurrentIndex(1);
        EXPECT_EQ(d.values[0]->text(), QStringLiteral("2.205"));
        d.units[0]->setCurrentIndex(0);
        EXPECT_EQ(d.values[0]->text(), QStringLiteral("1"));
        d.units[0]->setCurrentIndex(1);
        d.values[0]->setText(QStringLiteral("4.41"));
        d.units[2]->setCurrentIndex(1);
        EXPECT_EQ(d.values[2]->text(), QStringLiteral("1.9685"));
        // Text that is not a number keeps its unit.
        d.values[1]->setText(QStringLiteral("heavy"));
        d.units[1]->setCurrentIndex(1);
        EXPECT_EQ(d.units[1]->currentIndex(), 0);
        d.values[1]->setText(QStringLiteral("0.5"));
        d.name->setText(QStringLiteral("Caf\u00e9 flight"));
        d.comment->setPlainText(QStringLiteral("two\nlines"));
        d.date->setDate(QDate(2024, 5, 17));
        d.accept();
    });
    frame->OnCommand(ID_VIEW_DETAILS);
    EXPECT_EQ(Refusals(), QStringList{QStringLiteral("Please enter a number.")});
    EXPECT_NEAR(doc.Record().m_fLaunchWeight, 2.0f, 1e-5);
    EXPECT_NEAR(doc.Record().m_fMaxDiameter, 0.05f, 1e-7);
    EXPECT_FLOAT_EQ(doc.Record().m_fPropellantWeight, 0.5f);
    EXPECT_EQ(doc.Record().m_strName, "Caf\xe9 flight");
    EXPECT_EQ(doc.Record().m_strComment, "two\r\nlines") << "line breaks as flight files hold them";
    EXPECT_EQ(QDateTime::fromSecsSinceEpoch(doc.Record().m_timeDate).date(), QDate(2024, 5, 17));
    EXPECT_EQ(QDateTime::fromSecsSinceEpoch(doc.Record().m_timeDate).time(),
              QDateTime::fromSecsSinceEpoch(when).time());
    EXPECT_TRUE(doc.IsModified());

    doc.SetModifiedFlag(false);
    Script<CDetailsDlg>([](CDetailsDlg& d) {
        d.name->setText(QStringLiteral("changed"));
        d.reject();
    });
    frame->OnCommand(ID_VIEW_DETAILS);
    EXPECT_EQ(doc.Record().m_strName, "Caf\xe9 flight");
    EXPECT_FALSE(doc.IsModified());

    // OK without a change hands back the comment a file brought, breaks and all.
    doc.Record().m_strComment = "gusty\r\n\r\nsecond try";
    Script<CDetailsDlg>([](CDetailsDlg& d) {
        EXPECT_EQ(d.comment->blockCount(), 3);
        d.accept();
    });
    frame->OnCommand(ID_VIEW_DETAILS);
    EXPECT_EQ(doc.Record().m_strComment, "gusty\r\n\r\nsecond try");
}

TEST(AppSettings, FirstRunLoadsDefaultsAndExitWritesTheCurrentValues) {
    App();
    QSettings probe(QStringLiteral("TAVO"), QStringLiteral("TAVOkit"));
    probe.clear();
    probe.sync();
    {
        CTAVOkitApp app;
        ASSERT_TRUE(app.InitInstance({}));
        EXPECT_EQ(app.Document().Settings().m_strCommPort, "COM1:");
        EXPECT_EQ(test::ShownTitle(app.MainFrame()), QStringLiteral("Untitled - TAVOkit"));
        app.MainFrame().OnCommand(ID_UNITS_ENGLISH);
        app.Document().Settings().m_bDrawGrid = false;
        app.ExitInstance();
    }
    QSettings after(QStringLiteral("TAVO"), QStringLiteral("TAVOkit"));
    EXPECT_EQ(after.value(QStringLiteral("MySettings/MetricUnits")).toInt(), 0);
    EXPECT_EQ(after.value(QStringLiteral("MySettings/DrawGrid")).toInt(), 0);
    EXPECT_EQ(after.value(QStringLiteral("MySettings/CommPort")).toString(),
              QStringLiteral("COM1:"));

    CTAVOkitApp again;
    ASSERT_TRUE(again.InitInstance({QStringLiteral("--demo")}));
    EXPECT_TRUE(again.DemoRequested());
    // The user is told that the recorder on COM1 is a simulated one.
    auto* note = again.MainFrame().findChild<QLabel*>(QStringLiteral("statusNote"));
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->text(), QStringLiteral("Demo recorder on COM1"));
    EXPECT_FALSE(again.Document().Settings().m_bMetricUnits);
}

TEST(AppStart, OpensTheFlightNamedOnTheCommandLine) {
    App();
    QTemporaryDir dir;
    const QString path = QString::fromStdString(test::WriteTestFlight(dir, "named.flt"));
    CTAVOkitApp app;
    ASSERT_TRUE(app.InitInstance({path}));
    EXPECT_EQ(test::ShownTitle(app.MainFrame()), QStringLiteral("named.flt - TAVOkit"));
    EXPECT_EQ(app.Document().SampleCount(), 200u);
    EXPECT_TRUE(app.MainFrame().isVisible());
}

TEST(AppStart, AFlightThatCannotBeOpenedLeavesTheWindowWithAnEmptyFlight) {
    App();
    test::ScriptedPrompt user;
    CTAVOkitApp app;
    EXPECT_FALSE(app.InitInstance({QStringLiteral("/nonexistent/gone.flt")}, &user));
    EXPECT_EQ(user.messages.size(), 1u);
    EXPECT_TRUE(app.MainFrame().isVisible());
    EXPECT_EQ(test::ShownTitle(app.MainFrame()), QStringLiteral("Untitled - TAVOkit"));
    EXPECT_EQ(app.Document().SampleCount(), 0u);
}

TEST(AppStart, TheFirstWindowFitsTheScreen) {
    App();
    CTAVOkitDoc doc;
    QSettings settings(QStringLiteral("TAVO"), QStringLiteral("TAVOkit"));
    SystemPortDirectory ports;
    CMainFrame frame(doc, settings, ports);
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    EXPECT_LE(frame.width(), screen.width());
    EXPECT_LE(frame.height(), screen.height());
}

} // namespace
} // namespace tavo
