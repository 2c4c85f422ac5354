// The optimiser module, libkinhom_optimiser.so: OptimiserProblem
// (core/evaluation/optimiser.h) on Ceres Solver. Each parameter is a parameter
// block of size 1, so that each can be held constant and bounded on its own;
// one residual block, differentiated numerically, covers them all.

#include <algorithm>
#include <type_traits>
#include <vector>

#include <ceres/ceres.h>

#include "core/evaluation/optimiser.h"

namespace kinhom {

namespace {

// The residual function as Ceres's numeric differentiation calls it: one
// pointer per block. The problem is solved and evaluated on one thread, so the
// parameters are gathered into one buffer that every call reuses.
struct Residuen {
    ResidualFunction function;
    mutable std::vector<double> x;

    bool operator()(double const* const* blocks, double* residuals) const
    {
        for (std::size_t i = 0; i < x.size(); ++i) x[i] = blocks[i][0];
        return function(x.data(), residuals);
    }
};

// Hands each iteration to the caller's callback.
class Rueckruf : public ceres::IterationCallback {
public:
    explicit Rueckruf(const std::function<bool(int, double)>& f) : f_(f) {}
    ceres::CallbackReturnType operator()(const ceres::IterationSummary& s) override
    {
        return f_(s.iteration, s.cost) ? ceres::SOLVER_CONTINUE : ceres::SOLVER_ABORT;
    }

private:
    const std::function<bool(int, double)>& f_;
};

OptimiserEnd Ende(ceres::TerminationType t)
{
    switch (t) {
    case ceres::CONVERGENCE: return OptimiserEnd::Convergence;
    // A callback here never ends a solve as a success; were it to, the
    // solution would be usable but not converged.
    case ceres::NO_CONVERGENCE:
    case ceres::USER_SUCCESS: return OptimiserEnd::NoConvergence;
    case ceres::USER_FAILURE: return OptimiserEnd::Aborted;
    default: return OptimiserEnd::Failure;
    }
}

class CeresProblem final : public OptimiserProblem {
public:
    CeresProblem(int parameters, int residuals, double relativeStep, const ResidualFunction& function)
        : x_(static_cast<std::size_t>(parameters), 0.0), constant_(x_.size(), false)
    {
        ceres::NumericDiffOptions diff;
        diff.relative_step_size = relativeStep;
        auto* cost = new ceres::DynamicNumericDiffCostFunction<Residuen, ceres::CENTRAL>(
            new Residuen{function, std::vector<double>(x_.size())}, ceres::TAKE_OWNERSHIP, diff);
        std::vector<double*> blocks;
        for (double& v : x_) {
            cost->AddParameterBlock(1);
            blocks.push_back(&v);
        }
        cost->SetNumResiduals(residuals);
        problem_.AddResidualBlock(cost, nullptr, blocks);
    }

    double* Parameters() override { return x_.data(); }

    void SetConstant(int i) override
    {
        problem_.SetParameterBlockConstant(&x_[static_cast<std::size_t>(i)]);
        constant_[static_cast<std::size_t>(i)] = true;
    }

    void SetBounds(int i, double lower, double upper) override
    {
        problem_.SetParameterLowerBound(&x_[static_cast<std::size_t>(i)], 0, lower);
        problem_.SetParameterUpperBound(&x_[static_cast<std::size_t>(i)], 0, upper);
    }

    OptimiserSummary Solve(const OptimiserOptions& o) override
    {
        ceres::Solver::Options so;
        so.trust_region_strategy_type = ceres::LEVENBERG_MARQUARDT;
        so.linear_solver_type = ceres::DENSE_QR;
        so.function_tolerance = o.functionTolerance;
        so.gradient_tolerance = o.gradientTolerance;
        so.parameter_tolerance = o.parameterTolerance;
        so.max_num_iterations = o.maxIterations;
        so.logging_type = ceres::SILENT;
        so.minimizer_progress_to_stdout = false;
        so.num_threads = 1;
        Rueckruf rueckruf(o.callback);
        if (o.callback) so.callbacks.push_back(&rueckruf);
        ceres::Solver::Summary summary;
        ceres::Solve(so, &problem_, &summary);
        OptimiserSummary s;
        s.end = Ende(summary.termination_type);
        s.usable = summary.IsSolutionUsable();
        s.finalCost = summary.final_cost;
        s.iterations = std::max(0, static_cast<int>(summary.iterations.size()) - 1);
        return s;
    }

    bool Evaluate(double& cost, OptimiserJacobian* jacobian) override
    {
        ceres::Problem::EvaluateOptions eo;
        for (std::size_t i = 0; i < x_.size(); ++i)
            if (!constant_[i]) eo.parameter_blocks.push_back(&x_[i]);
        ceres::CRSMatrix crs;
        double c = 0;
        if (!problem_.Evaluate(eo, &c, nullptr, nullptr, jacobian ? &crs : nullptr)) return false;
        cost = c;
        if (jacobian) {
            jacobian->rows = crs.num_rows;
            jacobian->cols = crs.num_cols;
            jacobian->values.assign(static_cast<std::size_t>(crs.num_rows * crs.num_cols), 0.0);
            for (int r = 0; r < crs.num_rows; ++r)
                for (int k = crs.rows[static_cast<std::size_t>(r)]; k < crs.rows[static_cast<std::size_t>(r) + 1]; ++k)
                    jacobian->values[static_cast<std::size_t>(r * crs.num_cols + crs.cols[static_cast<std::size_t>(k)])] =
                        crs.values[static_cast<std::size_t>(k)];
        }
        return true;
    }

private:
    std::vector<double> x_; // the blocks' memory: never resized
    std::vector<bool> constant_;
    ceres::Problem problem_;
};

} // namespace

} // namespace kinhom

// The module's one export (kOptimiserFactoryName); at least one parameter and
// one residual.
extern "C" __attribute__((visibility("default"))) kinhom::OptimiserProblem*
kinhom_new_optimiser_problem(int parameters, int residuals, double relativeStep, const kinhom::ResidualFunction& function)
{
    return new kinhom::CeresProblem(parameters, residuals, relativeStep, function);
}

static_assert(std::is_same_v<decltype(&kinhom_new_optimiser_problem), kinhom::OptimiserFactory>);
