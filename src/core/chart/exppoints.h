#pragma once
// The measured points as the current diagram plots them.
//
// The chart window shows the measured points ExpPunkte(1..AnzahlPunkte) in the
// seven point sets of its point-set group. Which set a point goes into and how
// it is transformed follows from the diagram code:
//
//   codes                                  set     x       y
//   concentration codes 1-18, 20; -1       1 to 5  t       c(A) .. c(Q), one set per
//   (c-t points); -9 (k fitting); 100                      species that the data hold
//   (tangent chart)
//   evaluation codes -5 to -8, -10, -11    1       the evaluation's own transform
//   -2 (k over T)                          6       T       k
//   -3 (Arrhenius)                         6       1/T     ln k
//   -4 (Eyring)                            6       1/T     ln(k/T)
//
// Rate charts (51 to 70), the Michaelis-Menten diagram, code 0 and unknown codes
// have no measured counterpart and get no points. A species counts as held by
// the data when at least one point has a concentration above 0 in it; then all
// its points are shown (a measured 0, such as c(P) at t = 0, is a value too).
// A k-T point needs T > 0 and k > 0. Excluded points are shown like the others
// (they are data; only the regression leaves them out) and carry their flag.
// Points that cannot be placed (a transform that is not defined, a value beyond
// single precision) are left out.
//
// Clipping: only points inside the axis window of Diagramm (limits included,
// compared in single precision like the plot ranges) are put into the sets; a
// point outside would otherwise be drawn at a place that is not its own.

#include <array>
#include <vector>

#include "core/shell/declare.h"

namespace kinhom {

// Number of point sets of the chart (1 to 7).
constexpr int kPunktSaetze = 7;

struct ExpPlotPoint {
    double x = 0;
    double y = 0;
    int index = 0;         // record in ExpPunkte
    bool excluded = false; // excluded from evaluations

    bool operator==(const ExpPlotPoint&) const = default;
};

struct ExpPointSets {
    // set[1] .. set[7]; set[0] is not used.
    std::array<std::vector<ExpPlotPoint>, kPunktSaetze + 1> set;
};

// The point sets of the measured points for the diagram code DiagrammTyp,
// clipped to Diagramm. `inside` is set to false on entry and becomes true when
// at least one point lies inside the axis window (the sets are then not empty).
ExpPointSets CalcExperPunkte(const Declare& d, bool& inside);

} // namespace kinhom
