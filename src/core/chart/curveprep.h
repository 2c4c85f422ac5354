#pragma once
// Preparation of one curve of the drawing pass, and the pure rules of the pass:
// which curve slot a new curve takes and where its label sits.
//
// The chart window draws one curve per pass step: it takes a free slot
// (NextCurveSlot), lets PrepareCurveData fill the curve buffer KurvenPunkte
// (record 0 x = number of points) and count KurvenZuZeichnen down, and copies
// the buffer into the chart. PrepareCurveData makes
//   - the concentration or rate course of one species from the simulated table
//     (codes 1 to 18 and 20, 51 to 68 and 70), the species coming in the order
//     A, B, C, P, Q as KurvenZuZeichnen counts down;
//   - in the non-isothermal fits (task modes 6 and 7) the single c(A) curve
//     labelled with the temperature of the slot;
//   - the Michaelis-Menten curve r(P)/r(P),max over S(0) of model 10;
//   - the spline through the measured points of one species (code 100);
//   - the fitted line of the linearised evaluation plots (codes -11 to -3,
//     core/chart/evaluation.h).

#include <array>
#include <string>
#include <vector>

#include "core/shell/declare.h"

namespace kinhom {

constexpr int kMaxKurven = 24;

// ---- curve slots ---------------------------------------------------------------

// Flags of the 24 curve slots, indexed 1 to 24 (element 0 unused); true = free.
using KurvenSlots = std::array<bool, kMaxKurven + 1>;

// Takes the lowest free slot for a new curve. When kurvenAnzahl is 0 every slot
// is made free first. Returns false (no slot) when all 24 curves exist: the
// count stays 24 and the caller shows NoCurveSlotMessage(). A slot table that
// has no free slot although fewer than 24 curves are counted gives no slot
// either (the count is left as it was), so no existing curve is overwritten.
bool NextCurveSlot(KurvenSlots& kurveFrei, int& kurvenAnzahl, int& slot);

// Gives a slot back when its curve was not drawn after all (the preparation
// failed or made no curve), so that no slot is lost.
void ReleaseCurveSlot(KurvenSlots& kurveFrei, int& kurvenAnzahl, int slot);

// "Maximum 24 curves possible" CR LF "Delete existing curves".
std::string NoCurveSlotMessage();

// ---- label placement ------------------------------------------------------------

// Index of the curve point a curve's label is attached to. L is the highest
// point index whose x lies left of xMax (the last point when none does); the
// label of slot s sits at CLng(L/1.2 - 0.18*L*f) with f = ((s - 1) mod 4) + 1,
// that is at about 65 %, 47 %, 29 % and 11 % of the visible part of the curve
// for the slots 1 to 4, and the same spread again for 5 to 8, 9 to 12, ...:
// any four consecutive slots (the curves of one simulation) get four different
// places, and no label is piled onto the first point. The index is clamped to the
// curve's points 1..count; 0 when the curve has no point.
int LabelPointIndex(const std::vector<KurvenPunkt>& punkte, float xMax, int slot);
// The same from the point count and L.
int LabelPointIndex(int count, int L, int slot);

// ---- curve preparation ----------------------------------------------------------

// Species slot (1 to 5 = A, B, C, P, Q) of the curve that a concentration or
// rate code draws while `kurvenZuZeichnen` curves are pending; 0 when the code
// has no species courses or the count is outside 1 .. the model's species count.
int CurveSpecies(int code, int kurvenZuZeichnen);

struct CurveOutcome {
    enum class Kind {
        Curve,   // KurvenPunkte holds the curve to draw
        NoCurve, // nothing to draw (KurvenPunkte count 0); the pass goes on
        Failed,  // a fault stopped the preparation: fehlerText says why
    };
    Kind kind = Kind::NoCurve;
    std::string fehlerText;
    // The label text written for the curve ("c(A) ", "r(E) ", "T/K = 298.15",
    // "" for the Michaelis-Menten curve); hasLabel is false when the curve gets
    // no label text (spline, evaluation lines).
    bool hasLabel = false;
    std::string label;
    // Evaluation codes: the status-line text, the results and whether the
    // measured points are to be added (core/chart/evaluation.h).
    std::string statusText;
    double RegA = 0;
    double RegB = 0;
    float RegR2 = 0;
    bool showPoints = false;
};

// Prepares one curve for diagram code `code` (DiagrammTyp) into d.KurvenPunkte
// and counts d.KurvenZuZeichnen down by one (species codes in task modes 6 and
// 7 set it to 0: one curve per pass). Nothing is counted when no curve is
// pending or when the preparation fails. `slot` is the curve slot being drawn,
// `punktDichte` the number of x intervals of a spline across the visible x
// range. `outside` (set by the pass before its first curve) is cleared when the
// prepared points reach the visible y range. `dec` is the decimal sign of the
// evaluation result texts.
//
// Failures (Kind::Failed, nothing counted, KurvenPunkte count 0): a spline
// through fewer than 3 points or through times that do not rise strictly; more
// points than the buffer's 2000; a temperature label for a slot beyond the
// measured temperatures; a simulated or spline value that is not a finite
// Single; an empty x range for the spline; the faults of the evaluations.
// No value that is not finite reaches KurvenPunkte.
CurveOutcome PrepareCurveData(Declare& d, int code, int slot, int punktDichte, bool& outside, char dec = '.');

} // namespace kinhom
