#pragma once
// What the fitting window takes from the measured data it fits, and the rate
// constant that a linearised evaluation of the same data has just given.
//
// The evaluation's k1 is remembered with the model it belongs to and a copy of
// the measured points; it is offered only while the points are still exactly
// those (a new data set, a load, an edit, an exclusion or a time-unit change
// all alter them), so no window has to remember to forget it.

#include <vector>

#include "core/shell/declare.h"

namespace kinhom {

// The measured points 1..AnzahlPunkte of d (record 0 unused).
std::vector<ExpPunkt> MeasuredPoints(const Declare& d);
// True when d's measured points are exactly `points` (as MeasuredPoints gives them).
bool SameMeasuredPoints(const Declare& d, const std::vector<ExpPunkt>& points);

// Remembers k as the last evaluation's k1 of `model` for d's current points.
void RememberEvaluatedRateConstant(Declare& d, int model, double k);
// The remembered k1 when it belongs to `model` and the points are unchanged.
bool EvaluatedRateConstant(const Declare& d, int model, double& k);

// The start values of a fit opened on the measured data: c0 of every species
// whose points include one at t = 0 (c0Exp > 0), t(max) := the last measured
// time, and in task mode 1 k1 := the evaluated k1 of the current model when
// there is one. Everything else is left as it is.
void TakeFitStartValuesFromData(Declare& d);

} // namespace kinhom
