#pragma once
// The drag-coefficient report between the cursors. By default it is the coefficient of
// the drag alone: the reading is the net force per unit mass, so gravity is taken out
// and the rest, times the burn-out mass, is the drag; divided by the dynamic pressure
// on the body's cross-section (the air density and area of the motor report's coast
// fit) it gives Cd. Its figures are taken over the samples fast enough for the drag to
// stand well above the reading's resolution. The document's per-sample formula, which
// takes the whole net force as drag on the launch weight, stays as the other choice.

#include <string>
#include <vector>

#include "flight/cursor_range.h"
#include "flight/flight_data.h"
#include "predict/drag_curve.h"
#include "prompt/user_prompt.h"

namespace tavo {

enum class CdKind {
    Drag,     // the drag alone, gravity removed, burn-out mass
    Document, // m_arrCd as Recompute makes it
};

// The choice's name as the window shows it.
const char* CdKindName(CdKind kind);
// The CLI's word: "drag", "document".
const char* CdKindWord(CdKind kind);

// The figures count only samples faster than this share of the burn-out speed.
inline constexpr double kCdSpeedShare = 0.5;

class CdReport {
public:
    // Checks the preconditions (telling the user through `prompt`), then computes the
    // figures of `kind` over the samples between the cursors of `range`. False: nothing
    // to show.
    bool ComputeCdReport(const FlightData& flight, CursorRange range, UserPrompt& prompt,
                         CdKind kind = CdKind::Document);
    // The figures alone, without the checks' questions: false (and nothing changed)
    // when the cursors no longer hold samples.
    bool ComputeFigures(const FlightData& flight, CursorRange range, CdKind kind);

    // The samples the figures are of; the drawn curve is theirs.
    CursorRange range;
    CdKind m_kind = CdKind::Document;
    // The document's formula: 0 and the largest m_arrCd value of the whole range, as
    // the report has always given them. The drag alone: the smallest and largest Cd of
    // the samples counted (NaN when none is).
    float m_fCdMin = 0.0f;
    float m_fCdMax = 0.0f;
    // Mean Cd over the samples counted; NaN when none is.
    float m_fCdMean = 0.0f;
    // The samples counted: above m_dSpeedFloor, with a finite Cd.
    int m_nSamples = 0;
    double m_dBurnoutSpeed = 0.0; // m/s, the flight's top speed before C2
    double m_dSpeedFloor = 0.0;   // m/s, kCdSpeedShare of it
    double m_dMinSpeed = 0.0;     // m/s, the slowest and fastest sample counted
    double m_dMaxSpeed = 0.0;
    // Cd of each sample of the range, of the kind chosen.
    std::vector<float> m_arrCd;
    // Speed of each sample of the range, m/s.
    std::vector<double> m_arrSpeed;
    // Why there are no figures (no diameter, no mass after burn-out, no sample counted).
    std::string m_strNote;

    // The launch site above sea level (m), for the air the Cd and the drag curve are
    // taken in; set before computing.
    double m_dSiteAltitudeM = 0.0;
    // The drag curve of the coast: from the burn-out marker (or C1 without one), the
    // speed integrated from the launch marker (or the recording's start).
    DragCurve m_dragCurve;
    // The window and the page show the drag curve against Mach instead of Cd against
    // time.
    bool m_bShowDragCurve = false;

    // The top of the value axis: the largest Cd of the document's formula; for the drag
    // alone a round value some way above the largest, leaving room for the caption.
    float AxisTop() const;
    // The range's values as the curve draws them.
    std::vector<float> CurveValues() const;
};

// The figures as one text: `lineEnd` between the lines. Used by the window's caption,
// the printed page and Copy.
std::string CdFiguresText(const CdReport& report, const char* lineEnd);
// One line for the top of the graph: which Cd it shows and its mean.
std::string CdCaptionText(const CdReport& report);
// The Cd window's "Export Drag Curve...": the (Mach, Cd) CSV simulators take, written
// atomically to a file the user chooses (proposed after the flight, `flightStem`). A curve
// with nothing to write is refused with why, a failed write is told. True when written.
bool ExportDragCurve(UserPrompt& prompt, const DragCurve& curve, const std::string& flightStem);

// The figures followed by one line per sample of the range: time from C1, speed, Cd,
// tab-separated, for a spreadsheet.
std::string CdReportTable(const FlightData& flight, const CdReport& report);

} // namespace tavo
