#include "admin/ui/administer_dlg.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "admin/ui/calibrate_dlg.h"
#include "admin/ui/command_dlg.h"
#include "device/ui/port_combo.h"
#include "settings/my_settings.h"
#include "uikit/dlg_common.h"

namespace tavo {
namespace {

void SetTextIfChanged(QLineEdit* edit, const std::string& text) {
    const QString shown = FromUtf8(text);
    if (edit->text() != shown)
        edit->setText(shown);
}

} // namespace

CAdministerDlg::CAdministerDlg(PortDirectory& ports, const std::string& port, bool autoDetect,
                               QWidget* parent)
    : QDialog(parent), m_link(ports, &m_window.Mailbox()) {
    setWindowTitle(QStringLiteral("Administer"));
    runDialog = [](QDialog& dialog) { return dialog.exec(); };
    // The newest line on top.
    m_linkPrompt.statusList = [this](const std::string& line) {
        status->insertItem(0, FromUtf8(line));
    };
    BuildControls();
    LayOut();
    m_logic = std::make_unique<AdministerLogic>(ports, m_linkPrompt);
    m_logic->onRefresh = [this] {
        if (!m_link.OnWorkerThread()) {
            Show(m_logic->View());
            return;
        }
        // The worker holds the rules now: the window gets a copy of what to show.
        m_window.Mailbox().Post([this, view = m_logic->View()] { Show(view); });
    };
    m_logic->Open(port, autoDetect);
    FillPortCombo(*portName, ListPortChoices(ports, port), FromUtf8(port));
    autoPort->setChecked(autoDetect);
    Wire();
}

CAdministerDlg::~CAdministerDlg() {
    m_bGoing = true;
    m_linkPrompt.Close();
    m_logic->RequestStop();
    // Nothing the exchange still sends is waited for or shown.
    m_window.Mailbox().Close();
    // The port belongs to the worker's thread: it is closed there.
    m_link.RunAndWait([this] {
        if (m_logic->Link().m_bPortOpen)
            m_logic->Link().ClosePort();
    });
    if (m_bBusy)
        QApplication::restoreOverrideCursor();
}

void CAdministerDlg::BuildControls() {
    auto button = [this](const char* text) {
        return new QPushButton(QString::fromLatin1(text), this);
    };
    portName = new QComboBox(this);
    autoPort = new QCheckBox(QStringLiteral("&Auto"), this);
    connectButton = button("&Connect");
    readButton = button("&Read Values from TAVO");
    writeButton = button("&Write Values to TAVO");
    defaultsButton = button("Set &Defaults");
    okButton = button("OK");
    cancelButton = button("Cancel");
    model = new QLabel(this);
    version = new QLabel(this);
    serialNumber = new QLabel(this);
    eventLaunch = new QRadioButton(QStringLiteral("Fire output on &launch"), this);
    eventBurnOut = new QRadioButton(QStringLiteral("Fire output on &burn out #"), this);
    eventApogee = new QRadioButton(QStringLiteral("Fire output on apo&gee"), this);
    burnOutNumber = new QLineEdit(this);
    eventDelay = new QLineEdit(this);
    sampleRate = new QComboBox(this);
    for (const char* entry : kRateEntries)
        sampleRate->addItem(QString::fromLatin1(entry));
    preLaunch = new QComboBox(this);
    for (const char* entry : kPreLaunchEntries)
        preLaunch->addItem(QString::fromLatin1(entry));
    calibrateButton = button("Calibra&te");
    twoGee = new QLabel(this);
    actionTimeLabel = new QLabel(QStringLiteral("Action t&ime(mS)"), this);
    actionTime = new QLineEdit(this);
    actionTimeHint = new QLabel(QStringLiteral("(200)"), this);
    breakwire = new QCheckBox(QStringLiteral("Brea&kwire launch detect"), this);
    normallyOpen = new QRadioButton(QStringLiteral("Normally &Open"), this);
    normallyClosed = new QRadioButton(QStringLiteral("&Normally Closed"), this);
    status = new QListWidget(this);
    // Each line read whole: long ones wrap rather than hide behind a scroll bar.
    status->setWordWrap(true);
    status->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    status->setMinimumWidth(status->fontMetrics().averageCharWidth() * 28);
    commandButton = button("Co&mmand");
    busyBar = new QProgressBar(this);
    busyBar->setRange(0, 0); // no count to show: it moves while the recorder is busy
    busyBar->setTextVisible(false);
    busyBar->setVisible(false);
    for (QLineEdit* edit : {burnOutNumber, eventDelay, actionTime})
        edit->setMaximumWidth(DialogUnitsToPixels(*edit, 40, 0).width());
    m_eventGroup = new QButtonGroup(this);
    m_eventGroup->addButton(eventLaunch, kEventLaunch);
    m_eventGroup->addButton(eventBurnOut, kEventBurnOut);
    m_eventGroup->addButton(eventApogee, kEventApogee);
    m_contactGroup = new QButtonGroup(this);
    m_contactGroup->addButton(normallyOpen, 0);
    m_contactGroup->addButton(normallyClosed, 1);
    okButton->setDefault(true);
}

void CAdministerDlg::LayOut() {
    m_body = new QWidget(this);
    auto label = [this](const char* text) { return new QLabel(QString::fromLatin1(text), this); };
    auto* portRow = new QHBoxLayout;
    auto* portLabel = label("&Port:");
    portLabel->setBuddy(portName);
    portRow->addWidget(portLabel);
    portRow->addWidget(portName, 1);
    portRow->addWidget(autoPort);

    auto* ident = new QGridLayout;
    ident->addWidget(label("Model:"), 0, 0);
    ident->addWidget(model, 0, 1);
    ident->addWidget(label("Version:"), 1, 0);
    ident->addWidget(version, 1, 1);
    ident->addWidget(label("SN:"), 2, 0);
    ident->addWidget(serialNumber, 2, 1);
    ident->setColumnStretch(1, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {connectButton, readButton, writeButton, defaultsButton})
        buttons->addWidget(b);
    buttons->addLayout(ident);
    buttons->addStretch();

    auto* event = new QGroupBox(QStringLiteral("Event"), this);
    auto* eventGrid = new QGridLayout(event);
    eventGrid->addWidget(eventLaunch, 0, 0, 1, 2);
    eventGrid->addWidget(eventBurnOut, 1, 0);
    eventGrid->addWidget(burnOutNumber, 1, 1);
    eventGrid->addWidget(eventApogee, 2, 0, 1, 2);
    auto* delayLabel = label("&Event delay(mS)");
    delayLabel->setBuddy(eventDelay);
    eventGrid->addWidget(delayLabel, 3, 0);
    eventGrid->addWidget(eventDelay, 3, 1);
    eventGrid->addWidget(label("(1-65536mS)"), 4, 1);

    auto* sampling = new QGroupBox(QStringLiteral("Sampling"), this);
    auto* samplingGrid = new QGridLayout(sampling);
    auto* rateLabel = label("&Sample rate");
    rateLabel->setBuddy(sampleRate);
    samplingGrid->addWidget(rateLabel, 0, 0);
    samplingGrid->addWidget(sampleRate, 0, 1);
    auto* preLabel = label("Pre-Launch bu&ffer size");
    preLabel->setBuddy(preLaunch);
    samplingGrid->addWidget(preLabel, 1, 0);
    samplingGrid->addWidget(preLaunch, 1, 1);
    samplingGrid->addWidget(label("(32,768 total samples)"), 2, 0, 1, 2);

    auto* detect = new QGroupBox(QStringLiteral("Launch Detect"), this);
    auto* detectGrid = new QGridLayout(detect);
    detectGrid->addWidget(calibrateButton, 0, 0);
    auto* twoGeeRow = new QHBoxLayout;
    twoGeeRow->addWidget(label("2G value:"));
    twoGeeRow->addWidget(twoGee, 1);
    detectGrid->addLayout(twoGeeRow, 0, 1, 1, 2);
    actionTimeLabel->setBuddy(actionTime);
    detectGrid->addWidget(actionTimeLabel, 1, 0);
    detectGrid->addWidget(actionTime, 1, 1);
    detectGrid->addWidget(actionTimeHint, 1, 2);
    detectGrid->addWidget(breakwire, 2, 0, 1, 3);
    detectGrid->addWidget(normallyOpen, 3, 0);
    detectGrid->addWidget(normallyClosed, 3, 1, 1, 2);

    auto* settingsColumn = new QVBoxLayout;
    settingsColumn->addWidget(event);
    settingsColumn->addWidget(sampling);
    settingsColumn->addWidget(detect);

    auto* statusColumn = new QVBoxLayout;
    auto* statusLabel = label("Stat&us:");
    statusLabel->setBuddy(status);
    statusColumn->addWidget(statusLabel);
    statusColumn->addWidget(status, 1);
    statusColumn->addWidget(commandButton);

    auto* columns = new QHBoxLayout;
    columns->addLayout(buttons);
    columns->addLayout(settingsColumn);
    columns->addLayout(statusColumn, 1);
    auto* bodyLayout = new QVBoxLayout(m_body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->addLayout(portRow);
    bodyLayout->addLayout(columns);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(busyBar, 1);
    bottom->addStretch();
    bottom->addWidget(okButton);
    bottom->addWidget(cancelButton);
    // The body and OK wait while the recorder is busy; Cancel stays live to stop it.
    auto* top = new QVBoxLayout(this);
    top->addWidget(m_body, 1);
    top->addLayout(bottom);

    // The tab order of the controls as listed, the port first.
    QWidget* order[] = {portName,        autoPort,      connectButton, readButton,   writeButton,
                        defaultsButton,  okButton,      cancelButton,  eventLaunch,  eventBurnOut,
                        eventApogee,     burnOutNumber, eventDelay,    sampleRate,   preLaunch,
                        calibrateButton, actionTime,    breakwire,     normallyOpen, normallyClosed,
                        status,          commandButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void CAdministerDlg::Wire() {
    connect(connectButton, &QPushButton::clicked, this,
            [this] { StartExchange([this] { m_logic->OnConnect(); }); });
    connect(readButton, &QPushButton::clicked, this,
            [this] { StartExchange([this] { m_logic->OnReadValues(); }); });
    connect(writeButton, &QPushButton::clicked, this, [this] {
        StartExchange([this] { m_logic->OnWriteValues(); }, [this] { FocusRefused(); });
    });
    connect(defaultsButton, &QPushButton::clicked, this, [this] {
        if (!Busy())
            m_logic->OnSetDefaults();
    });
    connect(okButton, &QPushButton::clicked, this, &CAdministerDlg::accept);
    connect(cancelButton, &QPushButton::clicked, this, &CAdministerDlg::reject);
    connect(m_eventGroup, &QButtonGroup::idClicked, this, [this](int id) {
        if (!Busy())
            m_logic->OnEventRadio(id);
    });
    connect(m_contactGroup, &QButtonGroup::idClicked, this, [this](int id) {
        if (Busy())
            return;
        m_logic->OnContact(id);
        FocusRefused();
    });
    connect(eventDelay, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!Busy())
            m_logic->OnEventDelayChanged(ToUtf8(text));
    });
    connect(burnOutNumber, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!Busy())
            m_logic->OnBurnOutChanged(ToUtf8(text));
    });
    // Leaving the field after a change (Qt reports only a changed text).
    connect(actionTime, &QLineEdit::editingFinished, this, [this] {
        if (Busy())
            return;
        m_logic->SetFieldTexts(ToUtf8(burnOutNumber->text()), ToUtf8(eventDelay->text()),
                               ToUtf8(actionTime->text()));
        m_logic->OnActionTimeLeft(ToUtf8(actionTime->text()));
        FocusRefused();
    });
    connect(sampleRate, &QComboBox::activated, this, [this](int index) {
        if (!Busy())
            m_logic->OnRateChosen(index);
    });
    connect(preLaunch, &QComboBox::activated, this, [this](int index) {
        if (!Busy())
            m_logic->OnPreLaunchChosen(index);
    });
    connect(breakwire, &QCheckBox::clicked, this, [this](bool checked) {
        if (Busy())
            return;
        m_logic->SetFieldTexts(ToUtf8(burnOutNumber->text()), ToUtf8(eventDelay->text()),
                               ToUtf8(actionTime->text()));
        m_logic->OnBreakwire(checked);
        FocusRefused();
    });
    connect(calibrateButton, &QPushButton::clicked, this, &CAdministerDlg::OnCalibrate);
    connect(commandButton, &QPushButton::clicked, this, &CAdministerDlg::OnCommand);
}

