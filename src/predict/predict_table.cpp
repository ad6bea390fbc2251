#include "predict/predict_table.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "flight/atomic_file.h"
#include "flight/text_format.h"
#include "flight/units.h"
#include "motor/rasp_reader.h"

namespace tavo {

namespace {

// The motor's diameter to the millimetre; files write 18 and 18.0 and 17.9 alike.
int DiameterMm(const EngMotor& m) {
    return std::isfinite(m.diameterMm) && m.diameterMm > 0.0 && m.diameterMm < 1e5
               ? static_cast<int>(std::lround(m.diameterMm))
               : 0;
}

double Figure(const Prediction& p, PredictColumn column) {
    switch (column) {
    case PredictColumn::Apogee:
        return p.apogee;
    case PredictColumn::ApogeeTime:
        return p.apogeeTime;
    case PredictColumn::MaxVelocity:
        return p.maxVelocity;
    case PredictColumn::MaxAccel:
        return p.maxAccel;
    case PredictColumn::Burnout:
        return p.burnout;
    case PredictColumn::RailExit:
        return p.railExit ? p.railExitVelocity : -1.0;
    case PredictColumn::BestDelay:
        return p.bestDelay;
    default:
        return 0.0;
    }
}

std::string Percent(double predicted, double measured) {
    if (!(std::fabs(measured) > 0.0))
        return "";
    const double d = 100.0 * (predicted - measured) / measured;
    return " (" + std::string(d >= 0.0 ? "+" : "") + FormatFixed(d, 1) + " %)";
}

} // namespace

FlightFigures MeasureFlightFigures(const std::vector<double>& accel, double interval) {
    FlightFigures f;
    if (!(interval > 0.0) || !std::isfinite(interval))
        return f;
    double v = 0.0, h = 0.0;
    for (std::size_t i = 0; i < accel.size(); ++i) {
        const double a = std::isfinite(accel[i]) ? accel[i] : 0.0;
        const double vNew = v + a * interval;
        if (v > 0.0 && vNew <= 0.0) {
            // Within the sample the speed falls evenly to nothing.
            const double share = v / (v - vNew);
            f.apogeeReached = true;
            f.apogee = h + 0.5 * v * share * interval;
            f.apogeeTime = (static_cast<double>(i) + share) * interval;
            return f;
        }
        h += 0.5 * (v + vNew) * interval;
        v = vNew;
        f.maxVelocity = std::max(f.maxVelocity, v);
    }
    f.apogee = h;
    return f;
}

bool PredictTable::AddMotorFile(const std::string& path, std::string& reason,
                                std::vector<std::string>& notes) {
    RaspFile file;
    if (!LoadRaspFile(path, file, reason))
        return false;
    for (const RaspRefusal& r : file.refused)
        notes.push_back(FileNameOf(path) + ": " + RefusalText(r) + " (left out)");
    if (file.motors.empty()) {
        reason = FileNameOf(path) + " holds no motor that can be flown.";
        return false;
    }
    std::vector<MotorEntry> kept;
    for (MotorEntry& e : m_motors)
        if (e.file != path)
            kept.push_back(std::move(e));
    for (EngMotor& m : file.motors)
        kept.push_back({std::move(m), path});
    m_motors = std::move(kept);
    Compute();
    return true;
}

int PredictTable::FindMotor(const std::string& flightMotor) const {
    if (flightMotor.empty())
        return -1;
    for (std::size_t i = 0; i < m_motors.size(); ++i) {
        const std::string& d = m_motors[i].motor.designation;
        if (!d.empty() && (flightMotor == d || flightMotor.rfind(d + "-", 0) == 0))
            return static_cast<int>(i);
    }
    return -1;
}

bool PredictTable::SetRocket(const DragEstimate& drag, double launchMassKg, double flownMotorKg,
                             std::string& reason) {
    MeasuredRocket rocket;
    m_hasRocket = MeasureRocket(drag, launchMassKg, flownMotorKg, rocket, reason);
    if (m_hasRocket)
        m_rocket = std::move(rocket);
    return m_hasRocket;
}

void PredictTable::SetSite(double metres) {
    if (metres != m_air.SiteAltitude())
        m_air = AirColumn(metres);
}

void PredictTable::Compute() {
    m_predictions.assign(m_motors.size(), Prediction{});
    if (m_hasRocket)
        for (std::size_t i = 0; i < m_motors.size(); ++i)
            m_predictions[i] = PredictFlight(m_rocket, m_motors[i].motor, m_options, m_air);
    m_order.resize(m_motors.size());
    for (std::size_t i = 0; i < m_order.size(); ++i)
        m_order[i] = static_cast<int>(i);
    Refilter();
}

Prediction PredictTable::PredictWithCurves(int motor, double interval) const {
    if (!m_hasRocket || motor < 0 || static_cast<std::size_t>(motor) >= m_motors.size())
        return {};
    PredictOptions options = m_options;
    options.curveInterval = interval;
    return PredictFlight(m_rocket, m_motors[static_cast<std::size_t>(motor)].motor, options, m_air);
}

void PredictTable::SortBy(PredictColumn column, bool ascending) {
    const auto text = [this, column](int i) -> std::string {
        const EngMotor& m = m_motors[static_cast<std::size_t>(i)].motor;
        if (column == PredictColumn::File)
            return FileNameOf(m_motors[static_cast<std::size_t>(i)].file);
        return m.designation;
    };
    const bool byText = column == PredictColumn::Motor || column == PredictColumn::File;
    std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
        const Prediction& pa = m_predictions[static_cast<std::size_t>(a)];
        const Prediction& pb = m_predictions[static_cast<std::size_t>(b)];
        if (!byText && column != PredictColumn::Class && column != PredictColumn::Diameter &&
            pa.flies != pb.flies)
            return pa.flies; // the motors that fly first, either way
        double x = 0.0, y = 0.0;
        if (byText) {
            const int c = text(a).compare(text(b));
            x = c;
        } else if (column == PredictColumn::Class) {
            x = TotalImpulse(m_motors[static_cast<std::size_t>(a)].motor);
            y = TotalImpulse(m_motors[static_cast<std::size_t>(b)].motor);
        } else if (column == PredictColumn::Diameter) {
            x = DiameterMm(m_motors[static_cast<std::size_t>(a)].motor);
            y = DiameterMm(m_motors[static_cast<std::size_t>(b)].motor);
        } else {
            x = Figure(pa, column);
            y = Figure(pb, column);
        }
        return ascending ? x < y : y < x;
    });
    Refilter();
}

