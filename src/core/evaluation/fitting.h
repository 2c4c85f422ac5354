#pragma once
// Fitting of rate parameters to the measured points.
//
// The residuals are the differences between the model's concentrations and the
// active measured points (excluded points left out) of the chosen species; the
// fit minimises their sum of squares. What the parameters are depends on the
// task mode:
//   1  the rate constants the model uses (kMuster): slots 1..3 = k1..k3;
//   2  model 20: slot 1 = k, slot 2 = the order n;
//   6, 7  models 2 and 3 over the distinct temperatures of the data: slot 1 = the
//      ARRHENIUS factor A, slot 2 = the activation energy EA in J/mol, with
//      k(T) = A exp(-EA/(R T)) shared by all temperatures. Each temperature's
//      points are an isothermal series that starts from its own point at t = 0
//      (or from c0(A) when it has none); that start point itself is no residual.
// The model is evaluated through the program's own simulation (the closed forms,
// or calc_diagram_function with t(max) at least the largest time used, read by
// CalcCAtTime), so the fitted curve is the curve the chart draws.
//
// Positive parameters (rate constants, A) are fitted on a log scale, so that
// values across decades converge; the activation energy on a linear scale in
// units of R*300 K (ln k is then linear in ln A and EA); the order n on its own
// scale within [0, kMaxFitOrder]. The optimiser is the Levenberg-Marquardt trust region of
// Ceres Solver with bounds, fixed (constant) parameters and central numeric
// derivatives, a module loaded on the first fit (optimiser.h); it is used only
// behind MarquardtNashFitting. A search is
// restarted from its result until nothing lower is found; where it ends in
// doubt (a start on a plateau, no convergence, no response, a bound) starts
// decades around the start values are searched too and the best result kept.
// "Converged." is said only where the optimiser's tests hold at that result.

#include <array>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "core/shell/declare.h"

namespace kinhom {

// Gas constant in J/(mol K).
constexpr double kFitGasR = 8.3145;
// Bounds of the parameters (own scale).
constexpr double kMinPositiveParameter = 1e-30;
constexpr double kMaxPositiveParameter = 1e30;
constexpr double kMaxFitOrder = 10.0;
// Iterations before the fit gives up.
constexpr int kMaxFitIterations = 200;
// Seconds a fit or a sum of squares may take before it stops by itself.
constexpr double kFitTimeLimitSeconds = 30.0;

enum class FitStatus {
    Converged,
    IterationLimit,   // "Max. number of iterations reached."
    AtBound,          // a parameter stopped at one of its bounds
    NoResponse,       // the model does not respond to a free parameter
    TooFewPoints,     // fewer usable points than free parameters + 1
    NoFreeParameter,  // every parameter in use is fixed
    SimulationFailed, // the simulation failed: fehlerText says why
    InvalidInput,     // a start value, bound or start concentration is unusable
    Cancelled,        // stopped by the caller; the values are the start values
    TimeLimit,        // stopped by the time bound; the values are the start values
};

// How a caller watches and stops a fit that runs on another thread. The flag and
// the time bound are read between evaluations of the model and, in a slow
// simulation, between its output intervals; a stopped fit returns the start
// values with the status Cancelled or TimeLimit. progress is called on the
// fit's own thread after each iteration with the iteration count and the
// current SSQ.
struct FitControl {
    const std::atomic<bool>* cancel = nullptr;
    double timeLimitSeconds = kFitTimeLimitSeconds;
    std::function<void(int iteration, double ssq)> progress;
};

// True for the statuses whose parameters are a usable result.
bool FitSucceeded(FitStatus s);

// One parameter slot (1..3, the boxes Inp(10..12)).
struct FitParam {
    bool used = false;   // the model and mode have this parameter
    bool fixed = false;  // keeps its value exactly
    double value = 0;    // start value (own scale)
    double lower = 0;
    double upper = 0;
    bool logScale = true;

    bool operator==(const FitParam&) const = default;
};

struct FitProblem {
    int mode = TaskMode::FitK;        // Arbeitsmodus 1, 2, 6 or 7
    int model = 0;                    // ModellNr
    std::array<FitParam, 4> p{};      // slots 1..3
    std::array<bool, 6> species{};    // 1..5: species taken into the sum of squares
    std::array<double, 6> c0{};       // start concentrations of the window, 1..5
    float tEnde = 0;                  // t(max) of the window; the fit uses at least the largest time
    int maxIterations = kMaxFitIterations;

    // Field by field: a fit's result belongs to the problem it was started with.
    bool operator==(const FitProblem&) const = default;
};

// The parameters the mode and model use, their bounds and scales; values and
// fixed flags are left to the caller. Slot names for messages: FitParamName.
FitProblem MakeFitProblem(const Declare& d, int mode);
std::string FitParamName(int mode, int model, int slot);

struct FitResult {
    FitStatus status = FitStatus::InvalidInput;
    std::string statusText;           // one line for the user
    std::string fehlerText;           // the simulation's description (SimulationFailed)
    std::array<double, 4> value{};    // slots 1..3, own scale (start values when failed)
    std::array<double, 4> stdError{}; // slots 1..3, own scale; 0 for fixed or unused slots
    double SSQ = 0;
    int points = 0;                   // residuals used
    int freeParameters = 0;
    int iterations = 0;
    int slot = 0;                     // the parameter a status names (bound, no response)
    // Modes 6 and 7: k at each temperature of the data, 1..AnzahlTemperaturen.
    std::vector<double> kAtTemperature;
};

// The fit. d is read only (the measured points, the model, the species
// patterns); the result carries the new values, the caller applies them.
FitResult MarquardtNashFitting(const Declare& d, const FitProblem& problem, const FitControl& control = {});

// The sum of squares of the problem at the given values (slots 1..3), for
// manual fitting. points receives the number of residuals. False (with
// fehlerText) when the model cannot be evaluated there, or when the control
// stopped it.
bool FitSumOfSquares(const Declare& d, const FitProblem& problem, const std::array<double, 4>& values,
                     double& ssq, int& points, std::string& fehlerText, const FitControl& control = {});

// The unit caption of a parameter slot that is no rate constant: the order n
// (mode 2, slot 2) has none, the activation energy (modes 6, 7, slot 2) is in
// J/mol. False for the rate constants and A, whose captions follow the model.
bool FitParamOwnUnit(int mode, int slot, std::string& unit);

// k(T) = A exp(-EA/(R T)) with the R of the chart's ARRHENIUS evaluation; NaN for T <= 0.
double FitRateConstantAt(double A, double EA, double T);

// Start concentration of A of the isothermal series at temperature index
// `series` (1-based into Temperaturen): c(A) of its first point at t = 0 that has
// one, else c0A.
double SeriesStartConcA(const Declare& d, int series, double c0A);

// Index (1-based) of the temperature series a point belongs to: the nearest of
// all entries of Temperaturen (the fit and the chart use the first
// AnzahlTemperaturen of them); 0 when the point has no temperature.
int SeriesOfPoint(const Declare& d, const ExpPunkt& p);

// The result block the fitting window shows.
std::string FitResultText(const FitResult& r, const FitProblem& problem, const Declare& d,
                          const std::array<std::string, 4>& units);

} // namespace kinhom
