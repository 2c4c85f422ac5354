#include "core/reactors/reactors.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <functional>

#include "core/kinetics/inputrules.h"
#include "core/kinetics/integrator.h"
#include "core/kinetics/models.h"
#include "core/kinetics/simulation.h"
#include "core/kinetics/stoffmuster.h"
#include "core/reactors/protocol.h"
#include "core/shell/numtext.h"

namespace kinhom {

namespace {

bool PatternSet(const std::string& muster, int i)
{
    return i >= 1 && muster.size() >= std::size_t(i) && muster[std::size_t(i - 1)] == '1';
}

bool InUse(const ReaktorModell& m, int slot) { return PatternSet(m.stoffmuster, slot); }

// " is too large" for a value beyond single precision, " is too small" for one
// that is not 0 but below its smallest normal number (about 1.2E-38), where it
// can no longer be told from 0; "" for a value the boxes and the protocol carry.
const char* RangeFault(double v)
{
    const double a = std::fabs(v);
    return a > double(FLT_MAX) ? " is too large" : a != 0 && a < double(FLT_MIN) ? " is too small" : "";
}

// A time, volume, volume flow or length that the boxes and the protocol carry.
bool Carried(double v) { return std::isfinite(v) && !*RangeFault(v); }

// The caller's cancel flag and the time bound, asked between the steps of a
// calculation. Once stopped, it stays stopped.
std::string StopText(const StopWatch& watch)
{
    if (watch.Reason() == StopReason::Cancelled) return "The calculation was stopped.";
    return "The calculation was stopped after " + GenDouble(watch.TimeLimit()) +
           " s without a result: these inputs need too long a search.";
}

double Skala(const Konzentrationen& c)
{
    double s = 0;
    for (int i = 1; i <= 5; ++i) s = std::max(s, std::fabs(c[std::size_t(i)]));
    return s;
}

bool AlleEndlich(const Konzentrationen& c)
{
    for (int i = 1; i <= 5; ++i)
        if (!std::isfinite(c[std::size_t(i)])) return false;
    return true;
}

// Rounding leaves tiny negative concentrations where a species is used up;
// they read as 0. A clearly negative one is a fault of the calculation.
bool Bereinigen(Konzentrationen& c, double skala)
{
    for (int i = 1; i <= 5; ++i) {
        double& v = c[std::size_t(i)];
        if (v < 0) {
            if (v < -1e-7 * skala) return false;
            v = 0;
        }
    }
    return true;
}

ReaktorErgebnis Fehler(std::string text)
{
    ReaktorErgebnis r;
    r.Fehlertext = std::move(text);
    return r;
}

std::string Zahl(double v) { return GenSingle(float(v)); }

// The batch course from c0 over the time t. Every rate law is proportional to
// its rate constants, so the state after t equals the state after unit time
// with the constants k * t: the simulation runs over t(max) = 1 exactly and
// the single-precision t(max) does not round t.
bool BatchZustand(const ReaktorModell& m, const Konzentrationen& c0, double t, Konzentrationen& c,
                  std::string& fehler)
{
    c = c0;
    if (t == 0) return true;
    for (int j = 1; j <= 3; ++j)
        if (!FitsSingle(t) || !FitsSingle(m.k[j] * t)) {
            fehler = "The time t =" + StrDouble(t) + " is too long for the rate constants: k * t lies beyond the "
                     "range of the numbers (about 3.4E+38).";
            return false;
        }
    Declare w;
    w.ModellNr = std::int16_t(m.model);
    w.Ordnung = m.ordnung;
    w.Arbeitsmodus = TaskMode::FitK; // no axis ranges in this scratch state
    w.Stoffmuster = "00000"; // and no spline tables
    w.tEnde = 1;
    for (int j = 1; j <= 3; ++j) w.k[std::size_t(j)] = m.k[j] * t;
    for (int i = 1; i <= 5; ++i) w.c0[std::size_t(i)] = c0[std::size_t(i)];
    const SimulationsErgebnis sim = calc_diagram_function(w, m.model);
    if (sim.failed || sim.Zeilen < kSimIntervals + 1) {
        fehler = sim.Fehlertext.empty() ? std::string("The course of the model could not be computed.")
                                        : sim.Fehlertext;
        return false;
    }
    const std::vector<double>* spalte[6] = {nullptr, &w.SimCA, &w.SimCB, &w.SimCC, &w.SimCP, &w.SimCQ};
    for (int i = 1; i <= 5; ++i)
        if (InUse(m, i)) c[std::size_t(i)] = (*spalte[i])[std::size_t(kSimIntervals)];
    if (!AlleEndlich(c) || !Bereinigen(c, Skala(c0))) {
        fehler = "The concentrations at t = " + Zahl(t) + " are not finite or not positive.";
        return false;
    }
    return true;
}

// The smallest x > 0 at which the increasing function f reaches the target:
// bracketing by factors of 4 from x = 1, then bisection. f returns false
// (with a description) when it cannot be evaluated; the watch is asked
// before every trial.
bool Suche(const std::function<bool(double, double&, std::string&)>& evaluate, double ziel, const char* groesse,
           double& x, std::string& fehler, StopWatch& watch)
{
    auto f = [&](double v, double& u, std::string& text) {
        if (watch.Stopped()) {
            text = StopText(watch);
            return false;
        }
        return evaluate(v, u, text);
    };
    constexpr double kKlein = 1e-30, kGross = 1e30;
    double lo = 0, hi = 1, U = 0;
    if (!f(hi, U, fehler)) return false;
    if (U >= ziel) {
        for (lo = hi / 4; lo > kKlein; lo /= 4) {
            if (!f(lo, U, fehler)) return false;
            if (U < ziel) break;
            hi = lo;
        }
        if (lo <= kKlein) lo = 0;
    } else {
        for (;;) {
            lo = hi;
            hi *= 4;
            if (hi > kGross) {
                fehler = std::string("The conversion is not reached within ") + groesse + " = " + Zahl(kGross) + ".";
                return false;
            }
            if (!f(hi, U, fehler)) return false;
            if (U >= ziel) break;
        }
    }
    for (int i = 0; i < 200 && hi - lo > 1e-12 * hi; ++i) {
        const double mitte = 0.5 * (lo + hi);
        if (!f(mitte, U, fehler)) return false;
        (U >= ziel ? hi : lo) = mitte;
    }
    x = hi;
    return true;
}

// ---- stirred tank -----------------------------------------------------------------------------

// The steady-state balance in units of tau: G(c) = c(in) - c + rates(c) with
// the rate constants k * tau, on the slots 1 to 5 (array index 0 = slot 1).
struct Bilanz {
    const ReaktorModell& m;
    Konzentrationen cin;
    double ks[4];

