#pragma once
// Half-lives of the first and second reactant by closed forms (and, for the
// reversible second-order reactions, by a Newton iteration on the closed-form
// course of the extent of reaction, with bisection where that iteration
// fails), and the switch of the time unit.

#include "core/kinetics/notify.h"
#include "core/shell/declare.h"

namespace kinhom {

// Half-life of A in the current time unit for the diagram code d.DiagrammTyp,
// with the start concentrations cA0, cB0, cP0 and the rate constants k1, k2.
// Codes 6 and 56 use the shared k1 (d.k[1]); codes 12 and 62 take the start
// concentrations of their equilibrium from d.c0; code -6 uses d.ModellNr.
// Result: the half-life; 0 where the code has none (or, for A + B => P, when
// there is too little B to halve A: then with a beep); -1 after a message box
// (half the start concentration lies beyond the equilibrium, or the calculation
// failed: division by zero, logarithm of a non-positive number, square root of
// a negative one, overflow, a course that never reaches the half).
float FuHalbwertszeitA(const Declare& d, double cA0, double cB0, double cP0, double k1, double k2,
                       KinNotify& notify);

// Half-life of B, as FuHalbwertszeitA; every code without a half-life of B
// gives 0 with a beep.
float FuHalbwertszeitB(const Declare& d, double cA0, double cB0, double cP0, double k1, double k2,
                       KinNotify& notify);

// The Newton iteration of the reversible second-order half-lives: the time t at
// which the extent x(t) = r1 r2 (1 - E) / (r1 - r2 E), E = exp(-a (r1 - r2) t),
// reaches halb. Starts at t0, steps t := t + d (t in single precision) with
// d = (x(t) - halb) h / (x(t) - x(t + h)), and returns t as soon as
// |d / t| < 1e-6. Throws KinError when a step fails (division by zero,
// overflow), when maxIter iterations pass without meeting the test, or when the
// t found is not positive.
float HalbwertszeitNewton(double a, double r1, double r2, double halb, float t0, double h, int maxIter);

// The same time t by enclosure: halving or doubling from t0 brackets it
// between t and 2t, then bisection narrows the bracket to full single
// precision. Uses the same closed-form course (written so that exp cannot
// overflow for t > 0), which must rise monotonically from x(0) = 0 and reach
// halb. Throws KinError when the course cannot be evaluated or never reaches
// halb for t within the normal single-precision range.
float HalbwertszeitBisektion(double a, double r1, double r2, double halb, float t0);

// The half-life of the reversible second-order reactions: the Newton iteration
// from t0, whose t is kept whenever it converges to a positive value; when it
// fails (no slope, a step to t <= 0, divergence, no convergence within maxIter)
// HalbwertszeitBisektion finds the time instead. Throws KinError only when
// that fails as well.
float HalbwertszeitVerlauf(double a, double r1, double r2, double halb, float t0, double h, int maxIter);

// The half-life that the chart's half-life mark of A (speziesB false) or B
// shows: for the models integrated numerically (A: 7, 9, 10, 13, 14, 15, 18,
// 20; B: 7, 9, 10, 13, 18) the value the last simulation found
// (HalbwertszeitA/B); otherwise FuHalbwertszeitA/B with the start
// concentrations of A and B from c0 (from c0Exp on the charts of measured data,
// DiagrammTyp < 0), that of P from c0, and k1, k2 from k.
float HalbwertszeitMarke(const Declare& d, bool speziesB, KinNotify& notify);

// Switches the time unit to neu (0 "s", 1 "min", 2 "h", 3 "d", 4 "a") from alt:
// sets Zeiteinheit; when neu differs from alt, converts the times of the
// measured points 1 to AnzahlPunkte into the new unit and divides k1, k2 and k3
// by ZeitFaktor(alt, neu) (no other time is converted); then the captions are
// refreshed through notify. An index outside 0 to 4 converts nothing.
void SetZeiteinheit(Declare& d, int neu, int alt, KinNotify& notify);

} // namespace kinhom