void PredictTable::FilterDiameter(double mm) {
    m_diameter = std::isfinite(mm) && mm > 0.0 && mm < 1e5 ? static_cast<int>(std::lround(mm)) : 0;
    Refilter();
}

void PredictTable::Refilter() {
    m_visible.clear();
    for (int i : m_order)
        if (m_diameter == 0 ||
            DiameterMm(m_motors[static_cast<std::size_t>(i)].motor) == m_diameter)
            m_visible.push_back(i);
}

std::vector<int> PredictTable::Diameters() const {
    std::set<int> seen;
    for (const MotorEntry& e : m_motors)
        if (const int d = DiameterMm(e.motor); d > 0)
            seen.insert(d);
    return {seen.begin(), seen.end()};
}

std::string PredictTable::Header(PredictColumn column, bool metric) {
    const std::string length = metric ? "m" : "ft";
    const std::string speed = metric ? "m/s" : "mph";
    const std::string accel = metric ? "m/s^2" : "ft/s^2";
    switch (column) {
    case PredictColumn::Motor:
        return "Motor";
    case PredictColumn::Class:
        return "Class";
    case PredictColumn::Diameter:
        return "Dia. mm";
    case PredictColumn::Apogee:
        return "Apogee " + length;
    case PredictColumn::ApogeeTime:
        return "To apogee s";
    case PredictColumn::MaxVelocity:
        return "Max vel. " + speed;
    case PredictColumn::MaxAccel:
        return "Max acc. " + accel;
    case PredictColumn::Burnout:
        return "Burn-out s";
    case PredictColumn::RailExit:
        return "Off rail " + speed;
    case PredictColumn::BestDelay:
        return "Best delay s";
    case PredictColumn::File:
        return "File";
    }
    return "";
}

