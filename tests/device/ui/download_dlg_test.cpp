#include "device/ui/download_dlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "device/device_test_support.h"

namespace tavo {
namespace {

using test::BenchDirectory;
using test::HostBytes;

class DownloadDialog : public testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "download_dlg_test";
        static char* argv[] = {name, nullptr};
        if (QApplication::instance() == nullptr)
            new QApplication(argc, argv);
    }

    explicit DownloadDialog(Zr7Options options = {}) {
        flight = GenerateTestFlight(7000);
        device = ports.Add(std::move(options));
        auto lock = device->Lock();
        device->Recorder().SetFlight(flight, 200, 40);
    }

    void SetUp() override {
        doc.Record().m_pSamples.items() = {"500", "501"};
        doc.Record().m_pUndoSamples.Record({0, {"7"}});
        doc.Record().m_nSampleRate = 50;
        doc.Settings().m_nMaxSamples = 6000;
        doc.SetModifiedFlag(false); // as saved, with a cut to undo
    }

    std::unique_ptr<CDownloadDlg> Open() {
        auto dialog = std::make_unique<CDownloadDlg>(doc, ports, "COM1:", false);
        dialog->prompt = &user;
        dialog->show();
        return dialog;
    }
    static QPushButton* Button(CDownloadDlg& d, const char* text) {
        for (QPushButton* b : d.findChildren<QPushButton*>())
            if (b->text().remove(QLatin1Char('&')) == QLatin1String(text))
                return b;
        return nullptr;
    }
    static QString SamplesRead(CDownloadDlg& d) {
        auto* count = d.findChild<QLabel*>(QStringLiteral("samplesRead"));
        return count != nullptr ? count->text() : QStringLiteral("?");
    }
    // Runs the event loop until `done` holds; false after `timeoutMs`.
    template <typename Pred> static bool WaitFor(Pred done, int timeoutMs) {
        QElapsedTimer timer;
        timer.start();
        while (!done()) {
            if (timer.elapsed() > timeoutMs)
                return false;
            QTest::qWait(10);
        }
        return true;
    }
    // Clicks Read EEPROM and waits for the transfer's end.
    bool ReadEeprom(CDownloadDlg& d, int timeoutMs = 60000) {
        QSignalSpy ended(&d, &CDownloadDlg::TransferEnded);
        QTest::mouseClick(Button(d, "Read EEPROM"), Qt::LeftButton);
        return ended.wait(timeoutMs);
    }
    std::vector<std::string> Expected(std::size_t n) const {
        std::vector<std::string> v;
        for (std::size_t i = 0; i < n; ++i)
            v.push_back(std::to_string(flight[i]));
        return v;
    }

    BenchDirectory ports;
    std::shared_ptr<SimulatedDevice> device;
    std::vector<std::uint16_t> flight;
    CTAVOkitDoc doc;
    test::ScriptedPrompt user;
};

TEST_F(DownloadDialog, ReadEepromThenOkMakesTheDownloadTheFlight) {
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Download DATA"));
    EXPECT_EQ(SamplesRead(*dialog), QString());
    ASSERT_TRUE(ReadEeprom(*dialog));
    EXPECT_EQ(SamplesRead(*dialog), QStringLiteral("6008"));
    // The 7000-sample recording goes on past the default maximum: the user is told, and
    // the bar of a finished transfer stands full.
    EXPECT_TRUE(dialog->Note().startsWith(QStringLiteral("Stopped at the maximum of 6000")));
    auto* bar = dialog->findChild<QProgressBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->value(), bar->maximum());
    // The description is the document's as soon as it arrived.
    EXPECT_EQ(doc.Record().m_nSampleRate, 200);
    EXPECT_EQ(doc.Record().m_nPreLaunchSetting, 512);
    EXPECT_EQ(doc.Record().m_fTwoGeeFile, 40.0f);
    EXPECT_EQ(doc.Record().m_nAccelOffset, flight[0] & 0xFFF);
    EXPECT_EQ(doc.Record().m_pSamples.size(), 2u); // samples only on OK
    QTest::mouseClick(Button(*dialog, "OK"), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(doc.Record().m_pSamples.items(), Expected(6006));
    EXPECT_TRUE(doc.Record().m_pUndoSamples.empty());
    EXPECT_TRUE(user.questions.empty());
    EXPECT_TRUE(user.messages.empty());
}

TEST_F(DownloadDialog, CancelDiscardsTheSamplesButKeepsTheDescription) {
    auto dialog = Open();
    ASSERT_TRUE(ReadEeprom(*dialog));
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(doc.Record().m_pSamples.items(), (std::vector<std::string>{"500", "501"}));
    EXPECT_EQ(doc.Record().m_pUndoSamples.size(), 1u);
    EXPECT_EQ(doc.Record().m_nSampleRate, 200);
}

TEST_F(DownloadDialog, UnsavedChangesAreAskedAboutFirst) {
    doc.SetModifiedFlag(true);
    user.okCancel = Answer::Cancel;
    auto dialog = Open();
    QTest::mouseClick(Button(*dialog, "Read EEPROM"), Qt::LeftButton);
    EXPECT_EQ(user.QuestionTexts(),
              std::vector<std::string>{
                  "Original data not stored.\nThis function will overwrite existing data."});
    EXPECT_FALSE(dialog->IsTransferring());
    EXPECT_EQ(HostBytes(*device), "");
    user.okCancel = Answer::Ok;
    ASSERT_TRUE(ReadEeprom(*dialog));
    EXPECT_EQ(dialog->Received().size(), 6006u);
}

