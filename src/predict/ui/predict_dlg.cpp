#include "predict/ui/predict_dlg.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "flight/atomic_file.h"
#include "flight/number_text.h"
#include "flight/text_format.h"
#include "uikit/dlg_common.h"
#include "uikit/qt_user_prompt.h"

namespace tavo {

namespace {

// The drawn curves' step: far finer than the graph's pixels over a flight of seconds.
constexpr double kCurveInterval = 0.01;
// A rail the window starts with: the common rod of small rockets.
constexpr const char* kDefaultRail = "1";

QLabel* Buddy(const QString& text, QWidget* field) {
    auto* label = new QLabel(text);
    label->setBuddy(field);
    return label;
}

} // namespace

std::vector<std::string> BundledMotorFiles() {
    QString folder =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/tavokit/motors");
    if (!QFileInfo(folder).isDir())
        folder = QStringLiteral(TAVOKIT_MOTORS_DIR);
    std::vector<std::string> files;
    // The source tree keeps the published curves in a folder of their own.
    for (const QString& dir : {folder, folder + QStringLiteral("/real")}) {
        const QFileInfoList found =
            QDir(dir).entryInfoList({QStringLiteral("*.eng")}, QDir::Files, QDir::Name);
        for (const QFileInfo& f : found)
            files.push_back(f.absoluteFilePath().toStdString());
    }
    return files;
}

CPredictDlg::CPredictDlg(PredictFlightData flight, std::vector<std::string> motorFiles,
                         QWidget* parent, UserPrompt* prompt)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      m_flight(std::move(flight)), m_prompt(prompt) {
    setWindowTitle(QStringLiteral("Predict"));
    if (m_prompt == nullptr) {
        m_ownPrompt = std::make_unique<QtUserPrompt>(this);
        m_prompt = m_ownPrompt.get();
    }
    m_measured = MeasureFlightFigures(m_flight.accel, m_flight.interval);
    m_measured.deployTime = m_flight.deployTime;
    m_table.SetSite(m_flight.siteAltitudeM);

    flownMotor = new QComboBox;
    motorMass = new QLineEdit;
    railLength = new QLineEdit(QString::fromLatin1(kDefaultRail));
    diameter = new QComboBox;
    table = new QTableWidget(0, kPredictColumns);
    rocketNote = new QLabel;
    reproduction = new QLabel;
    for (QLabel* note : {rocketNote, reproduction}) {
        note->setWordWrap(true);
        note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    auto* site =
        new QLabel(QStringLiteral("Launch site %1 m above sea level (Tools > Launch Site...).")
                       .arg(QString::fromStdString(FormatFixed(m_flight.siteAltitudeM, 0))));
    site->setWordWrap(true);

    QStringList headers;
    for (int c = 0; c < kPredictColumns; ++c)
        headers << QString::fromStdString(
            PredictTable::Header(static_cast<PredictColumn>(c), m_flight.metric));
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setSortIndicatorShown(true);
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder); // file order
    table->horizontalHeader()->setSectionsClickable(true);
    table->setTabKeyNavigation(false);

    auto* files = new QPushButton(QStringLiteral("Motor &Files..."));
    files->setAutoDefault(false);
    predictButton = new QPushButton(QStringLiteral("&Predict"));
    drawButton = new QPushButton(QStringLiteral("Draw on &Graph"));
    drawButton->setAutoDefault(false);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(predictButton, QDialogButtonBox::ActionRole);
    buttons->addButton(drawButton, QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::RejectRole);
    close->setAutoDefault(false);

    auto* fields = new QGridLayout;
    fields->addWidget(Buddy(QStringLiteral("F&lown motor:"), flownMotor), 0, 0);
    fields->addWidget(flownMotor, 0, 1);
    fields->addWidget(Buddy(QStringLiteral("Its loaded &mass, kg:"), motorMass), 0, 2);
    fields->addWidget(motorMass, 0, 3);
    fields->addWidget(Buddy(QStringLiteral("&Rail length, m:"), railLength), 1, 0);
    fields->addWidget(railLength, 1, 1);
    fields->addWidget(Buddy(QStringLiteral("&Diameter:"), diameter), 1, 2);
    fields->addWidget(diameter, 1, 3);
    fields->addWidget(files, 1, 4);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(rocketNote);
    layout->addWidget(Buddy(QStringLiteral("Mo&tors (click a heading to sort):"), table));
    layout->addWidget(table, 1);
    layout->addWidget(reproduction);
    layout->addWidget(site);
    layout->addWidget(buttons);
    resize(DialogUnitsToPixels(*this, 520, 300));

    for (const std::string& path : motorFiles) {
        std::string reason;
        if (!m_table.AddMotorFile(path, reason, m_loadNotes))
            m_loadNotes.push_back(reason);
    }
    FillMotorChoices();
    const int flown = m_table.FindMotor(m_flight.motorText);
    flownMotor->setCurrentIndex(flown + 1);
    OnFlownMotorChosen();
    FillDiameters();
    Predict();

    connect(flownMotor, &QComboBox::activated, this, [this] {
        OnFlownMotorChosen();
        Predict();
    });
    // A mass typed by hand is no longer the chosen file's.
    connect(motorMass, &QLineEdit::textEdited, this, [this] { flownMotor->setCurrentIndex(0); });
    connect(diameter, &QComboBox::activated, this, [this] {
        m_table.FilterDiameter(diameter->currentData().toDouble());
        Refill();
    });
    connect(table->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { SortByColumn(column); });
    connect(files, &QPushButton::clicked, this, [this] { AddMotorFiles(); });
    connect(predictButton, &QPushButton::clicked, this, [this] { Predict(); });
    connect(drawButton, &QPushButton::clicked, this, [this] {
        const int motor = SelectedMotor();
        if (motor < 0 || !drawOnGraph)
            return;
        // At the flight's own rate the predicted curves meet the measured ones sample
        // for sample.
        const double interval = m_flight.interval > 0.0 ? m_flight.interval : kCurveInterval;
        drawOnGraph(m_table.PredictWithCurves(motor, interval), interval,
                    m_table.Motors()[static_cast<std::size_t>(motor)].motor.designation);
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(table, &QTableWidget::itemSelectionChanged, this,
            [this] { drawButton->setEnabled(drawOnGraph && SelectedMotor() >= 0); });
    // Enter in a field predicts again with what it holds; the button box would otherwise
    // hand Enter to its first button.
    predictButton->setDefault(true);
    flownMotor->setFocus();
}

CPredictDlg::~CPredictDlg() = default;

void CPredictDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    drawButton->setVisible(static_cast<bool>(drawOnGraph));
    drawButton->setEnabled(drawOnGraph && SelectedMotor() >= 0);
    // The files' troubles are told once the window stands, where the user can act on them.
    if (!m_loadNotes.empty()) {
        std::string text = "Some motors could not be read:";
        for (const std::string& note : m_loadNotes)
            text += "\n" + note;
        m_loadNotes.clear();
        m_prompt->ShowMessage(text, "Predict", Severity::Warning);
    }
}

void CPredictDlg::FillMotorChoices() {
    const int keep = flownMotor->currentIndex();
    flownMotor->clear();
    flownMotor->addItem(QStringLiteral("Mass typed beside"));
    for (const MotorEntry& e : m_table.Motors())
        flownMotor->addItem(FromFlightText(e.motor.designation) + QStringLiteral(" (") +
                            QString::fromStdString(FileNameOf(e.file)) + QStringLiteral(")"));
    flownMotor->setCurrentIndex(keep < flownMotor->count() ? std::max(keep, 0) : 0);
}

void CPredictDlg::FillDiameters() {
    const double keep = diameter->currentData().toDouble();
    diameter->clear();
    diameter->addItem(QStringLiteral("All"), 0.0);
    for (int mm : m_table.Diameters()) {
        diameter->addItem(QStringLiteral("%1 mm").arg(mm), static_cast<double>(mm));
        if (mm == keep)
            diameter->setCurrentIndex(diameter->count() - 1);
    }
}

void CPredictDlg::OnFlownMotorChosen() {
    const int motor = flownMotor->currentIndex() - 1;
    if (motor < 0 || static_cast<std::size_t>(motor) >= m_table.Motors().size())
        return;
    const double kg = m_table.Motors()[static_cast<std::size_t>(motor)].motor.totalKg;
    motorMass->setText(QString::fromStdString(FormatRealField(static_cast<float>(kg))));
}

bool CPredictDlg::Predict() {
    float mass = 0.0f, rail = 0.0f;
    if (!ReadRealEdit(motorMass, mass, *m_prompt) || !ReadRealEdit(railLength, rail, *m_prompt))
        return false;
    m_table.SetRail(rail > 0.0f ? rail : 0.0);
    std::string reason;
    if (m_table.SetRocket(m_flight.drag, m_flight.launchMassKg, mass, reason))
        rocketNote->setText(QString::fromStdString(m_table.RocketText(m_flight.metric)));
    else
        rocketNote->setText(QStringLiteral("No prediction: ") + FromUtf8(reason));
    m_table.Compute();
    if (m_sortColumn >= 0)
        m_table.SortBy(static_cast<PredictColumn>(m_sortColumn), m_ascending);
    m_table.FilterDiameter(diameter->currentData().toDouble());
    Refill();
    return true;
}

void CPredictDlg::AddMotorFiles() {
    const QStringList paths =
        QFileDialog::getOpenFileNames(this, QStringLiteral("Motor Files"), QString(),
                                      QStringLiteral("RASP motor files (*.eng);;All files (*)"));
    if (paths.isEmpty())
        return;
    std::vector<std::string> notes;
    for (const QString& path : paths) {
        std::string reason;
        if (!m_table.AddMotorFile(path.toStdString(), reason, notes))
            notes.push_back(reason);
    }
    FillMotorChoices();
    FillDiameters();
    Predict();
    if (!notes.empty()) {
        std::string text = "Some motors could not be read:";
        for (const std::string& note : notes)
            text += "\n" + note;
        m_prompt->ShowMessage(text, "Predict", Severity::Warning);
    }
}

void CPredictDlg::SortByColumn(int column) {
    if (column < 0 || column >= kPredictColumns)
        return;
    m_ascending = column == m_sortColumn ? !m_ascending : true;
    m_sortColumn = column;
    m_table.SortBy(static_cast<PredictColumn>(column), m_ascending);
    table->horizontalHeader()->setSortIndicator(column, m_ascending ? Qt::AscendingOrder
                                                                    : Qt::DescendingOrder);
    Refill();
}

int CPredictDlg::SelectedMotor() const {
    const int row = table->currentRow();
    const std::vector<int>& shown = m_table.Visible();
    if (row < 0 || static_cast<std::size_t>(row) >= shown.size() ||
        !table->selectionModel()->isRowSelected(row, QModelIndex()))
        return -1;
    return shown[static_cast<std::size_t>(row)];
}

void CPredictDlg::Refill() {
    const int chosen = SelectedMotor();
    const std::vector<int>& shown = m_table.Visible();
    table->setRowCount(static_cast<int>(shown.size()));
    int chosenRow = -1;
    for (std::size_t r = 0; r < shown.size(); ++r) {
        for (int c = 0; c < kPredictColumns; ++c) {
            auto* item = new QTableWidgetItem(FromFlightText(
                m_table.Cell(shown[r], static_cast<PredictColumn>(c), m_flight.metric)));
            const bool text = c == static_cast<int>(PredictColumn::Motor) ||
                              c == static_cast<int>(PredictColumn::File);
            item->setTextAlignment(text ? Qt::AlignLeft | Qt::AlignVCenter
                                        : Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(static_cast<int>(r), c, item);
        }
        if (shown[r] == chosen)
            chosenRow = static_cast<int>(r);
    }
    table->resizeColumnsToContents();
    if (chosenRow >= 0)
        table->selectRow(chosenRow);
    reproduction->setText(QString::fromStdString(
        m_table.ReproductionText(flownMotor->currentIndex() - 1, m_measured, m_flight.metric)));
}

} // namespace tavo