    Bilanz(const ReaktorModell& modell, const Konzentrationen& zulauf, double tau) : m(modell), cin(zulauf)
    {
        ks[0] = 0;
        for (int j = 1; j <= 3; ++j) ks[j] = m.k[j] * tau;
    }
    void operator()(const SystemZustand& y, SystemZustand& g) const
    {
        double c[6] = {0, y[0], y[1], y[2], y[3], y[4]};
        double dc[6] = {0, 0, 0, 0, 0, 0};
        CalcRates(m.model, dc, ks, c, m.ordnung);
        for (int i = 0; i < 5; ++i) g[std::size_t(i)] = cin[std::size_t(i + 1)] - y[std::size_t(i)] + dc[i + 1];
    }
    double Residuum(const SystemZustand& y) const
    {
        SystemZustand g{};
        (*this)(y, g);
        double r = 0;
        for (double v : g) r = std::max(r, std::fabs(v));
        return r;
    }
};

// Solves a x = b (5 x 5) by elimination with partial pivoting; false when singular.
bool Loesen(std::array<std::array<double, 5>, 5> a, SystemZustand& b)
{
    constexpr int n = 5;
    for (int col = 0; col < n; ++col) {
        int p = col;
        for (int r = col + 1; r < n; ++r)
            if (std::fabs(a[std::size_t(r)][std::size_t(col)]) > std::fabs(a[std::size_t(p)][std::size_t(col)])) p = r;
        if (!(std::fabs(a[std::size_t(p)][std::size_t(col)]) > 1e-300)) return false;
        std::swap(a[std::size_t(p)], a[std::size_t(col)]);
        std::swap(b[std::size_t(p)], b[std::size_t(col)]);
        for (int r = col + 1; r < n; ++r) {
            const double f = a[std::size_t(r)][std::size_t(col)] / a[std::size_t(col)][std::size_t(col)];
            for (int c = col; c < n; ++c) a[std::size_t(r)][std::size_t(c)] -= f * a[std::size_t(col)][std::size_t(c)];
            b[std::size_t(r)] -= f * b[std::size_t(col)];
        }
    }
    for (int r = n - 1; r >= 0; --r) {
        double s = b[std::size_t(r)];
        for (int c = r + 1; c < n; ++c) s -= a[std::size_t(r)][std::size_t(c)] * b[std::size_t(c)];
        b[std::size_t(r)] = s / a[std::size_t(r)][std::size_t(r)];
    }
    return true;
}

// Newton's method on G from y; true when it converges to a finite point.
bool Newton(const Bilanz& g, SystemZustand& y, double skala)
{
    for (int it = 0; it < 50; ++it) {
        SystemZustand g0{};
        g(y, g0);
        std::array<std::array<double, 5>, 5> J{};
        for (int j = 0; j < 5; ++j) {
            SystemZustand yh = y, gh{};
            const double h = 1e-7 * std::max(std::fabs(y[std::size_t(j)]), 1e-3 * skala);
            yh[std::size_t(j)] += h;
            g(yh, gh);
            for (int i = 0; i < 5; ++i) J[std::size_t(i)][std::size_t(j)] = (gh[std::size_t(i)] - g0[std::size_t(i)]) / h;
        }
        SystemZustand dy{};
        for (int i = 0; i < 5; ++i) dy[std::size_t(i)] = -g0[std::size_t(i)];
        if (!Loesen(J, dy)) return false;
        double schritt = 0;
        for (int i = 0; i < 5; ++i) {
            y[std::size_t(i)] += dy[std::size_t(i)];
            if (!std::isfinite(y[std::size_t(i)])) return false;
            schritt = std::max(schritt, std::fabs(dy[std::size_t(i)]));
        }
        if (schritt <= 1e-13 * skala) return g.Residuum(y) <= 1e-9 * skala;
    }
    return g.Residuum(y) <= 1e-11 * skala;
}

bool Physikalisch(const SystemZustand& y, double skala)
{
    for (double v : y)
        if (!std::isfinite(v) || v < -1e-9 * skala) return false;
    return true;
}

// The steady state of the stirred tank that the start-up from a tank full of
// feed reaches. anlauf receives the start-up time in multiples of tau.
bool RuehrkesselZustand(const ReaktorModell& m, const Konzentrationen& cin, double tau, Konzentrationen& c,
                        double& anlauf, std::string& fehler, StopWatch& watch)
{
    c = cin;
    anlauf = 0;
    const double skala = Skala(cin);
    if (skala == 0) return true;

    if (m.model == 1) {
        // Zeroth order: the rate does not depend on A, so the balance gives
        // c(A) = c(A,in) - k1 tau as long as A is left; beyond, A is used up.
        const double umgesetzt = std::min(cin[1], m.k[1] * tau);
        c[1] = cin[1] - umgesetzt;
        c[4] = cin[4] + umgesetzt;
        return true;
    }

    const Bilanz g(m, cin, tau);
    SystemZustand y{cin[1], cin[2], cin[3], cin[4], cin[5]};
    auto fertig = [&](const SystemZustand& z) {
        for (int i = 1; i <= 5; ++i) c[std::size_t(i)] = InUse(m, i) ? z[std::size_t(i - 1)] : cin[std::size_t(i)];
        if (!Bereinigen(c, skala)) {
            fehler = "The steady state has a negative concentration.";
            return false;
        }
        return true;
    };
    if (g.Residuum(y) <= 1e-13 * skala) return fertig(y); // nothing reacts in the feed

    // Start-up in stretches of 2 tau; Newton takes over once the balance has
    // almost settled and is still settling.
    constexpr double kStrecke = 2.0;
    constexpr int kIntervalle = 40;
    constexpr int kStrecken = 1000;
    const SystemAbleitung f = [&g](const SystemZustand& z, SystemZustand& dz) { g(z, dz); };
    double vorher = g.Residuum(y);
    std::string ursache;
    for (int s = 0; s < kStrecken; ++s) {
        if (watch.Stopped()) {
            fehler = StopText(watch);
            return false;
        }
        const IntegratorErgebnis ie = IntegriereSystem(f, y, kStrecke, kIntervalle);
        if (ie.failed) {
            ursache = ie.Fehlertext;
            break;
        }
        anlauf += kStrecke;
        const double r = g.Residuum(y);
        if (!std::isfinite(r)) {
            ursache = "a concentration of the start-up is not a finite number.";
            break;
        }
        if (r <= 1e-3 * skala && r <= vorher) {
            SystemZustand n = y;
            bool nahe = Newton(g, n, skala) && Physikalisch(n, skala);
            for (int i = 0; nahe && i < 5; ++i)
                nahe = std::fabs(n[std::size_t(i)] - y[std::size_t(i)]) <= 0.05 * skala;
            if (nahe) return fertig(n);
        }
        vorher = r;
    }
    if (ursache.empty()) ursache = "the start-up of the tank does not settle within t = " + Zahl(kStrecke * kStrecken) + " tau.";

    // A reaction too fast for the start-up: its steady state lies close to the
    // batch state after tau, from which Newton starts.
    if (watch.Stopped()) {
        fehler = StopText(watch);
        return false;
    }
    Konzentrationen b{};
    std::string batchFehler;
    if (BatchZustand(m, cin, tau, b, batchFehler)) {
        SystemZustand n{b[1], b[2], b[3], b[4], b[5]};
        if (Newton(g, n, skala) && Physikalisch(n, skala)) {
            anlauf = 0;
            return fertig(n);
        }
    }
    fehler = "No steady state found: " + ursache;
    return false;
}

const char* const kBeyondRange =
    "A result lies beyond the range of the numbers shown (about 3.4E+38): check the units of the inputs.";

// A result whose every value the windows and the protocol can carry.
ReaktorErgebnis Ergebnis(const ReaktorModell& m, const Konzentrationen& c0, const Konzentrationen& c, double zeit)
{
    ReaktorErgebnis r;
    r.ok = true;
    r.c = c;
    r.zeit = zeit;
    r.U = Umsatz(m.model, c0, c);
    r.ksi = Reaktionslaufzahlen(m, c0, c);
    bool traegt = FitsSingle(r.U) && Carried(r.zeit) && FitsSingle(r.ksi[1]) && FitsSingle(r.ksi[2]);
    for (int i = 1; i <= 5; ++i) traegt = traegt && FitsSingle(c[std::size_t(i)]);
    return traegt ? r : Fehler(kBeyondRange);
}

bool PositivEndlich(double v) { return v > 0 && std::isfinite(v); }

// The root of the decreasing function f on [lo, hi] by bisection.
double Nullstelle(const std::function<double(double)>& f, double lo, double hi)
{
    if (f(hi) >= 0) return hi;
    if (f(lo) <= 0) return lo;
    for (int i = 0; i < 200 && hi - lo > 1e-15 * std::max(std::fabs(lo), std::fabs(hi)); ++i) {
        const double mitte = 0.5 * (lo + hi);
        (f(mitte) > 0 ? lo : hi) = mitte;
    }
    return 0.5 * (lo + hi);
}

} // namespace

// ---- model ------------------------------------------------------------------------------------

ReaktorModell ReaktorModellAus(const Declare& d)
{
    ReaktorModell m;
    m.model = d.ModellNr;
    for (int j = 1; j <= 3; ++j) m.k[j] = d.k[std::size_t(j)];
    m.ordnung = d.Ordnung;
    m.stoechiometrie = d.Stoechiometrie;
    Declare w;
    SetStoffMuster(w, m.model);
    m.stoffmuster = w.Stoffmuster;
    m.kmuster = w.kMuster;
    return m;
}

ReaktorModell KatalogReaktor(int model, double k1, double k2, double k3, float n)
{
    ReaktorModell m;
    m.model = model;
    m.k[1] = k1;
    m.k[2] = k2;
    m.k[3] = k3;
    m.ordnung = n;
    SetStoechiometrie(m.stoechiometrie, model, n);
    Declare w;
    SetStoffMuster(w, model);
    m.stoffmuster = w.Stoffmuster;
    m.kmuster = w.kMuster;
    return m;
}

int UmsatzSlot(int model) { return model == 10 ? 2 : 1; }

const char* UmsatzName(int model) { return model == 10 ? "S" : "A"; }

double Umsatz(int model, const Konzentrationen& c0, const Konzentrationen& c)
{
    const std::size_t s = std::size_t(UmsatzSlot(model));
    return c0[s] != 0 ? (c0[s] - c[s]) / c0[s] : 0.0;
}

bool SlotInUse(const ReaktorModell& m, int slot) { return InUse(m, slot); }

bool RateConstantInUse(const ReaktorModell& m, int j) { return PatternSet(m.kmuster, j); }

std::vector<std::string> ReactorInputFaults(const ReaktorModell& m, const Konzentrationen& c0)
{
    std::vector<std::string> faults;
    if (!IsKatalogModell(m.model)) {
        faults.push_back("- first select a kinetic model");
        return faults;
    }
    auto name = [&](int slot) { return std::string("c(") + SpeciesName(m.model, slot) + ")(0)"; };
    for (int i = 1; i <= 5; ++i) {
        if (!InUse(m, i)) continue;
        const double v = c0[std::size_t(i)];
        const bool catalyst = (m.model == 5 || m.model == 16) && i == 4;
        if (std::isnan(v) || (i <= 2 && !(v > 0)))
            faults.push_back("- not yet given an initial concentration " + name(i));
        else if (v < 0)
            faults.push_back("- the initial concentration " + name(i) + " must not be negative");
        else if (*RangeFault(v))
            faults.push_back("- the initial concentration " + name(i) + RangeFault(v));
        else if (catalyst && !(v > 0))
            faults.push_back("- for autocatalysis a (very small) initial concentation c(P)(0) has to be given");
    }
    if (m.model == 20 && (m.ordnung < 0 || !std::isfinite(m.ordnung))) faults.push_back("- allowed only n > 0");
    for (int j = 1; j <= 3; ++j) {
        if (!RateConstantInUse(m, j)) continue;
        const double k = m.k[j];
        const std::string kj = "k" + std::to_string(j);
        if (std::isnan(k) || (j == 1 && !(k > 0)))
            faults.push_back("- the rate constant has to be " + kj + (j == 1 ? " > 0" : " >= 0"));
        else if (k < 0)
            faults.push_back("- the rate constant has to be " + kj + " >= 0");
        else if (*RangeFault(k))
            faults.push_back("- the rate constant " + kj + RangeFault(k));
    }
    return faults;
}

std::vector<std::string> ReactorQuantityFaults(const FlussEingabe& e, bool fluss, double t)
{
    std::vector<std::string> faults;
    auto check = [&](double v, const std::string& name, bool zeroAllowed, const char* notPositive) {
        if (std::isnan(v) || v < 0 || (v == 0 && !zeroAllowed))
            faults.push_back(notPositive);
        else if (*RangeFault(v))
            faults.push_back("- " + name + RangeFault(v));
    };
    if (!fluss) {
        if (e.modus == FlussModus::VolumenUndStrom) check(t, "the time t", false, "- specification of time not in order");
        return faults;
    }
    if (e.modus != FlussModus::VolumenAusUmsatz) check(e.V, "the volume V", false, "- the volume V has to be > 0");
    if (e.modus != FlussModus::StromAusUmsatz)
        check(e.Vpunkt, "the volume flow V*", false, "- the volume flow V* has to be > 0");
    check(e.querschnitt, "the cross-section", true, "- the cross-section has to be > 0 (0: no length)");
    return faults;
}

// ---- extents ----------------------------------------------------------------------------------

namespace {

// The columns of the independent reactions (a reversible pair once).
int Reaktionsspalten(const ReaktorModell& m, int spalten[2])
{
    int n = 0;
    for (int j = 1; j <= 3; ++j) {
        bool leer = true;
        for (int i = 1; i <= 5; ++i)
            if (m.stoechiometrie(std::size_t(i), std::size_t(j)) != 0) leer = false;
        if (leer) continue;
        bool rueckreaktion = false;
        for (int r = 0; r < n; ++r) {
            bool negativ = true;
            for (int i = 1; i <= 5; ++i)
                if (m.stoechiometrie(std::size_t(i), std::size_t(j)) != -m.stoechiometrie(std::size_t(i), std::size_t(spalten[r])))
                    negativ = false;
            if (negativ) rueckreaktion = true;
        }
        if (!rueckreaktion && n < 2) spalten[n++] = j;
    }
    return n;
}

} // namespace

int ReaktionenAnzahl(const ReaktorModell& m)
{
    int spalten[2] = {0, 0};
    return Reaktionsspalten(m, spalten);
}

std::array<double, 3> Reaktionslaufzahlen(const ReaktorModell& m, const Konzentrationen& c0, const Konzentrationen& c)
{
    std::array<double, 3> ksi{};
    int spalten[2] = {0, 0};
    const int n = Reaktionsspalten(m, spalten);
    auto nu = [&](int i, int r) { return double(m.stoechiometrie(std::size_t(i), std::size_t(spalten[r]))); };
    auto delta = [&](int i) { return c[std::size_t(i)] - c0[std::size_t(i)]; };
    if (n == 1) {
        for (int i = 1; i <= 5; ++i)
            if (nu(i, 0) != 0) {
                ksi[1] = delta(i) / nu(i, 0);
                break;
            }
    } else if (n == 2) {
        // Least squares: (N^T N) ksi = N^T delta.
        double a11 = 0, a12 = 0, a22 = 0, b1 = 0, b2 = 0;
        for (int i = 1; i <= 5; ++i) {
            a11 += nu(i, 0) * nu(i, 0);
            a12 += nu(i, 0) * nu(i, 1);
            a22 += nu(i, 1) * nu(i, 1);
            b1 += nu(i, 0) * delta(i);
            b2 += nu(i, 1) * delta(i);
        }
        const double det = a11 * a22 - a12 * a12;
        if (det != 0) {
            ksi[1] = (b1 * a22 - a12 * b2) / det;
            ksi[2] = (a11 * b2 - a12 * b1) / det;
        }
    }
    return ksi;
}

// ---- limits -----------------------------------------------------------------------------------

GrenzUmsatz GrenzUmsatzVon(const ReaktorModell& m, const Konzentrationen& c0, bool stirredTank)
{
    GrenzUmsatz g;
    const double A0 = c0[1], B0 = c0[2], C0 = c0[3], P0 = c0[4];
    const double k1 = m.k[1], k2 = m.k[2], k3 = m.k[3];
    if (!(c0[std::size_t(UmsatzSlot(m.model))] > 0)) return g;
    auto begrenzt = [&](double u) { return std::clamp(u, 0.0, 1.0); };
    switch (m.model) {
    case 1:
        g.U = 1;
        g.erreicht = true;
        break;
    case 20:
        // The tank's balance c0 - c = k tau c^n has a root c > 0 for every tau.
        g.U = 1;
        g.erreicht = m.ordnung < 1 && !stirredTank;
        break;
    case 5: case 16:
        g.U = P0 > 0 ? 1 : 0; // the catalyst P must be present
        break;
    case 4: case 9: case 13:
        g.U = begrenzt(B0 / A0);
        break;
    case 7:
        // Each B gives one C, and each C takes one more A.
        g.U = begrenzt((2 * B0 + C0) / A0);
        break;
    case 8:
        g.gleichgewicht = true;
        g.U = k1 + k2 > 0 ? (k1 * A0 - k2 * P0) / (k1 + k2) / A0 : 0;
        break;
    case 12: {
        g.gleichgewicht = true;
        const double x = Nullstelle([&](double x) { return k1 * (A0 - x) * (B0 - x) - k2 * (P0 + 2 * x) * (P0 + 2 * x); },
                                    -P0 / 2, std::min(A0, B0));
        g.U = x / A0;
        break;
    }
    case 17: {
        g.gleichgewicht = true;
        const double x = Nullstelle([&](double x) { return k1 * (A0 - x) * (B0 - x) - k2 * (P0 + x); }, -P0,
                                    std::min(A0, B0));
        g.U = x / A0;
        break;
    }
    case 15:
        if (k3 > 0) {
            g.U = 1;
        } else { // A <=> C alone
            g.gleichgewicht = true;
            g.U = k1 + k2 > 0 ? (k1 * A0 - k2 * C0) / (k1 + k2) / A0 : 0;
        }
        break;
    case 18:
        if (k3 > 0) {
            g.U = begrenzt(B0 / A0);
        } else { // A + B <=> C alone
            g.gleichgewicht = true;
            const double x = Nullstelle([&](double x) { return k1 * (A0 - x) * (B0 - x) - k2 * (C0 + x); }, -C0,
                                        std::min(A0, B0));
            g.U = x / A0;
        }
        break;
    case 10:
        g.U = (c0[1] > 0 || c0[3] > 0) && k3 > 0 ? 1 : 0; // the substrate needs the enzyme
        break;
    default: // 2, 3, 6, 11, 14: A is used up
        g.U = 1;
        break;
    }
    if (!std::isfinite(g.U)) g.U = 0;
    return g;
}

std::string UmsatzPruefen(const ReaktorModell& m, const Konzentrationen& c0, double U, bool stirredTank)
{
    const GrenzUmsatz g = GrenzUmsatzVon(m, c0, stirredTank);
    const std::string name = std::string("U(") + UmsatzName(m.model) + ")";
    std::string grenze = name + ",max = " + Zahl(g.U);
    if (g.gleichgewicht)
        grenze += " (equilibrium)";
    else if (g.U < 1)
        grenze += " (limiting reactant)";
    if (!(U > 0) || !std::isfinite(U))
        return "- the conversion " + name + " has to be > 0 (largest conversion " + grenze + ")";
    if (g.U <= 0)
        return "- no conversion is possible with these initial concentrations (" + grenze + ")";
    if (U > g.U || (U == g.U && !g.erreicht))
        return "- the conversion " + name + " =" + StrSingle(float(U)) + " can not be reached: the largest conversion is " +
               grenze + (g.erreicht ? "" : ", which is approached but never reached");
    return {};
}

// ---- batch, stirred tank and flow reactors --------------------------------------------------

namespace {

// Joins fault lines into one description.
std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& z : lines) text += (text.empty() ? "" : "\n") + z;
    return text;
}

