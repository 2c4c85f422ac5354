#pragma once
// The step-doubling Runge-Kutta integrator of the models without a closed form
// (7, 9, 10, 13, 14, 15, 18, 20).
//
// Each output interval dt is integrated by the classical fourth-order
// Runge-Kutta method with m and with 2m equal substeps, doubling m until no
// species differs by more than 1 % between the two solutions (species below
// 1e-6 in both take no part). The accepted count is cut to a quarter for the
// next interval, so calm stretches run with one or two substeps.
//
// The integrator works on a compact state of two to four species:
//   7, 9, 13, 18: A, B, C, P     10: E, S, ES, P
//   14, 15:       A, C, P        20: A, P
// and stores y1..y4 of each row in SimCA, SimCB, SimCC, SimCP (a slot beyond
// the state holds the start value of C or P); afterwards the columns are
// rearranged to their final meaning:
//   7, 9, 13, 18: A, B, C, P, Q = copy of C
//   10:           E, S, ES, P, Q = copy of ES
//   14, 15:       A, B = copy of C, C, P, Q = copy of P
//   20:           A, B = copy of P, C = C0, P, Q = C0

#include <array>
#include <functional>
#include <string>

#include "core/shell/declare.h"

namespace kinhom {

// Largest number of substeps in one output interval before a run gives up.
constexpr int kMaxTeilschritte = 16384;
// Relative difference between the m and 2m solutions that is still accepted.
constexpr double kSchrittToleranz = 0.01;
// Species below this sum of magnitudes take no part in the tolerance test.
constexpr double kSchrittUntergrenze = 1e-6;

struct IntegratorErgebnis {
    int Zeilen = 0;            // rows stored (201 in a complete run)
    bool failed = false;       // the substep bound was reached
    std::string Fehlertext;    // description for the caller's message
    long RHSAuswertungen = 0;  // evaluations of the rate equations
    int MaxTeilschritte = 0;   // largest substep count used in one interval
};

// True for the models integrated numerically.
bool IstNumerischesModell(int model);

// Number of species of the model's compact state (2, 3 or 4); 0 otherwise.
int IntegratorZustandsgroesse(int model);

// The species slots (1 to 5) that the model's compact state y1..yn stands
// for, written into slots[0..n-1]; returns n (0 outside the numerical models).
int IntegratorStateSlots(int model, int slots[4]);

// The derivative f[0..n-1] of the compact state y[0..n-1] that the integrator
// uses, with the rate constants k[1..3] and the order of model 20. Equals
// CalcRates on the slots of IntegratorStateSlots; nothing is written outside
// the numerical models.
void IntegratorDerivative(int model, const double* k, float order, const double* y, double* f);

// The tolerance test between the solution R with m and Y with 2m substeps
// over n species (indices 0..n-1): true when every species with
// |R| + |Y| >= 1e-6 has |R - Y| / (|R| + |Y|) <= 0.01.
bool SchrittGenauGenug(const double* R, const double* Y, int n);

// Integrates the model from the start concentrations c0 over 200 output
// intervals of dt (the caller's Zeitschritt on entry, tEnde / 200), filling
// SimT and SimCA..SimCQ rows 0 to 200 (rows of the compact state, then the
// rearrangement above), the half-lives (reset by the caller: HalbwertszeitA
// where the first column falls below c0(1)/2, HalbwertszeitB where the second
// column, as stored, falls below c0(2)/2; for 14, 15 and 20 that column holds
// C or P) and Zeitschritt (the last substep size). A trial that is not finite,
// or that takes a concentration below zero by more than 1e-12 of that
// species' largest value so far (when none starts below zero), is never
// accepted; a finer one is tried, up to the bound, which fails the run as too
// fast for the t(max). In model 10 the larger of E and ES is the enzyme total
// E0 + ES0 less the smaller after every substep, so E + ES keeps its start
// value. The times are running sums of dt. The Sim arrays must hold 201 rows.
// maxTeilschritte is the substep bound (kMaxTeilschritte in every run of the
// program). On failure the rows stored so far stay and the later rows are not
// touched.
IntegratorErgebnis IntegriereModell(Declare& d, int model, double dt,
                                    int maxTeilschritte = kMaxTeilschritte);

// The same step doubling for a system of the caller's own, dy/dt = f(y), on
// the five species slots (index 0 = slot 1, A): used for balances that are
// not a model's course (the stirred tank's start-up). The span `dauer` is
// cut into `intervalle` equal output intervals; the substep count adapts from
// one interval to the next as in IntegriereModell. y holds the start and
// receives the end state (the state after the last accepted interval when
// the run fails). Zeilen counts the intervals done.
constexpr int kSystemSpezies = 5;
using SystemZustand = std::array<double, kSystemSpezies>;
using SystemAbleitung = std::function<void(const SystemZustand& y, SystemZustand& dy)>;
IntegratorErgebnis IntegriereSystem(const SystemAbleitung& f, SystemZustand& y, double dauer, int intervalle,
                                    int maxTeilschritte = kMaxTeilschritte);

// A caller that must be able to end slow runs early (the fitting, under its
// time bound and its Stop) sets a stop test on its thread for the life of
// this object. A run of IntegriereModell that needs many substeps asks it
// between output intervals and, when it says stop, fails with the text
// kIntegrationStoppedText. Runs with few substeps never ask.
inline constexpr const char* kIntegrationStoppedText = "The integration was stopped.";
class IntegratorStopTest {
public:
    explicit IntegratorStopTest(std::function<bool()> stop);
    ~IntegratorStopTest();
    IntegratorStopTest(const IntegratorStopTest&) = delete;
    IntegratorStopTest& operator=(const IntegratorStopTest&) = delete;

private:
    std::function<bool()> stop_;
    const std::function<bool()>* previous_;
};

} // namespace kinhom
