#include "guide_steps.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/command_ids.h"
#include "app/tavokit_app.h"
#include "device/served_flight.h"
#include "flight/atomic_file.h"
#include "reports/ui/motor_report_dlg.h"
#include "view/ui/tavokit_view.h"

namespace guideshots {
namespace {

using namespace tavo;

// The window size the guide's pictures are read at.
constexpr int kFrameWidth = 1000;
constexpr int kFrameHeight = 640;
constexpr int kReportHeight = 520;
// Lines of live telemetry to wait for: the demo stream's launch, burn and coast.
constexpr std::size_t kLiveLines = 1600;

QString Picture(const GuidePaths& paths, const char* name) {
    return paths.out + QLatin1Char('/') + QString::fromLatin1(name);
}

// Posts a key press to `widget`, as the keyboard would send it there.
void PostKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTimer::singleShot(0, widget,
                       [widget, key, modifiers] { QTest::keyClick(widget, key, modifiers); });
}

Step Key(QWidget* widget, const QString& what, Qt::Key key,
         Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return Do(what, [widget, key, modifiers] { PostKey(widget, key, modifiers); });
}

// Moves cursor `cursor` onto sample `target()` with the keys a user has: Tab to make it
// the active cursor, then Ctrl+Left or Ctrl+Right from marker to marker, or, with
// `byMarkers` false, Shift+arrows by ten samples and arrows by one.
Step CursorTo(CTAVOkitView& view, int cursor, std::function<int()> target, const QString& what,
              bool byMarkers = true) {
    return Until(what, [&view, cursor, target, byMarkers] {
        const GraphViewState& s = view.State();
        if (s.activeCursor != cursor) {
            PostKey(&view, Qt::Key_Tab);
            return false;
        }
        const int at = cursor == 2 ? s.cursor2 : s.cursor1;
        const int wanted = target();
        if (wanted <= 0)
            return false;
        if (at == wanted)
            return true;
        const Qt::Key key = at > wanted ? Qt::Key_Left : Qt::Key_Right;
        if (byMarkers)
            PostKey(&view, key, Qt::ControlModifier);
        else
            PostKey(&view, key, std::abs(at - wanted) >= 10 ? Qt::ShiftModifier : Qt::NoModifier);
        return false;
    });
}

// Sets a form field of a dialog: a line edit's text or a combo box's entry.
void SetField(const QString& window, const QString& label, const QString& value) {
    QWidget* field = FieldByLabel(FindWindow(window), label);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        // Typed over what the field holds, so the dialog sees the edits a user makes.
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, value);
    } else if (auto* combo = qobject_cast<QComboBox*>(field)) {
        const int index = combo->findText(value, Qt::MatchStartsWith);
        if (index >= 0)
            combo->setCurrentIndex(index);
        else if (combo->isEditable())
            combo->setEditText(value);
        else
            Fail(QStringLiteral("'%1' in '%2' offers no '%3'").arg(label, window, value));
    } else {
        // A renamed field would otherwise leave the pictures quietly showing other values.
        Fail(QStringLiteral("no field '%1' in '%2'").arg(label, window));
    }
}

bool FileWritten(const QString& path) {
    return QFileInfo(path).size() > 0;
}

// Closes a window as its close box would.
Step Close(const QString& title) {
    return Step{QStringLiteral("close '%1'").arg(title), [title] {
                    QWidget* w = FindWindow(title);
                    if (w == nullptr)
                        return false;
                    QTimer::singleShot(0, w, &QWidget::close);
                    return true;
                }};
}

// Chooses the PDF printer of Qt's print dialog and the file it writes.
void PrintToPdf(const QString& pdf) {
    QWidget* dialog = FindWindow(QStringLiteral("Print"));
    if (dialog == nullptr)
        return;
    for (QComboBox* combo : dialog->findChildren<QComboBox*>()) {
        const int pdfIndex = combo->findText(QStringLiteral("PDF"), Qt::MatchContains);
        if (pdfIndex >= 0)
            combo->setCurrentIndex(pdfIndex);
    }
    if (auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename")))
        file->setText(pdf);
}

} // namespace