ReaktorErgebnis BatchAtTime(const ReaktorModell& m, const Konzentrationen& c0, double t)
{
    if (!(t > 0) || !std::isfinite(t)) return Fehler("The reaction time has to be a number > 0.");
    if (t < double(FLT_MIN)) return Fehler("The reaction time is too small for the range of the numbers (about 1.2E-38).");
    Konzentrationen c{};
    std::string fehler;
    if (!BatchZustand(m, c0, t, c, fehler)) return Fehler(fehler);
    return Ergebnis(m, c0, c, t);
}

// The time at which a reached limit is reached: zeroth order c0/k1, n-th order
// with n < 1 c0^(1-n)/((1-n) k1). A search would stop where the computed
// course first reads 0, a little early or late.
double TimeToFullConversion(const ReaktorModell& m, const Konzentrationen& c0)
{
    if (m.model == 1) return c0[1] / m.k[1];
    const double n = m.ordnung;
    return std::pow(c0[1], 1 - n) / ((1 - n) * m.k[1]);
}

ReaktorErgebnis BatchForConversion(const ReaktorModell& m, const Konzentrationen& c0, double U, StopWatch& watch)
{
    if (std::string nein = UmsatzPruefen(m, c0, U); !nein.empty()) return Fehler(nein);
    const GrenzUmsatz g = GrenzUmsatzVon(m, c0);
    if (g.erreicht && U == g.U && (m.model == 1 || m.model == 20)) {
        // A => P: at that time A has become P, whatever digits a computed
        // course would lose on the way.
        const double t = TimeToFullConversion(m, c0);
        if (!(t > 0) || !Carried(t)) return Fehler("The time to full conversion lies beyond the range of the numbers.");
        Konzentrationen c = c0;
        c[4] = c0[4] + c0[1];
        c[1] = 0;
        return Ergebnis(m, c0, c, t);
    }
    // The search ends at the last trial that reached the target; its state is
    // the result.
    double t = 0;
    Konzentrationen reached{};
    std::string fehler;
    const bool ok = Suche(
        [&](double x, double& u, std::string& f) {
            Konzentrationen c{};
            if (!BatchZustand(m, c0, x, c, f)) return false;
            u = Umsatz(m.model, c0, c);
            if (u >= U) reached = c;
            return true;
        },
        U, "t", t, fehler, watch);
    if (!ok) return Fehler(fehler);
    return Ergebnis(m, c0, reached, t);
}