QStringList CAdministerDlg::StatusLines() const {
    QStringList lines;
    for (int i = 0; i < status->count(); ++i)
        lines << status->item(i)->text();
    return lines;
}

void CAdministerDlg::Show(const AdministerView& v) {
    model->setText(FromUtf8(v.m_strModel));
    version->setText(FromUtf8(v.m_strVersion));
    serialNumber->setText(FromUtf8(v.m_strSerialNumber));
    twoGee->setText(FromUtf8(v.m_strTwoGee));
    connectButton->setText(v.connected ? QStringLiteral("Dis&connect")
                                       : QStringLiteral("&Connect"));
    {
        const QSignalBlocker blockRate(sampleRate);
        const QSignalBlocker blockPre(preLaunch);
        sampleRate->setCurrentIndex(v.rateIndex);
        preLaunch->setCurrentIndex(v.preLaunchIndex);
    }
    // A mode no radio stands for shows none checked.
    m_eventGroup->setExclusive(false);
    for (QAbstractButton* radio : m_eventGroup->buttons())
        radio->setChecked(m_eventGroup->id(radio) == v.eventRadio);
    m_eventGroup->setExclusive(true);
    SetTextIfChanged(eventDelay, v.eventDelay);
    SetTextIfChanged(actionTime, v.actionTime);
    SetTextIfChanged(burnOutNumber, v.burnOutNumber);
    breakwire->setChecked(v.breakwire);
    (v.contactRadio == 1 ? normallyClosed : normallyOpen)->setChecked(true);
    burnOutNumber->setEnabled(v.burnOutEnabled);
    normallyOpen->setEnabled(v.contactEnabled);
    normallyClosed->setEnabled(v.contactEnabled);
    for (QWidget* w :
         std::initializer_list<QWidget*>{breakwire, actionTime, actionTimeLabel, actionTimeHint})
        w->setEnabled(v.launchDetectEnabled);
}

