#include "app/main_frame.h"
#include "device/qt/system_port_directory.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "app/subsystem_commands.h"
#include "support/scripted_prompt.h"
#include "support/widget_flights.h"
#include "view/ui/tavokit_view.h"

namespace tavo {
namespace {

using test::App;

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        ASSERT_TRUE(dir.isValid());
        settings = std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.ini")),
                                               QSettings::IniFormat);
        frame = std::make_unique<CMainFrame>(doc, *settings, ports);
        frame->resize(800, 500);
        frame->prompt = &user;
        frame->View().prompt = &user;
        user.yesNoCancel = Answer::No;
    }

    // What the user was asked, and shown as "caption: text", in order.
    QStringList Questions() const {
        QStringList texts;
        for (const auto& said : user.questions)
            texts << QString::fromStdString(said.text);
        return texts;
    }
    QStringList Messages() const {
        QStringList texts;
        for (const auto& said : user.messages)
            texts << QString::fromStdString(said.caption + ": " + said.text);
        return texts;
    }

    bool Enabled(int id) {
        frame->UpdateCommandUI();
        return frame->Action(id)->isEnabled();
    }
    bool Checked(int id) {
        frame->UpdateCommandUI();
        return frame->Action(id)->isChecked();
    }
    // Paints the view once, as the screen does, so the cursor indices are found.
    void Paint() { frame->View().grab(); }
    std::size_t Samples() const { return doc.Record().m_pSamples.size(); }

    QTemporaryDir dir;
    CTAVOkitDoc doc;
    SystemPortDirectory ports;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<CMainFrame> frame;
    test::ScriptedPrompt user;
};

TEST_F(MainFrameTest, MenuEnableAndTickStatesFollowTheRules) {
    EXPECT_EQ(test::ShownTitle(*frame), QStringLiteral("Untitled - TAVOkit"));
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    // Copy takes the graph, so it waits for a flight; the toolbar offers no dead buttons.
    for (int id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
        EXPECT_FALSE(Enabled(id)) << id;
    const QList<QAction*> tools = frame->findChild<QToolBar*>()->actions();
    EXPECT_TRUE(tools.contains(frame->Action(ID_EDIT_COPY)));
    for (int id : {ID_EDIT_CUT, ID_EDIT_PASTE})
        EXPECT_FALSE(tools.contains(frame->Action(id))) << id;
    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_PRINT,
                   ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, ID_APP_EXIT, ID_EDIT_DELETE_TO_C1,
                   ID_EDIT_DELETE_AFTER_C2, ID_EDIT_DELETE_BETWEEN, ID_VIEW_SCALING,
                   ID_VIEW_DETAILS, ID_TOOLS_SETUP, ID_APP_ABOUT})
        EXPECT_TRUE(Enabled(id)) << id;
    // Commands of the other subsystems stand disabled until they are wired.
    EXPECT_FALSE(Enabled(ID_FILE_EXPORT));
    EXPECT_FALSE(frame->OnCommand(ID_FILE_EXPORT));
    int exported = 0;
    frame->WireCommand(ID_FILE_EXPORT, [&] { ++exported; });
    EXPECT_TRUE(Enabled(ID_FILE_EXPORT));
    EXPECT_TRUE(frame->OnCommand(ID_FILE_EXPORT));
    EXPECT_EQ(exported, 1);
    bool offered = false; // a command that says when it can act
    frame->WireCommand(
        ID_FILE_EXPORT, [&] { ++exported; }, [&] { return offered; });
    EXPECT_FALSE(Enabled(ID_FILE_EXPORT));
    EXPECT_FALSE(frame->OnCommand(ID_FILE_EXPORT));
    offered = true;
    EXPECT_TRUE(frame->OnCommand(ID_FILE_EXPORT));
    EXPECT_EQ(exported, 2);

    EXPECT_TRUE(Checked(ID_UNITS_METRIC));
    EXPECT_FALSE(Checked(ID_UNITS_ENGLISH));
    EXPECT_TRUE(Checked(ID_VIEW_CURSORS));
    EXPECT_TRUE(Checked(ID_VIEW_STATUS_BAR));
    EXPECT_EQ(frame->Action(ID_FILE_MRU_FILE1)->isEnabled(), false);

    // Cursors with no flight: nothing changes, the tick stays.
    EXPECT_TRUE(frame->OnCommand(ID_VIEW_CURSORS));
    EXPECT_TRUE(doc.Settings().m_bShowCursors);

    ASSERT_TRUE(frame->OpenFile(QString::fromStdString(test::WriteTestFlight(dir, "a.flt"))));
    EXPECT_EQ(test::ShownTitle(*frame), QStringLiteral("a.flt - TAVOkit"));
    frame->OnCommand(ID_VIEW_CURSORS);
    EXPECT_FALSE(doc.Settings().m_bShowCursors);
    EXPECT_FALSE(Checked(ID_VIEW_CURSORS));
    EXPECT_FALSE(Enabled(ID_EDIT_DELETE_TO_C1));
    EXPECT_FALSE(Enabled(ID_EDIT_DELETE_AFTER_C2));
    EXPECT_TRUE(Enabled(ID_EDIT_DELETE_BETWEEN));
    EXPECT_FALSE(doc.IsModified()) << "showing the cursors is not a change to the flight";
    // A disabled command does nothing, from the menu or a key.
    const std::size_t before = Samples();
    EXPECT_FALSE(frame->OnCommand(ID_EDIT_DELETE_TO_C1));
    EXPECT_EQ(Samples(), before);
    EXPECT_TRUE(Questions().isEmpty());

    frame->OnCommand(ID_VIEW_TOOLBAR);
    EXPECT_FALSE(Checked(ID_VIEW_TOOLBAR));
}