ReaktorErgebnis TankAtTau(const ReaktorModell& m, const Konzentrationen& cin, double tau, StopWatch& watch)
{
    if (!PositivEndlich(tau)) return Fehler("The mean residence time has to be > 0.");
    Konzentrationen c{};
    double anlauf = 0;
    std::string fehler;
    if (!RuehrkesselZustand(m, cin, tau, c, anlauf, fehler, watch)) return Fehler(fehler);
    ReaktorErgebnis r = Ergebnis(m, cin, c, tau);
    if (r.ok) r.anlauf = anlauf;
    return r;
}

ReaktorErgebnis TankForConversion(const ReaktorModell& m, const Konzentrationen& cin, double U, StopWatch& watch)
{
    if (std::string nein = UmsatzPruefen(m, cin, U, true); !nein.empty()) return Fehler(nein);
    // As in the batch: the last trial that reached the target is the result.
    double tau = 0, startUpReached = 0;
    Konzentrationen reached{};
    std::string fehler;
    const bool ok = Suche(
        [&](double x, double& u, std::string& f) {
            Konzentrationen c{};
            double anlauf = 0;
            if (!RuehrkesselZustand(m, cin, x, c, anlauf, f, watch)) return false;
            u = Umsatz(m.model, cin, c);
            if (u >= U) {
                reached = c;
                startUpReached = anlauf;
            }
            return true;
        },
        U, "tau", tau, fehler, watch);
    if (!ok) return Fehler(fehler);
    ReaktorErgebnis r = Ergebnis(m, cin, reached, tau);
    if (r.ok) r.anlauf = startUpReached;
    return r;
}