std::string PredictTable::Cell(int motor, PredictColumn column, bool metric) const {
    if (motor < 0 || static_cast<std::size_t>(motor) >= m_motors.size())
        return "";
    const MotorEntry& e = m_motors[static_cast<std::size_t>(motor)];
    const Prediction& p = m_predictions.at(static_cast<std::size_t>(motor));
    const double length = metric ? 1.0 : kMetreToFoot;
    const double speed = metric ? 1.0 : kMpsToMph;
    switch (column) {
    case PredictColumn::Motor:
        return e.motor.designation;
    case PredictColumn::Class:
        return std::string(1, ImpulseClassLetter(TotalImpulse(e.motor)));
    case PredictColumn::Diameter:
        return DiameterMm(e.motor) > 0 ? std::to_string(DiameterMm(e.motor)) : "";
    case PredictColumn::Burnout:
        return FormatFixed(p.burnout, 2);
    case PredictColumn::File:
        return FileNameOf(e.file);
    default:
        break;
    }
    if (!p.flies)
        return column == PredictColumn::Apogee ? "does not fly" : "";
    switch (column) {
    case PredictColumn::Apogee:
        return FormatFixed(p.apogee * length, 0);
    case PredictColumn::ApogeeTime:
        return FormatFixed(p.apogeeTime, 2);
    case PredictColumn::MaxVelocity:
        return FormatFixed(p.maxVelocity * speed, 1) + (p.beyondMeasuredSpeed ? " *" : "");
    case PredictColumn::MaxAccel:
        return FormatFixed(p.maxAccel * length, 1);
    case PredictColumn::RailExit:
        return p.railExit ? FormatFixed(p.railExitVelocity * speed, 1) : "";
    case PredictColumn::BestDelay:
        return FormatFixed(p.bestDelay, 1);
    default:
        return "";
    }
}

std::string PredictTable::RocketText(bool metric) const {
    if (!m_hasRocket)
        return "";
    const DragCurve& d = m_rocket.drag;
    const std::string mass = metric ? FormatFixed(m_rocket.dryMassKg, 3) + " kg"
                                    : FormatFixed(m_rocket.dryMassKg * kKgToLb, 3) + " lb";
    const std::string top = metric ? FormatFixed(m_rocket.maxMeasuredSpeed, 1) + " m/s"
                                   : FormatFixed(m_rocket.maxMeasuredSpeed * kMpsToMph, 1) + " mph";
    std::string drag = d.area > 0.0 ? "Cd " + FormatFixed(d.cd, 3) + " (single fit)"
                                    : "CdA " + FormatFixed(d.dragArea * 1e4, 2) + " cm^2";
    return "Measured rocket: dry mass " + mass + ", " + drag + ", drag curve of " +
           std::to_string(d.points.size()) + " points from " + std::to_string(d.coastSamples) +
           " coast samples. Faster than the coast measured (" + top +
           "), the drag is taken constant: such speeds are marked *.";
}

std::string PredictTable::ReproductionText(int flownMotor, const FlightFigures& measured,
                                           bool metric) const {
    if (!m_hasRocket || flownMotor < 0 || static_cast<std::size_t>(flownMotor) >= m_motors.size())
        return "Choose the flown motor to see how closely it reproduces this flight.";
    const Prediction& p = m_predictions.at(static_cast<std::size_t>(flownMotor));
    const std::string name = m_motors[static_cast<std::size_t>(flownMotor)].motor.designation;
    if (!p.flies)
        return "The flown " + name + " does not fly this rocket: " + p.reason + ".";
    const double length = metric ? 1.0 : kMetreToFoot;
    const double speed = metric ? 1.0 : kMpsToMph;
    const std::string lu = metric ? " m" : " ft", su = metric ? " m/s" : " mph";
    std::string text = "The flown " + name + " predicted against this flight: max velocity " +
                       FormatFixed(p.maxVelocity * speed, 1) + su + " against " +
                       FormatFixed(measured.maxVelocity * speed, 1) + su +
                       Percent(p.maxVelocity, measured.maxVelocity);
    if (!measured.apogeeReached)
        return text + "; the recording ends before the apogee, so it cannot be compared.";
    text += ", apogee " + FormatFixed(p.apogee * length, 0) + lu + " against " +
            FormatFixed(measured.apogee * length, 0) + lu + Percent(p.apogee, measured.apogee) +
            " at " + FormatFixed(p.apogeeTime, 2) + " s against " +
            FormatFixed(measured.apogeeTime, 2) + " s" +
            Percent(p.apogeeTime, measured.apogeeTime) + ".";
    // A prediction flies on to the apogee; an ejection before it ends the measured climb
    // early and lower, which no drag curve would explain.
    if (measured.deployTime >= 0.0 && measured.deployTime < measured.apogeeTime)
        text += " The ejection " + FormatFixed(measured.deployTime, 2) +
                " s after launch came before the apogee and cut the measured climb short.";
    return text;
}

} // namespace tavo
