#pragma once
// What the Predict window works on, without a window: the motors of the RASP files the
// user opened (the bundled collection first), the measured rocket, one prediction a
// motor, and the table the window shows of them: sorted by any column, filtered by the
// motor's diameter, in the graph's units. The flight reaches it only as plain numbers
// (the drag estimate, the launch mass, the net accelerations from launch), so the
// window decides where they come from.

#include <string>
#include <vector>

#include "motor/eng_motor.h"
#include "predict/predict.h"

namespace tavo {

struct MotorEntry {
    EngMotor motor;
    std::string file; // the path it was read from
};

enum class PredictColumn {
    Motor,
    Class,
    Diameter,
    Apogee,
    ApogeeTime,
    MaxVelocity,
    MaxAccel,
    Burnout,
    RailExit,
    BestDelay,
    File,
};
inline constexpr int kPredictColumns = 11;

// What the flight itself did, from its net accelerations (m/s^2) a sample apart from
// launch: the speed and height integrated, the apogee where the speed first falls to 0.
struct FlightFigures {
    bool apogeeReached = false; // false: the readings end before the apogee
    double deployTime = -1.0;   // s from launch of the deployment marker; -1 without one
    double apogee = 0.0;        // m above the pad
    double apogeeTime = 0.0;    // s from launch
    double maxVelocity = 0.0;   // m/s
};
FlightFigures MeasureFlightFigures(const std::vector<double>& accel, double interval);

class PredictTable {
public:
    // Reads a RASP file and adds its motors after those already listed (a file listed
    // before is read again in its place). False, with `reason`, when it gives no motor;
    // each motor the reader refused is told in `notes`.
    bool AddMotorFile(const std::string& path, std::string& reason,
                      std::vector<std::string>& notes);
    const std::vector<MotorEntry>& Motors() const { return m_motors; }
    // The motor the flight's motor text names ("C6-5" flew a C6), or -1.
    int FindMotor(const std::string& flightMotor) const;

    // The measured rocket: false, with why, when it cannot be flown (see MeasureRocket).
    bool SetRocket(const DragEstimate& drag, double launchMassKg, double flownMotorKg,
                   std::string& reason);
    bool HasRocket() const { return m_hasRocket; }
    const MeasuredRocket& Rocket() const { return m_rocket; }
    // The rail (m; 0: none) and the launch site (m above sea level).
    void SetRail(double metres) { m_options.railLengthM = metres; }
    void SetSite(double metres);

    // Flies the rocket on every motor; without a rocket the table is empty.
    void Compute();
    // One motor with its curves, a point every `interval` s, for drawing.
    Prediction PredictWithCurves(int motor, double interval) const;

    // The rows shown, in their order: indices into Motors().
    const std::vector<int>& Visible() const { return m_visible; }
    const Prediction& PredictionOf(int motor) const { return m_predictions.at(motor); }
    // Sorts by `column`; a motor that does not fly goes last either way.
    void SortBy(PredictColumn column, bool ascending);
    // Shows only motors of this diameter (mm, to the millimetre); 0 shows all.
    void FilterDiameter(double mm);
    // The diameters of the motors listed, rising, each once (to the millimetre).
    std::vector<int> Diameters() const;

    // A cell's text in the graph's units (metric: m, m/s, m/s^2; else ft, mph, ft/s^2);
    // an empty figure for a motor that does not fly, "*" after a speed beyond the coast's.
    std::string Cell(int motor, PredictColumn column, bool metric) const;
    static std::string Header(PredictColumn column, bool metric);

    // The measured rocket in one line, and what "*" means.
    std::string RocketText(bool metric) const;
    // How closely the flown motor's prediction reproduces the measured flight.
    std::string ReproductionText(int flownMotor, const FlightFigures& measured, bool metric) const;

private:
    void Refilter();
    std::vector<MotorEntry> m_motors;
    std::vector<Prediction> m_predictions;
    std::vector<int> m_order; // every motor, sorted
    std::vector<int> m_visible;
    MeasuredRocket m_rocket;
    bool m_hasRocket = false;
    PredictOptions m_options;
    AirColumn m_air;
    int m_diameter = 0;
};

} // namespace tavo
