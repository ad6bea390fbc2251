#include "view/core/display_dialogs.h"

#include <algorithm>

#include "flight/units.h"

namespace tavo {
namespace {

// The Setup values as they bear on the flight: with the file's two-G value in use, the
// value in the other field is not.
SetupValues InEffect(const CTAVOkitDoc& doc) {
    SetupValues v = SetupFromDoc(doc);
    if (v.useFileTwoGee)
        v.twoGee = doc.Record().m_fTwoGeeFile;
    return v;
}

} // namespace

SetupValues SetupFromDoc(const CTAVOkitDoc& doc) {
    SetupValues v;
    v.commPort = doc.Settings().m_strCommPort;
    v.autoComPort = doc.Settings().m_bAutoComPort;
    v.cursorPosition = doc.Settings().m_nCursorPosition == 0 ? 0 : 1;
    v.sampleRate = doc.Record().m_nSampleRate;
    v.accelInGees = doc.Settings().m_bAccelInGees;
    v.drawGrid = doc.Settings().m_bDrawGrid;
    v.useAccelOffset = doc.Settings().m_bUseAccelOffset;
    v.accelOffset = doc.Record().m_nAccelOffset;
    v.useFileTwoGee = doc.Settings().m_bUseFileTwoGee;
    v.twoGee = doc.Settings().m_fTwoGee;
    v.saveTwoGeeToFile = false;
    v.displayRaw = doc.Settings().m_bDisplayRaw;
    return v;
}

void ApplySetup(const SetupValues& v, CTAVOkitDoc& doc) {
    const SetupValues before = InEffect(doc);
    const float twoGeeFileBefore = doc.Record().m_fTwoGeeFile;
    doc.Settings().m_bAutoComPort = v.autoComPort;
    doc.Settings().m_strCommPort = v.commPort;
    doc.Record().m_nSampleRate = v.sampleRate;
    doc.Settings().m_nCursorPosition = v.cursorPosition;
    doc.Settings().m_bDrawGrid = v.drawGrid;
    doc.Settings().m_bAccelInGees = v.accelInGees;
    doc.Settings().m_bDisplayRaw = v.displayRaw;
    doc.Settings().m_bUseAccelOffset = v.useAccelOffset;
    if (v.useFileTwoGee) {
        doc.Settings().m_fTwoGee = doc.Record().m_fTwoGeeFile;
        doc.Settings().m_bUseFileTwoGee = true;
    } else if (v.saveTwoGeeToFile) {
        // The typed value becomes the flight's own and is saved with it.
        doc.Settings().m_fTwoGee = v.twoGee;
        doc.Record().m_fTwoGeeFile = v.twoGee;
        doc.Settings().m_bUseFileTwoGee = true;
    } else {
        doc.Settings().m_bUseFileTwoGee = false;
        doc.Settings().m_fTwoGee = v.twoGee;
    }
    doc.Recompute();
    // OK without a change leaves nothing to save: Download DATA must not then warn of
    // unsaved data, nor closing ask to save.
    if (!(InEffect(doc) == before) || !(doc.Record().m_fTwoGeeFile == twoGeeFileBefore))
        doc.SetModifiedFlag(true);
    doc.UpdateAllViews();
}

ScalingValues ScalingFromDoc(const CTAVOkitDoc& doc) {
    return {doc.Curves().m_fAccelMax, doc.Curves().m_fAccelMin, doc.Curves().m_fVelMax,
            doc.Curves().m_fVelMin,   doc.Curves().m_fAltMax,   doc.Curves().m_fAltMin};
}

ScalingValues ScalingAuto(CTAVOkitDoc& doc) {
    doc.ComputeRanges();
    return ScalingFromDoc(doc);
}

void ApplyScaling(const ScalingValues& v, CTAVOkitDoc& doc) {
    doc.Curves().m_fAccelMax = v.accelMax;
    doc.Curves().m_fAccelMin = v.accelMin;
    doc.Curves().m_fVelMax = v.velMax;
    doc.Curves().m_fVelMin = v.velMin;
    doc.Curves().m_fAltMax = v.altMax;
    doc.Curves().m_fAltMin = v.altMin;
    doc.UpdateAllViews();
}

DetailsLogic::DetailsLogic(const FlightRecord& doc)
    : name(doc.m_strName), motor(doc.m_strMotor), comment(doc.m_strComment),
      date(doc.m_timeDate), m_value{doc.m_fLaunchWeight, doc.m_fPropellantWeight,
                                    doc.m_fMaxDiameter} {
    for (int q = 0; q < 3; ++q) {
        m_base[q] = m_value[q];
        m_shown[q] = m_value[q];
    }
}

namespace {

// Each unit as a factor to kg or m and back. The pound and the inch keep the factors the
// dialog has always converted with, both ways, so a value entered in lb is stored as it
// always was; an ounce is a sixteenth of that pound.
struct UnitFactor {
    const char* name;
    double toBase;
    double fromBase;
};
constexpr UnitFactor kWeightUnits[DetailsLogic::kUnitCount] = {
    {"Kg", 1.0, 1.0},
    {"LB", kLbToKg, kKgToLb},
    {"g", 0.001, 1000.0},
    {"oz", kLbToKg / 16.0, kKgToLb * 16.0},
};
constexpr UnitFactor kLengthUnits[DetailsLogic::kUnitCount] = {
    {"m", 1.0, 1.0},
    {"in", kInToM, kMToIn},
    {"mm", 0.001, 1000.0},
    {"cm", 0.01, 100.0},
};

const UnitFactor& FactorOf(DetailsLogic::Quantity q, int unit) {
    const UnitFactor* units = q == DetailsLogic::MaxDiameter ? kLengthUnits : kWeightUnits;
    return units[std::clamp(unit, 0, DetailsLogic::kUnitCount - 1)];
}

} // namespace

const char* DetailsLogic::UnitName(Quantity q, int unit) {
    return FactorOf(q, unit).name;
}

void DetailsLogic::OnUnitSelected(Quantity q, int unit) {
    unit = std::clamp(unit, 0, kUnitCount - 1);
    if (unit == m_unit[q])
        return;
    // Through kg or m in double, rounded to float once, as the flight holds it.
    if (!(m_value[q] == m_shown[q]))
        m_base[q] = m_value[q] * FactorOf(q, m_unit[q]).toBase;
    m_value[q] = static_cast<float>(m_base[q] * FactorOf(q, unit).fromBase);
    m_shown[q] = m_value[q];
    m_unit[q] = unit;
}

void DetailsLogic::OnClose() {
    for (int q = 0; q < 3; ++q)
        OnUnitSelected(static_cast<Quantity>(q), 0);
}

void DetailsLogic::ApplyTo(CTAVOkitDoc& doc) const {
    FlightRecord& flight = doc.Record();
    const bool changed = flight.m_strComment != comment || flight.m_timeDate != date ||
                         flight.m_strMotor != motor || flight.m_strName != name ||
                         !(flight.m_fLaunchWeight == m_value[LaunchWeight]) ||
                         !(flight.m_fPropellantWeight == m_value[PropellantWeight]) ||
                         !(flight.m_fMaxDiameter == m_value[MaxDiameter]);
    flight.m_strComment = comment;
    flight.m_timeDate = date;
    flight.m_strMotor = motor;
    flight.m_strName = name;
    flight.m_fLaunchWeight = m_value[LaunchWeight];
    flight.m_fPropellantWeight = m_value[PropellantWeight];
    flight.m_fMaxDiameter = m_value[MaxDiameter];
    if (changed)
        doc.SetModifiedFlag(true);
}

} // namespace tavo