// Refuses faulty inputs, runs the calculation under the control's watch on
// the start concentrations of the species in use (the others are 0: they do
// not take part) and marks a result that the watch ended.
template <class Result, class Calculation>
Result Supervised(const ReaktorModell& m, const Konzentrationen& given, const ReactorControl& control,
                       Calculation calculation)
{
    Result r;
    if (const std::vector<std::string> faults = ReactorInputFaults(m, given); !faults.empty()) {
        r.Fehlertext = JoinLines(faults);
        return r;
    }
    Konzentrationen c0{};
    for (int i = 1; i <= 5; ++i)
        if (InUse(m, i)) c0[std::size_t(i)] = given[std::size_t(i)];
    StopWatch watch(control.cancel, control.timeLimitSeconds);
    // A single run of a slow course stops between its intervals as well.
    const IntegratorStopTest halt([&watch] { return watch.Stopped(); });
    r = calculation(watch, c0);
    if (!r.ok && watch.Reason() != StopReason::None) {
        r = Result{};
        r.Fehlertext = StopText(watch);
        r.stop = watch.Reason();
    }
    return r;
}

FlussErgebnis FlowFailure(std::string text)
{
    FlussErgebnis f;
    f.Fehlertext = std::move(text);
    return f;
}

FlussErgebnis Fluss(const FlussEingabe& e, const std::function<ReaktorErgebnis(double)>& nachTau,
                    const std::function<ReaktorErgebnis(double)>& nachUmsatz)
{
    if (const std::vector<std::string> faults = ReactorQuantityFaults(e, true, 0); !faults.empty())
        return FlowFailure(JoinLines(faults));
    FlussErgebnis f;
    ReaktorErgebnis r;
    switch (e.modus) {
    case FlussModus::VolumenUndStrom:
        r = nachTau(e.V / e.Vpunkt);
        f.V = e.V;
        f.Vpunkt = e.Vpunkt;
        break;
    case FlussModus::VolumenAusUmsatz:
        r = nachUmsatz(e.U);
        f.Vpunkt = e.Vpunkt;
        f.V = r.zeit * e.Vpunkt;
        break;
    case FlussModus::StromAusUmsatz:
        r = nachUmsatz(e.U);
        f.V = e.V;
        f.Vpunkt = r.zeit > 0 ? e.V / r.zeit : 0;
        break;
    default:
        return FlowFailure("Unknown input mode of the reactor.");
    }
    if (!r.ok) return FlowFailure(r.Fehlertext); // no partial values
    f.laenge = PositivEndlich(e.querschnitt) ? f.V / e.querschnitt : 0;
    if (!PositivEndlich(f.V) || !PositivEndlich(f.Vpunkt))
        return FlowFailure("The volume or the volume flow is not a finite positive number.");
    if (!Carried(f.V) || !Carried(f.Vpunkt) || !Carried(f.laenge)) return FlowFailure(kBeyondRange);
    static_cast<ReaktorErgebnis&>(f) = r;
    return f;
}

} // namespace

