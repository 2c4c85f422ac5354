#pragma once
// Akima spline, optionally smoothed, through one column of tabulated points.
//
// The tables are those of Declare (AkimaX, AkimaYRoh, AkimaD, AkimaC, AkimaT,
// AkimaY):
//   AkimaX      (0..n+5)        AkimaX(0) holds the node count n, AkimaX(1..n)
//                               the abscissae (strictly ascending), n+1..n+4
//                               are working space of the set-up;
//   AkimaYRoh   (0..5, 0..n+5)  the ordinates handed to the set-up (after a
//                               smoothed set-up: the smoothed ordinates);
//   AkimaY, AkimaT              node values y_i and node slopes t_i;
//   AkimaC, AkimaD              quadratic and cubic coefficients of interval i
//                               (node i to node i + 1).
// A column is a species slot 1 to 5. On interval i, with dx = x - x_i, the
// spline is y_i + t_i dx + C_i dx^2 + D_i dx^3.
//
// Calling order: dimension the tables (AkimaTabellenDimensionieren), fill
// AkimaX(1..n) and AkimaYRoh(column, 1..n), call AkimaSplineBerechnen once per
// column, then evaluate with AkimaWert as often as needed. A new set-up of a
// column needs AkimaYRoh filled again (a smoothed set-up overwrites it).
//
// Whoever builds the tables records in Declare::AkimaQuelle what they hold, so
// that a reader never takes one course for another.
//
// A simulation run only stores its nodes (BeginSimulationSplines, then
// DeferSplines) and leaves the set-up of its columns to the first reader:
// the Declare overloads of AkimaWert and AkimaSplineBerechnen, and CalcCAtTime,
// call BuildPendingSplines first, and so must any code that reads AkimaY,
// AkimaT, AkimaC or AkimaD directly. The tables are then exactly those an
// immediate set-up would have built.

#include <optional>
#include <string>
#include <vector>

#include "core/shell/array2.h"
#include "core/shell/declare.h"

namespace kinhom {

// Values of Declare::AkimaQuelle besides a model number (1 to 18, 20: the
// tables hold the courses of the last simulation run of that model).
constexpr std::int16_t kAkimaQuelleKeine = 0;      // never built, or invalidated
constexpr std::int16_t kAkimaQuelleMessdaten = -1; // spline of measured points

// Outcome of a set-up.
enum class AkimaStatus {
    Ok,
    ZuWenigePunkte,     // fewer than 3 points
    NichtAufsteigend,   // abscissae not strictly ascending
    NichtEndlich,       // a point or a computed coefficient is not a finite number
    TabellenZuKlein,    // the tables are not dimensioned for n points or the column
};

// A short description of a failed set-up for the caller's message ("" for Ok).
std::string AkimaStatusText(AkimaStatus status);

// Dimensions AkimaX as (0..n+5) and the five two-dimensional tables as
// (0..5, 0..n+5), all zero, and stores n in AkimaX(0).
void AkimaTabellenDimensionieren(int n, std::vector<double>& AkimaX, Array2<double>& AkimaYRoh,
                                 Array2<double>& AkimaD, Array2<double>& AkimaC,
                                 Array2<double>& AkimaT, Array2<double>& AkimaY);
void AkimaTabellenDimensionieren(Declare& d, int n); // drops a pending set-up

// The tables for the n nodes of a simulation run, without clearing what the
// run writes: dimensions each table as AkimaTabellenDimensionieren does where
// its bounds differ, stores n in AkimaX(0) and clears AkimaX(n+1..n+5) and the
// entries of AkimaYRoh outside columns 1 to 5, points 1 to n. The caller then
// fills AkimaX(1..n) and AkimaYRoh(1..5, 1..n) and calls DeferSplines. A
// pending set-up is dropped.
void BeginSimulationSplines(Declare& d, int n);

// Leaves the set-up of the columns whose bit is set in `columns` (bit s for
// column s), with the smoothing factor, to the first reader of the tables.
void DeferSplines(Declare& d, unsigned columns, float smoothing);

// Builds a pending set-up (clearing AkimaY, AkimaT, AkimaC and AkimaD first);
// nothing when none is pending. AkimaQuelle becomes kAkimaQuelleKeine when a
// column cannot be splined.
void BuildPendingSplines(const Declare& d);

// The end extension: moves the n points of the column two places up and adds
// two points at each end, continuing the end slopes; fills the slope table
// m(1..n+3) (m must hold at least n + 4 entries). x and y are changed in place.
void AkimaRandpunkte(int spalte, int n, std::vector<double>& AkimaX, Array2<double>& AkimaYRoh,
                     std::vector<double>& m);

// Builds the spline of one column through the n points AkimaX(1..n),
// AkimaYRoh(spalte, 1..n). glaettung 0 means no smoothing; a larger factor
// smooths more (neighbours three mean spacings away or farther never count).
// AkimaX(1..n) is left as it was found. Nothing is written unless the points
// are usable: at least 3, strictly ascending, finite.
AkimaStatus AkimaSplineBerechnen(int spalte, int n, float glaettung, std::vector<double>& AkimaX,
                                 Array2<double>& AkimaYRoh, Array2<double>& AkimaD,
                                 Array2<double>& AkimaC, Array2<double>& AkimaT,
                                 Array2<double>& AkimaY);
// On the tables of Declare, after building a pending set-up.
AkimaStatus AkimaSplineBerechnen(Declare& d, int spalte, int n, float glaettung);

// Value (mode 0) or first derivative (mode 1) of the spline of the column at x.
// Beyond the last node (x >= x_n) and before the first node the spline is
// continued as the straight line with the end slope. Empty when the mode is
// neither 0 nor 1, when x is not a number, or when the tables do not hold n
// nodes of the column.
std::optional<double> AkimaWert(int mode, int spalte, double x, int n,
                                const std::vector<double>& AkimaX, const Array2<double>& AkimaD,
                                const Array2<double>& AkimaC, const Array2<double>& AkimaT,
                                const Array2<double>& AkimaY);
// On the tables of Declare, after building a pending set-up.
std::optional<double> AkimaWert(const Declare& d, int mode, int spalte, double x, int n);

// Value of interval i at offset dx: ((D dx + C) dx + t) dx + y.
double AkimaPolynom(int spalte, int i, double dx, const Array2<double>& AkimaD,
                    const Array2<double>& AkimaC, const Array2<double>& AkimaT,
                    const Array2<double>& AkimaY);

// First derivative of interval i at offset dx: (3 D dx + 2 C) dx + t.
double AkimaAbleitung(int spalte, int i, double dx, const Array2<double>& AkimaD,
                      const Array2<double>& AkimaC, const Array2<double>& AkimaT,
                      const Array2<double>& AkimaY);

} // namespace kinhom
