#pragma once
// The main window: menus, toolbar and status bar, the caption, the recent-file list,
// and the routing of every command identifier to what carries it out.

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include <QMainWindow>
#include <QStringList>

#include "app/command_ids.h"
#include "doc/tavokit_doc.h"
#include "settings/recent_files.h"
#include "uikit/qt_user_prompt.h"

class QAction;
class QDialog;
class QLabel;
class QMenu;
class QPrinter;
class QSettings;
class QToolBar;

namespace tavo {

class CTAVOkitView;
class PortDirectory;

class CMainFrame : public QMainWindow, public CTAVOkitDoc::Observer {
public:
    // `settings` holds the recent-file list; `ports` are the ports the recorder's
    // commands and Setup offer. Both outlive the frame.
    CMainFrame(CTAVOkitDoc& doc, QSettings& settings, PortDirectory& ports,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    CTAVOkitView& View() { return *m_view; }
    CTAVOkitDoc& Document() { return m_doc; }
    // The program's settings (the recent-file list, "MySettings").
    QSettings& Settings() { return m_settings; }
    PortDirectory& Ports() { return m_ports; }
    // The printer choice shared by every print of this window (Print Setup sets it).
    QPrinter& Printer() { return *m_printer; }

    // The menu or toolbar action of a command (nullptr for document-only commands).
    QAction* Action(int id) const;
    // Hands a command to its handler: enables its menu item and routes it there. The
    // download, reports, export and import commands are wired this way by their owners.
    // With `enabled` the item is offered only while it says so.
    void WireCommand(int id, std::function<void()> handler, std::function<bool()> enabled = {});
    // Carries out a command as if its menu item, button or key were used; a disabled
    // command does nothing. False when no one handles it.
    bool OnCommand(int id);
    // Brings every enable and tick state up to date.
    void UpdateCommandUI();
    // A lasting note in the status bar (the simulated recorder of `--demo`).
    void ShowStatusNote(const QString& text, const QString& tip);
    // Runs `handler` each time another flight takes the window's place, so what the
    // status bar said of the old one can go with it.
    void OnEachFlightReplaced(std::function<void()> handler);

    // Opens a flight file as File > Open does, after asking to save a modified flight.
    bool OpenFile(const QString& path);
    // "Save changes to %1?" when the flight is modified; false when the user cancels
    // or the save fails.
    bool SaveModified();
    // The recent-file list, newest first.
    const QStringList& RecentFiles() const { return m_recent.Files(); }

    // How the frame asks the user: message boxes and file dialogs over the window,
    // unless a test answers instead.
    UserPrompt* prompt = &m_ownPrompt;
    // Runs a modal dialog (QDialog::exec); tests answer dialogs by script.
    std::function<int(QDialog& dialog)> runDialog;

    // CTAVOkitDoc::Observer
    void OnUpdateAllViews() override;
    void OnTitleChanged() override;
    void OnFlightReplaced() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* AddCommand(QMenu* menu, int id, const QString& text, const QString& tip,
                        QList<QKeySequence> keys = {});
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    void RebuildRecentMenu();
    void AddRecent(const QString& path);

    // File commands (main_frame_file.cpp).
    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    // Names the shared printer's job and file after this flight.
    void PrepareGraphPrint();
    void PrintOn(QPrinter& printer);
    // Dialog commands (main_frame_dialogs.cpp).
    void OnToolsSetup();
    void OnViewScaling();
    void OnViewDetails();
    void OnAppAbout();
    // The graph's commands (main_frame_graph.cpp).
    void OnFileExportGraph();
    void OnFileOverlay();
    void OnFileRemoveOverlays();
    void OnViewStatistics();
    void OnHelpKeys();
    void OnEditCopy();

    CTAVOkitDoc& m_doc;
    QSettings& m_settings;
    PortDirectory& m_ports;
    CTAVOkitView* m_view = nullptr;
    QToolBar* m_toolBar = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentAnchor = nullptr;
    QList<QAction*> m_recentActions;
    RecentFileList m_recent;
    std::map<int, QAction*> m_actions;
    std::map<int, std::function<void()>> m_handlers;
    std::map<int, std::function<bool()>> m_enablers;
    std::vector<std::function<void()>> m_flightReplacedHandlers;
    std::unique_ptr<QPrinter> m_printer;
    QtUserPrompt m_ownPrompt{this};
};

constexpr int kMinFrameSize = 250;

} // namespace tavo