void CAdministerDlg::SetExchanging(bool on) {
    m_body->setEnabled(!on);
    okButton->setEnabled(!on);
    busyBar->setVisible(on);
    if (on == m_bBusy)
        return;
    m_bBusy = on;
    if (on)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}

void CAdministerDlg::StartExchange(std::function<void()> job, std::function<void()> after) {
    if (Busy())
        return;
    m_logic->SetFieldTexts(ToUtf8(burnOutNumber->text()), ToUtf8(eventDelay->text()),
                           ToUtf8(actionTime->text()));
    m_logic->SetPort(ToUtf8(portName->currentText()), autoPort->isChecked());
    QWidget* focus = focusWidget();
    SetExchanging(true);
    m_link.Run(std::move(job), [this, focus, after = std::move(after)] {
        if (m_bGoing)
            return;
        SetExchanging(false);
        Show(m_logic->View());
        if (m_bCloseWhenStopped) {
            reject();
            return;
        }
        if (focus != nullptr && focus->isEnabled())
            focus->setFocus();
        if (after)
            after();
        emit ExchangeEnded();
    });
}

void CAdministerDlg::FocusRefused() {
    QLineEdit* field = nullptr;
    switch (m_logic->RefusedField()) {
    case AdminField::BurnOutNumber:
        field = burnOutNumber;
        break;
    case AdminField::EventDelay:
        field = eventDelay;
        break;
    case AdminField::ActionTime:
        field = actionTime;
        break;
    case AdminField::None:
        return;
    }
    field->setFocus();
    field->selectAll();
}

