#include "core/kinetics/integrator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "core/kinetics/simulation.h"
#include "core/shell/numtext.h"

namespace kinhom {

namespace {

using Zustand = std::array<double, kSystemSpezies>;

// The stop test of this thread (IntegratorStopTest), asked only by runs whose
// substep count has reached kStopTestSubsteps.
thread_local const std::function<bool()>* tStopTest = nullptr;
constexpr int kStopTestSubsteps = 64;

bool StopRequested(int m)
{
    return m >= kStopTestSubsteps && tStopTest && (*tStopTest)();
}

// Rate equations of the compact state of each model. Each has N species and
// fills f[0..N-1] from y[0..N-1]; Klemmen() corrects a substep result.
struct Modell7 {
    static constexpr int N = 4;
    double k1, k2, k3;
    void operator()(const Zustand& y, Zustand& f) const
    {
        const double A = y[0], B = y[1], C = y[2];
        f[0] = -k1 * A * B - k2 * A * C;
        f[1] = -k1 * A * B;
        f[2] = k1 * A * B - k2 * A * C;
        f[3] = k2 * A * C;
    }
    void Klemmen(Zustand&) const {}
};

struct Modell9 {
    static constexpr int N = 4;
    double k1, k2, k3;
    void operator()(const Zustand& y, Zustand& f) const
    {
        const double A = y[0], B = y[1], C = y[2];
        f[0] = -k1 * A * B;
        f[1] = f[0];
        f[2] = k1 * A * B - k2 * C;
        f[3] = k2 * C;
    }
    void Klemmen(Zustand&) const {}
};

// The enzyme is either free or bound: E + ES keeps its start value. The
// Runge-Kutta steps keep that sum only up to the rounding of every substep,
// which adds up over a long stiff run; so after each substep the larger of the
// two is what the enzyme total leaves beside the smaller. The larger one takes
// up the rounding within its own last digits; the smaller one, which may be
// far below the total, keeps its relative precision (and with it the rate it
// passes on to S or P).
struct Modell10 {
    static constexpr int N = 4;
    double k1, k2, k3;
    double enzyme; // E0 + ES0
    void operator()(const Zustand& y, Zustand& f) const
    {
        const double E = y[0], S = y[1], ES = y[2];
        f[0] = -k1 * E * S + k2 * ES + k3 * ES;
        f[1] = -k1 * E * S + k2 * ES;
        f[2] = k1 * E * S - k2 * ES - k3 * ES;
        f[3] = k3 * ES;
    }
    void Klemmen(Zustand& y) const
    {
        if (std::fabs(y[0]) >= std::fabs(y[2]))
            y[0] = enzyme - y[2];
        else
            y[2] = enzyme - y[0];
    }
};

struct Modell13 {
    static constexpr int N = 4;
    double k1, k2, k3;
    void operator()(const Zustand& y, Zustand& f) const
    {
        const double A = y[0], B = y[1], C = y[2], P = y[3];
        f[0] = -k1 * A * B;
        f[1] = f[0];
        f[2] = k1 * A * B - k2 * C + k3 * P;
        f[3] = k2 * C - k3 * P;
    }
    void Klemmen(Zustand&) const {}
};

struct Modell14 {
    static constexpr int N = 3; // A, C, P
    double k1, k2, k3;
    void operator()(const Zustand& y, Zustand& f) const
    {
        const double A = y[0], C = y[1], P = y[2];
        f[0] = -k1 * A;
        f[1] = k1 * A - k2 * C + k3 * P;
        f[2] = k2 * C - k3 * P;
    }
    void Klemmen(Zustand&) const {}
};

struct Modell15 {
    static constexpr int N = 3; // A, C, P
    double k1, k2, k3;
    void operator()(const Zustand& y, Zustand& f) const
    {
        const double A = y[0], C = y[1];
        f[0] = -k1 * A + k2 * C;
        f[1] = k1 * A - k2 * C - k3 * C;
        f[2] = k3 * C;
    }
    void Klemmen(Zustand&) const {}
};

struct Modell18 {
    static constexpr int N = 4;
    double k1, k2, k3;
    void operator()(const Zustand& y, Zustand& f) const
    {
        const double A = y[0], B = y[1], C = y[2];
        f[0] = -k1 * A * B + k2 * C;
        f[1] = f[0];
        f[2] = k1 * A * B - k2 * C - k3 * C;
        f[3] = k3 * C;
    }
    void Klemmen(Zustand&) const {}
};

// n-th order A => P. For 0 < n < 1 A is used up in finite time: where A is
// 0 or below nothing reacts any more, and a substep that would take A below 0
// ends with A = 0 and all of the substance in P.
struct Modell20 {
    static constexpr int N = 2; // A, P
    double k1, n, summe;        // summe = A0 + P0
    void operator()(const Zustand& y, Zustand& f) const
    {
        const double A = y[0];
        if (A > 0) {
            const double r = k1 * Potenz(A);
            f[0] = -r;
            f[1] = r;
        } else {
            f[0] = 0;
            f[1] = 0;
        }
    }
    void Klemmen(Zustand& y) const
    {
        if (y[0] < 0) {
            y[0] = 0;
            y[1] = summe;
        }
    }
    double Potenz(double A) const
    {
        // The common orders without the general power function.
        if (n == 1.0) return A;
        if (n == 2.0) return A * A;
        if (n == 1.5) return A * std::sqrt(A);
        if (n == 0.5) return std::sqrt(A);
        return std::pow(A, n);
    }
};

std::string Zahl(double v)
{
    return GenDouble(v);
}

// Runs f(0), f(1), ..., f(N - 1) written out, so that the small state
// vectors live in registers.
template <int N, class F>
inline void JedeKomponente(F&& f)
{
    [&]<std::size_t... I>(std::index_sequence<I...>) { (f(I), ...); }(std::make_index_sequence<N>{});
}

// anzahl classical Runge-Kutta steps of size h on W. The equations are
// autonomous: no stage time enters them.
template <class Modell>
inline void Teilschritte(const Modell& ableitung, Zustand& W, double h, int anzahl)
{
    constexpr int N = Modell::N;
    for (int s = 0; s < anzahl; ++s) {
        Zustand f{}, S{}, K1{}, K2{}, K3{};
        ableitung(W, f);
        JedeKomponente<N>([&](std::size_t i) { K1[i] = h * f[i]; S[i] = W[i] + K1[i] / 2; });
        ableitung(S, f);
        JedeKomponente<N>([&](std::size_t i) { K2[i] = h * f[i]; S[i] = W[i] + K2[i] / 2; });
        ableitung(S, f);
        JedeKomponente<N>([&](std::size_t i) { K3[i] = h * f[i]; S[i] = W[i] + K3[i]; });
        ableitung(S, f);
        JedeKomponente<N>([&](std::size_t i) {
            W[i] = W[i] + (K1[i] + 2 * K2[i] + 2 * K3[i] + h * f[i]) / 6;
        });
        ableitung.Klemmen(W);
    }
}

// One output interval from t to t + dt by step doubling, starting from the
// accepted state y: m and 2m substeps, m doubling until the two solutions
// agree; a trial that is not finite or that takes a species below its lower
// bound is never accepted. On success y holds the finer solution and m the
// count for the next interval (a quarter of the last one, at least 1). False
// when the substep bound would be passed.
template <class Modell>
bool Intervall(const Modell& ableitung, Zustand& y, double t, double dt, int& m, int maxM, double& h,
               long& auswertungen, int& maxTeil, const Zustand& lowerBound)
{
    constexpr int N = Modell::N;
    Zustand R{}, Y{};
    auto versuch = [&](Zustand& ergebnis) {
        h = ((t + dt) - t) / m;
        ergebnis = y;
        Teilschritte(ableitung, ergebnis, h, m);
        auswertungen += 4L * m;
        if (m > maxTeil) maxTeil = m;
    };
    // A trial that is not finite or clearly negative is not accurate enough,
    // whatever the other one says: a finer one is tried.
    auto usable = [&lowerBound](const Zustand& z) {
        for (std::size_t i = 0; i < N; ++i)
            if (!std::isfinite(z[i]) || z[i] < lowerBound[i]) return false;
        return true;
    };
    versuch(Y);
    for (;;) {
        R = Y;
        if (m > maxM / 2) return false;
        m = 2 * m;
        versuch(Y);
        if (usable(Y) && usable(R) && SchrittGenauGenug(R.data(), Y.data(), N)) break;
    }
    y = Y;
    m = m / 4;
    if (m == 0) m = 1;
    return true;
}

// Only the substep bound ends a run; a trial that never became finite or stayed
// negative up to the bound was too coarse as well.
std::string AbbruchText(double t, int maxM)
{
    return "The integration stopped at t = " + Zahl(t) + ": more than " + std::to_string(maxM) +
           " steps in one time interval would be needed for the required "
           "accuracy (the reaction is too fast for this t(max)).";
}

// A course that starts from concentrations that are not negative never takes
// one below zero; a trial that does beyond the rounding of the species' own
// scale (1e-12 of it, room for the rounding of many substeps) is unstable,
// however well it agrees with the other trial. That scale is the largest
// value the species has had so far, so a species that is small beside the
// others (an enzyme beside its substrate) is held to its own magnitude.
// Courses with a negative start value, and courses run backwards in time, are
// not held to this.
constexpr double kNegativeAllowance = 1e-12;

Zustand LowerBounds(const Zustand& start, int n, double dt)
{
    Zustand lower{};
    bool held = dt > 0;
    for (int i = 0; i < n; ++i) held = held && start[std::size_t(i)] >= 0;
    for (int i = 0; i < n; ++i)
        lower[std::size_t(i)] =
            held ? -kNegativeAllowance * start[std::size_t(i)] : -std::numeric_limits<double>::infinity();
    return lower;
}

// After an accepted interval: a species that has grown has a larger scale.
void WidenLowerBounds(Zustand& lower, const Zustand& y, int n)
{
    for (int i = 0; i < n; ++i) {
        const std::size_t s = std::size_t(i);
        lower[s] = std::min(lower[s], -kNegativeAllowance * std::fabs(y[s]));
    }
}

template <class Modell>
IntegratorErgebnis Integriere(Declare& d, const Modell& ableitung, const Zustand& start,
                              const Zustand& zeilenStart, double dt, int maxM)
{
    constexpr int N = Modell::N;
    IntegratorErgebnis erg;
    const double A0 = d.c0[1], B0 = d.c0[2];
    bool halbAGefunden = false, halbBGefunden = false;

    Zustand y = start;
    Zustand zeile = zeilenStart; // slots beyond the state keep their start values
    int m = 1;
    double t = 0;
    double h = dt;
    long auswertungen = 0;

    // The end test allows for the rounding of the running sum of dt, so that
    // row 200 is always stored; the loop itself never goes past row 200. (A
    // negative t(max) runs the course backwards, as the closed forms do.)
    const double tGrenze = std::fabs(double(d.tEnde)) * (1 + 1e-9) + 1e-8;
    Zustand lowerBound = LowerBounds(start, N, dt);
    int zeilen = 0;
    while (zeilen <= kSimIntervals && std::fabs(t) <= tGrenze) {
        const std::size_t ri = static_cast<std::size_t>(zeilen);
        for (int i = 0; i < N; ++i) zeile[i] = y[i];
        d.SimT[ri] = t;
        d.SimCA[ri] = zeile[0];
        d.SimCB[ri] = zeile[1];
        d.SimCC[ri] = zeile[2];
        d.SimCP[ri] = zeile[3];

        // Half-lives: where the column first falls below half its start
        // value, interpolated linearly between this row and the one before.
        // The second column is tested against c0(2) whatever it holds (C or P
        // in models 14, 15 and 20).
        if (ri >= 1) {
            if (!halbAGefunden && d.SimCA[ri] < A0 / 2) {
                halbAGefunden = true;
                d.HalbwertszeitA = d.SimCA[ri] != d.SimCA[ri - 1]
                    ? LinInterpol(A0 / 2, d.SimT[ri], d.SimCA[ri], d.SimT[ri - 1], d.SimCA[ri - 1])
                    : static_cast<float>(d.SimT[ri]);
            }
            if (!halbBGefunden && d.SimCB[ri] < B0 / 2) {
                halbBGefunden = true;
                d.HalbwertszeitB = d.SimCB[ri] != d.SimCB[ri - 1]
                    ? LinInterpol(B0 / 2, d.SimT[ri], d.SimCB[ri], d.SimT[ri - 1], d.SimCB[ri - 1])
                    : static_cast<float>(d.SimT[ri]);
            }
        }
        ++zeilen;
        if (zeilen > kSimIntervals) break; // row 200 needs no further interval

        if (StopRequested(m)) {
            erg.failed = true;
            erg.Fehlertext = kIntegrationStoppedText;
            break;
        }
        if (!Intervall(ableitung, y, t, dt, m, maxM, h, auswertungen, erg.MaxTeilschritte, lowerBound)) {
            erg.failed = true;
            erg.Fehlertext = AbbruchText(t, maxM);
            break;
        }
        WidenLowerBounds(lowerBound, y, N);
        t = t + dt;
    }
    erg.Zeilen = zeilen;
    erg.RHSAuswertungen = auswertungen;
    d.Zeitschritt = h;
    return erg;
}

// A system of five equations given by the caller.
struct FreiesSystem {
    static constexpr int N = kSystemSpezies;
    const SystemAbleitung& f;
    void operator()(const Zustand& y, Zustand& dy) const { f(y, dy); }
    void Klemmen(Zustand&) const {}
};

} // namespace

bool IstNumerischesModell(int model)
{
    return IntegratorZustandsgroesse(model) != 0;
}

int IntegratorZustandsgroesse(int model)
{
    switch (model) {
    case 7: case 9: case 10: case 13: case 18:
        return 4;
    case 14: case 15:
        return 3;
    case 20:
        return 2;
    default:
        return 0;
    }
}

int IntegratorStateSlots(int model, int slots[4])
{
    static constexpr int four[4] = {1, 2, 3, 4}, three[3] = {1, 3, 4}, two[2] = {1, 4};
    const int n = IntegratorZustandsgroesse(model);
    const int* source = n == 4 ? four : n == 3 ? three : two;
    for (int i = 0; i < n; ++i) slots[i] = source[i];
    return n;
}

void IntegratorDerivative(int model, const double* k, float order, const double* y, double* f)
{
    const double k1 = k[1], k2 = k[2], k3 = k[3];
    const int n = IntegratorZustandsgroesse(model);
    Zustand Y{}, F{};
    for (int i = 0; i < n; ++i) Y[static_cast<std::size_t>(i)] = y[i];
    switch (model) {
    case 7: Modell7{k1, k2, k3}(Y, F); break;
    case 9: Modell9{k1, k2, k3}(Y, F); break;
    case 10: Modell10{k1, k2, k3, 0}(Y, F); break;
    case 13: Modell13{k1, k2, k3}(Y, F); break;
    case 14: Modell14{k1, k2, k3}(Y, F); break;
    case 15: Modell15{k1, k2, k3}(Y, F); break;
    case 18: Modell18{k1, k2, k3}(Y, F); break;
    case 20: Modell20{k1, static_cast<double>(order), 0}(Y, F); break;
    default: return;
    }
    for (int i = 0; i < n; ++i) f[i] = F[static_cast<std::size_t>(i)];
}

bool SchrittGenauGenug(const double* R, const double* Y, int n)
{
    for (int i = 0; i < n; ++i) {
        const double summe = std::fabs(R[i]) + std::fabs(Y[i]);
        if (summe < kSchrittUntergrenze) continue;
        if (std::fabs(R[i] - Y[i]) / summe > kSchrittToleranz) return false;
    }
    return true;
}

IntegratorErgebnis IntegriereModell(Declare& d, int model, double dt, int maxTeilschritte)
{
    const double A0 = d.c0[1], B0 = d.c0[2], C0 = d.c0[3], P0 = d.c0[4];
    const double k1 = d.k[1], k2 = d.k[2], k3 = d.k[3];
    // Start of the state and of a stored row (the slots beyond the state).
    const Zustand vier{A0, B0, C0, P0};
    const Zustand drei{A0, C0, P0, P0};
    const Zustand zwei{A0, P0, C0, P0};

    IntegratorErgebnis erg;
    switch (model) {
    case 7: erg = Integriere(d, Modell7{k1, k2, k3}, vier, vier, dt, maxTeilschritte); break;
    case 9: erg = Integriere(d, Modell9{k1, k2, k3}, vier, vier, dt, maxTeilschritte); break;
    case 10: erg = Integriere(d, Modell10{k1, k2, k3, A0 + C0}, vier, vier, dt, maxTeilschritte); break;
    case 13: erg = Integriere(d, Modell13{k1, k2, k3}, vier, vier, dt, maxTeilschritte); break;
    case 18: erg = Integriere(d, Modell18{k1, k2, k3}, vier, vier, dt, maxTeilschritte); break;
    case 14: erg = Integriere(d, Modell14{k1, k2, k3}, drei, drei, dt, maxTeilschritte); break;
    case 15: erg = Integriere(d, Modell15{k1, k2, k3}, drei, drei, dt, maxTeilschritte); break;
    case 20:
        erg = Integriere(d, Modell20{k1, static_cast<double>(d.Ordnung), A0 + P0}, zwei, zwei, dt,
                         maxTeilschritte);
        break;
    default:
        return erg;
    }

    // Columns to their final meaning (rows stored).
    for (int i = 0; i < erg.Zeilen; ++i) {
        const std::size_t r = static_cast<std::size_t>(i);
        d.SimCQ[r] = d.SimCC[r];
        if (model == 14 || model == 15) {
            d.SimCC[r] = d.SimCB[r];
            d.SimCP[r] = d.SimCQ[r];
        } else if (model == 20) {
            d.SimCP[r] = d.SimCB[r];
        }
    }
    return erg;
}

IntegratorErgebnis IntegriereSystem(const SystemAbleitung& f, SystemZustand& y, double dauer, int intervalle,
                                    int maxTeilschritte)
{
    IntegratorErgebnis erg;
    if (intervalle < 1 || !std::isfinite(dauer)) {
        erg.failed = true;
        erg.Fehlertext = "The integration needs a finite time span.";
        return erg;
    }
    const FreiesSystem system{f};
    const double dt = dauer / intervalle;
    int m = 1;
    double h = dt;
    double t = 0;
    Zustand lowerBound = LowerBounds(y, FreiesSystem::N, dt);
    for (int i = 0; i < intervalle; ++i) {
        if (!Intervall(system, y, t, dt, m, maxTeilschritte, h, erg.RHSAuswertungen, erg.MaxTeilschritte,
                       lowerBound)) {
            erg.failed = true;
            erg.Fehlertext = AbbruchText(t, maxTeilschritte);
            break;
        }
        WidenLowerBounds(lowerBound, y, FreiesSystem::N);
        t = t + dt;
        erg.Zeilen = i + 1;
    }
    return erg;
}

IntegratorStopTest::IntegratorStopTest(std::function<bool()> stop) : stop_(std::move(stop)), previous_(tStopTest)
{
    tStopTest = &stop_;
}

IntegratorStopTest::~IntegratorStopTest()
{
    tStopTest = previous_;
}

} // namespace kinhom
