// The report windows as a user meets them: titles and sizes, the popup menu at the mouse
// or near the corner from the keyboard, Exit, printing to a PDF, and the painted page.

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QPrinter>

#include "reports/ui/cd_report_dlg.h"
#include "reports/ui/motor_report_dlg.h"
#include "support/flight_builder.h"
#include "support/scripted_prompt.h"
#include "support/test_files.h"

namespace tavo {
namespace {

// The application object lives in main(), around every test.
void App() {
    ASSERT_NE(qApp, nullptr);
}

// A burn of 10, 20, 30 and 10 g on a 1 kg rocket, cursors around it.
CursorRange MakeDoc(CTAVOkitDoc& doc) {
    test::SetSamples(doc, {2048, 1968, 1888, 1808, 1968, 2048}, 10, 16.0f);
    doc.Record().m_fLaunchWeight = 1.0f;
    doc.Record().m_fPropellantWeight = 0.2f;
    return {1, 5};
}

// Records where the menu was asked to open and answers with a chosen item.
class ScriptedMotorReportDlg : public CMotorReportDlg {
public:
    using CMotorReportDlg::CMotorReportDlg;
    QAction* ExecPopupMenu(QMenu& menu, QPoint globalPos) override {
        menuPositions.push_back(globalPos);
        for (QAction* action : menu.actions())
            menuItems.push_back({action->text().toStdString(), action->data().toInt()});
        for (QAction* action : menu.actions())
            if (action->data().toInt() == choose)
                return action;
        return nullptr;
    }
    int ChooseMotor(const std::vector<std::string>& labels) override {
        motorLabels = labels;
        return chooseMotor;
    }
    std::vector<std::string> motorLabels;
    int chooseMotor = -1;
    bool ConfirmPrint(QPrinter& printer) override {
        ++printDialogs;
        proposed = printer.outputFileName();
        if (!printTo.empty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(printTo));
        }
        return confirm;
    }
    std::vector<QPoint> menuPositions;
    std::vector<std::pair<std::string, int>> menuItems;
    int choose = 0;
    int printDialogs = 0;
    bool confirm = false;
    std::string printTo;
    QString proposed;
};

std::string TempPath(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() / "tavokit_reports_ui";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

TEST(MotorReportDlg, RefusedOrCancelledReportNeverOpens) {
    App();
    CTAVOkitDoc doc;
    CursorRange cursors = MakeDoc(doc);
    test::ScriptedPrompt cancel(false);
    CMotorReportDlg dialog(nullptr, nullptr, &cancel);
    dialog.m_pDoc = &doc;
    dialog.m_range = cursors;
    EXPECT_EQ(dialog.DoModal(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(cancel.questions.size(), 1u);

    doc.Record().m_fLaunchWeight = 0.0f;
    test::ScriptedPrompt ok;
    CMotorReportDlg noWeight(nullptr, nullptr, &ok);
    noWeight.m_pDoc = &doc;
    noWeight.m_range = cursors;
    EXPECT_EQ(noWeight.DoModal(), QDialog::Rejected);
    ASSERT_EQ(ok.messages.size(), 1u);
    EXPECT_EQ(ok.messages[0].text, "Please enter a weight in the details section.");
}

TEST(MotorReportDlg, TitleSizeAndPaintedPage) {
    App();
    CTAVOkitDoc doc;
    CursorRange cursors = MakeDoc(doc);
    test::ScriptedPrompt ok;
    CMotorReportDlg dialog(nullptr, nullptr, &ok);
    dialog.m_pDoc = &doc;
    dialog.m_range = cursors;
    ASSERT_TRUE(dialog.ComputeMotorReport());
    // The motor thrust first; the net force gives the figures it always has.
    MotorReport motor;
    ASSERT_TRUE(motor.ComputeFigures(doc.Data(), cursors, ThrustKind::Motor));
    EXPECT_EQ(dialog.Results().m_thrust, ThrustKind::Motor);
    EXPECT_EQ(dialog.Results().m_strTotalImpulseN, motor.m_strTotalImpulseN);
    dialog.SetThrustKind(ThrustKind::Net);
    EXPECT_EQ(dialog.Results().m_strMotorClass, "F158");
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Motor Report"));
    EXPECT_TRUE(dialog.isModal());
    // Wider than high, as 426 x 206 dialog units are, and free to resize.
    EXPECT_GT(dialog.width(), 400);
    EXPECT_GT(dialog.width(), dialog.height() * 3 / 2);
    EXPECT_NE(dialog.minimumSize(), dialog.maximumSize());

    dialog.resize(500, 300);
    const QImage image = dialog.grab().toImage();
    ASSERT_EQ(image.width(), 500);
    // The frame's left edge at x = 50 and its bottom at y = 279; white inside and the
    // label margin left of it.
    EXPECT_EQ(image.pixelColor(50, 100), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(300, 279), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(20, 5), QColor(Qt::white));
}

TEST(MotorReportDlg, PopupAtTheMouseOrNearTheCornerFromTheKeyboard) {
    App();
    CTAVOkitDoc doc;
    CursorRange cursors = MakeDoc(doc);
    test::ScriptedPrompt ok;
    ScriptedMotorReportDlg dialog(nullptr, nullptr, &ok);
    dialog.m_pDoc = &doc;
    dialog.m_range = cursors;
    ASSERT_TRUE(dialog.ComputeMotorReport());
    dialog.show();
    dialog.move(200, 150);
    QApplication::processEvents();

    QContextMenuEvent mouse(QContextMenuEvent::Mouse, QPoint(120, 60),
                            dialog.mapToGlobal(QPoint(120, 60)));
    QApplication::sendEvent(&dialog, &mouse);
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(-1, -1),
                          dialog.mapToGlobal(QPoint(-1, -1)));
    QApplication::sendEvent(&dialog, &key);
    QKeyEvent shiftF10(QEvent::KeyPress, Qt::Key_F10, Qt::ShiftModifier);
    QApplication::sendEvent(&dialog, &shiftF10);
    QKeyEvent plainF10(QEvent::KeyPress, Qt::Key_F10, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &plainF10);

    ASSERT_EQ(dialog.menuPositions.size(), 3u);
    EXPECT_EQ(dialog.menuPositions[0], dialog.mapToGlobal(QPoint(120, 60)));
    EXPECT_EQ(dialog.menuPositions[1], dialog.mapToGlobal(QPoint(9, 9)));
    EXPECT_EQ(dialog.menuPositions[2], dialog.mapToGlobal(QPoint(9, 9)));
    const std::vector<std::pair<std::string, int>> items{{"Motor thrust", 9002},
                                                         {"Net force (as measured)", 9003},
                                                         {"Compare with motor file...", 9004},
                                                         {"", 0},
                                                         {"Print", 9000},
                                                         {"Exit", 9001}};
    EXPECT_EQ(std::vector(dialog.menuItems.begin(), dialog.menuItems.begin() + 6), items);
    // Dismissing the menu does nothing.
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.printDialogs, 0);
}

TEST(MotorReportDlg, MenuSwitchesTheThrustAndOverlaysACertifiedCurve) {
    App();
    CTAVOkitDoc doc;
    CursorRange cursors = MakeDoc(doc);
    const std::string two = TempPath("two.eng");
    {
        std::ofstream out(two, std::ios::binary);
        out << "A1 18 70 3 0.01 0.02 Es\n0.1 150\n0.3 0\n"
               "B2 18 70 P 0.01 0.02 Es\n0 90\n0.2 400\n0.4 0\n";
    }
    test::ScriptedPrompt ok;
    ok.files = {two, two, TempPath("missing.eng")};
    ScriptedMotorReportDlg dialog(nullptr, nullptr, &ok);
    dialog.m_pDoc = &doc;
    dialog.m_range = cursors;
    ASSERT_TRUE(dialog.ComputeMotorReport());
    dialog.resize(700, 300);
    const QImage plain = dialog.grab().toImage();

    dialog.choose = CMotorReportDlg::ID_REPORT_NET_FORCE;
    dialog.ShowReportMenu(QPoint(30, 30), false);
    EXPECT_EQ(dialog.Results().m_thrust, ThrustKind::Net);
    dialog.choose = CMotorReportDlg::ID_REPORT_MOTOR_THRUST;
    dialog.ShowReportMenu(QPoint(30, 30), false);
    EXPECT_EQ(dialog.Results().m_thrust, ThrustKind::Motor);

    // Cancelling the motor chooser changes nothing; picking the second motor overlays it
    // and tells what the reader only accepted with a warning.
    dialog.choose = CMotorReportDlg::ID_REPORT_COMPARE;
    dialog.ShowReportMenu(QPoint(30, 30), false);
    EXPECT_FALSE(dialog.Certified());
    ASSERT_EQ(dialog.motorLabels.size(), 2u);
    EXPECT_EQ(dialog.motorLabels[1], "B2 Es (G, 89.00 N s, 0.40 s)");
    dialog.chooseMotor = 1;
    const std::size_t before = ok.messages.size();
    dialog.ShowReportMenu(QPoint(30, 30), false);
    ASSERT_TRUE(dialog.Certified());
    EXPECT_EQ(dialog.Certified()->designation, "B2");
    ASSERT_EQ(ok.messages.size(), before + 1);
    EXPECT_NE(ok.messages.back().text.find("starts at t = 0"), std::string::npos);
    EXPECT_EQ(ok.messages.back().severity, Severity::Warning);
    // The certified curve is drawn in its own colour.
    const QImage compared = dialog.grab().toImage();
    auto blue = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y).blue() > image.pixelColor(x, y).red() + 80;
        return n;
    };
    EXPECT_EQ(blue(plain), 0);
    EXPECT_GT(blue(compared), 50);
    // A file that cannot be read keeps the comparison there was.
    dialog.ShowReportMenu(QPoint(30, 30), false);
    EXPECT_EQ(dialog.Certified()->designation, "B2");
    EXPECT_EQ(ok.messages.back().severity, Severity::Error);
    EXPECT_NE(ok.messages.back().text.find("missing.eng"), std::string::npos);
}

