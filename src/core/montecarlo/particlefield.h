#pragma once
// The Monte-Carlo particle simulation: N particles, each A or P. In one step
// every A particle turns into P with probability p1 and, for the equilibrium
// A <=> P (mode 2), every P particle turns back into A with probability p2; all
// particles decide on the state at the start of the step. The field counts
// N(A) and N(P) per step and knows which particles changed in the last step
// (the window flashes them). The random engine is seedable, so a run can be
// repeated exactly.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace kinhom {

// The two Monte-Carlo tasks (the values of MCModus).
enum class MonteCarloMode : std::uint8_t { FirstOrder = 1, Equilibrium = 2 };

struct MonteCarloSettings {
    MonteCarloMode mode = MonteCarloMode::FirstOrder;
    int particles = 400;   // N
    double p1 = 0.05;      // probability A -> P per step
    double p2 = 0.05;      // probability P -> A per step (equilibrium only)
    int steps = 100;       // steps of one run
};

constexpr int kMonteCarloMaxParticles = 10000;
constexpr int kMonteCarloMaxSteps = 100000;

// The faults of the settings, one line each ("- ..."), empty when they are
// sound. p2 is checked in the equilibrium mode only.
std::vector<std::string> CheckMonteCarloSettings(const MonteCarloSettings& s);

// The expected number of A particles after `step` steps when all `particles`
// start as A: N·(1 - p1)^n for the first-order reaction;
// Neq + (N - Neq)·(1 - p1 - p2)^n with Neq = N·p2/(p1 + p2) for the equilibrium.
double ExpectedA(const MonteCarloSettings& s, int step);

// How the field is drawn: `rows` rows of particles, each spanning the whole
// width of the field, particle i in the row where it falls by FieldRowStart.
// The rows hold n / rows particles, some one more, spread evenly over the
// field, so the particles fill a full rectangle for every n; when a row count
// that gives about square cells divides n, the field is an exact grid.
struct FieldLayout {
    int particles = 0;
    int rows = 0;
};

// The layout of n particles in an area `aspect` times as wide as it is high.
FieldLayout LayOutField(int n, double aspect);

// The first particle of a row (0 to rows - 1); FieldRowStart(l, l.rows) is
// the number of particles.
int FieldRowStart(const FieldLayout& layout, int row);

class ParticleField {
public:
    enum State : std::uint8_t { A = 0, P = 1 };

    // All particles start as A. Settings are taken as they are: check them
    // with CheckMonteCarloSettings first.
    ParticleField(const MonteCarloSettings& settings, std::uint64_t seed);

    // One step of the simulation.
    void Step();

    const MonteCarloSettings& settings() const { return settings_; }
    int StepNumber() const { return step_; }
    int CountA() const { return countA_; }
    int CountP() const { return int(states_.size()) - countA_; }
    // N(A) after each step so far: element 0 is the start, element n after step n.
    const std::vector<int>& HistoryA() const { return historyA_; }
    State state(int i) const { return State(states_[std::size_t(i)]); }
    int size() const { return int(states_.size()); }
    // The particles (indices) that changed their state in the last step.
    const std::vector<int>& ChangedLastStep() const { return changed_; }
    bool finished() const { return step_ >= settings_.steps; }

private:
    MonteCarloSettings settings_;
    std::mt19937_64 rng_;
    std::uniform_real_distribution<double> uniform_{0.0, 1.0};
    std::vector<std::uint8_t> states_;
    std::vector<int> changed_;
    std::vector<int> historyA_;
    int countA_ = 0;
    int step_ = 0;
};

} // namespace kinhom
