#pragma once
// The simulation of the concentration and rate courses of the current model:
// 201 rows (t = 0 to t(max) in 200 equal intervals) of the concentrations of
// the species slots A, B, C, P, Q (SimT, SimCA..SimCQ) and of their rates of
// change (SimRA..SimRQ, single precision).
//
// Models with a closed-form solution (1 to 6, 8, 11, 12, 16, 17) are evaluated
// row by row; models 7, 9, 10, 13, 14, 15, 18 and 20 are integrated by the
// step-doubling Runge-Kutta integrator (integrator.h), after which their rates
// are computed, their half-lives stored and the nodes of the Akima tables
// stored; the splines, from which CalcCAtTime reads concentrations at any
// time, are built when first read (akima.h). Model 10 with MMDiagramm set
// gives the Michaelis-Menten rate curve instead. At the end, in task mode 0,
// the time, concentration and rate ranges of AchsenBereiche are set.
//
// Concentration columns of slots that a closed-form model does not use are
// written only in row 0 and keep earlier contents in rows 1 to 200; readers
// take only the species marked in Stoffmuster.

#include <string>

#include "core/shell/declare.h"

namespace kinhom {

struct SimulationsErgebnis {
    // The run could not be completed: the step-size control of the integrator
    // reached its bound, or a computed value was not a finite number. The
    // table then holds the rows computed so far, the Akima tables are marked
    // invalid and AchsenBereiche is left unchanged. Callers show Fehlertext
    // and draw or list nothing.
    bool failed = false;
    std::string Fehlertext;
    // Rows computed (201 in a complete run, 0 for a number outside the catalogue).
    int Zeilen = 0;
    // Right-hand-side (rate) evaluations of the integrator; 0 for closed forms.
    long RHSAuswertungen = 0;
    // Largest number of substeps per output interval the integrator used.
    int MaxTeilschritte = 0;
};

// Runs the simulation of the model (callers pass ModellNr) on the shared state.
SimulationsErgebnis calc_diagram_function(Declare& d, int model);

// The same, with the failure flag only.
void calc_diagram_function(Declare& d, int model, bool& failed);

// The ordinate at x of the straight line through (x1, y1) and (x2, y2), in
// single precision. The two abscissae must differ.
float LinInterpol(double x, double y1, double x1, double y2, double x2);

// c0Exp(1..5) := the concentrations (single precision) of the first measured
// point (records 1 to AnzahlPunkte, excluded points included) whose time is
// below 1e-8; 0 when no point qualifies.
void GetStartConcFromData(Declare& d);

} // namespace kinhom