void CAdministerDlg::OnCalibrate() {
    if (Busy() || !m_logic->RequireConnection())
        return;
    CCalibrateDlg dialog(m_link, m_logic->Protocol(), m_logic->Settings().m_nTwoGeeValue, this);
    if (prompt != &m_ownPrompt)
        dialog.prompt = prompt;
    if (runDialog(dialog) == QDialog::Accepted)
        m_logic->ApplyCalibration(dialog.TwoGeeValue());
}

void CAdministerDlg::OnCommand() {
    if (Busy() || !m_logic->RequireConnection())
        return;
    CCommandDlg dialog(m_link, m_logic->Link(), this);
    if (prompt != &m_ownPrompt)
        dialog.prompt = prompt;
    runDialog(dialog);
}

void CAdministerDlg::accept() {
    if (Busy())
        return;
    StartExchange([this] { m_bOkResult = m_logic->OnOK(); },
                  [this] {
                      if (m_bOkResult) {
                          m_bGoing = true;
                          QDialog::accept();
                      } else {
                          FocusRefused();
                      }
                  });
}

void CAdministerDlg::reject() {
    if (m_bGoing)
        return;
    if (IsExchanging()) {
        // The exchange stops at its next whole command; the dialog goes once it has.
        m_bCloseWhenStopped = true;
        m_linkPrompt.Close();
        m_logic->RequestStop();
        return;
    }
    m_link.RunAndWait([this] { m_logic->OnCancel(); });
    m_bGoing = true;
    QDialog::reject();
}

void RunAdministerDialog(QWidget* parent, QSettings& settings, PortDirectory& ports) {
    std::string port;
    bool autoDetect = true;
    MySettings::LoadPortSettings(settings, port, autoDetect);
    CAdministerDlg dialog(ports, port, autoDetect, parent);
    dialog.exec();
}

} // namespace tavo
