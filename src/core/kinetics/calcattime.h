#pragma once
// Concentrations of the current model's species at one time t: the
// single-point calculator shows them, the fitting compares them with measured
// points. Closed-form models are evaluated with the same expressions as the
// simulated table; the numerically integrated models read the Akima tables of
// the last simulation run, which must have been a run of the same model.

#include <string>
#include <vector>

#include "core/shell/declare.h"

namespace kinhom {

// Writes into c[1..5] (c must have at least 6 elements) the concentrations of
// the model's slots at time t: for a closed-form model the slots of its course,
// for a numerical model the slots marked "1" in Stoffmuster; other slots keep
// the caller's values. Nothing is written for model 10 while MMDiagramm is set,
// nor for a number outside the catalogue.
// failed is set when a value cannot be computed: a result that is not a finite
// number, or (numerical models) Akima tables that were not built by a
// completed simulation of this model. Slots written before the fault keep
// their new values. fehlertext, when given, receives a short description.
void CalcCAtTime(const Declare& d, int model, double t, std::vector<double>& c, bool& failed,
                 std::string* fehlertext = nullptr);

} // namespace kinhom
