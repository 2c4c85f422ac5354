#pragma once
// Rate constants from the ARRHENIUS and EYRING equations, with the exact SI
// constants (CODATA 2018):
//   ARRHENIUS  k = A exp(-EA/(R T))
//   EYRING     k = (kB T/h) exp(dS/R) exp(-dH/(R T))
// Energies in J/mol, the entropy in J/(mol K), T in K, k in 1/s (A in 1/s).
// Every refusal is a KinError whose text the calculator shows; no result is
// ever infinite or not a number.

#include <string>

#include "core/shell/declare.h"

namespace kinhom {

constexpr double kGasConstant = 8.314462618;      // R, J/(mol K)
constexpr double kBoltzmann = 1.380649e-23;       // kB, J/K
constexpr double kPlanck = 6.62607015e-34;        // h, J s

double ArrheniusK(double A, double EA, double T);
double EyringK(double dH, double dS, double T);

// k (1/s) in the time unit with index zeitIndex (0 s ... 4 a): k times the
// seconds of that unit, read from the ZeitFaktor table. Refuses an index
// outside 0 to 4 and a result beyond a double's range.
double KInTimeUnit(const Declare& d, double kPerSecond, int zeitIndex);

// A rate constant as the calculator shows it: four significant digits, "."
// as decimal sign; fixed ("19.70", "0.005410") from 1E-03 up to 1E+05, else
// the exponent form ("5.410E-06", "1.234E+07").
std::string KText(double k);

// The time unit texts "s", "min", "h", "d", "a" by index.
std::string TimeUnitText(int zeitIndex);

} // namespace kinhom
