#pragma once
// The measured-data table: clearing it, telling what kinds of data it holds and
// the plot ranges of every quantity and diagram kind (AchsenBereiche).
//
// Every function reads the records 1 to AnzahlPunkte of ExpPunkte; when
// AnzahlPunkte is negative or the table is shorter, it throws
// KinError("Subscript out of range") before changing anything.
//
// Range values are single precision: a point's quantity is rounded to a float
// before it is compared with a range value, and margins are float arithmetic.
// A quantity that has no value at a point (the logarithm of a number that is
// not positive, a division by zero, a value beyond single precision) leaves
// that point out of that quantity's range only; its other quantities and all
// other points count as usual. A pair that no point fills keeps its start
// values and then takes its margin like any other.

#include "core/shell/declare.h"

namespace kinhom {

// The number of records in use, AnzahlPunkte bounded by the table's length (0
// when it is negative); never throws.
int MeasuredPointCount(const Declare& d);

// Zeroes exclude, t, c(1), c(2), k and T of the records in use (the other
// fields keep their values), then AnzahlPunkte := 0, DateiName := "",
// DatenGeaendert := false.
void DeleteExpData(Declare& d);

// Classifies the measured data. The out arguments are, in this order,
// ctDaten, kTDaten, ctTDaten, AnzahlTemperaturen, tMaxExp and LambdaDaten; it
// also writes Lambda0, DatenVorhanden(1..5) and Temperaturen.
//  - kTDaten: at least 2 points with T > 0 and k > 0;
//  - ctDaten: at least 2 points with c(A) > 0 and the sum of the times (single
//    precision) not 0; ctTDaten: at least 3 points with c(A) > 0 and T > 0 and
//    the same time sum not 0;
//  - LambdaDaten: LambdaUnendlich > 0 and the sum of lambda > 0;
//  - Lambda0: the lambda of the last active point at t = 0 (else 0);
//  - Temperaturen(1..count): the distinct temperatures above 0 in ascending
//    order, a value counting as new when it exceeds its sorted predecessor by
//    more than 0.01; AnzahlTemperaturen is the count, at most 24 (Temperaturen
//    keeps every value found).
void AnalyzeExpData(Declare& d, bool& ctDaten, bool& kTDaten, bool& ctTDaten, int& anzahlTemperaturen,
                    double& tMaxExp, bool& lambdaDaten);

// The same, writing the shared flags of d (the only way the program calls it).
void AnalyzeExpData(Declare& d);

// The plot ranges of the measured data for every diagram kind (positions 0 to
// 3 and 6 to 23 of AchsenBereiche) with their margins. Does nothing for a code
// of 0 or above. withPoints is accepted for the callers and not used.
void CalcExpDataRanges(Declare& d, int code, bool withPoints = false);

// The ranges of the tangent chart: t and c(column) (positions 0 to 3), each
// maximum with a margin of a twentieth. column is a species slot 0 to 5
// (KinError otherwise).
void CalcScaleCt(Declare& d, int column);

// The ranges of the first-order lambda plot (positions 0, 1, 24, 25):
// ln(LambdaUnendlich - lambda), or ln((LambdaUnendlich - lambda) /
// (LambdaUnendlich - Lambda0)) when Lambda0 is given, against t.
void CalcScaleLambda1(Declare& d);

// The ranges of the second-order lambda plot (positions 0, 1, 26, 27):
// LambdaUnendlich / (LambdaUnendlich - lambda), or, when Lambda0 is given and
// c0Exp(1) > 0, ((LambdaUnendlich - Lambda0) / (LambdaUnendlich - lambda)) /
// c0Exp(1), against t.
void CalcScaleLambda2(Declare& d);

} // namespace kinhom