std::vector<QString> GuidePictures() {
    return {QStringLiteral("01-administer.png"),     QStringLiteral("02-download.png"),
            QStringLiteral("03-cursors.png"),        QStringLiteral("04-cut.png"),
            QStringLiteral("05-motor-report.png"),   QStringLiteral("06-eng-export.png"),
            QStringLiteral("07-cd-report.png"),      QStringLiteral("09-live-graph.png"),
            QStringLiteral("10-telemetry-data.png"), QStringLiteral("11-rdas-import.png"),
            QStringLiteral("12-at-a-glance.png")};
}

std::vector<Step> GuideSteps(CTAVOkitApp& app, const GuidePaths& paths) {
    CMainFrame* frame = &app.MainFrame();
    CTAVOkitView* view = &frame->View();
    CTAVOkitDoc* doc = &app.Document();
    const auto command = [frame](const QString& what, int id) {
        return Command(what, [frame, id] { frame->OnCommand(id); });
    };
    const auto mainWindow = [frame]() -> QWidget* { return frame; };
    const auto window = [](const QString& title) { return [title] { return FindWindow(title); }; };
    const QString eng = paths.out + QStringLiteral("/C6-measured.eng");
    const QString csv = paths.out + QStringLiteral("/demo-flight.csv");
    const QString pdf = paths.out + QStringLiteral("/08-printed-page.pdf");
    const QString admin = QStringLiteral("Administer");
    const QString download = QStringLiteral("Download DATA");

    std::vector<Step> s;
    s.push_back(Do(QStringLiteral("window size"), [frame] {
        frame->resize(kFrameWidth, kFrameHeight);
        frame->activateWindow();
    }));

    // Configure the recorder: connect and read what it holds.
    s.push_back(command(QStringLiteral("Tools > Administer TAVO"), ID_TOOLS_ADMINISTER));
    s.push_back(WaitWindow(admin));
    s.push_back(Click(admin, QStringLiteral("Connect")));
    s.push_back(WaitWindow(admin, [](QWidget* w) {
        return FindButton(w, QStringLiteral("Disconnect")) != nullptr &&
               FindButton(w, QStringLiteral("OK")) != nullptr;
    }));
    s.push_back(Pause(300));
    s.push_back(Shot(Picture(paths, "01-administer.png"), window(admin)));
    s.push_back(Click(admin, QStringLiteral("Cancel")));
    s.push_back(WaitGone(admin));

    // Download the flight.
    s.push_back(command(QStringLiteral("Tools > Download DATA"), ID_TOOLS_DOWNLOAD));
    s.push_back(WaitWindow(download));
    // Room for the whole recording: the demo flight is longer than the first-run limit.
    s.push_back(Do(QStringLiteral("max samples typed"), [download] {
        SetField(download, QStringLiteral("Max samples\nto receive"), QStringLiteral("12000"));
    }));
    s.push_back(Click(download, QStringLiteral("Read EEPROM")));
    s.push_back(WaitWindow(
        download,
        [](QWidget* w) {
            const auto* read = w->findChild<QLabel*>(QStringLiteral("samplesRead"));
            return read != nullptr && !read->text().isEmpty() &&
                   FindButton(w, QStringLiteral("Read EEPROM")) != nullptr;
        },
        90000));
    s.push_back(Shot(Picture(paths, "02-download.png"), window(download)));
    s.push_back(Click(download, QStringLiteral("OK")));
    s.push_back(WaitGone(download));
    auto downloaded = std::make_shared<std::size_t>(0);
    s.push_back(Until(QStringLiteral("the flight in the window"), [doc, downloaded] {
        *downloaded = doc->SampleCount();
        return *downloaded > 0 && doc->Curves().m_nEvent2 > 0;
    }));

    // The details the reports need.
    const QString details = QStringLiteral("Details");
    s.push_back(command(QStringLiteral("View > Details"), ID_VIEW_DETAILS));
    s.push_back(WaitWindow(details));
    s.push_back(Do(QStringLiteral("details typed"), [details] {
        SetField(details, QStringLiteral("Name:"), QStringLiteral("Club launch"));
        SetField(details, QStringLiteral("Motor:"), QStringLiteral("C6-5"));
        SetField(details, QStringLiteral("Pre-launch weight:"), QStringLiteral("0.0751"));
        SetField(details, QStringLiteral("Propellant weight:"), QStringLiteral("0.0108"));
        SetField(details, QStringLiteral("Max Diameter:"), QStringLiteral("0.0246"));
    }));
    s.push_back(Click(details, QStringLiteral("OK")));
    s.push_back(WaitGone(details));

    // Cursors on launch and burn-out with the keys, then zoomed to them.
    const auto launch = [doc] { return doc->Curves().m_nEvent1; };
    const auto burnout = [doc] { return doc->Curves().m_nEvent2; };
    s.push_back(Do(QStringLiteral("focus on the graph"), [view] { view->setFocus(); }));
    s.push_back(CursorTo(*view, 1, launch, QStringLiteral("C1 on launch")));
    s.push_back(CursorTo(*view, 2, burnout, QStringLiteral("C2 on burn-out")));
    s.push_back(command(QStringLiteral("View > Zoom to Cursors"), ID_VIEW_ZOOM_CURSORS));
    s.push_back(Pause(100));
    s.push_back(Key(view, QStringLiteral("zoom out a step"), Qt::Key_Minus));
    s.push_back(Pause(300));
    s.push_back(Shot(Picture(paths, "03-cursors.png"), mainWindow));

    // The flight at a glance: the whole flight, the summary, every curve on its own axis.
    s.push_back(command(QStringLiteral("View > Whole Flight"), ID_VIEW_WHOLE_FLIGHT));
    s.push_back(command(QStringLiteral("View > Flight Summary"), ID_VIEW_SUMMARY));
    s.push_back(command(QStringLiteral("View > All Curves on Own Axes"), ID_VIEW_OWN_AXES));
    s.push_back(Pause(300));
    s.push_back(Shot(Picture(paths, "12-at-a-glance.png"), mainWindow));
    s.push_back(command(QStringLiteral("View > Flight Summary"), ID_VIEW_SUMMARY));
    s.push_back(command(QStringLiteral("View > All Curves on Own Axes"), ID_VIEW_OWN_AXES));
    s.push_back(command(QStringLiteral("View > Zoom to Cursors"), ID_VIEW_ZOOM_CURSORS));

    // Cut to the burn, picture, and undo both cuts.
    const QString warning = QStringLiteral("Warning");
    s.push_back(command(QStringLiteral("Edit > Delete to C1"), ID_EDIT_DELETE_TO_C1));
    s.push_back(Click(warning, QStringLiteral("OK")));
    s.push_back(WaitGone(warning));
    // A cut puts the cursors back at the thirds of what is left: C2 goes back to burn-out.
    s.push_back(CursorTo(*view, 2, burnout, QStringLiteral("C2 on burn-out again")));
    s.push_back(command(QStringLiteral("Edit > Delete after C2"), ID_EDIT_DELETE_AFTER_C2));
    s.push_back(Click(warning, QStringLiteral("OK")));
    s.push_back(WaitGone(warning));
    s.push_back(Pause(300));
    s.push_back(Shot(Picture(paths, "04-cut.png"), mainWindow));
    s.push_back(command(QStringLiteral("Edit > Undo"), ID_EDIT_UNDO));
    s.push_back(Pause(100));
    s.push_back(command(QStringLiteral("Edit > Undo"), ID_EDIT_UNDO));
    s.push_back(Until(QStringLiteral("the whole flight back"),
                      [doc, downloaded] { return doc->SampleCount() == *downloaded; }));
    s.push_back(CursorTo(*view, 1, launch, QStringLiteral("C1 back on launch")));
    s.push_back(CursorTo(*view, 2, burnout, QStringLiteral("C2 back on burn-out")));

    // The motor report, compared with the certified curve.
    const QString notice = QStringLiteral("Notice");
    const QString report = QStringLiteral("Motor Report");
    s.push_back(command(QStringLiteral("Tools > Create Motor Report"), ID_TOOLS_MOTOR_REPORT));
    s.push_back(Click(notice, QStringLiteral("OK")));
    s.push_back(WaitWindow(report));
    s.push_back(Step{QStringLiteral("Ctrl+O in the report"), [report] {
                         QWidget* w = FindWindow(report);
                         if (w == nullptr)
                             return false;
                         PostKey(w, Qt::Key_O, Qt::ControlModifier);
                         return true;
                     }});
    s.push_back(ChooseFile(QStringLiteral("Compare with motor file"), paths.motorFile));
    s.push_back(WaitWindow(report, [](QWidget* w) {
        const auto* dialog = dynamic_cast<CMotorReportDlg*>(w);
        return dialog != nullptr && dialog->Certified().has_value();
    }));
    s.push_back(Do(QStringLiteral("report window enlarged"), [report] {
        if (QWidget* w = FindWindow(report))
            w->resize(kFrameWidth, kReportHeight);
    }));
    s.push_back(Pause(300));
    s.push_back(Shot(Picture(paths, "05-motor-report.png"), window(report)));
    s.push_back(Close(report));
    s.push_back(WaitGone(report));

    // The thrust curve as an ENG file.
    const QString exportMotor = QStringLiteral("Export motor file");
    s.push_back(command(QStringLiteral("File > Export Thrust Curve"), ID_FILE_EXPORT_THRUST));
    s.push_back(Click(notice, QStringLiteral("OK")));
    s.push_back(WaitWindow(exportMotor));
    s.push_back(Do(QStringLiteral("motor file fields typed"), [exportMotor] {
        SetField(exportMotor, QStringLiteral("Diameter:"), QStringLiteral("18"));
        SetField(exportMotor, QStringLiteral("Length:"), QStringLiteral("70"));
        SetField(exportMotor, QStringLiteral("Delays:"), QStringLiteral("5"));
        SetField(exportMotor, QStringLiteral("Pre-fire weight:"), QStringLiteral("0.0231"));
        SetField(exportMotor, QStringLiteral("Manufacturer:"), QStringLiteral("HM"));
        SetField(exportMotor, QStringLiteral("# of points"), QStringLiteral("24"));
    }));
    s.push_back(Pause(200));
    s.push_back(Shot(Picture(paths, "06-eng-export.png"), window(exportMotor)));
    s.push_back(Click(exportMotor, QStringLiteral("OK")));
    s.push_back(ChooseFile(QStringLiteral("Save File As ENG"), eng));
    s.push_back(Until(QStringLiteral("ENG file written"), [eng] { return FileWritten(eng); }));

    // The whole flight as CSV.
    s.push_back(command(QStringLiteral("File > Export"), ID_FILE_EXPORT));
    s.push_back(ChooseFile(QStringLiteral("Save File As CSV"), csv));
    s.push_back(Until(QStringLiteral("CSV file written"), [csv] { return FileWritten(csv); }));

    // The Cd report over the first two seconds of the coast, where the rocket is fast:
    // near apogee the speed goes to nothing and the coefficient with it to infinity.
    // C2 first, so C1 can follow it.
    constexpr int kCoastSamples = 200;
    s.push_back(CursorTo(
        *view, 2, [doc] { return doc->Curves().m_nEvent2 + kCoastSamples; },
        QStringLiteral("C2 two seconds after burn-out"), false));
    s.push_back(CursorTo(*view, 1, burnout, QStringLiteral("C1 on burn-out")));
    s.push_back(command(QStringLiteral("Tools > Create CD Report"), ID_TOOLS_CD_REPORT));
    s.push_back(Click(notice, QStringLiteral("OK")));
    s.push_back(WaitWindow(QStringLiteral("Cd")));
    s.push_back(Pause(300));
    s.push_back(Shot(Picture(paths, "07-cd-report.png"), window(QStringLiteral("Cd"))));
    s.push_back(Close(QStringLiteral("Cd")));
    s.push_back(WaitGone(QStringLiteral("Cd")));

    // Print to a PDF file, back on launch and burn-out.
    s.push_back(CursorTo(*view, 1, launch, QStringLiteral("C1 on launch for printing")));
    s.push_back(CursorTo(*view, 2, burnout, QStringLiteral("C2 on burn-out for printing")));
    s.push_back(command(QStringLiteral("File > Print..."), ID_FILE_PRINT));
    s.push_back(WaitWindow(QStringLiteral("Print")));
    s.push_back(Do(QStringLiteral("PDF printer chosen"), [pdf] { PrintToPdf(pdf); }));
    s.push_back(Click(QStringLiteral("Print"), QStringLiteral("Print")));
    s.push_back(WaitGone(QStringLiteral("Print")));
    s.push_back(Until(QStringLiteral("PDF written"), [pdf] { return FileWritten(pdf); }));

    // Live capture from the demo's telemetry receiver on COM2, into a new flight.
    const QString setup = QStringLiteral("Setup");
    s.push_back(command(QStringLiteral("File > New"), ID_FILE_NEW));
    s.push_back(Click(QStringLiteral("TAVOkit"), QStringLiteral("No")));
    s.push_back(
        Until(QStringLiteral("an empty flight"), [doc] { return doc->SampleCount() == 0; }));
    s.push_back(command(QStringLiteral("Tools > Setup"), ID_TOOLS_SETUP));
    s.push_back(WaitWindow(setup));
    s.push_back(Do(QStringLiteral("COM2 chosen"), [setup] {
        SetField(setup, QStringLiteral("Comm port"), QStringLiteral("COM2"));
        // A new flight has no rate until one is given: the receiver's, here the demo's.
        SetField(setup, QStringLiteral("Sample rate"), QStringLiteral("100"));
    }));
    s.push_back(Click(setup, QStringLiteral("OK")));
    s.push_back(WaitGone(setup));
    s.push_back(command(QStringLiteral("Tools > Start Telemetry"), ID_TELEMETRY_START));
    s.push_back(Until(QStringLiteral("live lines arriving"),
                      [doc] { return doc->SampleCount() >= kLiveLines; }));
    s.push_back(Do(QStringLiteral("repaint"), [view] { view->repaint(); }));
    s.push_back(Shot(Picture(paths, "09-live-graph.png"), mainWindow));
    s.push_back(command(QStringLiteral("Tools > Stop Telemetry"), ID_TELEMETRY_STOP));
    s.push_back(Until(QStringLiteral("capture stopped"), [frame] {
        const auto* status =
            frame->statusBar()->findChild<QLabel*>(QStringLiteral("telemetryStatus"));
        return status != nullptr && status->text().startsWith(QStringLiteral("Telemetry stopped"));
    }));
    const QString list = QStringLiteral("Telemetry Data");
    s.push_back(command(QStringLiteral("Tools > Telemetry Data"), ID_TELEMETRY_SHOW));
    s.push_back(WaitWindow(list));
    s.push_back(Pause(200));
    s.push_back(Shot(Picture(paths, "10-telemetry-data.png"), window(list)));
    s.push_back(Close(list));
    s.push_back(WaitGone(list));

    // An RDAS file imported as the flight.
    s.push_back(command(QStringLiteral("File > Import RDAS..."), ID_FILE_IMPORT_RDAS));
    s.push_back(ChooseFile(QStringLiteral("Import File"), paths.rdasFile));
    // The captured flight was never saved: the import offers to, as Open does.
    s.push_back(Click(QStringLiteral("TAVOkit"), QStringLiteral("No")));
    s.push_back(Until(QStringLiteral("the RDAS flight in the window"),
                      [doc, n = paths.rdasSamples] { return doc->SampleCount() == n; }));
    s.push_back(Pause(300));
    s.push_back(Shot(Picture(paths, "11-rdas-import.png"), mainWindow));
    return s;
}