TEST_F(MainFrameTest, SubsystemCommandsAreWiredAndEnabled) {
    WireSubsystemCommands(*frame);
    for (int id : {ID_TOOLS_DOWNLOAD, ID_TOOLS_MOTOR_REPORT, ID_TOOLS_CD_REPORT, ID_FILE_EXPORT,
                   ID_FILE_EXPORT_THRUST, ID_FILE_IMPORT_RDAS})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_EQ(frame->Action(ID_FILE_IMPORT_RDAS)->text(), QStringLiteral("&Import RDAS..."));
}

// A capture whose port is not there ends at once with "Telemetry stopped: 0 lines", a
// count of the fresh flight it made: another flight opened takes the count away.
TEST_F(MainFrameTest, WhatTheStatusBarSaysOfAFlightGoesWithIt) {
    WireSubsystemCommands(*frame);
    doc.Settings().m_strCommPort = dir.filePath(QStringLiteral("no-such-port")).toStdString();
    ASSERT_TRUE(frame->OnCommand(ID_TELEMETRY_START));
    auto* pane = frame->statusBar()->findChild<QLabel*>(QStringLiteral("telemetryStatus"));
    ASSERT_NE(pane, nullptr);
    for (int i = 0; i < 3000 && !pane->text().startsWith(QStringLiteral("Telemetry stopped")); ++i)
        QTest::qWait(20);
    EXPECT_EQ(pane->text(), QStringLiteral("Telemetry stopped: 0 lines"));
    EXPECT_FALSE(pane->isHidden());
    ASSERT_TRUE(frame->OpenFile(QString::fromStdString(test::WriteTestFlight(dir, "s.flt"))));
    EXPECT_TRUE(pane->isHidden());
}

