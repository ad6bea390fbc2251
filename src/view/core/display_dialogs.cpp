#include "view/core/display_dialogs.h"

#include <algorithm>

#include "flight/units.h"

namespace tavo {
namespace {

// The Setup values as they bear on the flight: with the file's two-G value in use, the
// value in the other field is not.
SetupValues InEffect(const FlightRecord& doc) {
    SetupValues v = SetupFromDoc(doc);
    if (v.useFileTwoGee)
        v.twoGee = doc.m_fTwoGeeFile;
    return v;
}

} // namespace

SetupValues SetupFromDoc(const FlightRecord& doc) {
    SetupValues v;
    v.commPort = doc.m_strCommPort;
    v.autoComPort = doc.m_bAutoComPort;
    v.cursorPosition = doc.m_nCursorPosition == 0 ? 0 : 1;
    v.sampleRate = doc.m_nSampleRate;
    v.accelInGees = doc.m_bAccelInGees;
    v.drawGrid = doc.m_bDrawGrid;
    v.useAccelOffset = doc.m_bUseAccelOffset;
    v.accelOffset = doc.m_nAccelOffset;
    v.useFileTwoGee = doc.m_bUseFileTwoGee;
    v.twoGee = doc.m_fTwoGee;
    v.saveTwoGeeToFile = false;
    v.displayRaw = doc.m_bDisplayRaw;
    return v;
}

void ApplySetup(const SetupValues& v, CTAVOkitDoc& doc) {
    const SetupValues before = InEffect(doc);
    const float twoGeeFileBefore = doc.m_fTwoGeeFile;
    doc.m_bAutoComPort = v.autoComPort;
    doc.m_strCommPort = v.commPort;
    doc.m_nSampleRate = v.sampleRate;
    doc.m_nCursorPosition = v.cursorPosition;
    doc.m_bDrawGrid = v.drawGrid;
    doc.m_bAccelInGees = v.accelInGees;
    doc.m_bDisplayRaw = v.displayRaw;
    doc.m_bUseAccelOffset = v.useAccelOffset;
    if (v.useFileTwoGee) {
        doc.m_fTwoGee = doc.m_fTwoGeeFile;
        doc.m_bUseFileTwoGee = true;
    } else if (v.saveTwoGeeToFile) {
        // The typed value becomes the flight's own and is saved with it.
        doc.m_fTwoGee = v.twoGee;
        doc.m_fTwoGeeFile = v.twoGee;
        doc.m_bUseFileTwoGee = true;
    } else {
        doc.m_bUseFileTwoGee = false;
        doc.m_fTwoGee = v.twoGee;
    }
    doc.Recompute();
    // OK without a change leaves nothing to save: Download DATA must not then warn of
    // unsaved data, nor closing ask to save.
    if (!(InEffect(doc) == before) || !(doc.m_fTwoGeeFile == twoGeeFileBefore))
        doc.SetModifiedFlag(true);
    doc.UpdateAllViews();
}

ScalingValues ScalingFromDoc(const FlightRecord& doc) {
    return {doc.m_fAccelMax, doc.m_fAccelMin, doc.m_fVelMax,
            doc.m_fVelMin,   doc.m_fAltMax,   doc.m_fAltMin};
}

ScalingValues ScalingAuto(CTAVOkitDoc& doc) {
    doc.ComputeRanges();
    return ScalingFromDoc(doc);
}

void ApplyScaling(const ScalingValues& v, CTAVOkitDoc& doc) {
    doc.m_fAccelMax = v.accelMax;
    doc.m_fAccelMin = v.accelMin;
    doc.m_fVelMax = v.velMax;
    doc.m_fVelMin = v.velMin;
    doc.m_fAltMax = v.altMax;
    doc.m_fAltMin = v.altMin;
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
    const bool changed = doc.m_strComment != comment || doc.m_timeDate != date ||
                         doc.m_strMotor != motor || doc.m_strName != name ||
                         !(doc.m_fLaunchWeight == m_value[LaunchWeight]) ||
                         !(doc.m_fPropellantWeight == m_value[PropellantWeight]) ||
                         !(doc.m_fMaxDiameter == m_value[MaxDiameter]);
    doc.m_strComment = comment;
    doc.m_timeDate = date;
    doc.m_strMotor = motor;
    doc.m_strName = name;
    doc.m_fLaunchWeight = m_value[LaunchWeight];
    doc.m_fPropellantWeight = m_value[PropellantWeight];
    doc.m_fMaxDiameter = m_value[MaxDiameter];
    if (changed)
        doc.SetModifiedFlag(true);
}

} // namespace tavo
