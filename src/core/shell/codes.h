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

} // namespace kinhom
