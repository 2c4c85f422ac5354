#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/evaluation/optimiser.h"

using namespace kinhom;
namespace fs = std::filesystem;

namespace {

// The line y = 1 + 2 t at t = 0..5, noise-free; the parameters are
// x[0] = intercept, x[1] = slope, the residuals model - measured.
constexpr int kPoints = 6;

double Measured(int i) { return 1.0 + 2.0 * i; }

bool LineResiduals(const double* x, double* r)
{
    for (int i = 0; i < kPoints; ++i) r[i] = x[0] + x[1] * i - Measured(i);
    return true;
}

OptimiserOptions Tight()
{
    OptimiserOptions o;
    o.functionTolerance = 1e-14;
    o.gradientTolerance = 1e-14;
    o.parameterTolerance = 1e-12;
    o.maxIterations = 100;
    return o;
}

std::unique_ptr<OptimiserProblem> Line(double intercept, double slope,
                                       const ResidualFunction& f = LineResiduals)
{
    const OptimiserModule& m = LoadOptimiser();
    EXPECT_NE(m.create, nullptr) << m.message;
    if (!m.create) return nullptr;
    std::unique_ptr<OptimiserProblem> p(m.create(2, kPoints, 1e-7, f));
    p->Parameters()[0] = intercept;
    p->Parameters()[1] = slope;
    return p;
}

} // namespace

TEST(Optimiser, TheModuleBesideTheProgramIsLoadedOnce)
{
    const OptimiserModule& m = LoadOptimiser();
    ASSERT_NE(m.create, nullptr) << m.message;
    EXPECT_TRUE(m.message.empty());
    EXPECT_EQ(&LoadOptimiser(), &m);
}

TEST(Optimiser, AFolderWithoutTheModuleSaysWhyTheFitCannotRun)
{
    std::random_device rd;
    const fs::path empty = fs::temp_directory_path() / ("kinhom_optimiser_" + std::to_string(rd()));
    fs::create_directories(empty);
    const OptimiserModule m = LoadOptimiserFrom(empty);
    fs::remove_all(empty);

    EXPECT_EQ(m.create, nullptr);
    const std::string head = "The fit cannot run: the optimiser libkinhom_optimiser.so could not be loaded (";
    ASSERT_GT(m.message.size(), head.size() + 2);
    EXPECT_EQ(m.message.substr(0, head.size()), head);
    EXPECT_EQ(m.message.substr(m.message.size() - 2), ").");
    // The loader's own words name the file it looked for.
    EXPECT_NE(m.message.find((empty / "libkinhom_optimiser.so").string()), std::string::npos) << m.message;
}

TEST(Optimiser, AHeldParameterKeepsItsValueAndTheOtherFitsAroundIt)
{
    // Free: the exact line. Intercept held at 0: the slope of least squares
    // through the origin, sum t y / sum t^2.
    auto free = Line(0.3, 0.5);
    ASSERT_TRUE(free);
    OptimiserSummary s = free->Solve(Tight());
    EXPECT_EQ(s.end, OptimiserEnd::Convergence);
    EXPECT_TRUE(s.usable);
    EXPECT_GT(s.iterations, 0);
    EXPECT_NEAR(free->Parameters()[0], 1.0, 1e-7);
    EXPECT_NEAR(free->Parameters()[1], 2.0, 1e-7);
    EXPECT_NEAR(s.finalCost, 0.0, 1e-12);

    auto held = Line(0.0, 0.5);
    held->SetConstant(0);
    s = held->Solve(Tight());
    ASSERT_TRUE(s.usable);
    double sty = 0, stt = 0, ssq = 0;
    for (int i = 0; i < kPoints; ++i) {
        sty += i * Measured(i);
        stt += i * i;
    }
    const double slope = sty / stt;
    for (int i = 0; i < kPoints; ++i) ssq += std::pow(slope * i - Measured(i), 2);
    EXPECT_EQ(held->Parameters()[0], 0.0);
    EXPECT_NEAR(held->Parameters()[1], slope, 1e-7);
    EXPECT_NEAR(s.finalCost, ssq / 2, 1e-9);
}

