#pragma once
// Design equations of the three ideal reactors for the current model:
// isothermal, constant density (liquid phase), concentrations in the model's
// unit, times in the current time unit, volumes in m^3, volume flows in m^3
// per time unit.
//
//   batch          the model's course from c0 up to the reaction time t
//   tubular flow   plug flow: the outlet is the batch state at tau = V / V*
//   stirred tank   steady state c = c(in) + tau * (rates of the model at c);
//                  the state that a tank started full of feed reaches: the
//                  start-up balance dc/dt = (c(in) - c)/tau + rates(c) is
//                  integrated until it settles, then Newton refines it
//
// The courses come from the simulation (calc_diagram_function), the start-up
// of the stirred tank from the step-doubling integrator (IntegriereSystem).
// Every result is finite and within single precision, as the windows and the
// protocol carry it; a fault gives ok = false, a description and no values.
//
// The calculations may take long (a search near the largest conversion): a
// caller that runs them on another thread stops them through ReactorControl.

#include <array>
#include <atomic>
#include <string>
#include <vector>

#include "core/shell/array2.h"
#include "core/shell/declare.h"
#include "core/shell/stopwatch.h"

namespace kinhom {

// Concentrations of the species slots 1 to 5 (element 0 unused).
using Konzentrationen = std::array<double, 6>;

// What a reactor calculation needs of the model.
struct ReaktorModell {
    int model = 0;
    double k[4] = {0, 0, 0, 0}; // k1..k3 at 1..3
    float ordnung = 0;          // n of model 20
    Array2<float> stoechiometrie = Array2<float>(6, 4);
    std::string stoffmuster = "00000"; // "1" per slot in use
    std::string kmuster = "000";       // "1" per rate constant in use
};

// The model, rate constants, order and stoichiometric matrix of the shared state.
ReaktorModell ReaktorModellAus(const Declare& d);
// A catalogue model with the given constants and its own stoichiometric matrix.
ReaktorModell KatalogReaktor(int model, double k1, double k2 = 0, double k3 = 0, float n = 1.5f);

// The slot whose conversion is reported: A (1), for the enzyme model the
// substrate S (2), since the enzyme is given back.
int UmsatzSlot(int model);
// "A" or "S": the name of that species in captions.
const char* UmsatzName(int model);

// U = (c0 - c) / c0 of the conversion slot; 0 when c0 is 0.
double Umsatz(int model, const Konzentrationen& c0, const Konzentrationen& c);

// True when species slot (1 to 5) or rate constant j (1 to 3) is in use.
bool SlotInUse(const ReaktorModell& m, int slot);
bool RateConstantInUse(const ReaktorModell& m, int j);

// The faults of the model's inputs, one line each as the reactor windows list
// them ("- ..."), in their order: no model; a start concentration of a species
// in use that is missing (the first two and the catalyst P of autocatalysis
// must be > 0) or negative; the order of model 20 below 0; a rate constant in
// use that is not > 0 (k1) or negative (k2, k3). A concentration or rate
// constant that a box and the protocol cannot carry in single precision, beyond
// about 3.4E+38 or not 0 but below about 1.2E-38, is refused as well.
std::vector<std::string> ReactorInputFaults(const ReaktorModell& m, const Konzentrationen& c0);

// ---- stopping a calculation -----------------------------------------------------------

// Seconds a calculation may take before it stops by itself.
constexpr double kReactorTimeLimitSeconds = 30.0;

// How a caller stops a calculation that runs on another thread. The flag and
// the clock are asked before every trial of a search and every stretch of the
// stirred tank's start-up.
struct ReactorControl {
    const std::atomic<bool>* cancel = nullptr;
    double timeLimitSeconds = kReactorTimeLimitSeconds;
};

// Why a calculation ended without a result: not at all, stopped by the
// caller, or by the time bound.
using ReactorStop = StopReason;

// ---- extents of reaction --------------------------------------------------------------

// The reactions of the model as the extents count them: the columns of the
// stoichiometric matrix, a reversible pair (a column that is the negative of
// an earlier one) counted once, in the direction of its first column. 0 to 2.
int ReaktionenAnzahl(const ReaktorModell& m);

// The extents per volume ksi(1), ksi(2) (mol/l) from the change c - c0. With one
// reaction ksi = (c - c0)/nu of the first species that takes part (for model
// 20 -(c(A) - c0(A))/n); with two the least-squares solution over all slots.
// ksi[0] is unused; unused extents are 0.
std::array<double, 3> Reaktionslaufzahlen(const ReaktorModell& m, const Konzentrationen& c0,
                                          const Konzentrationen& c);

// ---- the largest conversion -------------------------------------------------------------

struct GrenzUmsatz {
    double U = 0;         // largest conversion of the conversion slot
    bool erreicht = false; // U itself is reached in finite time (zeroth order, n < 1)
    bool gleichgewicht = false; // the limit is an equilibrium (else the limiting reactant)
};
// For the model and start (or feed) concentrations. The same limit holds for
// all three reactors; the stirred tank, which works at its outlet state, never
// reaches it for an n-th order reaction with n < 1 (erreicht is false there).
GrenzUmsatz GrenzUmsatzVon(const ReaktorModell& m, const Konzentrationen& c0, bool stirredTank = false);

// Empty when the target conversion U can be reached; otherwise the message
// that names the limit.
std::string UmsatzPruefen(const ReaktorModell& m, const Konzentrationen& c0, double U, bool stirredTank = false);

// ---- the reactors ---------------------------------------------------------------------------

struct ReaktorErgebnis {
    bool ok = false;
    std::string Fehlertext;
    Konzentrationen c{}; // final or outlet concentrations (0 in the slots not in use)
    double U = 0;        // conversion of the conversion slot
    double zeit = 0;     // reaction time t, or the mean residence time tau
    std::array<double, 3> ksi{}; // ksi(1), ksi(2) at 1, 2
    // Stirred tank: the start-up time (in multiples of tau) after which the
    // steady state was found; 0 when it came straight from Newton.
    double anlauf = 0;
    ReactorStop stop = ReactorStop::None; // set when the control ended it
};

// Each calculation refuses inputs with ReactorInputFaults, leaves the species
// the model does not use out (whatever their start values), and ends within
// the control's time bound (give or take one course of the model).

// Batch: the state after the reaction time t > 0 (at least the smallest normal single).
ReaktorErgebnis BatchNachZeit(const ReaktorModell& m, const Konzentrationen& c0, double t,
                              const ReactorControl& control = {});
// Batch: the reaction time that reaches the conversion U (refused beyond the
// limit). A limit that is reached (zeroth order, n < 1) is reached at the time
// the rate law gives: c0/k1, c0^(1-n)/((1-n) k1).
ReaktorErgebnis BatchNachUmsatz(const ReaktorModell& m, const Konzentrationen& c0, double U,
                                const ReactorControl& control = {});

// Stirred tank: the steady state for the residence time tau > 0.
ReaktorErgebnis RuehrkesselNachTau(const ReaktorModell& m, const Konzentrationen& cin, double tau,
                                   const ReactorControl& control = {});
// Stirred tank: the residence time whose steady state reaches the conversion U.
ReaktorErgebnis RuehrkesselNachUmsatz(const ReaktorModell& m, const Konzentrationen& cin, double U,
                                      const ReactorControl& control = {});

// ---- flow reactors: volume, volume flow and residence time ---------------------------------

// The input modes of the tubular reactor and the stirred tank (RohrInpSelect,
// ContiCalcSelect).
enum class FlussModus : int {
    VolumenUndStrom = 0, // V and V* given: the outlet
    VolumenAusUmsatz = 1, // U and V* given: V
    StromAusUmsatz = 2,  // U and V given: V*
};

struct FlussEingabe {
    FlussModus modus = FlussModus::VolumenUndStrom;
    double V = 0;          // m^3
    double Vpunkt = 0;     // m^3 per time unit
    double U = 0;          // target conversion
    double querschnitt = 0; // tube cross-section in m^2 (tubular reactor; 0 = no length)
};

struct FlussErgebnis : ReaktorErgebnis {
    double V = 0;
    double Vpunkt = 0;
    double laenge = 0; // m; 0 without a cross-section
};

// The faults of the reactor's own inputs, one line each as the windows list
// them: the batch's reaction time t (fluss false, mode 0), or V and V* where
// they are given and the tube's cross-section (0: no length). Each has to be
// > 0 and carried by single precision as ReactorInputFaults says.
std::vector<std::string> ReactorQuantityFaults(const FlussEingabe& e, bool fluss, double t);

// Plug flow (tubular) and stirred tank. The inputs must be positive and finite
// (checked here as well: a fault gives ok = false).
FlussErgebnis Rohrreaktor(const ReaktorModell& m, const Konzentrationen& c0, const FlussEingabe& e,
                          const ReactorControl& control = {});
FlussErgebnis Ruehrkessel(const ReaktorModell& m, const Konzentrationen& c0, const FlussEingabe& e,
                          const ReactorControl& control = {});

// ---- the protocol row -----------------------------------------------------------------------

// The 20 values of ProtokollZeile: c0 of A to Q, final c of A to Q, k1 to k3,
// U(A), t, l, V, V*, ksi(1), ksi(2) of a result (a batch's l, V and V* are 0).
// The concentrations of species and the rate constants the model does not use
// are empty fields (kProtEmptyField).
std::vector<double> ProtokollZeileAus(const ReaktorModell& m, const Konzentrationen& c0, const FlussErgebnis& r);

} // namespace kinhom