TEST(MotorReportDlg, ExitClosesTheWindow) {
    App();
    CTAVOkitDoc doc;
    CursorRange cursors = MakeDoc(doc);
    test::ScriptedPrompt ok;
    ScriptedMotorReportDlg dialog(nullptr, nullptr, &ok);
    dialog.m_pDoc = &doc;
    dialog.m_range = cursors;
    ASSERT_TRUE(dialog.ComputeMotorReport());
    dialog.show();
    QApplication::processEvents();
    dialog.choose = CMotorReportDlg::ID_REPORT_EXIT;
    dialog.ShowReportMenu(QPoint(30, 30), false);
    EXPECT_TRUE(dialog.isVisible()); // posted, not at once
    QApplication::processEvents();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(MotorReportDlg, PrintGoesThroughThePrintDialogToThePage) {
    App();
    CTAVOkitDoc doc;
    CursorRange cursors = MakeDoc(doc);
    doc.Record().m_strName = "Garden flight";
    test::ScriptedPrompt ok;
    QPrinter shared(QPrinter::HighResolution);
    ScriptedMotorReportDlg dialog(nullptr, &shared, &ok);
    dialog.m_pDoc = &doc;
    dialog.m_range = cursors;
    ASSERT_TRUE(dialog.ComputeMotorReport());
    dialog.resize(640, 330);
    dialog.choose = CMotorReportDlg::ID_REPORT_PRINT;

    // Cancelled: nothing printed, nothing said.
    const std::string path = TempPath("motor_report.pdf");
    std::filesystem::remove(path);
    dialog.printTo = path;
    dialog.ShowReportMenu(QPoint(30, 30), false);
    EXPECT_EQ(dialog.printDialogs, 1);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(ok.messages.empty());

    dialog.confirm = true;
    shared.setOutputFileName(QString::fromStdString(TempPath("Untitled.pdf"))); // the graph's
    dialog.ShowReportMenu(QPoint(30, 30), false);
    EXPECT_EQ(dialog.printDialogs, 2);
    EXPECT_EQ(shared.docName(), QStringLiteral("Motor Report"));
    EXPECT_EQ(dialog.proposed, QString::fromStdString(TempPath("Untitled motor report.pdf")));
    ASSERT_TRUE(std::filesystem::exists(path));
    std::ifstream file(path, std::ios::binary);
    std::string head(5, '\0');
    file.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");
    EXPECT_GT(std::filesystem::file_size(path), 1000u);
    EXPECT_TRUE(ok.messages.empty());

    // A printer that will not start is reported instead of ignored.
    dialog.printTo = "/nonexistent-folder/report.pdf";
    dialog.ShowReportMenu(QPoint(30, 30), false);
    ASSERT_EQ(ok.messages.size(), 1u);
    EXPECT_EQ(ok.messages[0].text, "The printer could not be started.");
}

TEST(CdReportDlg, TitleSizeChecksAndPage) {
    App();
    CTAVOkitDoc doc;
    CursorRange cursors = MakeDoc(doc);
    doc.Record().m_fMaxDiameter = 0.05f;
    doc.Recompute();
    cursors.c1 = 2;
    test::ScriptedPrompt ok;
    CCdReportDlg dialog(nullptr, &ok);
    dialog.m_pDoc = &doc;
    dialog.m_range = cursors;
    ASSERT_TRUE(dialog.ComputeCdReport());
    EXPECT_EQ(dialog.Results().m_kind, CdKind::Drag);
    dialog.SetCdKind(CdKind::Document);
    EXPECT_GT(dialog.Results().m_fCdMax, 0.0f);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Cd"));
    EXPECT_TRUE(dialog.isModal());
    EXPECT_GT(dialog.width(), dialog.height() * 3 / 2);
    dialog.resize(400, 200);
    const QImage image = dialog.grab().toImage();
    EXPECT_EQ(image.pixelColor(50, 100), QColor(Qt::black));

    cursors.c2 = 99;
    test::ScriptedPrompt refused;
    CCdReportDlg beyond(nullptr, &refused);
    beyond.m_pDoc = &doc;
    beyond.m_range = cursors;
    EXPECT_EQ(beyond.DoModal(), QDialog::Rejected);
    ASSERT_EQ(refused.messages.size(), 1u);
    EXPECT_EQ(refused.messages[0].text.substr(0, 33), "Nothing to Report\n\nC2 (sample 99)");
}

class ScriptedCdReportDlg : public CCdReportDlg {
public:
    using CCdReportDlg::CCdReportDlg;
    QAction* ExecPopupMenu(QMenu& menu, QPoint) override {
        items.clear();
        QAction* chosen = nullptr;
        for (QAction* action : menu.actions()) {
            items.push_back(action->text().toStdString());
            if (action->data().toInt() == choose && !action->isSeparator())
                chosen = action;
        }
        return chosen;
    }
    std::vector<std::string> items;
    int choose = 0;
};

TEST(CdReportDlg, MenuChoosesTheCdAndCopies) {
    App();
    CTAVOkitDoc doc;
    FileError error;
    ASSERT_TRUE(doc.OnOpenDocument(TAVOKIT_SOURCE_DIR "/data/demo.flt", error)) << error.message;
    const CursorRange cursors{439, 639};
    test::ScriptedPrompt ok;
    ScriptedCdReportDlg dialog(nullptr, &ok);
    dialog.m_pDoc = &doc;
    dialog.m_range = cursors;
    ASSERT_TRUE(dialog.ComputeCdReport());
    EXPECT_NEAR(dialog.Results().m_fCdMean, 0.6f, 0.03f);

    dialog.choose = CCdReportDlg::ID_CD_COPY;
    dialog.ShowReportMenu(QPoint(30, 30), false);
    EXPECT_EQ(dialog.items,
              (std::vector<std::string>{CdKindName(CdKind::Drag), CdKindName(CdKind::Document), "",
                                        "Drag Curve against Mach", "Export Drag Curve...", "",
                                        "Copy", "Print", "Exit"}));
    const QStringList copied = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    EXPECT_EQ(copied.value(0).toStdString(), CdKindName(CdKind::Drag));
    EXPECT_EQ(copied.size(), 8 + 200 + 1); // figures, blank, header, samples, last line end

    dialog.choose = CCdReportDlg::ID_CD_DOCUMENT;
    dialog.ShowReportMenu(QPoint(30, 30), false);
    EXPECT_EQ(dialog.Results().m_kind, CdKind::Document);
    EXPECT_GT(dialog.Results().m_fCdMax, 1.5f); // gravity taken for drag
    EXPECT_TRUE(ok.messages.empty());

    // The drag curve of the demo's coast, shown and written as simulators read it.
    dialog.choose = CCdReportDlg::ID_CD_DRAG_CURVE;
    dialog.ShowReportMenu(QPoint(30, 30), false);
    EXPECT_TRUE(dialog.Results().m_bShowDragCurve);
    const DragCurve& curve = dialog.Results().m_dragCurve;
    ASSERT_TRUE(curve.usable) << curve.reason;
    ASSERT_GE(curve.points.size(), 3u);
    const std::string csv = test::FreshDir("reports_ui", "drag") + "/demo drag curve.csv";
    ok.files.push_back(csv);
    dialog.choose = CCdReportDlg::ID_CD_EXPORT_DRAG;
    dialog.ShowReportMenu(QPoint(30, 30), false);
    EXPECT_EQ(ok.choices.at(0).proposedName, "demo drag curve.csv");
    EXPECT_EQ(test::ReadFileBytes(csv), DragCurveCsv(curve));
    EXPECT_TRUE(ok.messages.empty());
}

} // namespace
} // namespace tavo

// Widgets need their application for the whole run and must go before it does: a static
// application would be torn down after the font and style caches it owns.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
