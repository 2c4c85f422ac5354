#pragma once
// Names for the numbers the shared state keeps as codes: the task mode
// (Declare::Arbeitsmodus), the diagram code (Declare::DiagrammTyp) and the
// positions of the remembered axis windows (Declare::AchsenBereiche). The
// fields keep their types and values; these are only names for the values, so
// never renumber one (tests/core/test_codes.cpp pins every value).

namespace kinhom {

// Task modes, the values of Arbeitsmodus:
//   0  Simulation               simulation or graph-assisted evaluation
//   1  FitK                     fitting of k
//   2  FitKAndOrder             fitting of k and the order n (model 20)
//   6  NonIsothermalFirstOrder  non-isothermal fitting, 1st order: A => P
//   7  NonIsothermalSecondOrder non-isothermal fitting, 2nd order: 2A => P
// The non-isothermal modes are the modes from 6 on.
namespace TaskMode {
inline constexpr int Simulation = 0;
inline constexpr int FitK = 1;
inline constexpr int FitKAndOrder = 2;
inline constexpr int NonIsothermalFirstOrder = 6;
inline constexpr int NonIsothermalSecondOrder = 7;

// True for the non-isothermal modes (6 and on).
constexpr bool IsNonIsothermal(int mode) { return mode >= NonIsothermalFirstOrder; }
} // namespace TaskMode

// Diagram codes, the values of DiagrammTyp:
//   1 to 18, 20  the model number: the simulated concentrations of the model
//   model + 50   Rate(model): the simulated reaction rates of the model
//    0  None                no diagram
//   -1  ConcentrationPoints measured c-t points
//   -2  RateConstantPoints  measured k-T points
//   -3  Arrhenius           ln k over 1/T
//   -4  Eyring              ln(k/T) over 1/T
//   -5  FirstOrderPlot      ln c(A) over t (1st order: A => P)
//   -6  SecondOrderPlot     1/c(A) over t (2nd order)
//   -7  WilkinsonPlot       t/U over t (order n: A => P)
//   -8  UnequalStartPlot    ln(c(A)/c(B)) over t (A + B => P, c(A)(0) <> c(B)(0))
//   -9  FittingPoints       the measured points of a fitting task
//  -10  LambdaFirstOrder    lambda evaluation of 1st order
//  -11  LambdaSecondOrder   lambda evaluation of 2nd order
//  100  Tangent             spline through the points of one species
// The negative codes show measured data.
namespace DiagramCode {
inline constexpr int None = 0;
inline constexpr int ConcentrationPoints = -1;
inline constexpr int RateConstantPoints = -2;
inline constexpr int Arrhenius = -3;
inline constexpr int Eyring = -4;
inline constexpr int FirstOrderPlot = -5;
inline constexpr int SecondOrderPlot = -6;
inline constexpr int WilkinsonPlot = -7;
inline constexpr int UnequalStartPlot = -8;
inline constexpr int FittingPoints = -9;
inline constexpr int LambdaFirstOrder = -10;
inline constexpr int LambdaSecondOrder = -11;
inline constexpr int Tangent = 100;

// The rate chart of a model has the model number plus this offset.
inline constexpr int RateOffset = 50;
constexpr int Rate(int model) { return model + RateOffset; }
} // namespace DiagramCode

// Positions of the remembered axis windows (AchsenBereiche), one pair per
// plotted quantity or linearised plot; the plots that use a pair are named by
// their diagram code. Every pair is kept minimum first except the pairs of
// codes -7 and -8, which are kept maximum first.
//    0,  1  TimeMin, TimeMax                t
//    2,  3  ConcMin, ConcMax                c
//    4,  5  RateMin, RateMax                r (rate)
//    6,  7  TempMin, TempMax                T (code -2)
//    8,  9  KMin, KMax                      k (code -2)
//   10, 11  InvTempMin, InvTempMax          1/T (codes -3, -4)
//   12, 13  LnKMin, LnKMax                  ln k (Arrhenius, -3)
//   14, 15  LnKOverTMin, LnKOverTMax        ln(k/T) (Eyring, -4)
//   16, 17  LnCAMin, LnCAMax                ln c(A) (-5)
//   18, 19  InvCAMin, InvCAMax              1/c(A) (-6)
//   20, 21  WilkinsonMax, WilkinsonMin      t/U (-7), maximum first
//   22, 23  LnCARatioMax, LnCARatioMin      ln(c(A)/c(B)) (-8), maximum first
//   24, 25  LambdaFirstMin, LambdaFirstMax  lambda plot of 1st order (-10)
//   26, 27  LambdaSecondMin, LambdaSecondMax lambda plot of 2nd order (-11)
//   28, 29  MichaelisYMin, MichaelisYMax    Michaelis-Menten diagram, y
//   30, 31  MichaelisXMin, MichaelisXMax    Michaelis-Menten diagram, x
namespace AxisSlot {
inline constexpr int TimeMin = 0;
inline constexpr int TimeMax = 1;
inline constexpr int ConcMin = 2;
inline constexpr int ConcMax = 3;
inline constexpr int RateMin = 4;
inline constexpr int RateMax = 5;
inline constexpr int TempMin = 6;
inline constexpr int TempMax = 7;
inline constexpr int KMin = 8;
inline constexpr int KMax = 9;
inline constexpr int InvTempMin = 10;
inline constexpr int InvTempMax = 11;
inline constexpr int LnKMin = 12;
inline constexpr int LnKMax = 13;
inline constexpr int LnKOverTMin = 14;
inline constexpr int LnKOverTMax = 15;
inline constexpr int LnCAMin = 16;
inline constexpr int LnCAMax = 17;
inline constexpr int InvCAMin = 18;
inline constexpr int InvCAMax = 19;
inline constexpr int WilkinsonMax = 20;
inline constexpr int WilkinsonMin = 21;
inline constexpr int LnCARatioMax = 22;
inline constexpr int LnCARatioMin = 23;
inline constexpr int LambdaFirstMin = 24;
inline constexpr int LambdaFirstMax = 25;
inline constexpr int LambdaSecondMin = 26;
inline constexpr int LambdaSecondMax = 27;
inline constexpr int MichaelisYMin = 28;
inline constexpr int MichaelisYMax = 29;
inline constexpr int MichaelisXMin = 30;
inline constexpr int MichaelisXMax = 31;
inline constexpr int Count = 32;
} // namespace AxisSlot

} // namespace kinhom
