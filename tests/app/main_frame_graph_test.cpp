// The main window's graph commands as a user meets them: zoom and the keys in the view,
// the flight statistics, the graph written to a file, the caption of an unsaved flight
// and the window's place kept between runs.

#include "app/main_frame.h"
#include "device/qt/system_port_directory.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTest>
#include <QWheelEvent>

#include <map>

#include "support/scripted_prompt.h"
#include "support/widget_flights.h"
#include "view/ui/export_graph_dlg.h"
#include "view/ui/flight_stats_dlg.h"
#include "view/ui/tavokit_view.h"

namespace tavo {
namespace {

class MainFrameGraphTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::App();
        ASSERT_TRUE(dir.isValid());
        settings = std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.ini")),
                                               QSettings::IniFormat);
        frame = std::make_unique<CMainFrame>(doc, *settings, ports);
        frame->resize(800, 500);
        frame->prompt = &user;
        frame->View().prompt = &user;
    }
    bool Enabled(int id) {
        frame->UpdateCommandUI();
        return frame->Action(id)->isEnabled();
    }
    void Open(const char* name, int n = 400) {
        ASSERT_TRUE(frame->OpenFile(QString::fromStdString(test::WriteTestFlight(dir, name, n))));
        frame->View().grab();
    }

    QTemporaryDir dir;
    CTAVOkitDoc doc;
    SystemPortDirectory ports;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<CMainFrame> frame;
    test::ScriptedPrompt user;
};

TEST_F(MainFrameGraphTest, ZoomCommandsTheWheelAndTheViewsKeys) {
    for (int id : {ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_OUT, ID_VIEW_ZOOM_CURSORS, ID_VIEW_WHOLE_FLIGHT,
                   ID_VIEW_STATISTICS, ID_EDIT_REDO})
        EXPECT_FALSE(Enabled(id)) << "no flight: " << id;
    EXPECT_EQ(frame->Action(ID_VIEW_WHOLE_FLIGHT)->shortcut(), QKeySequence(Qt::Key_Home));
    EXPECT_EQ(frame->Action(ID_VIEW_ZOOM_IN)->shortcut(), QKeySequence(Qt::Key_Plus));
    EXPECT_EQ(frame->Action(ID_EDIT_REDO)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y));
    Open("z.flt"); // launch marker at 40, burn-out at 100
    CTAVOkitView& view = frame->View();
    const int c1 = frame->View().Controller().Cursors().c1,
              c2 = frame->View().Controller().Cursors().c2;
    ASSERT_GT(c1, 100);

    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_EQ(frame->View().Controller().Cursors().c1, c1 + 1);
    QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(frame->View().Controller().Cursors().c1, c1 + 11);
    QTest::keyClick(&view, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(frame->View().Controller().Cursors().c1, 100) << "to the burn-out marker";
    QTest::keyClick(&view, Qt::Key_Tab);
    QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_EQ(frame->View().Controller().Cursors().c2, c2 - 1);
    EXPECT_EQ(frame->View().Controller().Cursors().c1, 100);

    frame->OnCommand(ID_VIEW_ZOOM_CURSORS);
    EXPECT_TRUE(view.Controller().IsZoomed());
    EXPECT_TRUE(Enabled(ID_VIEW_WHOLE_FLIGHT));
    frame->OnCommand(ID_VIEW_WHOLE_FLIGHT);
    EXPECT_FALSE(view.Controller().IsZoomed());
    // A wheel notch away from the user zooms in about the pointer.
    QWheelEvent wheel(QPointF(300, 100), view.mapToGlobal(QPointF(300, 100)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &wheel);
    EXPECT_TRUE(view.Controller().IsZoomed());
    EXPECT_TRUE(Enabled(ID_VIEW_WHOLE_FLIGHT)) << "the menu follows a zoom by the wheel";
    frame->OnCommand(ID_VIEW_ZOOM_OUT);
    EXPECT_FALSE(view.Controller().IsZoomed());

    frame->OnCommand(ID_HELP_KEYS);
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].caption, "Keyboard and Mouse");
    EXPECT_NE(user.messages[0].text.find("Ctrl+Left / Ctrl+Right"), std::string::npos);
}