TEST(Optimiser, ASolveStopsAtABoundThatLaterSolvesMayMove)
{
    auto p = Line(1.0, 0.5);
    p->SetConstant(0);
    p->SetBounds(1, 0.0, 1.5);
    OptimiserSummary s = p->Solve(Tight());
    ASSERT_TRUE(s.usable);
    EXPECT_NEAR(p->Parameters()[1], 1.5, 1e-9);
    EXPECT_LE(p->Parameters()[1], 1.5);

    // Widened, the same problem goes on from there to the line.
    p->SetBounds(1, 0.0, 10.0);
    s = p->Solve(Tight());
    EXPECT_EQ(s.end, OptimiserEnd::Convergence);
    EXPECT_NEAR(p->Parameters()[1], 2.0, 1e-7);
}

TEST(Optimiser, TheJacobianCoversTheFreeParametersOnly)
{
    auto p = Line(1.0, 1.5);
    double cost = -1;
    OptimiserJacobian j;
    ASSERT_TRUE(p->Evaluate(cost, &j));
    EXPECT_EQ(j.rows, kPoints);
    EXPECT_EQ(j.cols, 2);
    // Residual i is 1 + 1.5 i - (1 + 2 i) = -0.5 i.
    EXPECT_NEAR(cost, 0.5 * 0.25 * (0 + 1 + 4 + 9 + 16 + 25), 1e-12);
    for (int i = 0; i < kPoints; ++i) {
        EXPECT_NEAR(j.At(i, 0), 1.0, 1e-6);
        EXPECT_NEAR(j.At(i, 1), i, 1e-6);
    }

    p->SetConstant(0);
    ASSERT_TRUE(p->Evaluate(cost, &j));
    ASSERT_EQ(j.cols, 1);
    ASSERT_EQ(j.values.size(), static_cast<std::size_t>(kPoints));
    for (int i = 0; i < kPoints; ++i) EXPECT_NEAR(j.At(i, 0), i, 1e-6);
    // Without a Jacobian asked for, the cost alone.
    cost = -1;
    ASSERT_TRUE(p->Evaluate(cost, nullptr));
    EXPECT_NEAR(cost, 0.5 * 0.25 * 55, 1e-12);
}

TEST(Optimiser, ACallbackSeesEachIterationAndItsAbortLeavesNoUsableResult)
{
    auto p = Line(0.3, 0.5);
    OptimiserOptions o = Tight();
    std::vector<int> seen;
    double startCost = -1;
    o.callback = [&](int iteration, double cost) {
        if (iteration == 0) startCost = cost;
        seen.push_back(iteration);
        return iteration < 1;
    };
    const OptimiserSummary s = p->Solve(o);
    EXPECT_EQ(s.end, OptimiserEnd::Aborted);
    EXPECT_FALSE(s.usable);
    EXPECT_EQ(seen, (std::vector<int>{0, 1}));
    double ssq = 0;
    for (int i = 0; i < kPoints; ++i) ssq += std::pow(0.3 + 0.5 * i - Measured(i), 2);
    EXPECT_NEAR(startCost, ssq / 2, 1e-12);
}

TEST(Optimiser, AModelThatCannotBeEvaluatedGivesNoCostAndNoSolution)
{
    // The model fails for a negative slope only.
    const ResidualFunction picky = [](const double* x, double* r) { return x[1] >= 0 && LineResiduals(x, r); };
    auto p = Line(1.0, -1.0, picky);
    double cost = 7;
    EXPECT_FALSE(p->Evaluate(cost, nullptr));
    EXPECT_EQ(cost, 7);
    OptimiserOptions o = Tight();
    o.maxIterations = 5;
    const OptimiserSummary s = p->Solve(o);
    EXPECT_EQ(s.end, OptimiserEnd::Failure);
    EXPECT_FALSE(s.usable);
}