ReaktorErgebnis BatchNachZeit(const ReaktorModell& m, const Konzentrationen& c0, double t, const ReactorControl& control)
{
    return Supervised<ReaktorErgebnis>(m, c0, control, [&](StopWatch&, const Konzentrationen& c) { return BatchAtTime(m, c, t); });
}

ReaktorErgebnis BatchNachUmsatz(const ReaktorModell& m, const Konzentrationen& c0, double U,
                                const ReactorControl& control)
{
    return Supervised<ReaktorErgebnis>(m, c0, control, [&](StopWatch& a, const Konzentrationen& c) { return BatchForConversion(m, c, U, a); });
}

ReaktorErgebnis RuehrkesselNachTau(const ReaktorModell& m, const Konzentrationen& cin, double tau,
                                   const ReactorControl& control)
{
    return Supervised<ReaktorErgebnis>(m, cin, control, [&](StopWatch& a, const Konzentrationen& c) { return TankAtTau(m, c, tau, a); });
}

ReaktorErgebnis RuehrkesselNachUmsatz(const ReaktorModell& m, const Konzentrationen& cin, double U,
                                      const ReactorControl& control)
{
    return Supervised<ReaktorErgebnis>(m, cin, control, [&](StopWatch& a, const Konzentrationen& c) { return TankForConversion(m, c, U, a); });
}

