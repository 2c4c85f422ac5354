#include "core/montecarlo/particlefield.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kinhom {

namespace {
bool ProbabilityOk(double p) { return std::isfinite(p) && p > 0.0 && p < 1.0; }
} // namespace

std::vector<std::string> CheckMonteCarloSettings(const MonteCarloSettings& s)
{
    std::vector<std::string> faults;
    if (s.particles < 1 || s.particles > kMonteCarloMaxParticles)
        faults.push_back("- The number of particles N has to lie between 1 and " +
                         std::to_string(kMonteCarloMaxParticles) + ".");
    if (!ProbabilityOk(s.p1))
        faults.push_back("- The probability p1 (A => P) has to lie between 0 and 1 (0 < p1 < 1).");
    if (s.mode == MonteCarloMode::Equilibrium) {
        if (!ProbabilityOk(s.p2))
            faults.push_back("- The probability p2 (P => A) has to lie between 0 and 1 (0 < p2 < 1).");
    }
    if (s.steps < 1 || s.steps > kMonteCarloMaxSteps)
        faults.push_back("- The number of steps has to lie between 1 and " + std::to_string(kMonteCarloMaxSteps) +
                         ".");
    return faults;
}

double ExpectedA(const MonteCarloSettings& s, int step)
{
    const double n = s.particles;
    if (s.mode == MonteCarloMode::FirstOrder)
        return n * std::pow(1.0 - s.p1, step);
    const double eq = n * s.p2 / (s.p1 + s.p2);
    return eq + (n - eq) * std::pow(1.0 - s.p1 - s.p2, step);
}

FieldLayout LayOutField(int n, double aspect)
{
    FieldLayout layout;
    if (n < 1)
        return layout;
    layout.particles = n;
    if (!std::isfinite(aspect) || aspect <= 0)
        aspect = 1;
    // The row count that gives square cells. A divisor of n that gives cells
    // at most twice as wide as high or high as wide gives an exact grid; the
    // one nearest to square wins.
    const double ideal = std::clamp(std::sqrt(n / aspect), 1.0, double(n));
    const int lowest = std::max(1, int(std::ceil(ideal / std::sqrt(2.0))));
    const int highest = std::min(n, int(std::floor(ideal * std::sqrt(2.0))));
    double nearest = std::numeric_limits<double>::infinity();
    for (int r = lowest; r <= highest; ++r) {
        const double distance = std::fabs(std::log(r / ideal));
        if (n % r == 0 && distance < nearest) {
            nearest = distance;
            layout.rows = r;
        }
    }
    if (layout.rows == 0)
        layout.rows = std::clamp(int(std::lround(ideal)), 1, n);
    return layout;
}

int FieldRowStart(const FieldLayout& layout, int row)
{
    if (layout.rows < 1)
        return 0;
    return int(std::int64_t(row) * layout.particles / layout.rows);
}

ParticleField::ParticleField(const MonteCarloSettings& settings, std::uint64_t seed)
    : settings_(settings), rng_(seed), states_(std::size_t(std::max(settings.particles, 0)), A),
      countA_(int(states_.size()))
{
    changed_.reserve(states_.size());
    historyA_.reserve(std::size_t(std::max(settings.steps, 0)) + 1);
    historyA_.push_back(countA_);
}

void ParticleField::Step()
{
    const bool back = settings_.mode == MonteCarloMode::Equilibrium;
    changed_.clear();
    for (int i = 0; i < size(); ++i) {
        std::uint8_t& s = states_[std::size_t(i)];
        // One random number per particle and step, whatever its state, so that
        // a run depends on the seed alone.
        const double u = uniform_(rng_);
        if (s == A ? u < settings_.p1 : back && u < settings_.p2)
            changed_.push_back(i);
    }
    for (int i : changed_) {
        std::uint8_t& s = states_[std::size_t(i)];
        countA_ += s == A ? -1 : 1;
        s = s == A ? P : A;
    }
    ++step_;
    historyA_.push_back(countA_);
}

} // namespace kinhom
