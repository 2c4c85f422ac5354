#pragma once
// The tangent method: the rate of reaction dc/dt of one species read off the
// (optionally smoothed) Akima spline through its measured c-t points.
//
//   BuildMeasuredSpline(d, column, d.Glaettung);   // the chart's code-100 curve does the same
//   TangentPoint p = TangentAt(d, column, t);      // c(t) and dc/dt at t
//
// Every refusal is a KinError whose text the window shows.

#include <string>
#include <vector>

#include "core/shell/declare.h"

namespace kinhom {

// "c(A)" ... "c(Q)" for the species slots 1 to 5.
std::string SpeciesConcText(int column);

// Builds the spline tables from the measured points of one species (every
// point, excluded ones included) with the smoothing factor glaettung, and
// records in AkimaQuelle that they hold measured data. Refuses (KinError) a
// column outside 1 to 5, fewer than 3 points, and times that do not rise
// strictly; the tables are then marked as holding nothing valid.
void BuildMeasuredSpline(Declare& d, int column, float glaettung);

// The time range of the measured points (first and last time).
struct TimeRange {
    double tMin = 0;
    double tMax = 0;
};
TimeRange MeasuredTimeRange(const Declare& d);

struct TangentPoint {
    double t = 0;
    double c = 0;    // c(t) on the spline
    double rate = 0; // dc/dt at t, concentration unit per time unit
};

// The tangent of species column at time t. The spline is built afresh from the
// measured points with d.Glaettung first, so it never reads tables that a
// simulation run or another species left behind. Refuses (KinError) what
// BuildMeasuredSpline refuses, a t that is not a number or lies outside the
// measured times (the message names the range and d.Zeiteinheit), and a value
// or slope that is not finite.
TangentPoint TangentAt(Declare& d, int column, double t);

// The tangent as a straight line of two points from x0 to x1 (single
// precision, as a curve of the chart), in the curve buffer's form: record 0 x
// holds the count 2.
std::vector<KurvenPunkt> TangentLine(const TangentPoint& p, double x0, double x1);

// The unit of the rate: "mol/(l s)" for the time unit "s".
std::string RateUnit(const std::string& zeiteinheit);

} // namespace kinhom