FlussErgebnis Rohrreaktor(const ReaktorModell& m, const Konzentrationen& c0, const FlussEingabe& e,
                          const ReactorControl& control)
{
    return Supervised<FlussErgebnis>(m, c0, control, [&](StopWatch& a, const Konzentrationen& c) {
        return Fluss(
            e, [&](double tau) { return BatchAtTime(m, c, tau); },
            [&](double U) { return BatchForConversion(m, c, U, a); });
    });
}

FlussErgebnis Ruehrkessel(const ReaktorModell& m, const Konzentrationen& c0, const FlussEingabe& e,
                          const ReactorControl& control)
{
    return Supervised<FlussErgebnis>(m, c0, control, [&](StopWatch& a, const Konzentrationen& c) {
        return Fluss(
            e, [&](double tau) { return TankAtTau(m, c, tau, a); },
            [&](double U) { return TankForConversion(m, c, U, a); });
    });
}

// ---- protocol row -----------------------------------------------------------------------------

std::vector<double> ProtokollZeileAus(const ReaktorModell& m, const Konzentrationen& c0, const FlussErgebnis& r)
{
    std::vector<double> z(20, 0.0);
    for (int i = 0; i < 5; ++i) {
        const bool benutzt = InUse(m, i + 1);
        z[std::size_t(i)] = benutzt ? c0[std::size_t(i + 1)] : kProtEmptyField;
        z[std::size_t(5 + i)] = benutzt ? r.c[std::size_t(i + 1)] : kProtEmptyField;
    }
    for (int j = 1; j <= 3; ++j) z[std::size_t(9 + j)] = RateConstantInUse(m, j) ? m.k[j] : kProtEmptyField;
    z[13] = r.U;
    z[14] = r.zeit;
    z[15] = r.laenge;
    z[16] = r.V;
    z[17] = r.Vpunkt;
    z[18] = r.ksi[1];
    z[19] = r.ksi[2];
    return z;
}

} // namespace kinhom