TEST_F(MainFrameGraphTest, CursorsOnBurnOwnAxesAndSummaryFromTheViewMenu) {
    EXPECT_FALSE(Enabled(ID_VIEW_CURSORS_ON_BURN)) << "no flight";
    QAction* burn = frame->Action(ID_VIEW_CURSORS_ON_BURN);
    EXPECT_EQ(burn->text(), QStringLiteral("Cursors on &Burn"));
    EXPECT_EQ(burn->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_B)) << "shown in the menu";
    Open("b.flt"); // launch marker at 40, burn-out at 100
    ASSERT_TRUE(frame->OnCommand(ID_VIEW_CURSORS_ON_BURN));
    EXPECT_EQ(frame->View().Controller().Cursors().c1, 40);
    EXPECT_EQ(frame->View().Controller().Cursors().c2, 100);
    for (const int id : {ID_VIEW_OWN_AXES, ID_VIEW_SUMMARY}) {
        EXPECT_FALSE(frame->Action(id)->isChecked());
        frame->OnCommand(id);
        EXPECT_TRUE(frame->Action(id)->isChecked());
    }
    EXPECT_TRUE(frame->View().State().ownAxes);
    EXPECT_TRUE(frame->View().State().showSummary);
}

TEST_F(MainFrameGraphTest, StatisticsListTheFiguresAndSayWhatIsMissing) {
    Open("s.flt");
    std::map<QString, QString> rows;
    frame->runDialog = [&](QDialog& d) {
        auto* stats = dynamic_cast<CFlightStatsDlg*>(&d);
        EXPECT_NE(stats, nullptr);
        for (int r = 0; stats != nullptr && r < stats->form->rowCount(); ++r) {
            auto* name =
                qobject_cast<QLabel*>(stats->form->itemAt(r, QFormLayout::LabelRole)->widget());
            auto* value =
                qobject_cast<QLabel*>(stats->form->itemAt(r, QFormLayout::FieldRole)->widget());
            rows[name->text()] = value->text();
        }
        return static_cast<int>(QDialog::Accepted);
    };
    ASSERT_TRUE(frame->OnCommand(ID_VIEW_STATISTICS));
    EXPECT_EQ(rows[QStringLiteral("Burn time:")], QStringLiteral("0.60 s"));
    EXPECT_EQ(rows[QStringLiteral("Launch:")], QStringLiteral("0.40 s"));
    EXPECT_EQ(rows[QStringLiteral("Landing:")],
              QStringLiteral("no landing in the recording (it does not end at rest)"));
    EXPECT_TRUE(rows[QStringLiteral("Apogee:")].endsWith(QStringLiteral(" s")));

    doc.Settings().m_bDisplayRaw = true;
    rows.clear();
    frame->OnCommand(ID_VIEW_STATISTICS);
    EXPECT_TRUE(rows.empty());
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_NE(user.messages[0].text.find("raw display"), std::string::npos);
}

