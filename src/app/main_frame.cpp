#include "app/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "settings/window_settings.h"
#include "uikit/dlg_common.h"
#include "view/ui/tavokit_view.h"

namespace tavo {

namespace {
const QString kReady = QStringLiteral("Ready");
} // namespace

CMainFrame::CMainFrame(CTAVOkitDoc& doc, QSettings& settings, PortDirectory& ports, QWidget* parent)
    : QMainWindow(parent), m_doc(doc), m_settings(settings), m_ports(ports), m_recent(settings),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    runDialog = [](QDialog& dialog) { return dialog.exec(); };

    m_view = new CTAVOkitView(doc, this);
    setCentralWidget(m_view);
    // The frame never gets narrower or lower than this while the user drags an edge;
    // the window manager keeps the opposite edge where it was.
    setMinimumSize(kMinFrameSize, kMinFrameSize);
    // The first size fits the screen whatever its scaling (a 1080p screen at 200 % has
    // 960 by 540 units to offer).
    QSize first(900, 640);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        first = first.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(first);
    // Where the user left the window last time; Qt moves it back onto a screen that
    // has since gone away.
    restoreGeometry(LoadWindowGeometry(m_settings));

    // The handlers of the commands this window carries out itself. Other commands are
    // handed over with WireCommand; until then their items stand disabled.
    GraphController& view = m_view->Controller();
    m_handlers[ID_FILE_NEW] = [this] { OnFileNew(); };
    m_handlers[ID_FILE_OPEN] = [this] { OnFileOpen(); };
    m_handlers[ID_FILE_SAVE] = [this] { OnFileSave(); };
    m_handlers[ID_FILE_SAVE_AS] = [this] { OnFileSaveAs(); };
    m_handlers[ID_FILE_PRINT] = [this] { OnFilePrint(); };
    m_handlers[ID_FILE_PRINT_PREVIEW] = [this] { OnFilePrintPreview(); };
    m_handlers[ID_FILE_PRINT_SETUP] = [this] { OnFilePrintSetup(); };
    m_handlers[ID_APP_EXIT] = [this] { close(); };
    m_handlers[ID_EDIT_UNDO] = [&view] { view.OnUndo(); };
    m_handlers[ID_EDIT_DELETE_TO_C1] = [this, &view] {
        view.OnCut(CutKind::ToC1, *m_view->prompt);
    };
    m_handlers[ID_EDIT_DELETE_AFTER_C2] = [this, &view] {
        view.OnCut(CutKind::AfterC2, *m_view->prompt);
    };
    m_handlers[ID_EDIT_DELETE_BETWEEN] = [this, &view] {
        view.OnCut(CutKind::BetweenCursors, *m_view->prompt);
    };
    m_handlers[ID_UNITS_ENGLISH] = [&view] { view.OnUnits(false); };
    m_handlers[ID_UNITS_METRIC] = [&view] { view.OnUnits(true); };
    m_handlers[ID_VIEW_TOOLBAR] = [this] { m_toolBar->setVisible(m_toolBar->isHidden()); };
    m_handlers[ID_VIEW_STATUS_BAR] = [this] { statusBar()->setVisible(statusBar()->isHidden()); };
    m_handlers[ID_VIEW_SCALING] = [this] { OnViewScaling(); };
    m_handlers[ID_VIEW_CURSORS] = [&view] { view.OnCursors(); };
    m_handlers[ID_VIEW_DETAILS] = [this] { OnViewDetails(); };
    m_handlers[ID_TOOLS_SETUP] = [this] { OnToolsSetup(); };
    m_handlers[ID_APP_ABOUT] = [this] { OnAppAbout(); };
    m_handlers[ID_EDIT_REDO] = [&view] { view.OnRedo(); };
    m_handlers[ID_VIEW_ZOOM_IN] = [&view] { view.ZoomIn(); };
    m_handlers[ID_VIEW_ZOOM_OUT] = [&view] { view.ZoomOut(); };
    m_handlers[ID_VIEW_ZOOM_CURSORS] = [&view] { view.ZoomToCursors(); };
    m_handlers[ID_VIEW_WHOLE_FLIGHT] = [&view] { view.WholeFlight(); };
    m_handlers[ID_VIEW_STATISTICS] = [this] { OnViewStatistics(); };
    m_handlers[ID_VIEW_CURSORS_ON_BURN] = [this, &view] { view.CursorsOnBurn(*m_view->prompt); };
    m_handlers[ID_VIEW_OWN_AXES] = [&view] { view.ToggleOwnAxes(); };
    m_handlers[ID_VIEW_SUMMARY] = [&view] { view.ToggleSummary(); };
    m_handlers[ID_FILE_EXPORT_GRAPH] = [this] { OnFileExportGraph(); };
    m_handlers[ID_FILE_OVERLAY] = [this] { OnFileOverlay(); };
    m_handlers[ID_FILE_REMOVE_OVERLAYS] = [this] { OnFileRemoveOverlays(); };
    m_handlers[ID_HELP_KEYS] = [this] { OnHelpKeys(); };
    m_handlers[ID_EDIT_COPY] = [this] { OnEditCopy(); };
    m_handlers[ID_RECOMPUTE] = [this] {
        m_doc.Recompute();
        m_doc.UpdateAllViews();
    };

    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    m_doc.SetObserver(this);
    OnTitleChanged();
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() {
    m_doc.SetObserver(nullptr);
}

QAction* CMainFrame::AddCommand(QMenu* menu, int id, const QString& text, const QString& tip,
                                QList<QKeySequence> keys) {
    auto* action = new QAction(text, this);
    action->setStatusTip(tip);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    if (menu != nullptr)
        menu->addAction(action);
    else
        addAction(action);
    m_actions[id] = action;
    return action;
}

void CMainFrame::BuildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = m_fileMenu = bar->addMenu(QStringLiteral("&File"));
    AddCommand(file, ID_FILE_NEW, QStringLiteral("&New"), QStringLiteral("Create a new flight"),
               {QKeySequence(Qt::CTRL | Qt::Key_N)});
    AddCommand(file, ID_FILE_OPEN, QStringLiteral("&Open..."), QStringLiteral("Open a flight file"),
               {QKeySequence(Qt::CTRL | Qt::Key_O)});
    AddCommand(file, ID_FILE_SAVE, QStringLiteral("&Save"), QStringLiteral("Save the flight"),
               {QKeySequence(Qt::CTRL | Qt::Key_S)});
    AddCommand(file, ID_FILE_SAVE_AS, QStringLiteral("Save &As..."),
               QStringLiteral("Save the flight with a new name"),
               {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    file->addSeparator();
    AddCommand(file, ID_FILE_EXPORT, QStringLiteral("&Export"),
               QStringLiteral("Export the flight as a CSV file"));
    AddCommand(file, ID_FILE_EXPORT_THRUST, QStringLiteral("Export &Thrust Curve"),
               QStringLiteral("Export the thrust curve between the cursors as an ENG file"));
    AddCommand(file, ID_FILE_IMPORT_RDAS, QStringLiteral("&Import RDAS..."),
               QStringLiteral("Import an RDAS text file as the flight"));
    AddCommand(file, ID_FILE_EXPORT_GRAPH, QStringLiteral("Export &Graph..."),
               QStringLiteral("Write the graph as a PNG or SVG picture or a PDF page"));
    file->addSeparator();
    AddCommand(file, ID_FILE_OVERLAY, QStringLiteral("Overla&y Flight..."),
               QStringLiteral("Draw other flights over this one, aligned at their launch"));
    AddCommand(file, ID_FILE_REMOVE_OVERLAYS, QStringLiteral("Re&move Overlays"),
               QStringLiteral("Take the overlaid and predicted flights off the graph"));
    file->addSeparator();
    AddCommand(file, ID_FILE_PRINT, QStringLiteral("&Print..."),
               QStringLiteral("Print the graph with the flight details"),
               {QKeySequence(Qt::CTRL | Qt::Key_P)});
    AddCommand(file, ID_FILE_PRINT_PREVIEW, QStringLiteral("Print Pre&view"),
               QStringLiteral("Show the printed page"));
    AddCommand(file, ID_FILE_PRINT_SETUP, QStringLiteral("P&rint Setup..."),
               QStringLiteral("Change the printer and printing options"));
    file->addSeparator();
    m_recentAnchor = AddCommand(file, ID_FILE_MRU_FILE1, QStringLiteral("Recent &File"),
                                QStringLiteral("Open this flight"));
    file->addSeparator();
    AddCommand(file, ID_APP_EXIT, QStringLiteral("E&xit"), QStringLiteral("Quit TAVOkit"),
               {QKeySequence(Qt::CTRL | Qt::Key_Q)});
    RebuildRecentMenu();

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    AddCommand(edit, ID_EDIT_UNDO, QStringLiteral("&Undo"), QStringLiteral("Undo the last delete"),
               {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    AddCommand(
        edit, ID_EDIT_REDO, QStringLiteral("&Redo"), QStringLiteral("Redo the last undone delete"),
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addSeparator();
    AddCommand(edit, ID_EDIT_CUT, QStringLiteral("Cu&t"), QStringLiteral("Cut the selection"),
               {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    AddCommand(edit, ID_EDIT_COPY, QStringLiteral("&Copy"),
               QStringLiteral("Copy the graph as a picture"),
               {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    AddCommand(edit, ID_EDIT_PASTE, QStringLiteral("&Paste"),
               QStringLiteral("Insert the clipboard"),
               {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    edit->addSeparator();
    AddCommand(edit, ID_EDIT_DELETE_TO_C1, QStringLiteral("&Delete to C1"),
               QStringLiteral("Delete the data before cursor 1"));
    AddCommand(edit, ID_EDIT_DELETE_AFTER_C2, QStringLiteral("Delete a&fter C2"),
               QStringLiteral("Delete the data after cursor 2"));
    AddCommand(edit, ID_EDIT_DELETE_BETWEEN, QStringLiteral("Delete &between cursors"),
               QStringLiteral("Delete the data between the cursors"));

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    QMenu* units = view->addMenu(QStringLiteral("&Units"));
    AddCommand(units, ID_UNITS_ENGLISH, QStringLiteral("&English"),
               QStringLiteral("Show feet, mph and ft/s^2"))
        ->setCheckable(true);
    AddCommand(units, ID_UNITS_METRIC, QStringLiteral("&Metric"),
               QStringLiteral("Show metres, m/s and m/s^2"))
        ->setCheckable(true);
    AddCommand(view, ID_VIEW_TOOLBAR, QStringLiteral("&Toolbar"),
               QStringLiteral("Show or hide the toolbar"))
        ->setCheckable(true);
    AddCommand(view, ID_VIEW_STATUS_BAR, QStringLiteral("&Status Bar"),
               QStringLiteral("Show or hide the status bar"))
        ->setCheckable(true);
    AddCommand(view, ID_VIEW_SCALING, QStringLiteral("S&caling"),
               QStringLiteral("Set the limits of the axes"));
    AddCommand(view, ID_VIEW_CURSORS, QStringLiteral("Cu&rsors"),
               QStringLiteral("Show or hide the cursors"))
        ->setCheckable(true);
    AddCommand(view, ID_VIEW_CURSORS_ON_BURN, QStringLiteral("Cursors on &Burn"),
               QStringLiteral("C1 on the launch marker, C2 on the burn-out marker"),
               {QKeySequence(Qt::CTRL | Qt::Key_B)});
    AddCommand(view, ID_VIEW_OWN_AXES, QStringLiteral("&All Curves on Own Axes"),
               QStringLiteral("Label each curve on a value axis of its own"))
        ->setCheckable(true);
    AddCommand(view, ID_VIEW_SUMMARY, QStringLiteral("Flight Su&mmary"),
               QStringLiteral("Show apogee, maximum velocity, burn time and descent rate on the "
                              "graph and the printed page"))
        ->setCheckable(true);
    AddCommand(view, ID_VIEW_DETAILS, QStringLiteral("&Details"),
               QStringLiteral("Edit the flight details"));
    AddCommand(view, ID_VIEW_STATISTICS, QStringLiteral("&Flight Statistics"),
               QStringLiteral("Apogee, burn, descent and landing of the flight"));
    view->addSeparator();
    AddCommand(view, ID_VIEW_ZOOM_IN, QStringLiteral("Zoom &In"),
               QStringLiteral("Show less of the flight, in more detail"),
               {QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal)});
    AddCommand(view, ID_VIEW_ZOOM_OUT, QStringLiteral("Zoom &Out"),
               QStringLiteral("Show more of the flight"), {QKeySequence(Qt::Key_Minus)});
    AddCommand(view, ID_VIEW_ZOOM_CURSORS, QStringLiteral("&Zoom to Cursors"),
               QStringLiteral("Show the flight between the cursors"));
    AddCommand(view, ID_VIEW_WHOLE_FLIGHT, QStringLiteral("&Whole Flight"),
               QStringLiteral("Show the whole flight"), {QKeySequence(Qt::Key_Home)});

    QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
    AddCommand(tools, ID_TOOLS_DOWNLOAD, QStringLiteral("&Download DATA"),
               QStringLiteral("Download the recorded flight from the recorder"));
    AddCommand(tools, ID_TOOLS_MOTOR_REPORT, QStringLiteral("Create &Motor Report"),
               QStringLiteral("Report on the motor between the cursors"));
    AddCommand(tools, ID_TOOLS_ADMINISTER, QStringLiteral("&Administer TAVO"),
               QStringLiteral("Read and change the recorder's settings"));
    AddCommand(tools, ID_TOOLS_SETUP, QStringLiteral("&Setup"),
               QStringLiteral("Port, display and calibration settings"));
    AddCommand(tools, ID_TOOLS_CD_REPORT, QStringLiteral("Create &CD Report"),
               QStringLiteral("Report the drag coefficient between the cursors"));
    AddCommand(tools, ID_TOOLS_PREDICT, QStringLiteral("&Predict..."),
               QStringLiteral("Fly the rocket measured between the cursors on other motors"));
    AddCommand(tools, ID_TOOLS_LAUNCH_SITE, QStringLiteral("Launch S&ite..."),
               QStringLiteral("The launch site's height above sea level, for the air"));
    tools->addSeparator();
    AddCommand(tools, ID_TELEMETRY_START, QStringLiteral("S&tart Telemetry"),
               QStringLiteral("Capture the receiver's live lines into the flight"));
    AddCommand(tools, ID_TELEMETRY_STOP, QStringLiteral("St&op Telemetry"),
               QStringLiteral("Stop the live capture"));
    AddCommand(tools, ID_TELEMETRY_SHOW, QStringLiteral("Te&lemetry Data"),
               QStringLiteral("List the samples with their altitudes"));

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    AddCommand(help, ID_HELP_KEYS, QStringLiteral("&Keyboard and Mouse"),
               QStringLiteral("The keys and mouse actions of the graph"),
               {QKeySequence(Qt::Key_F1)});
    AddCommand(help, ID_APP_ABOUT, QStringLiteral("&About TAVOkit..."),
               QStringLiteral("Show the program's version"));

    for (QMenu* menu : {file, edit, view, units, tools, help})
        connect(menu, &QMenu::aboutToShow, this, [this] { UpdateCommandUI(); });
}

namespace {

// Two overlapping pages: the styles offer no copy picture of their own, and the
// desktop's icon theme may be missing.
QIcon CopyIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 60, 60), 2));
    for (const QRect& page : {QRect(4, 3, 16, 20), QRect(12, 9, 16, 20)}) {
        painter.setBrush(Qt::white);
        painter.drawRect(page);
        for (int y = page.top() + 6; y < page.bottom() - 2; y += 4)
            painter.drawLine(page.left() + 4, y, page.right() - 4, y);
    }
    return QIcon(pixmap);
}

} // namespace

void CMainFrame::BuildToolBar() {
    m_toolBar = addToolBar(QStringLiteral("Standard"));
    m_toolBar->setObjectName(QStringLiteral("Standard"));
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    QStyle* s = style();
    const auto icon = [s](const char* theme, QStyle::StandardPixmap fallback) {
        return QIcon::fromTheme(QString::fromLatin1(theme), s->standardIcon(fallback));
    };
    m_actions[ID_FILE_NEW]->setIcon(icon("document-new", QStyle::SP_FileIcon));
    m_actions[ID_FILE_OPEN]->setIcon(icon("document-open", QStyle::SP_DialogOpenButton));
    m_actions[ID_FILE_SAVE]->setIcon(icon("document-save", QStyle::SP_DialogSaveButton));
    m_actions[ID_EDIT_COPY]->setIcon(QIcon::fromTheme(QStringLiteral("edit-copy"), CopyIcon()));
    m_actions[ID_FILE_PRINT]->setIcon(icon("document-print", QStyle::SP_ComputerIcon));
    m_actions[ID_APP_ABOUT]->setIcon(icon("help-about", QStyle::SP_MessageBoxInformation));
    for (int id : std::initializer_list<int>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0,
                                             ID_EDIT_COPY, 0, ID_FILE_PRINT, 0, ID_APP_ABOUT}) {
        if (id == 0)
            m_toolBar->addSeparator();
        else
            m_toolBar->addAction(m_actions[id]);
    }
}

void CMainFrame::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    // The lock-key panes; Qt offers no portable query of the lock keys' state, so they
    // stand as labels in their place.
    for (const char* key : {"CAP", "NUM", "SCRL"}) {
        auto* label = new QLabel(QString::fromLatin1(key));
        label->setEnabled(false);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(40);
        bar->addPermanentWidget(label);
    }
    bar->showMessage(kReady);
    connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& text) {
        if (text.isEmpty())
            bar->showMessage(kReady);
    });
}

void CMainFrame::ShowStatusNote(const QString& text, const QString& tip) {
    auto* note = new QLabel(text);
    note->setObjectName(QStringLiteral("statusNote"));
    note->setToolTip(tip);
    statusBar()->insertPermanentWidget(0, note);
}

QAction* CMainFrame::Action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::WireCommand(int id, std::function<void()> handler, std::function<bool()> enabled) {
    m_handlers[id] = std::move(handler);
    m_enablers[id] = std::move(enabled);
    UpdateCommandUI();
}

bool CMainFrame::OnCommand(int id) {
    UpdateCommandUI();
    if (QAction* action = Action(id); action != nullptr && !action->isEnabled())
        return false;
    const auto it = m_handlers.find(id);
    if (it == m_handlers.end())
        return false;
    // Copy: a handler may rewire commands while it runs.
    const std::function<void()> handler = it->second;
    handler();
    UpdateCommandUI();
    return true;
}

void CMainFrame::UpdateCommandUI() {
    const GraphController& view = m_view->Controller();
    for (auto& [id, action] : m_actions) {
        bool enabled = m_handlers.count(id) != 0;
        if (const auto rule = m_enablers.find(id); rule != m_enablers.end() && rule->second)
            enabled = enabled && rule->second();
        switch (id) {
        case ID_EDIT_UNDO:
            enabled = enabled && view.CanUndo();
            break;
        case ID_EDIT_DELETE_TO_C1:
            enabled = enabled && view.CanCut(CutKind::ToC1);
            break;
        case ID_EDIT_DELETE_AFTER_C2:
            enabled = enabled && view.CanCut(CutKind::AfterC2);
            break;
        case ID_EDIT_REDO:
            enabled = enabled && view.CanRedo();
            break;
        case ID_VIEW_ZOOM_IN:
        case ID_VIEW_ZOOM_OUT:
            enabled = enabled && view.CanZoom();
            break;
        case ID_VIEW_ZOOM_CURSORS:
            enabled = enabled && view.CanZoom() && view.CursorsTicked();
            break;
        case ID_VIEW_WHOLE_FLIGHT:
            enabled = enabled && view.IsZoomed();
            break;
        case ID_FILE_REMOVE_OVERLAYS:
            enabled = enabled && !m_view->Extra().Empty();
            break;
        case ID_FILE_OVERLAY:
        case ID_VIEW_STATISTICS:
        case ID_VIEW_CURSORS_ON_BURN:
        case ID_EDIT_COPY:
            enabled = enabled && m_doc.SampleCount() != 0;
            break;
        case ID_FILE_MRU_FILE1:
            enabled = false; // the placeholder stands only while the list is empty
            break;
        default:
            break;
        }
        action->setEnabled(enabled);
    }
    m_actions[ID_UNITS_ENGLISH]->setChecked(!view.MetricTicked());
    m_actions[ID_UNITS_METRIC]->setChecked(view.MetricTicked());
    m_actions[ID_VIEW_TOOLBAR]->setChecked(m_toolBar == nullptr || !m_toolBar->isHidden());
    m_actions[ID_VIEW_STATUS_BAR]->setChecked(!statusBar()->isHidden());
    m_actions[ID_VIEW_CURSORS]->setChecked(view.CursorsTicked());
    m_actions[ID_VIEW_OWN_AXES]->setChecked(view.OwnAxesTicked());
    m_actions[ID_VIEW_SUMMARY]->setChecked(view.SummaryTicked());
}

void CMainFrame::OnUpdateAllViews() {
    m_view->update();
    UpdateCommandUI();
}

// Another flight: its cursors start at their thirds of the whole flight again, and
// nothing said of the old one stays in the status bar.
void CMainFrame::OnFlightReplaced() {
    m_view->Controller().ResetView();
    // A prediction was made from the old flight; flights overlaid stay for comparing.
    m_view->Extra().RemovePredictions();
    statusBar()->clearMessage();
    for (const std::function<void()>& handler : m_flightReplacedHandlers)
        handler();
}

void CMainFrame::OnEachFlightReplaced(std::function<void()> handler) {
    m_flightReplacedHandlers.push_back(std::move(handler));
}

void CMainFrame::OnTitleChanged() {
    // "[*]" is where the platform marks an unsaved flight ("demo.flt* - TAVOkit").
    setWindowTitle(QStringLiteral("%1[*] - TAVOkit").arg(FromUtf8(m_doc.GetTitle())));
    setWindowModified(m_doc.IsModified());
    UpdateCommandUI();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!SaveModified()) {
        event->ignore();
        return;
    }
    m_recent.Save();
    SaveWindowGeometry(m_settings, saveGeometry());
    event->accept();
}

void CMainFrame::RebuildRecentMenu() {
    for (QAction* a : m_recentActions) {
        m_fileMenu->removeAction(a);
        a->deleteLater();
    }
    m_recentActions.clear();
    const QStringList& files = m_recent.Files();
    m_recentAnchor->setVisible(files.isEmpty());
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        // An ampersand in a file name is shown, not taken for a mnemonic.
        QString shown = path;
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), this);
        action->setStatusTip(QStringLiteral("Open this flight"));
        connect(action, &QAction::triggered, this, [this, path] {
            // A flight that has gone from its place leaves the list.
            if (!OpenFile(path) && !QFileInfo::exists(path)) {
                m_recent.Remove(path);
                RebuildRecentMenu();
            }
        });
        m_fileMenu->insertAction(m_recentAnchor, action);
        m_recentActions.append(action);
    }
}

void CMainFrame::AddRecent(const QString& path) {
    m_recent.Add(path);
    RebuildRecentMenu();
}

} // namespace tavo
