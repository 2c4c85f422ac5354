#pragma once
// The rules of the graph-assisted evaluation menus: what each item checks in
// the measured data before it prepares its chart, the messages it refuses or
// warns with, and the diagram code, model and ranges it sets. The main window
// shows the messages and the chart; everything decided here is tested without
// a screen.
//
// Each item is split where the window acts in between: a check (sets the task
// values the item sets before its checks, returns a refusal or an empty text)
// and a setup (run after the chart window was closed: diagram code, model and
// plot ranges). Message lines are joined with d.CRLF.

#include <string>

#include "core/shell/declare.h"

namespace kinhom {

// The title of every refusal box of the task menus.
extern const char* const kExecutionNotPossible;

// A warning shown before an item goes on.
struct MenuNote {
    std::string text;
    std::string title;
};

// Graph-assisted c-t evaluation, index 1 (1st order), 2 (2A => P), 3 (A + B
// => P), 4 (WILKINSON). Sets Arbeitsmodus 0 and GleicheStartkonz; returns the
// refusal or "" to go on. The start concentrations are compared with 1E-8 in
// single precision.
std::string CtEvaluationCheck(Declare& d, int index);
// ModellNr and DiagrammTyp of the item (-5; -6; -6 or -8; -7), then the plot
// ranges of the measured data.
void CtEvaluationSetup(Declare& d, int index);

// Graph-assisted lambda-t evaluation, index 1 (1st order), 2 (2A => P), 3 (A +
// B => P). Sets Arbeitsmodus 0, ModellNr and GleicheStartkonz; returns the
// refusal or "" to go on, and in note the warning that lambda(0) is missing
// (empty when there is none). The warning does not stop the evaluation.
std::string LambdaEvaluationCheck(Declare& d, int index, MenuNote& note);
// LambdaAuswertung := true, DiagrammTyp -10 (index 1) or -11, and the
// ranges of the lambda plot.
void LambdaEvaluationSetup(Declare& d, int index);

// The number of distinct k-T couples among the points: points with k > 0 and
// T > 0, less each later point whose k and T equal an earlier point's
// exactly (counted on a copy; the table stays unchanged).
int DistinctKTCouples(const Declare& d);
// The k-T evaluation's refusal, or "" to go on.
std::string KTEvaluationCheck(const Declare& d);
// DiagrammTyp -3 (index 1, ARRHENIUS) or -4 (index 2, EYRING), then the
// plot ranges of the measured data.
void KTEvaluationSetup(Declare& d, int index);

// The tangent method on species column 1..5 (c(A) .. c(Q)): refused with
// "First load or input experimental points c(A) - t!" (the column's
// species) when no point of the table holds a concentration of it; "" to go on.
std::string TangentCheck(const Declare& d, int column);

// Whether a fitting item refused for missing data still lets an open fitting
// window redraw in the new task: not while the table is empty, where there is
// nothing to draw and the window's own complaint would follow the refusal.
bool RedrawAfterRefusal(const Declare& d);

// "New  exper. data": an empty point table (records 0 and 1, all zero),
// AnzahlPunkte 0, LambdaUnendlich 0, no file name; the data kinds, the
// species with data and the start concentrations are those of the empty
// table, so that every evaluation refuses until points are entered. The
// comment, the time unit and DatenGeaendert stay.
void NewExpData(Declare& d);

} // namespace kinhom