TEST_F(MainFrameGraphTest, OverlaidFlightsAreComparedSideBySideUntilRemoved) {
    Open("s.flt");
    const std::string other = test::WriteTestFlight(dir, "o.flt", 300);
    EXPECT_FALSE(Enabled(ID_FILE_REMOVE_OVERLAYS));
    user.files = {other, dir.filePath(QStringLiteral("none.flt")).toStdString()};
    frame->OnCommand(ID_FILE_OVERLAY);
    frame->OnCommand(ID_FILE_OVERLAY);
    ASSERT_EQ(frame->View().Extra().Size(), 1u) << "the refused file is not listed";
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_TRUE(Enabled(ID_FILE_REMOVE_OVERLAYS));

    std::map<QString, std::vector<QString>> rows;
    frame->runDialog = [&](QDialog& d) {
        auto* stats = dynamic_cast<CFlightStatsDlg*>(&d);
        for (int r = 0; stats != nullptr && stats->grid != nullptr && r < stats->grid->rowCount();
             ++r)
            for (int c = 0; c < stats->grid->columnCount(); ++c)
                if (auto* item = stats->grid->itemAtPosition(r, c))
                    rows[r == 0 ? QString()
                                : qobject_cast<QLabel*>(stats->grid->itemAtPosition(r, 0)->widget())
                                      ->text()]
                        .push_back(qobject_cast<QLabel*>(item->widget())->text());
        return static_cast<int>(QDialog::Accepted);
    };
    frame->OnCommand(ID_VIEW_STATISTICS);
    EXPECT_EQ(rows[QString()],
              (std::vector<QString>{QStringLiteral("s.flt"), QStringLiteral("o.flt")}));
    ASSERT_EQ(rows[QStringLiteral("Burn time:")].size(), 3u);
    // The test flight of 300 samples burns three quarters as long as that of 400.
    EXPECT_EQ(rows[QStringLiteral("Burn time:")][1], QStringLiteral("0.60 s"));
    EXPECT_EQ(rows[QStringLiteral("Burn time:")][2], QStringLiteral("0.45 s"));

    // Another flight keeps what was overlaid, not what was predicted from the old one.
    std::string reason;
    ASSERT_TRUE(frame->View().Extra().AddPrediction(
        "C6 predicted", {0.01, {0.0, 1.0}, {0.0, 1.0}, {0.0, 1.0}}, 0.0, doc.Settings(), reason));
    Open("t.flt");
    ASSERT_EQ(frame->View().Extra().Size(), 1u);
    EXPECT_FALSE(frame->View().Extra().IsPrediction(0));
    frame->OnCommand(ID_FILE_REMOVE_OVERLAYS);
    EXPECT_TRUE(frame->View().Extra().Empty());
    EXPECT_FALSE(Enabled(ID_FILE_REMOVE_OVERLAYS));
}

TEST_F(MainFrameGraphTest, CopyPutsTheWindowsGraphOnTheClipboard) {
    Open("c.flt");
    QGuiApplication::clipboard()->clear();
    ASSERT_TRUE(frame->OnCommand(ID_EDIT_COPY));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QImage image = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(image.size(), frame->View().size());
    EXPECT_TRUE(data->data(QStringLiteral("image/svg+xml")).contains("400 Points"));
}

TEST_F(MainFrameGraphTest, ExportGraphWritesTheChosenFormatAndSize) {
    Open("e.flt");
    int format = 0;
    bool other = false;
    frame->runDialog = [&](QDialog& d) {
        auto* dlg = dynamic_cast<CExportGraphDlg*>(&d);
        EXPECT_NE(dlg, nullptr);
        if (dlg == nullptr)
            return static_cast<int>(QDialog::Rejected);
        dlg->format->setCurrentIndex(format);
        if (other) {
            dlg->otherSize->setChecked(true);
            dlg->width->setValue(640);
            dlg->height->setValue(360);
        }
        return static_cast<int>(QDialog::Accepted);
    };
    const QString png = dir.filePath(QStringLiteral("g.png"));
    other = true;
    user.files.push_back(png.toStdString());
    ASSERT_TRUE(frame->OnCommand(ID_FILE_EXPORT_GRAPH));
    ASSERT_EQ(user.choices.size(), 1u);
    EXPECT_EQ(user.choices[0].proposedName, "e.png");
    EXPECT_EQ(user.choices[0].extension, "png");
    EXPECT_EQ(QImage(png).size(), QSize(640, 360));

    // The window's size, as an SVG drawing with the window's cursors.
    format = 1;
    other = false;
    const QString svg = dir.filePath(QStringLiteral("g.svg"));
    user.files.push_back(svg.toStdString());
    frame->OnCommand(ID_FILE_EXPORT_GRAPH);
    QFile written(svg);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray text = written.readAll();
    EXPECT_TRUE(text.contains(QStringLiteral("viewBox=\"0 0 %1 %2\"")
                                  .arg(frame->View().width())
                                  .arg(frame->View().height())
                                  .toUtf8()));
    EXPECT_TRUE(text.contains("400 Points"));

    // A PDF at another size is a page of that size (points at 96 pixels an inch).
    format = 2;
    other = true;
    const QString pdf = dir.filePath(QStringLiteral("g.pdf"));
    user.files.push_back(pdf.toStdString());
    frame->OnCommand(ID_FILE_EXPORT_GRAPH);
    QFile page(pdf);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().contains("/MediaBox [0 0 480.000000 270.000000]"));

    // A folder that is not there: the reason is shown, nothing else happens.
    user.files.push_back(dir.filePath(QStringLiteral("no/such/g.svg")).toStdString());
    frame->OnCommand(ID_FILE_EXPORT_GRAPH);
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].text.rfind("Could not write g.svg\n\n", 0), 0u)
        << user.messages[0].text;
    EXPECT_EQ(user.messages[0].severity, Severity::Error);
}

