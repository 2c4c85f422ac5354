#pragma once
// The closed-form courses of the models that have one (1 to 6, 8, 11, 12, 16,
// 17): the concentrations of the model's species at time t from the start
// concentrations and rate constants. The simulated table and the single-point
// calculation (CalcCAtTime) share these, so both always give the same number.
//
// The expressions are written so that they neither overflow for large k·t
// nor lose digits by cancellation (expm1 where 1 - e^-x is meant, the excess
// reactant's exact difference where two start concentrations are close, the
// limit forms where a quotient becomes 0/0).

namespace kinhom {

// True for the models with a closed-form course.
bool HatGeschlosseneForm(int model);

// Writes the concentrations at time t of the slots the model uses into
// c[1..5] (model 1: A, P; 4: A, B, P; 6: A, C, P; 5 and 16: A, P and
// Q = Q0 + x; ...); other slots are not
// touched. c0 holds the start concentrations at 1 to 5, k the rate constants
// at 1 to 3. Returns false (and writes nothing) for a model without a closed
// form. The values are not checked: with unusable inputs (t < 0 beyond the
// course's range, negative constants) they may be infinite or not a number.
bool GeschlosseneForm(int model, double t, const double* c0, const double* k, double* c);

// The slots (1 to 5) that GeschlosseneForm writes for the model, as a mask
// (bit s set for slot s); 0 for a model without a closed form.
unsigned GeschlosseneFormSlots(int model);

} // namespace kinhom