bool WriteRdasFromFlight(const QString& flightPath, const QString& rdasPath, int seconds,
                         std::size_t& samples, QString& reason) {
    ServedFlight flight;
    std::string error;
    if (!LoadServedFlight(flightPath.toStdString(), flight, error)) {
        reason = QString::fromStdString(error);
        return false;
    }
    if (flight.sampleRate <= 0) {
        reason = QStringLiteral("the flight has no sample rate");
        return false;
    }
    // The layout the RDAS reader takes: the rate line, the raw-data marker, a column
    // header, then one line per sample with the reading in the second column.
    std::string text = "RDAS flight data\r\n\r\nData is sampled at " +
                       std::to_string(flight.sampleRate) + " Hz\r\n\r\n*** Raw data ***\r\n" +
                       "   Time    Accel\r\n";
    const std::size_t count = std::min<std::size_t>(
        flight.words.size(), static_cast<std::size_t>(seconds) * flight.sampleRate);
    char line[64];
    for (std::size_t i = 0; i < count; ++i) {
        // The reader takes the reading up to the blank after it, as in files with more
        // columns.
        std::snprintf(line, sizeof line, "%7.2f %u \r\n",
                      static_cast<double>(i) / flight.sampleRate, flight.words[i]);
        text += line;
    }
    if (!WriteFileAtomically(rdasPath.toStdString(), text.data(), text.size(), error)) {
        reason = QString::fromStdString(error);
        return false;
    }
    samples = count;
    return true;
}

} // namespace guideshots