// A picture of the graph at another size, a printed page and Copy draw the flight for
// their own pages: none of them may move the cursors the cuts, the reports and the
// exports take, whether the window placed its cursors or has yet to after a cut.
TEST_F(MainFrameGraphTest, PicturesPagesAndCopyLeaveTheRangeTheCommandsTake) {
    Open("r.flt");
    frame->runDialog = [&](QDialog& d) {
        if (auto* print = dynamic_cast<QPrintDialog*>(&d)) {
            print->printer()->setOutputFormat(QPrinter::PdfFormat);
            print->printer()->setOutputFileName(dir.filePath(QStringLiteral("page.pdf")));
        } else if (auto* size = dynamic_cast<CExportGraphDlg*>(&d)) {
            size->otherSize->setChecked(true);
            size->width->setValue(640);
            size->height->setValue(360);
        }
        return static_cast<int>(QDialog::Accepted);
    };
    const GraphController& view = frame->View().Controller();
    for (const bool afterCut : {false, true}) {
        if (afterCut) {
            ASSERT_TRUE(frame->OnCommand(ID_EDIT_DELETE_AFTER_C2));
            ASSERT_EQ(frame->View().State().cursor1, -1) << "not repainted yet";
        }
        const CursorRange range = view.Cursors();
        for (const int command : {ID_FILE_EXPORT_GRAPH, ID_EDIT_COPY, ID_FILE_PRINT}) {
            user.files.push_back(dir.filePath(QStringLiteral("g.png")).toStdString());
            ASSERT_TRUE(frame->OnCommand(command)) << command;
            EXPECT_EQ(view.Cursors().c1, range.c1) << command << " after a cut: " << afterCut;
            EXPECT_EQ(view.Cursors().c2, range.c2) << command << " after a cut: " << afterCut;
        }
        frame->View().grab();
        EXPECT_EQ(view.Cursors().c1, range.c1)
            << "the window's own paint, after a cut: " << afterCut;
        EXPECT_EQ(view.Cursors().c2, range.c2);
    }
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("g.png"))).size(), QSize(640, 360));
    EXPECT_TRUE(user.messages.empty());
}

TEST_F(MainFrameGraphTest, CaptionMarksAnUnsavedFlightAndTheWindowKeepsItsPlace) {
    Open("t.flt");
    EXPECT_EQ(test::ShownTitle(*frame), QStringLiteral("t.flt - TAVOkit"));
    frame->OnCommand(ID_EDIT_DELETE_TO_C1); // the scripted user answers OK
    EXPECT_EQ(test::ShownTitle(*frame), QStringLiteral("t.flt* - TAVOkit"));
    user.yesNoCancel = Answer::No;
    frame->OnCommand(ID_FILE_SAVE);
    EXPECT_EQ(test::ShownTitle(*frame), QStringLiteral("t.flt - TAVOkit"));

    frame->setGeometry(120, 90, 640, 420);
    const QSize size = frame->size();
    ASSERT_TRUE(frame->close());
    CTAVOkitDoc other;
    CMainFrame again(other, *settings, ports);
    EXPECT_EQ(again.size(), size) << "restored from the last run";
}

} // namespace
} // namespace tavo
