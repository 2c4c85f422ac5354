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

} // namespace kinhom