TEST_F(MainFrameTest, TwoCutsThenUndoRestoreTheStateAfterTheFirst) {
    ASSERT_TRUE(frame->OpenFile(QString::fromStdString(test::WriteTestFlight(dir, "c.flt", 300))));
    Paint();
    const int i1 = frame->View().Controller().Cursors().c1;
    ASSERT_GE(i1, 1);

    user.okCancel = Answer::Cancel;
    frame->OnCommand(ID_EDIT_DELETE_TO_C1);
    EXPECT_EQ(Questions().value(0),
              QStringLiteral("All Data before Cursor 1 will be lost!\n Continue?"));
    EXPECT_EQ(Samples(), 300u) << "Cancel changes nothing";
    EXPECT_FALSE(doc.IsModified());

    user.okCancel = Answer::Ok;
    frame->OnCommand(ID_EDIT_DELETE_TO_C1);
    EXPECT_EQ(Samples(), 300u - i1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(Enabled(ID_EDIT_UNDO));
    EXPECT_EQ(frame->View().State().cursor1, -1) << "the cursors go back to their thirds";
    const std::vector<std::string> afterFirst = doc.Record().m_pSamples.items();

    Paint();
    const int i2 = frame->View().Controller().Cursors().c2;
    frame->OnCommand(ID_EDIT_DELETE_AFTER_C2);
    EXPECT_EQ(Questions().last(),
              QStringLiteral("All Data after Cursor 2 will be lost!\n Continue?"));
    EXPECT_EQ(Samples(), static_cast<std::size_t>(i2));

    frame->OnCommand(ID_EDIT_UNDO);
    EXPECT_EQ(doc.Record().m_pSamples.items(), afterFirst);
    EXPECT_TRUE(Enabled(ID_EDIT_UNDO)) << "the first cut can be undone too";
    EXPECT_TRUE(Enabled(ID_EDIT_REDO));
    EXPECT_EQ(doc.Curves().m_arrAccel.size(), afterFirst.size());
    frame->OnCommand(ID_EDIT_REDO);
    EXPECT_EQ(Samples(), static_cast<std::size_t>(i2));
    frame->OnCommand(ID_EDIT_UNDO);
    frame->OnCommand(ID_EDIT_UNDO);
    EXPECT_EQ(Samples(), 300u) << "back to the flight as opened";
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    frame->OnCommand(ID_EDIT_REDO);
    EXPECT_EQ(doc.Record().m_pSamples.items(), afterFirst);

    // Between the cursors, with C1 right of C2: asks, then nothing happens.
    Paint();
    frame->View().State().cursor1 = 200;
    frame->View().State().cursor2 = 50;
    Paint();
    const int asked = Questions().size();
    frame->OnCommand(ID_EDIT_DELETE_BETWEEN);
    EXPECT_EQ(Questions().size(), asked + 1);
    EXPECT_EQ(doc.Record().m_pSamples.items(), afterFirst);
}

TEST_F(MainFrameTest, UnitsSwitchRecomputesWithoutMarkingTheFlight) {
    ASSERT_TRUE(frame->OpenFile(QString::fromStdString(test::WriteTestFlight(dir, "u.flt"))));
    const float apogeeMetres = doc.Curves().m_fAltMax;
    ASSERT_GT(apogeeMetres, 0.0f);
    frame->OnCommand(ID_UNITS_ENGLISH);
    EXPECT_FALSE(doc.Settings().m_bMetricUnits);
    EXPECT_TRUE(Checked(ID_UNITS_ENGLISH));
    EXPECT_FALSE(Checked(ID_UNITS_METRIC));
    EXPECT_NEAR(doc.Curves().m_fAltMax, apogeeMetres * 3.2808399f, apogeeMetres * 1e-4);
    EXPECT_FALSE(doc.IsModified());
    frame->OnCommand(ID_UNITS_METRIC);
    EXPECT_FLOAT_EQ(doc.Curves().m_fAltMax, apogeeMetres);
}

TEST_F(MainFrameTest, ClickSwitchesTheCurveAndADragMovesACursor) {
    frame->show();
    CTAVOkitView& view = frame->View();
    // With no flight a click still switches the curve.
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(200, 100));
    EXPECT_EQ(frame->View().State().displayCurve, 1);

    ASSERT_TRUE(frame->OpenFile(QString::fromStdString(test::WriteTestFlight(dir, "m.flt"))));
    Paint();
    const GraphFrame f = LayoutGraph({view.width(), view.height(), false, 0, 0});
    const int x1 = SampleXIn(f, {}, 200, view.State().cursor1);
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(x1 + 4, 100));
    EXPECT_EQ(view.State().dragCursor, 1);
    EXPECT_EQ(view.cursor().shape(), Qt::CrossCursor);
    QTest::mouseMove(&view, QPoint(x1 + 60, 120));
    EXPECT_EQ(frame->View().Controller().Cursors().c1, CursorSampleAtX(f, {}, 200, 200, x1 + 60))
        << "live, before release";
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(x1 + 60, 120));
    EXPECT_EQ(view.State().dragCursor, 0);
    EXPECT_EQ(frame->View().State().displayCurve, 1) << "a drag does not switch the curve";

    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(x1 - 100, 100));
    EXPECT_EQ(frame->View().State().displayCurve, 2);
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(x1 - 100, 100));
    EXPECT_EQ(frame->View().State().displayCurve, 0);
    doc.Settings().m_bDisplayRaw = true;
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(x1 - 100, 100));
    EXPECT_EQ(frame->View().State().displayCurve, 0) << "raw display keeps the acceleration curve";
}

