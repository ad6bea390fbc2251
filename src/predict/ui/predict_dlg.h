#pragma once
// Tools > "Predict...": the measured rocket between the cursors flown on the motors of
// any RASP files (the bundled collection listed first), a sortable table of what each
// would do, filtered by the motor's diameter, and how closely the flown motor
// reproduces the measured flight. A thin shell over PredictTable.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>

#include "predict/predict_flight.h"
#include "predict/predict_table.h"
#include "prompt/user_prompt.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tavo {

class QtUserPrompt;

// Takes a motor's prediction with its curves, a point every `interval` s from ignition,
// to the graph; `motor` is the motor's designation as its file spells it.
using DrawPrediction =
    std::function<void(const Prediction&, double interval, const std::string& motor)>;

class CPredictDlg : public QDialog {
public:
    // `motorFiles` are read at once, in order (the bundled collection first); a file that
    // gives no motor is told through the prompt when the window opens.
    CPredictDlg(PredictFlightData flight, std::vector<std::string> motorFiles,
                QWidget* parent = nullptr, UserPrompt* prompt = nullptr);
    ~CPredictDlg() override;

    // Reads the fields and predicts every motor again; false (the user told) when a field
    // holds no number.
    bool Predict();
    // "Motor Files...": adds the motors of files the user chooses.
    void AddMotorFiles();
    // Sorts by a column; the same column again turns the order round.
    void SortByColumn(int column);
    // The motor of the table's current row, or -1.
    int SelectedMotor() const;
    // Called with the chosen motor's prediction and its curves by "Draw on Graph";
    // without it the button is not shown.
    DrawPrediction drawOnGraph;

    const PredictTable& Table() const { return m_table; }

    QComboBox* flownMotor;
    QLineEdit* motorMass;
    QLineEdit* railLength;
    QComboBox* diameter;
    QTableWidget* table;
    QLabel* rocketNote;
    QLabel* reproduction;
    QPushButton* predictButton;
    QPushButton* drawButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Refill();
    void FillMotorChoices();
    void FillDiameters();
    void OnFlownMotorChosen();

    PredictFlightData m_flight;
    FlightFigures m_measured;
    PredictTable m_table;
    std::vector<std::string> m_loadNotes;
    int m_sortColumn = -1;
    bool m_ascending = true;
    std::unique_ptr<QtUserPrompt> m_ownPrompt;
    UserPrompt* m_prompt;
};

// The motor files the program ships: installed beside it (../share/tavokit/motors) or,
// in a build, the source tree's data/motors; sorted by name.
std::vector<std::string> BundledMotorFiles();

} // namespace tavo