TEST_F(DownloadDialog, AMaximumThatIsNoNumberIsRefused) {
    auto dialog = Open();
    dialog->findChild<QLineEdit*>()->setText(QStringLiteral("lots"));
    QTest::mouseClick(Button(*dialog, "Read EEPROM"), Qt::LeftButton);
    EXPECT_EQ(user.MessageTexts(), std::vector<std::string>{"Please enter an integer."});
    EXPECT_FALSE(dialog->IsTransferring());
    EXPECT_EQ(HostBytes(*device), "");
    QTest::mouseClick(Button(*dialog, "OK"), Qt::LeftButton);
    EXPECT_TRUE(dialog->isVisible()); // OK takes the field too

    dialog->findChild<QLineEdit*>()->setText(QStringLiteral("800"));
    ASSERT_TRUE(ReadEeprom(*dialog));
    EXPECT_EQ(SamplesRead(*dialog), QStringLiteral("808"));
    EXPECT_EQ(dialog->MaxToReceive(), 800);
}

TEST_F(DownloadDialog, FailuresOnTheWorkerAreShownByTheWindow) {
    {
        auto lock = device->Lock();
        device->Recorder().Options().buzzReply = "";
    }
    auto dialog = Open();
    ASSERT_TRUE(ReadEeprom(*dialog));
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].text.rfind("Connect failed!\n\nNo answer on COM1: (sim1).", 0), 0u);
    EXPECT_TRUE(dialog->Received().empty());
    EXPECT_TRUE(Button(*dialog, "Read EEPROM")->isEnabled());
}

TEST_F(DownloadDialog, ARecorderThatFallsSilentLeavesNoPartialFlightUnlessWanted) {
    device->Recorder().Options().silentAfterBlocks = 100; // no worker runs yet
    auto dialog = Open();
    dialog->findChild<QLineEdit*>()->setText(QStringLiteral("40000"));
    user.answers = {Answer::No};
    ASSERT_TRUE(ReadEeprom(*dialog));
    const std::string told = "Download incomplete: 800 of 32768 samples read.\n\nThe recorder "
                             "stopped sending: nothing came for more than 2 seconds.";
    EXPECT_EQ(user.QuestionTexts(),
              std::vector<std::string>{told + "\n\nKeep the partial flight?"});
    EXPECT_TRUE(dialog->Received().empty());
    EXPECT_TRUE(dialog->Note().endsWith(QStringLiteral("The partial flight was discarded.")));
    QTest::mouseClick(Button(*dialog, "OK"), Qt::LeftButton);
    EXPECT_EQ(doc.Record().m_pSamples.items(), (std::vector<std::string>{"500", "501"}));
}

class TimedDownloadDialog : public DownloadDialog {
protected:
    static Zr7Options Paced() {
        Zr7Options options;
        options.byteMicros = kByteMicros19200;
        return options;
    }
    TimedDownloadDialog() : DownloadDialog(Paced()) { ports.portClock = &RealClock::Instance(); }
};

TEST_F(TimedDownloadDialog, TheCountMovesWhileTheWindowRunsAndAbortEndsTheTransfer) {
    auto dialog = Open();
    QSignalSpy ended(dialog.get(), &CDownloadDlg::TransferEnded);
    QTest::mouseClick(Button(*dialog, "Read EEPROM"), Qt::LeftButton);
    EXPECT_TRUE(dialog->IsTransferring());
    EXPECT_FALSE(Button(*dialog, "OK")->isEnabled());
    EXPECT_TRUE(Button(*dialog, "ABORT")->isEnabled());
    // The event loop runs here, so the count can only move if the window is served.
    ASSERT_TRUE(WaitFor([&] { return SamplesRead(*dialog).toInt() >= 400; }, 60000));
    EXPECT_TRUE(dialog->IsTransferring());
    QTest::mouseClick(Button(*dialog, "ABORT"), Qt::LeftButton);
    ASSERT_TRUE(ended.count() == 1 || ended.wait(60000));
    const int count = SamplesRead(*dialog).toInt();
    // Paced at the line's real speed the transfer would run 6.6 s to the maximum.
    EXPECT_LT(count, 6008);
    // ABORT left a partial flight: the user was asked, said Yes, and keeps it.
    EXPECT_EQ(user.questions.size(), 1u);
    EXPECT_TRUE(dialog->Note().endsWith(QStringLiteral("OK takes the partial flight.")));
    EXPECT_EQ(dialog->Received().size(), static_cast<std::size_t>(count - 2));
    EXPECT_EQ(dialog->Received(), Expected(static_cast<std::size_t>(count - 2)));
}

TEST_F(TimedDownloadDialog, ClosingDuringATransferStopsItFirst) {
    auto dialog = Open();
    QTest::mouseClick(Button(*dialog, "Read EEPROM"), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return SamplesRead(*dialog).toInt() >= 80; }, 60000));
    QTest::mouseClick(Button(*dialog, "Cancel"), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return !dialog->isVisible(); }, 60000));
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(doc.Record().m_pSamples.size(), 2u);
    auto lock = device->Lock();
    EXPECT_EQ(device->HostLog().back().byte, 'A');
}

} // namespace
} // namespace tavo