TEST_F(MainFrameTest, ModifiedFlightAsksBeforeItIsReplaced) {
    ASSERT_TRUE(frame->OpenFile(QString::fromStdString(test::WriteTestFlight(dir, "q.flt"))));
    doc.SetModifiedFlag(true);
    user.yesNoCancel = Answer::Cancel;
    frame->OnCommand(ID_FILE_NEW);
    EXPECT_EQ(Questions(), QStringList{QStringLiteral("Save changes to q.flt?")});
    EXPECT_EQ(Samples(), 200u) << "Cancel keeps the flight";
    EXPECT_FALSE(frame->close()) << "Cancel keeps the program running";

    // File > Open picks the file first; cancelling its dialog asks nothing.
    user.questions.clear();
    frame->OnCommand(ID_FILE_OPEN);
    EXPECT_EQ(user.choices.size(), 1u);
    EXPECT_TRUE(Questions().isEmpty());
    EXPECT_TRUE(doc.IsModified());
    const QString other = QString::fromStdString(test::WriteTestFlight(dir, "o.flt", 20));
    user.files.push_back(other.toStdString());
    frame->OnCommand(ID_FILE_OPEN);
    EXPECT_EQ(Questions(), QStringList{QStringLiteral("Save changes to q.flt?")});
    EXPECT_EQ(Samples(), 200u) << "Cancel keeps the flight";
    user.questions.clear();

    user.yesNoCancel = Answer::No;
    frame->OnCommand(ID_FILE_NEW);
    EXPECT_EQ(Samples(), 0u);
    EXPECT_EQ(test::ShownTitle(*frame), QStringLiteral("Untitled - TAVOkit"));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(MainFrameTest, RecentFilesKeepFourNewestFirstAndPersist) {
    QStringList paths;
    for (const char* name : {"1.flt", "2.flt", "3.flt", "4.flt", "5.flt"})
        paths << QString::fromStdString(test::WriteTestFlight(dir, name, 20));
    for (const QString& p : paths)
        ASSERT_TRUE(frame->OpenFile(p));
    ASSERT_TRUE(frame->OpenFile(paths[2]));
    const QStringList want{paths[2], paths[4], paths[3], paths[1]};
    EXPECT_EQ(frame->RecentFiles(), want);
    EXPECT_EQ(settings->value(QStringLiteral("Recent File List/File1")).toString(), paths[2]);
    EXPECT_EQ(settings->value(QStringLiteral("Recent File List/File4")).toString(), paths[1]);

    CTAVOkitDoc other;
    CMainFrame again(other, *settings, ports);
    EXPECT_EQ(again.RecentFiles(), want);

    // A listed flight that has gone leaves the list when the user picks it.
    ASSERT_TRUE(QFile::remove(paths[4]));
    QAction* gone = nullptr;
    for (QAction* a : frame->findChildren<QAction*>())
        if (a->text() == QStringLiteral("&2 ") + paths[4])
            gone = a;
    ASSERT_NE(gone, nullptr);
    gone->trigger();
    EXPECT_EQ(frame->RecentFiles(), (QStringList{paths[2], paths[3], paths[1]}));
    EXPECT_EQ(Messages().size(), 1);
}

TEST_F(MainFrameTest, FlightsKeepTheirFullPathAndSaveAsStartsBesideThem) {
    test::WriteTestFlight(dir, "r.flt", 20);
    const QString old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const bool opened = frame->OpenFile(QStringLiteral("r.flt"));
    QDir::setCurrent(old);
    ASSERT_TRUE(opened);
    const QString full = QFileInfo(dir.filePath(QStringLiteral("r.flt"))).absoluteFilePath();
    EXPECT_EQ(frame->RecentFiles().value(0), full);
    EXPECT_EQ(QString::fromStdString(doc.GetPathName()), full);

    frame->OnCommand(ID_FILE_SAVE_AS); // cancelled: no file scripted
    ASSERT_EQ(user.choices.size(), 1u);
    EXPECT_EQ(QString::fromStdString(user.choices[0].startFolder), QFileInfo(full).absolutePath());
    EXPECT_EQ(user.choices[0].proposedName, "r.flt");
}

TEST_F(MainFrameTest, OpenFailureShowsTheMessageAndKeepsTheFlight) {
    ASSERT_TRUE(frame->OpenFile(QString::fromStdString(test::WriteTestFlight(dir, "k.flt"))));
    QFile bad(dir.filePath(QStringLiteral("bad.flt")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray("\x06\x00\x00\x00", 4));
    bad.close();
    EXPECT_FALSE(frame->OpenFile(bad.fileName()));
    EXPECT_EQ(Messages(),
              QStringList{QStringLiteral(
                  "Error: Wrong file type\n\nbad.flt is not a flight file: flight "
                  "files begin with their version, 2 to 5, and this one begins with 6.")});
    EXPECT_EQ(Samples(), 200u);
    EXPECT_EQ(test::ShownTitle(*frame), QStringLiteral("k.flt - TAVOkit"));
}

// A download or an import brings another flight: the old cursors and zoom go with the
// old one, as they do on Open; a failed open keeps them.
TEST_F(MainFrameTest, AnotherFlightStartsTheGraphAfresh) {
    ASSERT_TRUE(frame->OpenFile(QString::fromStdString(test::WriteTestFlight(dir, "r.flt"))));
    Paint();
    GraphViewState& view = frame->View().State();
    view.cursor1 = 5;
    view.window = {10, 50};
    EXPECT_FALSE(frame->OpenFile(dir.filePath(QStringLiteral("missing.flt"))));
    EXPECT_EQ(view.cursor1, 5);
    doc.ReplaceSamples(std::vector<std::string>(300, "2048"));
    EXPECT_EQ(view.cursor1, -1);
    EXPECT_TRUE(view.window.Whole());
    Paint();
    EXPECT_GT(frame->View().Controller().Cursors().c1, 0)
        << "the new flight's cursors stand at their home places";
}

TEST_F(MainFrameTest, PrintsToAPdfFileWithoutAPrinter) {
    ASSERT_TRUE(frame->OpenFile(QString::fromStdString(test::WriteTestFlight(dir, "p.flt"))));
    const QString pdf = dir.filePath(QStringLiteral("p.pdf"));
    QString proposed;
    frame->runDialog = [&](QDialog& d) {
        auto* print = dynamic_cast<QPrintDialog*>(&d);
        EXPECT_NE(print, nullptr);
        if (print == nullptr)
            return static_cast<int>(QDialog::Rejected);
        proposed = print->printer()->outputFileName();
        return static_cast<int>(QDialog::Accepted);
    };
    // The printer is shared with the motor report, which printed to a file last: neither
    // its job name nor its file may stick, or a click would overwrite the report.
    frame->Printer().setOutputFormat(QPrinter::PdfFormat);
    frame->Printer().setOutputFileName(dir.filePath(QStringLiteral("motor-report.pdf")));
    frame->Printer().setDocName(QStringLiteral("Motor Report"));
    EXPECT_TRUE(frame->OnCommand(ID_FILE_PRINT));
    EXPECT_EQ(proposed, pdf);
    EXPECT_EQ(frame->Printer().docName(), QStringLiteral("p.flt"));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF"));
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(MainFrameTest, PrintPreviewShowsOnePage) {
    ASSERT_TRUE(frame->OpenFile(QString::fromStdString(test::WriteTestFlight(dir, "v.flt"))));
    int pages = -1;
    QString title;
    frame->Printer().setDocName(QStringLiteral("Motor Report")); // the last print's
    frame->runDialog = [&](QDialog& d) {
        title = d.windowTitle();
        auto* preview = d.findChild<QPrintPreviewWidget*>();
        EXPECT_NE(preview, nullptr);
        if (preview != nullptr) {
            preview->updatePreview();
            pages = preview->pageCount();
        }
        return static_cast<int>(QDialog::Rejected);
    };
    EXPECT_TRUE(frame->OnCommand(ID_FILE_PRINT_PREVIEW));
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(title.contains(QStringLiteral("v.flt"))) << title.toStdString();
}

TEST_F(MainFrameTest, StatusBarShowsReadyAndTheMenuHelp) {
    EXPECT_EQ(frame->statusBar()->currentMessage(), QStringLiteral("Ready"));
    frame->Action(ID_FILE_NEW)->showStatusText(frame.get());
    EXPECT_EQ(frame->statusBar()->currentMessage(), QStringLiteral("Create a new flight"));
    frame->statusBar()->clearMessage();
    EXPECT_EQ(frame->statusBar()->currentMessage(), QStringLiteral("Ready"));
    EXPECT_GE(frame->minimumWidth(), 250);
    EXPECT_GE(frame->minimumHeight(), 250);
}

} // namespace
} // namespace tavo
