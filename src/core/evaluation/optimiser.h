#pragma once
// The optimiser behind the fitting: a least-squares problem over a few scalar
// parameters, solved by the Levenberg-Marquardt trust region with dense QR and
// central numeric derivatives, on one thread and silently.
//
// It lives in a module of its own, libkinhom_optimiser.so beside the program
// (Ceres Solver and the libraries that it needs), loaded on the first fit that
// searches, so that a start of the program does not load them. This header is
// all that core and the module share: the module implements OptimiserProblem
// and exports kOptimiserFactoryName.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kinhom {

// The residuals at the parameters x (all of them, constant ones included);
// false when the model cannot be evaluated there.
using ResidualFunction = std::function<bool(const double* x, double* residuals)>;

// How a solve ended.
enum class OptimiserEnd {
    Convergence,   // a function, gradient or parameter tolerance holds
    NoConvergence, // the iteration limit ended it
    Failure,       // it could not go on (no evaluation at the start, a numerical failure)
    Aborted,       // the iteration callback asked to stop
};

struct OptimiserOptions {
    double functionTolerance = 1e-6;
    double gradientTolerance = 1e-10;
    double parameterTolerance = 1e-8;
    int maxIterations = 50;
    // After every iteration (0: the start) with the cost there; false ends the
    // solve as Aborted.
    std::function<bool(int iteration, double cost)> callback;
};

struct OptimiserSummary {
    OptimiserEnd end = OptimiserEnd::Failure;
    bool usable = false;   // the parameters hold a solution (Convergence or NoConvergence)
    double finalCost = 0;  // the cost at the parameters the solve left
    int iterations = 0;    // iterations made, the start not counted
};

// A Jacobian, row-major: rows residuals by cols free parameters.
struct OptimiserJacobian {
    int rows = 0;
    int cols = 0;
    std::vector<double> values;
    double At(int r, int c) const { return values[static_cast<std::size_t>(r * cols + c)]; }
};

// Minimises the cost, half the sum of squares of the residuals. Bounds apply
// to the parameters that are not constant and may change between solves.
class OptimiserProblem {
public:
    virtual ~OptimiserProblem() = default;
    // The parameters: the caller sets them before a solve or an evaluation, a
    // solve leaves its best point there.
    virtual double* Parameters() = 0;
    virtual void SetConstant(int i) = 0;
    virtual void SetBounds(int i, double lower, double upper) = 0;
    virtual OptimiserSummary Solve(const OptimiserOptions& options) = 0;
    // The cost at the parameters and, when asked, the Jacobian over the
    // parameters that are not constant (in their order); false when the
    // residual function fails there.
    virtual bool Evaluate(double& cost, OptimiserJacobian* jacobian) = 0;
};

// The module's one export: a problem over `parameters` values with
// `residuals` residuals, whose derivatives take central differences of the
// relative step `relativeStep`. The caller owns the result.
using OptimiserFactory = OptimiserProblem* (*)(int parameters, int residuals, double relativeStep,
                                               const ResidualFunction& function);
inline constexpr const char* kOptimiserModuleName = "libkinhom_optimiser.so";
inline constexpr const char* kOptimiserFactoryName = "kinhom_new_optimiser_problem";

struct OptimiserModule {
    OptimiserFactory create = nullptr;
    std::string message; // without create: why, as the fit tells the user
};

// The module beside the running program, loaded by the first call (from any
// thread); every later call returns the same.
const OptimiserModule& LoadOptimiser();
// The module in `folder`, loaded now: LoadOptimiser's work, open to tests.
OptimiserModule LoadOptimiserFrom(const std::filesystem::path& folder);

} // namespace kinhom
