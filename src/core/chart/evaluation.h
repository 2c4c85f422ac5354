#pragma once
// Linearised evaluation plots of measured data.
//
// For the evaluation codes -11, -10, -8, -7, -6, -5, -4 and -3 the measured
// points are turned into a straight-line problem, the line is fitted by the
// weighted regression (weight 1 for active, 0 for excluded points), the kinetic
// result is derived from intercept a and slope b, the line is sampled over the
// visible x range into the curve buffer, and the result is written as one line
// of text for the chart window's status line.
//
//   code  plot                                  x      y
//   -11   lambda, second order                  t      lambda(inf)/(lambda(inf) - lambda), or with
//                                                      lambda(0): (lambda(inf) - lambda(0)) /
//                                                      ((lambda(inf) - lambda) * c(A)(0))
//   -10,  with LambdaAuswertung: lambda,        t      ln(lambda(inf) - lambda), or with lambda(0):
//   -5    first order                                  ln((lambda(inf) - lambda)/(lambda(inf) - lambda(0)))
//         without it                            t      ln c(A)
//   -6    1/c(A) over t                         t      1/c(A)
//   -8    A + B, unequal start concentrations   t      ln(c(A)/c(B))
//   -7    Wilkinson plot (t > 1e-8)             t      t/U, U = (c(A)(0) - c(A))/c(A)(0)
//   -3    Arrhenius                             1/T    ln k
//   -4    Eyring                                1/T    ln(k/T)
//
// A point whose defining quantity is not positive (lambda, c(A), c(B), T, k) is
// not taken. Every other point that cannot be transformed (a zero denominator,
// the logarithm of a value that is not positive, a value beyond single
// precision) is a fault: the whole evaluation fails with a description of the
// cause, and nothing but infinite or undefined numbers would otherwise result.

#include <string>
#include <vector>

#include "core/shell/declare.h"

namespace kinhom {

// True for the codes that this module evaluates (-11, -10, -8 to -3).
bool IsEvaluationCode(int code);

// One measured point as an evaluation plots it.
struct EvalPoint {
    int index = 0;         // record in ExpPunkte
    float x = 0;           // transformed values, single precision as regressed
    float y = 0;
    bool excluded = false; // excluded points are plotted but weigh 0
};

// The points an evaluation code takes from the measured data.
struct EvalSelection {
    std::vector<EvalPoint> points;
    // Code -8: c(A) and c(B) of the (last) taken point at t = 0 exactly;
    // startFound tells whether there is one.
    double cA0 = 0;
    double cB0 = 0;
    bool startFound = false;
};

// Selects and transforms the measured points ExpPunkte(1..AnzahlPunkte) for an
// evaluation code. With skipFaults false a point that cannot be transformed
// throws KinError with the cause; with skipFaults true it is left out (used to
// show the points on the chart, where such a point simply cannot be placed).
// A code that is not an evaluation code selects nothing.
EvalSelection SelectEvaluationPoints(const Declare& d, int code, bool skipFaults = false);

// Outcome of one evaluation.
struct EvalOutcome {
    enum class Kind {
        Line,   // the line is in KurvenPunkte, the result in statusText
        NoLine, // no point taken, or the active points do not determine a
                // straight line: nothing to draw, statusText says so
        Failed, // a run-time fault: fehlerText holds its description
    };
    Kind kind = Kind::Failed;
    std::string statusText; // the status-line text ("" when Failed)
    // On failure the description of the fault; after a first-order lambda
    // evaluation without lambda(0) the extrapolated lambda(0) suffix; else "".
    std::string fehlerText;
    // The line's intercept and slope (a, b) or the results derived from them:
    // code -7 RegA = k; codes -3/-4 RegB = EA or h# in kJ/mol; code -4 RegA = s#
    // in J/(mol K). RegR2 is the coefficient of determination.
    double RegA = 0;
    double RegB = 0;
    float RegR2 = 0;
    // The measured points are to be added to the chart (the evaluation reached
    // the point where the line is sampled, or found no line to draw).
    bool showPoints = false;
};

extern const char* const kNoEvaluationText;

// Runs the evaluation of `code` (normally DiagrammTyp) on the shared state.
//
// On success (Line) it writes: RegX, RegY, RegW (1..m, redimensioned to the
// points taken), KurvenPunkte (record 0 = count, the line sampled over
// Diagramm.xMin .. Diagramm.xMax plus one step, 122 points), and k(1) for the
// codes that yield a rate constant (-11, -10, -6, -5, -8). The outside flag is
// cleared when a sampled point lies strictly inside Diagramm.yMin .. yMax.
// With NoLine, KurvenPunkte holds no point (count 0), the outside flag is
// cleared (there is no curve to warn about) and k(1) is not changed.
// With Failed nothing but RegX, RegY and RegW is changed.
//
// The caller (the drawing pass's preparer) clears the status line before and
// counts KurvenZuZeichnen down afterwards unless the outcome is Failed; on
// Failed it shows the "Aborted" box with fehlerText. `dec` is the decimal sign
// of the general number format and the format patterns (the locale's sign).
EvalOutcome PrepareEvaluationCurve(Declare& d, int code, bool& outside, char dec = '.');

} // namespace kinhom
