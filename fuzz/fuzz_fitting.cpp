// The fitting core (MarquardtNashFitting, FitSumOfSquares) on small data sets
// made from the input: every model and task mode the fitting window offers,
// measured points (some excluded, some at extreme values), start
// concentrations, start values, bounds, fixed flags and the species taken
// into the sum of squares. Each call runs under a short time bound.
//
// Checked: a fit without a result keeps the start values; a result is finite,
// keeps the fixed values and stays within the bounds, and its sum of squares
// is the one FitSumOfSquares gives there; every call ends soon after its
// time bound.

#include <chrono>
#include <cmath>
#include <fstream>
#include <vector>

#include "builders.h"
#include "core/evaluation/fitting.h"
#include "core/kinetics/models.h"
#include "core/kinetics/stoffmuster.h"
#include "core/shell/expdata.h"
#include "core/shell/startup.h"
#include "fuzz_common.h"

using namespace kinhom;
using namespace kinhom::test;
namespace fs = std::filesystem;

namespace {

struct Task {
    int model, mode;
};
const Task kTasks[] = {{1, 1},  {2, 1},  {3, 1},  {4, 1},  {5, 1},  {6, 1},  {7, 1},  {8, 1},
                       {9, 1},  {10, 1}, {11, 1}, {12, 1}, {13, 1}, {14, 1}, {15, 1}, {16, 1},
                       {17, 1}, {18, 1}, {20, 1}, {20, 2}, {2, 6},  {3, 7}};
constexpr std::size_t kTaskCount = sizeof(kTasks) / sizeof(kTasks[0]);

// Each call may run this long; one simulation at the slowest trial rate
// constants (with the sanitizers) fits in the slack.
constexpr double kBound = 0.25;
constexpr double kSlack = 3.0;

// Reads the input byte by byte; 0 once it is used up.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    unsigned Byte() { return pos_ < size_ ? data_[pos_++] : 0u; }
    // A value of a few digits across decades, now and then an extreme one.
    double Value()
    {
        const unsigned kind = Byte();
        if (kind == 255) return 1e154;
        if (kind == 254) return -1.0;
        const double mantissa = 1 + Byte() / 64.0;
        return mantissa * std::pow(10.0, static_cast<int>(kind % 9) - 4);
    }
    double Fraction() { return Byte() / 128.0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

Declare Data(Bytes& in, const Task& task)
{
    Declare d;
    SetStartupValues(d, fuzz::Work().string(), ".");
    d.Arbeitsmodus = static_cast<std::uint8_t>(task.mode);
    d.ModellNr = static_cast<std::int16_t>(task.model);
    d.Ordnung = static_cast<float>(in.Byte() % 5) / 2.0f;
    SetStoffMuster(d, task.model);
    d.tEnde = static_cast<float>(in.Byte() % 100);
    const int count = 2 + static_cast<int>(in.Byte() % 9);
    auto conc = [&in] { return in.Byte() % 4 == 0 ? in.Value() : in.Fraction(); };
    const bool withT = TaskMode::IsNonIsothermal(task.mode);
    std::vector<ExpPunkt> points;
    double t = 0;
    for (int i = 0; i < count; ++i) {
        const double at = t;
        t += in.Fraction() * 10;
        // The values are read from the input in the order written (a braced list).
        points.push_back(MeasuredPoint({.t = at, .A = conc(), .B = conc(), .C = conc(), .P = conc(), .Q = conc(),
                                        .T = withT ? 290.0 + 10.0 * (in.Byte() % 3) : 0.0,
                                        .excluded = in.Byte() % 7 == 0}));
    }
    SetMeasuredPoints(d, points);
    AnalyzeExpData(d);
    return d;
}

FitProblem Problem(Bytes& in, const Declare& d, const Task& task)
{
    FitProblem p = MakeFitProblem(d, task.mode);
    for (int s = 1; s <= 5; ++s) {
        p.species[static_cast<std::size_t>(s)] = (in.Byte() & 1u) != 0;
        p.c0[static_cast<std::size_t>(s)] = in.Byte() % 3 == 0 ? 0.0 : in.Fraction();
    }
    for (int j = 1; j <= 3; ++j) {
        FitParam& f = p.p[static_cast<std::size_t>(j)];
        f.value = f.logScale ? in.Value() : in.Fraction() * 4;
        f.fixed = in.Byte() % 4 == 0;
        const unsigned bound = in.Byte();
        if (bound % 5 == 0) f.lower = f.logScale ? f.value / (1 + in.Fraction() * 100) : f.value - in.Fraction();
        if (bound % 7 == 0) f.upper = f.logScale ? f.value * (1 + in.Fraction() * 100) : f.value + in.Fraction();
    }
    p.maxIterations = 1 + static_cast<int>(in.Byte() % 60);
    return p;
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void CheckFit(const Declare& d, const FitProblem& p, const FitControl& control)
{
    const auto start = std::chrono::steady_clock::now();
    const FitResult r = MarquardtNashFitting(d, p, control);
    FUZZ_CHECK(Seconds(start) < kBound + kSlack);
    FUZZ_CHECK(!r.statusText.empty());
    if (!FitSucceeded(r.status)) {
        for (int j = 1; j <= 3; ++j) {
            const double v = r.value[static_cast<std::size_t>(j)], s = p.p[static_cast<std::size_t>(j)].value;
            FUZZ_CHECK(v == s || (std::isnan(v) && std::isnan(s)));
        }
        return;
    }
    FUZZ_CHECK(std::isfinite(r.SSQ) && r.SSQ >= 0);
    FUZZ_CHECK(r.points > r.freeParameters && r.freeParameters > 0);
    for (int j = 1; j <= 3; ++j) {
        const FitParam& f = p.p[static_cast<std::size_t>(j)];
        const double v = r.value[static_cast<std::size_t>(j)];
        if (!f.used) continue;
        FUZZ_CHECK(std::isfinite(v) && std::isfinite(r.stdError[static_cast<std::size_t>(j)]));
        if (f.fixed) FUZZ_CHECK(v == f.value);
        FUZZ_CHECK(v >= f.lower && v <= f.upper);
    }
    double ssq = 0;
    int points = 0;
    std::string error;
    const auto again = std::chrono::steady_clock::now();
    if (FitSumOfSquares(d, p, r.value, ssq, points, error, control)) {
        FUZZ_CHECK(points == r.points);
        FUZZ_CHECK(std::fabs(ssq - r.SSQ) <= 1e-9 * r.SSQ + 1e-300);
    } else {
        FUZZ_CHECK(!error.empty());
    }
    FUZZ_CHECK(Seconds(again) < kBound + kSlack);
}

void WriteSeeds(const fs::path& folder)
{
    // One input per task: a plain data set with moderate values.
    for (std::size_t i = 0; i < kTaskCount; ++i) {
        std::vector<std::uint8_t> seed = {static_cast<std::uint8_t>(i), 3, 60, 8};
        for (int k = 0; k < 200; ++k) seed.push_back(static_cast<std::uint8_t>(37 + 11 * k + 3 * i));
        std::ofstream(folder / ("task" + std::to_string(i)), std::ios::binary)
            .write(reinterpret_cast<const char*>(seed.data()), static_cast<std::streamsize>(seed.size()));
    }
}

} // namespace

KINHOM_FUZZ_SEEDS(WriteSeeds)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Bytes in(data, size);
    const Task& task = kTasks[in.Byte() % kTaskCount];
    const Declare d = Data(in, task);
    const FitProblem p = Problem(in, d, task);
    FitControl control;
    control.timeLimitSeconds = kBound;
    CheckFit(d, p, control);
    return 0;
}
