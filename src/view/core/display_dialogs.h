#pragma once
// The rules of the Setup, Scaling and Details dialogs, apart from their widgets: what
// each copies in, what OK applies, AUTO, and the Details unit switching.

#include <array>
#include <cstdint>
#include <string>

#include "doc/tavokit_doc.h"

namespace tavo {

// Setup: the values the dialog shows.
struct SetupValues {
    std::string commPort;
    bool autoComPort = true;
    int cursorPosition = 0; // 0 Left, 1 Right
    int sampleRate = 0;
    bool accelInGees = true;
    bool drawGrid = true;
    bool useAccelOffset = false;
    int accelOffset = 0; // shown only
    bool useFileTwoGee = true;
    float twoGee = 0.0f;
    bool saveTwoGeeToFile = false; // never ticked at opening
    bool displayRaw = false;

    bool operator==(const SetupValues&) const = default;
};

SetupValues SetupFromDoc(const CTAVOkitDoc& doc);
// OK: copies the values back, settles the two-G choice, recomputes, marks the flight
// modified when a value changed and redraws. The caller then writes "CommPort" and
// "AutoComPort".
void ApplySetup(const SetupValues& values, CTAVOkitDoc& doc);

// Scaling: the six limits in the curves' current units.
struct ScalingValues {
    float accelMax = 0, accelMin = 0, velMax = 0, velMin = 0, altMax = 0, altMin = 0;
};
ScalingValues ScalingFromDoc(const CTAVOkitDoc& doc);
// AUTO: the limits from the data, at once, whatever the dialog's end.
ScalingValues ScalingAuto(CTAVOkitDoc& doc);
// OK: the limits become the document's until the next recompute; redraws.
void ApplyScaling(const ScalingValues& values, CTAVOkitDoc& doc);

// Details: the flight's description with the per-quantity unit choice. The weights are
// shown in kg, lb, g or oz, the diameter in m, in, mm or cm; the flight always receives
// kg and m.
class DetailsLogic {
public:
    enum Quantity { LaunchWeight = 0, PropellantWeight = 1, MaxDiameter = 2 };
    // The units a quantity's box offers, in its order: the flight's own unit first (kg,
    // m), then the ones the box has always had (lb, in), then the small ones.
    static constexpr int kUnitCount = 4;
    static const char* UnitName(Quantity q, int unit);

    explicit DetailsLogic(const FlightRecord& doc);

    std::string name, motor, comment; // 8-bit Windows-1252 text
    std::int64_t date = 0;

    // The value as shown, in the unit selected for it.
    float Value(Quantity q) const { return m_value[q]; }
    // The edit's text was read into the value.
    void SetValue(Quantity q, float value) { m_value[q] = value; }
    // The unit the value is shown in (0: kg or m, as the flight holds it).
    int Unit(Quantity q) const { return m_unit[q]; }
    // The unit box changed to item `unit`: converts the value shown.
    void OnUnitSelected(Quantity q, int unit);
    // The dialog closes (OK or Cancel): every value goes back to kg and m.
    void OnClose();
    // OK: the details become the flight's; the flight is marked modified when one of
    // them changed.
    void ApplyTo(CTAVOkitDoc& doc) const;

private:
    std::array<float, 3> m_value{};
    std::array<int, 3> m_unit{};
    // Each quantity in kg or m, and the value last shown for it: while the user has not
    // typed over it, a conversion starts from there rather than from the rounded value
    // shown, so a weight looked at in lb and taken back to kg is exactly the flight's.
    std::array<double, 3> m_base{};
    std::array<float, 3> m_shown{};
};

} // namespace tavo
