// The main frame's dialog commands: Setup, Scaling, Details and the About box.

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSettings>
#include <QStyle>
#include <QVBoxLayout>

#include "app/main_frame.h"
#include "settings/my_settings.h"
#include "view/ui/details_dlg.h"
#include "view/ui/scaling_dlg.h"
#include "view/ui/setup_dlg.h"

namespace tavo {

void CMainFrame::OnToolsSetup() {
    CSetupDlg dialog(SetupFromDoc(m_doc), m_ports, this);
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    ApplySetup(dialog.Values(), m_doc);
    // The port choice reaches the settings at once; the rest is saved at exit.
    MySettings::SaveCommPort(m_doc.Settings(), m_settings);
    m_settings.sync();
}

void CMainFrame::OnViewScaling() {
    CScalingDlg dialog(m_doc, this);
    const int result = runDialog(dialog);
    if (result == QDialog::Accepted)
        ApplyScaling(dialog.Values(), m_doc);
    else
        m_doc.UpdateAllViews(); // AUTO changed the limits even when cancelled
}

void CMainFrame::OnViewDetails() {
    CDetailsDlg dialog(m_doc.Record(), this);
    if (runDialog(dialog) == QDialog::Accepted)
        dialog.Details().ApplyTo(m_doc);
}

void CMainFrame::OnAppAbout() {
    QDialog about(this);
    about.setWindowTitle(QStringLiteral("About TAVOkit"));
    auto* icon = new QLabel;
    icon->setPixmap(windowIcon().isNull()
                        ? style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32)
                        : windowIcon().pixmap(32, 32));
    auto* text = new QLabel(QStringLiteral("ZR7 control program V3.14b"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, &about, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(text, 1);
    row->addWidget(buttons);
    auto* layout = new QVBoxLayout(&about);
    layout->addLayout(row);
    runDialog(about);
}

} // namespace tavo
